#include "gui/x11/InputPlayer.h"

#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {

// Between two events, time for the plug-in's idle to see the first.
constexpr int kStepMilliseconds = 30;
constexpr int kGlideStep = 4;

}  // namespace

InputPlayer::InputPlayer() : connection(XOpenDisplay(nullptr)) {}

InputPlayer::~InputPlayer() {
    if (connection) XCloseDisplay(connection);
}

void InputPlayer::settle() {
    XSync(connection, False);
    wait(kStepMilliseconds);
}

void InputPlayer::moveTo(int x, int y) {
    XTestFakeMotionEvent(connection, DefaultScreen(connection), x, y, CurrentTime);
    pointerX = x;
    pointerY = y;
    settle();
}

void InputPlayer::glideTo(int x, int y) {
    while (std::abs(x - pointerX) > kGlideStep || std::abs(y - pointerY) > kGlideStep) {
        const int stepX = std::abs(x - pointerX) > kGlideStep
                              ? (x > pointerX ? kGlideStep : -kGlideStep)
                              : x - pointerX;
        const int stepY = std::abs(y - pointerY) > kGlideStep
                              ? (y > pointerY ? kGlideStep : -kGlideStep)
                              : y - pointerY;
        moveTo(pointerX + stepX, pointerY + stepY);
    }
    moveTo(x, y);
}

void InputPlayer::press(unsigned int button) {
    XTestFakeButtonEvent(connection, button, True, CurrentTime);
    settle();
}

void InputPlayer::release(unsigned int button) {
    XTestFakeButtonEvent(connection, button, False, CurrentTime);
    settle();
}

void InputPlayer::click(unsigned int button) {
    press(button);
    release(button);
}

void InputPlayer::key(unsigned long keysym) {
    const KeyCode code = XKeysymToKeycode(connection, keysym);
    XTestFakeKeyEvent(connection, code, True, CurrentTime);
    XTestFakeKeyEvent(connection, code, False, CurrentTime);
    settle();
}

void InputPlayer::wait(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::vector<ScreenRect> InputPlayer::popups() {
    std::vector<ScreenRect> found;
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(connection, DefaultRootWindow(connection), &root, &parent, &children, &count))
        return found;
    for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(connection, children[i], &attributes)) continue;
        if (attributes.override_redirect && attributes.map_state == IsViewable)
            found.push_back({attributes.x, attributes.y, attributes.width, attributes.height});
    }
    if (children) XFree(children);
    return found;
}
