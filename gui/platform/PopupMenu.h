// The option menu's native popup. The backend implements COptionMenu::buildPopup, trackPopup and
// cancelPopup: it builds the menus of a PopupPlan, runs the platform's menu loop on the UI thread
// until the popup closes, and answers the chosen identifier (-1 for none).
#pragma once

#include "gui/platform/NativeHandle.h"

namespace gui {

struct MenuKind;
// A native popup menu of the platform, opaque to the toolkit.
using NativeMenu = NativeHandle<MenuKind>;

}  // namespace gui
