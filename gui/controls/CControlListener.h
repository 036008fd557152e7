// The interface through which a control reports a value the user changed to its owner.
#pragma once

#include <cstdint>

#include "gui/draw/CDrawContext.h"

namespace gui {

class CControl;

class CControlListener {
  public:
    // context may be null (keyboard changes have none).
    virtual void valueChanged(CDrawContext* context, CControl* control) = 0;
    // A click with a modifier held, offered before the control handles it; nonzero takes it.
    virtual std::int32_t modifierClicked(CDrawContext* context, CControl* control,
                                         ButtonState buttons);

  protected:
    // Owners are not deleted through this interface.
    ~CControlListener() = default;
};

}  // namespace gui
