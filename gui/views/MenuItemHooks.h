// How the frame's window reaches the owner-drawn items of a popup that the focus view shows. The
// option menu lives in the controls library, which the views library does not link: the menu
// fills these in, and the frame calls them only for a focus view that is an option menu.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"

namespace gui {

class CDrawContext;
class CView;

// State bits of an owner-drawn popup-menu item.
enum : std::int32_t { kMenuItemChecked = 1, kMenuItemDisabled = 2, kMenuItemSelected = 4 };

struct MenuItemHooks {
    // False leaves the item to the platform.
    bool (*measure)(CView* focus, std::uintptr_t itemData, CDrawContext* context,
                    CPosition& size) = nullptr;
    bool (*draw)(CView* focus, std::uintptr_t itemData, std::uint32_t itemId, std::int32_t state,
                 CDrawContext* context, const CRectangle& rect) = nullptr;
};

// UI thread: shared by every frame of the process.
extern MenuItemHooks menuItemHooks;

}  // namespace gui
