#include "gui/controls/PlatformQueries.h"

#include <windows.h>

namespace gui {

std::uint32_t systemDoubleClickTime() { return GetDoubleClickTime(); }

}  // namespace gui
