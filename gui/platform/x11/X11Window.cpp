// The frame's window among the host's X windows: geometry, the pointer, the cursor, the keyboard
// focus, and the waits and event pumping of the UI thread. A handle that names none of the
// toolkit's windows is the X id of the host's window.
#include <X11/cursorfont.h>

#include <chrono>
#include <thread>

#include "gui/platform/DrawingDevice.h"
#include "gui/platform/Window.h"
#include "gui/platform/x11/X11OwnWindow.h"
#include "gui/views/CFrame.h"

namespace gui::platform {

namespace {

struct Geometry {
    bool known = false;
    ::Window parent = 0;
    ::Window root = 0;
    CRectangle rect;  // in the parent's coordinates
};

x11::OwnWindow* ownWindowOf(NativeWindow window) {
    return dynamic_cast<x11::OwnWindow*>(x11::windowOf(window));
}

::Window xidOf(NativeWindow window) {
    if (const x11::OwnWindow* own = ownWindowOf(window)) return own->xWindow();
    return static_cast<::Window>(reinterpret_cast<std::uintptr_t>(window.address()));
}

NativeWindow handleOfForeign(::Window window) {
    return NativeWindow::atAddress(reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)));
}

Geometry geometryOf(Display* display, ::Window window) {
    Geometry geometry;
    if (!display || window == 0) return geometry;
    x11::ErrorTrap trap(display);
    ::Window* children = nullptr;
    unsigned int childCount = 0;
    if (!XQueryTree(display, window, &geometry.root, &geometry.parent, &children, &childCount))
        return geometry;
    if (children) XFree(children);
    ::Window root = 0;
    int x = 0;
    int y = 0;
    unsigned int width = 0;
    unsigned int height = 0;
    unsigned int border = 0;
    unsigned int depth = 0;
    if (!XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth)) {
        return geometry;
    }
    geometry.rect = CRectangle(x, y, x + static_cast<std::int32_t>(width),
                               y + static_cast<std::int32_t>(height));
    geometry.known = !trap.failed();
    return geometry;
}

unsigned int cursorShapeOf(CCursorType shape) {
    switch (shape) {
        case kCursorWait: return XC_watch;
        case kCursorHSize: return XC_sb_h_double_arrow;
        case kCursorVSize: return XC_sb_v_double_arrow;
        case kCursorSizeAll: return XC_fleur;
        case kCursorNESWSize: return XC_bottom_left_corner;
        case kCursorNWSESize: return XC_bottom_right_corner;
        case kCursorCopy: return XC_plus;
        case kCursorNotAllowed: return XC_X_cursor;
        case kCursorHand: return XC_hand2;
        default: return XC_num_glyphs;
    }
}

}  // namespace

void resizeWindow(NativeWindow window, std::int32_t width, std::int32_t height) {
    if (x11::OwnWindow* own = ownWindowOf(window)) own->resize(width, height);
}

// The host's window is resized along only where it was exactly the panel's size: a host that
// gives its window a margin or toolbars keeps it.
bool resizeWithWrappers(NativeWindow window, std::int32_t width, std::int32_t height) {
    x11::OwnWindow* own = ownWindowOf(window);
    if (!own) return false;
    Display* display = own->display();
    const Geometry ours = geometryOf(display, own->xWindow());
    const Geometry parent = ours.known ? geometryOf(display, ours.parent) : Geometry();
    own->resize(width, height);
    if (!parent.known || ours.parent == ours.root) return true;
    if (parent.rect.getWidth() != ours.rect.getWidth() ||
        parent.rect.getHeight() != ours.rect.getHeight())
        return false;
    x11::ErrorTrap trap(display);
    XResizeWindow(display, ours.parent, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    return !trap.failed();
}

// The whole window is exposed again, and painted when the events are next delivered.
void invalidateWindow(NativeWindow window) {
    x11::OwnWindow* own = ownWindowOf(window);
    if (!own || !own->valid()) return;
    x11::ErrorTrap trap(own->display());
    XClearArea(own->display(), own->xWindow(), 0, 0, 0, 0, True);
}

bool windowRectOnScreen(NativeWindow window, CRectangle& rect) {
    const x11::DisplayHold question;
    const ::Window id = xidOf(window);
    CPosition corner;
    const Geometry geometry = geometryOf(question.display, id);
    if (!geometry.known || !x11::screenCornerOf(question.display, id, corner)) return false;
    rect = CRectangle(corner.h, corner.v, corner.h + geometry.rect.getWidth(),
                      corner.v + geometry.rect.getHeight());
    return true;
}

CRectangle hostWindowRect(NativeWindow window) {
    const x11::DisplayHold question;
    const Geometry ours = geometryOf(question.display, xidOf(window));
    if (!ours.known) return CRectangle();
    return geometryOf(question.display, ours.parent).rect;
}

// Up the host's windows while each is exactly the size of the one it holds.
NativeWindow outerWindowOf(NativeWindow window) {
    const x11::DisplayHold question;
    ::Window outer = xidOf(window);
    Geometry inner = geometryOf(question.display, outer);
    if (!window || !inner.known) return window;
    while (inner.parent != 0 && inner.parent != inner.root) {
        const Geometry parent = geometryOf(question.display, inner.parent);
        if (!parent.known || parent.rect.getWidth() != inner.rect.getWidth() ||
            parent.rect.getHeight() != inner.rect.getHeight())
            break;
        outer = inner.parent;
        inner = parent;
    }
    if (const x11::OwnWindow* own = ownWindowOf(window); own && own->xWindow() == outer)
        return window;
    return handleOfForeign(outer);
}

CPosition positionInParent(NativeWindow window) {
    const x11::DisplayHold question;
    const Geometry geometry = geometryOf(question.display, xidOf(window));
    return CPosition(geometry.rect.left, geometry.rect.top);
}

// The display's, as the user set it in the X resources.
std::uint32_t windowDpi(NativeWindow) {
    const x11::DisplayHold question;
    return x11::resourceDpi(question.display);
}

CPosition mouseInWindow(NativeWindow window) {
    Display* display = x11::currentDisplay();
    if (!display) return CPosition();
    const ::Window id = window ? xidOf(window) : DefaultRootWindow(display);
    x11::ErrorTrap trap(display);
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int mask = 0;
    if (!XQueryPointer(display, id, &root, &child, &rootX, &rootY, &x, &y, &mask) && root == 0)
        return CPosition();
    return trap.failed() ? CPosition() : CPosition(x, y);
}

// Font cursors; the window keeps its cursor after the handle is freed.
void showCursor(CCursorType shape, NativeCursor&) {
    Display* display = x11::currentDisplay();
    const ::Window pointerWindow = x11::pointerWindow();
    if (!display || pointerWindow == 0) return;
    x11::ErrorTrap trap(display);
    const unsigned int glyph = cursorShapeOf(shape);
    if (glyph == XC_num_glyphs) {
        XUndefineCursor(display, pointerWindow);
        return;
    }
    const Cursor cursor = XCreateFontCursor(display, glyph);
    XDefineCursor(display, pointerWindow, cursor);
    XFreeCursor(display, cursor);
}

bool hasKeyboardFocus(NativeWindow window) {
    Display* display = x11::currentDisplay();
    if (!display || !window) return false;
    ::Window focused = 0;
    int revert = 0;
    x11::ErrorTrap trap(display);
    XGetInputFocus(display, &focused, &revert);
    return focused == xidOf(window);
}

// Refused quietly while the window is not viewable.
void takeKeyboardFocus(NativeWindow window) {
    Display* display = x11::currentDisplay();
    if (!display || !window) return;
    x11::ErrorTrap trap(display);
    XSetInputFocus(display, xidOf(window), RevertToParent, CurrentTime);
}

void sleepFor(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void dispatchPendingPaint() { x11::dispatchExposures(); }

void dispatchWindowEvents() { x11::dispatchEvents(); }

}  // namespace gui::platform
