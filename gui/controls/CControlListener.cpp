#include "gui/controls/CControlListener.h"

namespace gui {

std::int32_t CControlListener::modifierClicked(CDrawContext*, CControl*, ButtonState) { return 0; }

}  // namespace gui
