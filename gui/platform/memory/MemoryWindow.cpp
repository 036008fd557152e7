// The frame's window on a platform without a windowing system: a window of the pretend screen
// (MemoryPlatform.h) that no event ever reaches. The frame opens, sizes and draws into it as into
// any other window; the keyboard focus and the clock are the script's.
#include <new>

#include "gui/platform/PointerInput.h"
#include "gui/platform/Window.h"
#include "gui/platform/memory/MemoryHandles.h"
#include "gui/platform/memory/MemoryPlatform.h"
#include "host/aeffect.h"

namespace gui::platform {

namespace {

// The window that has the keyboard focus, or null.
NativeWindow& focusedWindow() {
    static NativeWindow focused;
    return focused;
}

CRectangle screenRectOf(const memory::Window& window) {
    const CPosition& origin = window.screenOrigin;
    return CRectangle(origin.h, origin.v, origin.h + window.surface.width,
                      origin.v + window.surface.height);
}

constexpr std::uintptr_t kFirstPrintable = 0x20;
constexpr std::uintptr_t kLastPrintable = 0x7E;

}  // namespace

// Nothing to start: there are no component services.
bool startComponentServices() { return true; }

void stopComponentServices() {}

// A window of the pretend screen at the parent's corner (the screen's for no parent).
NativeWindow createFrameWindow(NativeWindow parent, CFrame*, std::int32_t width,
                               std::int32_t height) {
    const memory::Window* holder = static_cast<memory::Window*>(parent);
    return memory::createWindow(width, height, holder ? holder->screenOrigin : CPosition());
}

// The window goes, and with it the keyboard focus it held.
void destroyFrameWindow(NativeWindow window) {
    if (focusedWindow() == window) focusedWindow() = nullptr;
    memory::destroyWindow(window);
}

// Nobody but the toolkit destroys a pretend window: there is nothing to forget.
void forgetFrameWindow(NativeWindow) {}

// There is no window class.
void finishWindowClassRemoval() {}

// A new blank surface of the new size; a bad size leaves the window as it was.
void resizeWindow(NativeWindow window, std::int32_t width, std::int32_t height) {
    memory::Window* native = window;
    if (!native || width <= 0 || height <= 0) return;
    native->surface = memory::Surface(width, height);
}

// No host's window wraps a pretend window: only the window itself changes.
bool resizeWithWrappers(NativeWindow window, std::int32_t width, std::int32_t height) {
    resizeWindow(window, width, height);
    return true;
}

// No paint is ever queued: the toolkit draws when it is asked to.
void invalidateWindow(NativeWindow) {}

bool windowRectOnScreen(NativeWindow window, CRectangle& rect) {
    const memory::Window* native = static_cast<memory::Window*>(window);
    if (!native) return false;
    rect = screenRectOf(*native);
    return true;
}

// The window stands for its host's window too; an empty rectangle for a null window.
CRectangle hostWindowRect(NativeWindow window) {
    const memory::Window* native = static_cast<memory::Window*>(window);
    return native ? screenRectOf(*native) : CRectangle();
}

// A pretend window is its own outermost window.
NativeWindow outerWindowOf(NativeWindow window) { return window; }

// Pretend windows lie on the screen itself.
CPosition positionInParent(NativeWindow window) {
    const memory::Window* native = static_cast<memory::Window*>(window);
    return native ? native->screenOrigin : CPosition();
}

// The pretend screen has no physical size.
std::uint32_t windowDpi(NativeWindow) { return 0; }

// The scripted cursor relative to the window's corner.
CPosition mouseInWindow(NativeWindow window) {
    CPosition cursor = memory::input().cursor;
    if (const memory::Window* native = static_cast<memory::Window*>(window)) {
        cursor.h -= native->screenOrigin.h;
        cursor.v -= native->screenOrigin.v;
    }
    return cursor;
}

// There is no cursor to show.
void showCursor(CCursorType, NativeCursor&) {}

bool hasKeyboardFocus(NativeWindow window) { return window && focusedWindow() == window; }

void takeKeyboardFocus(NativeWindow window) {
    if (window) focusedWindow() = window;
}

// Platform keys here are characters: printable ones come as lower case, the modifiers as the
// script holds them.
VstKeyCode hostKeyOf(std::uintptr_t platformKey) {
    VstKeyCode key = {};
    if (platformKey >= kFirstPrintable && platformKey <= kLastPrintable) {
        const auto character = static_cast<char>(platformKey);
        key.character = character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
    }
    const std::int32_t held = pointerButtons();
    if (held & kShiftDown) key.modifier |= MODIFIER_SHIFT;
    if (held & kAltDown) key.modifier |= MODIFIER_ALTERNATE;
    if (held & kControlDown) key.modifier |= MODIFIER_COMMAND;
    return key;
}

// Waiting moves the scripted clock on instead of the thread's.
void sleepFor(std::uint32_t milliseconds) { memory::input().tick += milliseconds; }

// No event is ever queued.
void dispatchWindowEvents() {}

// No paint is ever queued.
void dispatchPendingPaint() {}

}  // namespace gui::platform
