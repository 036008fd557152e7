// The option menu's popup on X11: a PopupWindow per menu of the plan, drawn by the toolkit, and
// the PopupTracker's loop that runs them until an item is chosen or the popup is dismissed.
#include <X11/X.h>

#include <memory>
#include <new>
#include <vector>

#include "gui/controls/COptionMenu.h"
#include "gui/controls/PopupPlan.h"
#include "gui/draw/CDrawContext.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/x11/X11PopupTracker.h"
#include "gui/views/CFrame.h"
#include "gui/views/MenuItemHooks.h"

namespace gui {

namespace {

constexpr std::intptr_t kNoChoice = -1;

// The menu's font at the panel's scale.
NativeFont createMenuFont(double scale) {
    const CFontDescription entry = fontTableEntry(kFontSystem);
    return platform::createFont(
        {entry.face, toDevice(entry.defaultSize, scale), false, false, false, false});
}

// The windows of one popup, destroyed together however the popup ends.
struct PopupWindows {
    ~PopupWindows() {
        for (x11::PopupWindow* window : windows) delete window;
    }
    std::vector<x11::PopupWindow*> windows;
};

unsigned int openingButtonOf(ButtonState buttons) {
    if (buttons & kButtonRight) return Button3;
    if (buttons & kButtonLeft) return Button1;
    return 0;
}

}  // namespace

// The items are drawn by the backend itself, or by the scheme of the menu that has the focus.
NativeMenu COptionMenu::buildPopup(const PopupPlan& plan, std::int32_t index, bool ownerDrawn) {
    const auto& menus = plan.menus();
    if (index < 0 || static_cast<std::size_t>(index) >= menus.size()) return nullptr;
    const double scale = parentFrame ? parentFrame->getScale() : 1.0;
    NativeFont font = createMenuFont(scale);
    x11::SchemeDrawing drawing;
    if (ownerDrawn && parentFrame)
        drawing = {parentFrame, parentFrame->getFocusView(),
                   &menus[static_cast<std::size_t>(index)].items};
    auto* window = new (std::nothrow) x11::PopupWindow(
        x11::currentDisplay(), menus[static_cast<std::size_t>(index)].items, font, scale, drawing);
    if (!window) platform::deleteFont(font);
    if (window && !window->valid()) {
        delete window;
        window = nullptr;
    }
    menuHandle = window;
    return window;
}

// UI thread: the tracker's loop runs here until the popup closes; the frame's exposures are
// delivered meanwhile, and every other event waits for the frame's own handling afterwards.
std::intptr_t COptionMenu::trackPopup(const PopupPlan& plan, const CPosition& at) {
    std::intptr_t chosen = kNoChoice;
    const x11::DisplayHold hold;
    if (hold.display && parentFrame && parentFrame->getWindow()) {
        PopupWindows shown;
        // As on the other platforms, a scheme draws the items while its menu has the focus.
        const bool ownerDrawn = scheme && parentFrame->getFocusView() == this &&
                                menuItemHooks.measure && menuItemHooks.draw;
        const auto& menus = plan.menus();
        for (std::size_t i = 0; i < menus.size(); ++i)
            shown.windows.push_back(
                menus[i].control->buildPopup(plan, static_cast<std::int32_t>(i), ownerDrawn));
        x11::PopupTracker tracker(hold.display, shown.windows, openingButtonOf(openButtons));
        chosen = tracker.run(screenPointOf(at));
        if (chosen >= kPopupIdLimit) chosen = kNoChoice;
    }
    for (const PopupMenu& planned : plan.menus()) planned.control->menuHandle = nullptr;
    return chosen;
}

void COptionMenu::cancelPopup() {
    if (x11::PopupTracker* tracker = x11::PopupTracker::running()) tracker->cancel();
}

}  // namespace gui
