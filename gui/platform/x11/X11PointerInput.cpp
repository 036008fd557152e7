// The pointer and the clock on X11, asked of the shared display directly; without an open window
// there is no display and no button is down.
#include <chrono>

#include "gui/platform/PointerInput.h"
#include "gui/platform/x11/X11Display.h"

namespace gui::platform {

namespace {

// X keeps no double-click setting; toolkits on X agree on this interval.
constexpr std::uint32_t kDoubleClickMilliseconds = 400;

struct PointerState {
    bool known = false;
    int rootX = 0;
    int rootY = 0;
    unsigned int mask = 0;
};

PointerState queryPointer() {
    PointerState state;
    Display* display = x11::currentDisplay();
    if (!display) return state;
    ::Window root = 0;
    ::Window child = 0;
    int windowX = 0;
    int windowY = 0;
    x11::ErrorTrap trap(display);
    state.known = XQueryPointer(display, DefaultRootWindow(display), &root, &child, &state.rootX,
                                &state.rootY, &windowX, &windowY, &state.mask) != 0;
    return state;
}

}  // namespace

std::int32_t pointerButtons() {
    const PointerState state = queryPointer();
    if (!state.known) return 0;
    std::int32_t buttons = 0;
    if (state.mask & Button1Mask) buttons |= kPrimaryDown;
    if (state.mask & Button2Mask) buttons |= kMiddleDown;
    if (state.mask & Button3Mask) buttons |= kSecondaryDown;
    if (state.mask & ShiftMask) buttons |= kShiftDown;
    if (state.mask & ControlMask) buttons |= kControlDown;
    if (state.mask & Mod1Mask) buttons |= kAltDown;
    return buttons;
}

CPosition cursorScreenPosition() {
    const PointerState state = queryPointer();
    return CPosition(state.rootX, state.rootY);
}

std::uint32_t tickCount() {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

std::uint32_t currentMessageTime() { return x11::eventArrivalTicks(); }

std::uint32_t doubleClickTime() { return kDoubleClickMilliseconds; }

// The second press of a double click lands where the first did.
bool takePrimaryPress() { return x11::takeButtonPress(x11::pointerWindow(), Button1); }

}  // namespace gui::platform
