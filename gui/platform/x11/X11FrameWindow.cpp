// The frame's child window on X11: an OwnWindow inside the host's window, and the event handling
// that turns its events into the frame's.
#include <X11/XKBlib.h>

#include <new>

#include "gui/draw/CDrawContext.h"
#include "gui/platform/Window.h"
#include "gui/platform/x11/X11Keys.h"
#include "gui/platform/x11/X11OwnWindow.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

// Releases and motion are the panel's, so that they do not reach the host's window beneath; the
// tracking loops read the pointer themselves.
constexpr long kFrameEvents = ExposureMask | ButtonPressMask | ButtonReleaseMask |
                              PointerMotionMask | EnterWindowMask | LeaveWindowMask |
                              FocusChangeMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;

constexpr unsigned int kWheelUp = 4;
constexpr unsigned int kWheelDown = 5;
constexpr unsigned int kWheelLeft = 6;
constexpr unsigned int kWheelRight = 7;
constexpr std::int32_t kPlainWheelAxis = 1;
constexpr std::int32_t kSidewaysWheelAxis = 0;

// The press as its event reports it: the button pressed and the buttons and keys held before.
ButtonState pressOf(const XButtonEvent& press) {
    ButtonState state = 0;
    if (press.button == Button1 || (press.state & Button1Mask)) state |= kButtonLeft;
    if (press.button == Button2 || (press.state & Button2Mask)) state |= kButtonMiddle;
    if (press.button == Button3 || (press.state & Button3Mask)) state |= kButtonRight;
    if (press.state & ShiftMask) state |= kModifierShift;
    if (press.state & ControlMask) state |= kModifierControl;
    if (press.state & Mod1Mask) state |= kModifierAlt;
    return state;
}

WindowKeyEvent keyEventOf(const XEvent& event) {
    return event.type == KeyPress ? WindowKeyEvent::kDown : WindowKeyEvent::kUp;
}

class FrameWindow : public x11::OwnWindow {
  public:
    FrameWindow(::Window parent, CFrame* frame, std::int32_t width, std::int32_t height)
        : OwnWindow({parent, CRectangle(0, 0, width, height), false, kFrameEvents}),
          frame(frame),
          hostWindow(parent) {
        if (valid()) x11::registerTarget(xWindow(), this);
    }
    void handleEvent(XEvent& event) override;

    CFrame* const frame;
    // Where the keys the panel does not use go.
    const ::Window hostWindow;
};

}  // namespace

struct FrameWindowProcedure {
    static void paint(CFrame& frame, FrameWindow& window, const XExposeEvent& exposure);
    static void press(CFrame& frame, FrameWindow& window, const XButtonEvent& press);
    static void key(CFrame& frame, FrameWindow& window, XEvent& event);
    static void destroyed(CFrame& frame, FrameWindow& window);
    static void focusChanged(CFrame& frame) { frame.keyboardFocusChanged(); }
};

// Only the exposed area is drawn and copied out.
void FrameWindowProcedure::paint(CFrame& frame, FrameWindow& window, const XExposeEvent& exposure) {
    const CRectangle area(exposure.x, exposure.y, exposure.x + exposure.width,
                          exposure.y + exposure.height);
    x11::Device device;
    device.target = window.backBuffer;
    frame.paintWindow(&device, area);
    window.present(area);
}

// The frame may close inside any of these: nothing of the window is used after.
void FrameWindowProcedure::press(CFrame& frame, FrameWindow& window, const XButtonEvent& press) {
    const CPosition point(press.x, press.y);
    const NativeWindow handle = static_cast<x11::Window*>(&window);
    if (press.button == kWheelUp || press.button == kWheelDown) {
        frame.windowWheel(handle, point, press.button == kWheelUp ? 1.0f : -1.0f);
        return;
    }
    if (press.button == kWheelLeft || press.button == kWheelRight) {
        const ScopedReference<CDrawContext> context(new CDrawContext(&frame, nullptr, handle));
        frame.onWheelAxis(context.get(), toPanel(point, frame.getScale()), kSidewaysWheelAxis,
                          press.button == kWheelRight ? 1.0f : -1.0f);
        return;
    }
    if (press.button < Button1 || press.button > Button3) return;
    frame.windowButtonDown(handle, point, pressOf(press));
}

void FrameWindowProcedure::key(CFrame& frame, FrameWindow& window, XEvent& event) {
    // The unshifted symbol: the modifiers travel beside it, as the host's key records carry them.
    const KeySym symbol =
        XkbKeycodeToKeysym(window.display(), static_cast<KeyCode>(event.xkey.keycode), 0, 0);
    x11::setKeyEventState(event.xkey.state);
    // Taken before the key is routed: the frame may close inside, and its window with it.
    Display* const display = window.display();
    XKeyEvent passedOn = event.xkey;
    passedOn.window = window.hostWindow;
    if (frame.routeWindowKey(keyEventOf(event), symbol)) return;
    // Keys the panel does not use are the host's: its shortcuts keep working.
    x11::ErrorTrap trap(display);
    XEvent forwarded{};
    forwarded.xkey = passedOn;
    const long mask = event.type == KeyPress ? KeyPressMask : KeyReleaseMask;
    XSendEvent(display, passedOn.window, True, mask, &forwarded);
}

// The host destroyed its window, and ours with it.
void FrameWindowProcedure::destroyed(CFrame& frame, FrameWindow& window) {
    window.forgetXWindow();
    frame.windowDestroyed();
}

void FrameWindow::handleEvent(XEvent& event) {
    switch (event.type) {
        case Expose: FrameWindowProcedure::paint(*frame, *this, event.xexpose); break;
        case EnterNotify: x11::notePointerWindow(xWindow()); break;
        case ButtonPress:
            x11::notePointerWindow(xWindow());
            FrameWindowProcedure::press(*frame, *this, event.xbutton);
            break;
        case KeyPress:
        case KeyRelease: FrameWindowProcedure::key(*frame, *this, event); break;
        case FocusIn:
        case FocusOut: FrameWindowProcedure::focusChanged(*frame); break;
        case DestroyNotify:
            if (event.xdestroywindow.window == xWindow())
                FrameWindowProcedure::destroyed(*frame, *this);
            break;
        default: break;
    }
}

namespace platform {

// Nothing to start: drag and drop and assistive technology wait on X11.
bool startComponentServices() { return true; }

void stopComponentServices() {}

NativeWindow createFrameWindow(NativeWindow parent, CFrame* frame, std::int32_t width,
                               std::int32_t height) {
    const x11::Window* own = x11::windowOf(parent);
    const auto* ownFrame = dynamic_cast<const x11::OwnWindow*>(own);
    const ::Window parentId =
        ownFrame ? ownFrame->xWindow() : reinterpret_cast<::Window>(parent.address());
    auto* window = new (std::nothrow) FrameWindow(parentId, frame, width, height);
    if (!window) return nullptr;
    if (!window->valid()) {
        delete window;
        return nullptr;
    }
    window->map();
    return static_cast<x11::Window*>(window);
}

void destroyFrameWindow(NativeWindow window) { delete x11::windowOf(window); }

// The X window is gone already; the rest goes now.
void forgetFrameWindow(NativeWindow window) {
    x11::Window* own = x11::windowOf(window);
    if (auto* frameWindow = dynamic_cast<x11::OwnWindow*>(own)) frameWindow->forgetXWindow();
    delete own;
}

// There is no window class.
void finishWindowClassRemoval() {}

}  // namespace platform
}  // namespace gui
