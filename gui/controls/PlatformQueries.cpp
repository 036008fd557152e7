#include "gui/controls/PlatformQueries.h"

#include "gui/platform/win32/Win32Handles.h"

namespace gui {

std::uint32_t systemDoubleClickTime() { return GetDoubleClickTime(); }

}  // namespace gui
