// A momentary button: pressed it sends the pressed value, released it always sends 0. The strip
// holds the released frame above the pressed one.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CKickButton : public CControl {
  public:
    // Frames as high as the control.
    CKickButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                CBitmap* background, const CPosition& offset);
    // offset is the top-left of the released frame; the pressed one is frameHeight below it.
    CKickButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                std::int32_t frameHeight, CBitmap* background, const CPosition& offset);
    ~CKickButton() override;

    // Bounds the value first; any value but 0 shows the pressed frame.
    void draw(CDrawContext* context) override;
    // Left button: while held, the pressed value over the button and the entry value off it; a
    // press already over when it arrives kicks at once.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    bool isTypeOf(const char* className) override;

  protected:
    CPosition bitmapOffset;
    std::int32_t frameHeight;
};

}  // namespace gui
