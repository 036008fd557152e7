// The option menu's popup on Win32: the native popup menus built from a plan, the platform's own
// loop that tracks them, and the command message that reports the choice.
#include "gui/controls/COptionMenu.h"
#include "gui/controls/PopupPlan.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"

namespace gui {

// The option menu's handles are the platform's menus.
template <>
struct NativeTypeOf<MenuKind> {
    using type = HMENU;
};

namespace {

constexpr UINT_PTR kSeparatorId = 0;
constexpr std::intptr_t kNoChoice = -1;

UINT itemFlags(const PopupItem& item, bool ownerDrawn) {
    UINT flags = ownerDrawn ? MF_OWNERDRAW : MF_STRING;
    if (item.flags & kItemColumnBreak) flags |= MF_MENUBARBREAK;
    if (item.flags & kItemGreyed) flags |= MF_GRAYED;
    if (item.flags & kItemDisabled) flags |= MF_DISABLED;
    if (item.flags & kItemChecked) flags |= MF_CHECKED;
    return flags;
}

// An owner-drawn item carries the plan's copy of its entry text as its data, which the frame's
// window hands back when it asks the menu to measure or draw the item.
LPCSTR itemContent(const PopupItem& item, bool ownerDrawn) {
    return ownerDrawn ? item.text : item.label();
}

}  // namespace

NativeMenu COptionMenu::buildPopup(const PopupPlan& plan, std::int32_t index, bool ownerDrawn) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return nullptr;
    for (const PopupItem& item : plan.menus()[static_cast<std::size_t>(index)].items) {
        if (item.kind == MenuEntryKind::separator) {
            AppendMenuA(menu, MF_SEPARATOR, kSeparatorId, nullptr);
            continue;
        }
        if (item.kind != MenuEntryKind::subMenu) {
            AppendMenuA(menu, itemFlags(item, ownerDrawn), static_cast<UINT_PTR>(item.id),
                        itemContent(item, ownerDrawn));
            continue;
        }
        COptionMenu* const subMenu = plan.menus()[static_cast<std::size_t>(item.subMenu)].control;
        HMENU native = subMenu->buildPopup(plan, item.subMenu, ownerDrawn);
        // A submenu that could not be built or attached shows nothing.
        if (native &&
            !AppendMenuA(menu, itemFlags(item, ownerDrawn) | MF_POPUP,
                         reinterpret_cast<UINT_PTR>(native), itemContent(item, ownerDrawn)))
            DestroyMenu(native);
    }
    menuHandle = menu;
    return menu;
}

// UI thread: TrackPopupMenu runs the platform's menu loop here until the popup closes; window
// messages, the host's timers among them, are dispatched meanwhile.
std::intptr_t COptionMenu::trackPopup(const PopupPlan& plan, const CPosition& at) {
    HWND const owner = parentFrame ? parentFrame->getWindow() : nullptr;
    std::intptr_t chosen = kNoChoice;
    // The frame's window asks its focus view to measure and draw owner-drawn items.
    const bool ownerDrawn = scheme && owner && parentFrame->getFocusView() == this;
    HMENU const menu = owner ? buildPopup(plan, 0, ownerDrawn) : nullptr;
    if (menu) {
        const UINT flags = (openButtons & kButtonRight) ? TPM_RIGHTBUTTON : 0;
        MSG command;
        const CPosition onScreen = screenPointOf(at);
        if (TrackPopupMenu(menu, flags, onScreen.h, onScreen.v, 0, owner, nullptr) &&
            PeekMessageA(&command, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE) &&
            command.wParam < static_cast<WPARAM>(kPopupIdLimit))
            chosen = static_cast<std::intptr_t>(command.wParam);
        // Destroys the submenus attached to it as well.
        DestroyMenu(menu);
    }
    for (const PopupMenu& planned : plan.menus()) planned.control->menuHandle = nullptr;
    return chosen;
}

void COptionMenu::cancelPopup() { EndMenu(); }

}  // namespace gui
