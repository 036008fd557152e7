#include "gui/platform/x11/X11PopupTracker.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>

#include "gui/platform/PointerInput.h"

namespace gui::x11 {

namespace {

constexpr long kGrabbedPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
// A release of the opening button this soon after the popup opened ends the click that opened
// it, not a choice.
constexpr std::uint32_t kOpeningReleaseMilliseconds = 400;
// Another client may hold a grab for a moment; after this long the popup gives up.
constexpr std::uint32_t kGrabPatienceMilliseconds = 250;
constexpr int kGrabRetryMilliseconds = 10;
constexpr int kEventWaitMilliseconds = 10;
constexpr unsigned int kFirstWheelButton = 4;

PopupTracker* runningTracker = nullptr;

bool choosable(const PopupItem& item) {
    return item.kind != MenuEntryKind::separator && item.kind != MenuEntryKind::subMenu &&
           item.id != PopupItem::kNoId && !(item.flags & (kItemGreyed | kItemDisabled));
}

bool opensSubMenu(const PopupItem& item) {
    return item.kind == MenuEntryKind::subMenu && item.subMenu >= 0 &&
           !(item.flags & (kItemGreyed | kItemDisabled));
}

}  // namespace

PopupTracker::PopupTracker(Display* display, const std::vector<PopupWindow*>& windows,
                           unsigned int openingButton)
    : display(display), windows(windows), openingButton(openingButton), outer(runningTracker) {
    runningTracker = this;
}

PopupTracker::~PopupTracker() {
    ungrab();
    for (PopupWindow* window : windows)
        if (window) window->hide();
    runningTracker = outer;
}

PopupTracker* PopupTracker::running() { return runningTracker; }

std::intptr_t PopupTracker::run(const CPosition& corner) {
    PopupWindow* top = windows.empty() ? nullptr : windows.front();
    if (!display || !top || !top->valid()) return -1;
    top->showAt(keptOnScreen(corner, top->width(), top->height(), nullptr));
    openMenus.assign(1, 0);
    openedAt = platform::tickCount();
    if (!grab()) return -1;
    while (!finished) {
        XEvent event;
        if (takeEvent(event)) {
            handle(event);
            continue;
        }
        // The frame keeps drawing while the popup is open.
        dispatchExposures();
        if (!finished) waitForEvents();
    }
    ungrab();
    return chosen;
}

// The grabs send every pointer and key event to the top menu's window, wherever it happens.
bool PopupTracker::grab() {
    const ::Window top = windows.front()->xWindow();
    const std::uint32_t started = platform::tickCount();
    ErrorTrap trap(display);
    while (true) {
        const int pointer = XGrabPointer(display, top, False, kGrabbedPointerEvents, GrabModeAsync,
                                         GrabModeAsync, None, None, CurrentTime);
        const int keyboard =
            pointer == GrabSuccess
                ? XGrabKeyboard(display, top, False, GrabModeAsync, GrabModeAsync, CurrentTime)
                : GrabNotViewable;
        if (pointer == GrabSuccess && keyboard == GrabSuccess) break;
        if (pointer == GrabSuccess) XUngrabPointer(display, CurrentTime);
        if (platform::tickCount() - started > kGrabPatienceMilliseconds) return false;
        poll(nullptr, 0, kGrabRetryMilliseconds);
    }
    grabbed = true;
    return true;
}

void PopupTracker::ungrab() {
    if (!grabbed) return;
    grabbed = false;
    ErrorTrap trap(display);
    XUngrabKeyboard(display, CurrentTime);
    XUngrabPointer(display, CurrentTime);
}

bool PopupTracker::owns(::Window window) const {
    return std::any_of(windows.begin(), windows.end(), [window](const PopupWindow* popup) {
        return popup && popup->xWindow() == window;
    });
}

int PopupTracker::isOwnEvent(Display*, XEvent* event, XPointer tracker) {
    return reinterpret_cast<const PopupTracker*>(tracker)->owns(event->xany.window) ? True : False;
}

// Events of other windows stay queued for the frame's own handling after the popup.
bool PopupTracker::takeEvent(XEvent& event) {
    ErrorTrap trap(display);
    return XCheckIfEvent(display, &event, isOwnEvent, reinterpret_cast<XPointer>(this)) == True;
}

void PopupTracker::waitForEvents() {
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, kEventWaitMilliseconds);
}

void PopupTracker::handle(XEvent& event) {
    switch (event.type) {
        case Expose:
            if (EventTarget* target = targetOf(event.xany.window)) target->handleEvent(event);
            break;
        case MotionNotify:
            pointerMoved(CPosition(event.xmotion.x_root, event.xmotion.y_root));
            break;
        case ButtonPress:
            if (event.xbutton.button >= kFirstWheelButton) break;
            pressedSinceOpening = true;
            if (depthAt(CPosition(event.xbutton.x_root, event.xbutton.y_root)) < 0) finished = true;
            break;
        case ButtonRelease: buttonReleased(event.xbutton); break;
        case KeyPress: keyPressed(event.xkey); break;
        default: break;
    }
}

std::int32_t PopupTracker::depthAt(const CPosition& point) const {
    for (auto depth = static_cast<std::int32_t>(openMenus.size()) - 1; depth >= 0; --depth)
        if (at(depth).contains(point)) return depth;
    return -1;
}

PopupWindow& PopupTracker::at(std::int32_t depth) const {
    return *windows[static_cast<std::size_t>(openMenus[static_cast<std::size_t>(depth)])];
}

// Hovering highlights; a submenu opens as soon as its item is hovered.
void PopupTracker::pointerMoved(const CPosition& point) {
    const std::int32_t depth = depthAt(point);
    if (depth < 0) return;
    PopupWindow& menu = at(depth);
    const std::int32_t index = menu.itemAt(point);
    const bool itsSubMenuIsOpen =
        index != PopupWindow::kNone && depth + 1 < static_cast<std::int32_t>(openMenus.size()) &&
        menu.item(index).subMenu == openMenus[static_cast<std::size_t>(depth) + 1];
    if (!itsSubMenuIsOpen) closeAbove(depth);
    menu.setHighlight(index);
    if (index != PopupWindow::kNone && !itsSubMenuIsOpen && opensSubMenu(menu.item(index)))
        openSubMenu(depth, index);
}

void PopupTracker::buttonReleased(const XButtonEvent& release) {
    if (release.button >= kFirstWheelButton) return;
    const bool endsOpeningClick = release.button == openingButton && !pressedSinceOpening &&
                                  platform::tickCount() - openedAt < kOpeningReleaseMilliseconds;
    if (endsOpeningClick) return;
    const CPosition point(release.x_root, release.y_root);
    const std::int32_t depth = depthAt(point);
    if (depth < 0) return;
    const std::int32_t index = at(depth).itemAt(point);
    if (index != PopupWindow::kNone) activate(depth, index, false);
}

void PopupTracker::keyPressed(XKeyEvent& press) {
    KeySym keysym = NoSymbol;
    char ignored[8];
    XLookupString(&press, ignored, sizeof(ignored), &keysym, nullptr);
    const auto deepest = static_cast<std::int32_t>(openMenus.size()) - 1;
    PopupWindow& menu = at(deepest);
    const std::int32_t lit = menu.highlighted();
    switch (keysym) {
        case XK_Up:
        case XK_KP_Up: menu.setHighlight(menu.stepFrom(lit, -1)); break;
        case XK_Down:
        case XK_KP_Down: menu.setHighlight(menu.stepFrom(lit, 1)); break;
        case XK_Right:
        case XK_KP_Right:
            if (lit != PopupWindow::kNone && opensSubMenu(menu.item(lit)))
                activate(deepest, lit, true);
            break;
        case XK_Return:
        case XK_KP_Enter:
        case XK_space:
            if (lit != PopupWindow::kNone) activate(deepest, lit, true);
            break;
        case XK_Left:
        case XK_KP_Left:
            if (deepest > 0) closeAbove(deepest - 1);
            break;
        case XK_Escape:
            if (deepest > 0)
                closeAbove(deepest - 1);
            else
                finished = true;
            break;
        default: break;
    }
}

// A submenu item opens its menu (with its first item lit when the keys opened it); any other
// item that can be chosen is chosen.
void PopupTracker::activate(std::int32_t depth, std::int32_t index, bool byKey) {
    const PopupItem& item = at(depth).item(index);
    if (opensSubMenu(item)) {
        const bool open = depth + 1 < static_cast<std::int32_t>(openMenus.size()) &&
                          openMenus[static_cast<std::size_t>(depth) + 1] == item.subMenu;
        if (!open) {
            closeAbove(depth);
            openSubMenu(depth, index);
        }
        if (byKey && depth + 1 < static_cast<std::int32_t>(openMenus.size())) {
            PopupWindow& subMenu = at(depth + 1);
            subMenu.setHighlight(subMenu.stepFrom(PopupWindow::kNone, 1));
        }
        return;
    }
    if (choosable(item)) choose(item);
}

void PopupTracker::openSubMenu(std::int32_t depth, std::int32_t index) {
    const std::int32_t subMenu = at(depth).item(index).subMenu;
    if (subMenu <= 0 || subMenu >= static_cast<std::int32_t>(windows.size())) return;
    PopupWindow* window = windows[static_cast<std::size_t>(subMenu)];
    // A menu already shown further up cannot show twice.
    if (!window || !window->valid() || window->shown()) return;
    const CRectangle parent = at(depth).screenRect();
    const CRectangle item = at(depth).itemOnScreen(index);
    const CPosition wanted(parent.right, item.top - (item.top - parent.top > 0 ? 1 : 0));
    window->showAt(keptOnScreen(wanted, window->width(), window->height(), &parent));
    openMenus.push_back(subMenu);
}

void PopupTracker::closeAbove(std::int32_t depth) {
    while (static_cast<std::int32_t>(openMenus.size()) > depth + 1) {
        windows[static_cast<std::size_t>(openMenus.back())]->hide();
        openMenus.pop_back();
    }
}

void PopupTracker::choose(const PopupItem& item) {
    chosen = item.id;
    finished = true;
}

CPosition PopupTracker::keptOnScreen(const CPosition& wanted, std::int32_t width,
                                     std::int32_t height, const CRectangle* flipAround) const {
    const std::int32_t screenWidth = DisplayWidth(display, DefaultScreen(display));
    const std::int32_t screenHeight = DisplayHeight(display, DefaultScreen(display));
    CPosition corner = wanted;
    if (corner.h + width > screenWidth)
        corner.h = flipAround ? flipAround->left - width : screenWidth - width;
    if (corner.v + height > screenHeight) corner.v = screenHeight - height;
    corner.h = std::max(0, corner.h);
    corner.v = std::max(0, corner.v);
    return corner;
}

}  // namespace gui::x11
