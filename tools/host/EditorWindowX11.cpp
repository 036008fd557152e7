// The host's editor window on X11: a top-level window on a display connection of the host's own
// (the editor opens another for its child windows), idled from a timer loop over that connection.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "tools/host/EditorWindow.h"
#include "tools/host/HostError.h"

namespace {

using Clock = std::chrono::steady_clock;

// Our own window's changes and the editor's windows appearing inside it.
constexpr long kWindowEvents = StructureNotifyMask | SubstructureNotifyMask | ExposureMask;
// On the editor's windows: their exposures, and their own children appearing.
constexpr long kChildEvents = SubstructureNotifyMask | ExposureMask;

// A window manager may take a moment to show the window; without one it shows at once.
constexpr auto kMapPatience = std::chrono::seconds(2);
constexpr int kBitsPerChannel = 8;
constexpr unsigned long kChannelMax = (1UL << kBitsPerChannel) - 1;

// Errors of the host's own requests, counted instead of ending the process as Xlib's default
// handler would; the editor's connection keeps its own handling inside its calls.
Display* countedDisplay = nullptr;
unsigned long countedErrors = 0;

int countError(Display* display, XErrorEvent*) {
    if (display == countedDisplay) ++countedErrors;
    return 0;
}

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayConnection = std::unique_ptr<Display, DisplayCloser>;

DisplayConnection openDisplay() {
    DisplayConnection display(XOpenDisplay(nullptr));
    if (display) return display;
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        throw HostError("no X display to show the editor on: DISPLAY is not set");
    }
    throw HostError(std::string("cannot open the X display '") + name + "' for the editor");
}

// Fixed size: the editor decides it, the user does not.
void fixSize(Display* display, ::Window window, int width, int height) {
    XSizeHints hints = {};
    hints.flags = PSize | PMinSize | PMaxSize;
    hints.width = hints.min_width = hints.max_width = width;
    hints.height = hints.min_height = hints.max_height = height;
    XSetWMNormalHints(display, window, &hints);
}

void nameWindow(Display* display, ::Window window, const std::string& title) {
    XStoreName(display, window, title.c_str());
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False), utf8,
                    kBitsPerChannel, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    XClassHint classHint = {};
    std::string name = "talonhost";
    classHint.res_name = name.data();
    classHint.res_class = name.data();
    XSetClassHint(display, window, &classHint);
}

// One channel of a pixel as 8 bits, whatever width the visual gives it.
std::uint8_t channelOf(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1UL) == 0) ++shift;
    const unsigned long maximum = mask >> shift;
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) * kChannelMax / maximum);
}

RgbImage rgbOf(XImage* image) {
    RgbImage rgb;
    rgb.width = image->width;
    rgb.height = image->height;
    rgb.pixels.reserve(static_cast<std::size_t>(rgb.width) * rgb.height * kRgbBytesPerPixel);
    for (int y = 0; y < rgb.height; ++y)
        for (int x = 0; x < rgb.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            rgb.pixels.push_back(channelOf(pixel, image->red_mask));
            rgb.pixels.push_back(channelOf(pixel, image->green_mask));
            rgb.pixels.push_back(channelOf(pixel, image->blue_mask));
        }
    return rgb;
}

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

}  // namespace

struct EditorWindow::PlatformState {
    DisplayConnection display;
    ::Window window = 0;
    Atom protocols = None;
    Atom deleteWindow = None;
    int (*previousErrorHandler)(Display*, XErrorEvent*) = nullptr;
    bool mapped = false;
    // Something in the window was exposed, shown or resized since the editor last idled: the
    // editor has yet to see it.
    bool paintDue = true;
    Clock::time_point nextTick = Clock::now();

    // Takes one event of the host's connection; true when it asks the window to close.
    bool handleEvent(XEvent& event);
    // Waits until an event comes or until the time, whichever is first.
    void waitUntil(Clock::time_point time) const;
    // Sends what is queued and waits until the server has done it; false if any of it failed.
    bool synchronise() const;
};

bool EditorWindow::PlatformState::handleEvent(XEvent& event) {
    switch (event.type) {
        case ClientMessage:
            return event.xclient.message_type == protocols &&
                   static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow;
        case DestroyNotify: return event.xdestroywindow.window == window;
        case CreateNotify:
            // The editor's window, made on its connection: its exposures are watched from ours.
            // It may be gone again already; that error is settled here, not in a later request's.
            XSelectInput(display.get(), event.xcreatewindow.window, kChildEvents);
            synchronise();
            paintDue = true;
            return false;
        case MapNotify:
            if (event.xmap.window == window) mapped = true;
            paintDue = true;
            return false;
        case Expose:
        case ConfigureNotify: paintDue = true; return false;
        default: return false;
    }
}

void EditorWindow::PlatformState::waitUntil(Clock::time_point time) const {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(time - Clock::now());
    if (left.count() <= 0) return;
    pollfd connection = {ConnectionNumber(display.get()), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(left.count()));
}

bool EditorWindow::PlatformState::synchronise() const {
    const unsigned long errorsBefore = countedErrors;
    XSync(display.get(), False);
    return countedErrors == errorsBefore;
}

EditorWindow::EditorWindow(const std::string& title, int width, int height) {
    auto state = std::make_unique<PlatformState>();
    state->display = openDisplay();
    Display* display = state->display.get();
    const int screen = DefaultScreen(display);
    const ::Window window = XCreateSimpleWindow(
        display, RootWindow(display, screen), 0, 0, static_cast<unsigned>(width),
        static_cast<unsigned>(height), 0, BlackPixel(display, screen), BlackPixel(display, screen));
    state->window = window;
    state->protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    state->deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &state->deleteWindow, 1);
    nameWindow(display, window, title);
    fixSize(display, window, width, height);
    XSelectInput(display, window, kWindowEvents);
    XMapWindow(display, window);
    countedDisplay = display;
    state->previousErrorHandler = XSetErrorHandler(countError);
    window_ = reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
    platform_ = state.release();
    // The editor asks about the window on its own connection: it must exist and show by then.
    const Clock::time_point giveUp = Clock::now() + kMapPatience;
    while (!platform_->mapped && Clock::now() < giveUp) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            closeRequested_ = platform_->handleEvent(event) || closeRequested_;
        }
        if (!platform_->mapped) platform_->waitUntil(giveUp);
    }
    platform_->synchronise();
}

EditorWindow::~EditorWindow() {
    Display* display = platform_->display.get();
    XDestroyWindow(display, platform_->window);
    XSync(display, False);
    XSetErrorHandler(platform_->previousErrorHandler);
    countedDisplay = nullptr;
    delete platform_;
}

bool EditorWindow::handleNextMessage(const IdleFunction& idle) {
    PlatformState& state = *platform_;
    Display* display = state.display.get();
    if (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        closeRequested_ = state.handleEvent(event) || closeRequested_;
    } else if (Clock::now() >= state.nextTick) {
        state.paintDue = false;
        idle();
        ++ticks_;
        state.nextTick = Clock::now() + std::chrono::milliseconds(kEditorIdleIntervalMs);
    } else {
        state.waitUntil(state.nextTick);
    }
    return !closeRequested_;
}

void EditorWindow::runUntilClosed(const IdleFunction& idle) {
    while (handleNextMessage(idle)) {
    }
}

// What the server has yet to tell either connection has reached both once ours is in step, and
// the editor's idle takes what reached its own.
bool EditorWindow::paintPending() const {
    platform_->synchronise();
    return platform_->paintDue || XPending(platform_->display.get()) > 0;
}

bool EditorWindow::resizeClient(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    Display* display = platform_->display.get();
    fixSize(display, platform_->window, width, height);
    XResizeWindow(display, platform_->window, static_cast<unsigned>(width),
                  static_cast<unsigned>(height));
    return platform_->synchronise();
}

// The server composes the window from its children's pixels, which come along.
RgbImage EditorWindow::captureClient() const {
    Display* display = platform_->display.get();
    platform_->synchronise();
    XWindowAttributes attributes = {};
    if (!XGetWindowAttributes(display, platform_->window, &attributes) || attributes.width <= 0 ||
        attributes.height <= 0) {
        throw HostError("the editor window has no client area to capture");
    }
    const std::unique_ptr<XImage, ImageDestroyer> image(
        XGetImage(display, platform_->window, 0, 0, static_cast<unsigned>(attributes.width),
                  static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap));
    if (!image || !platform_->synchronise()) {
        throw HostError("cannot read the pixels of the editor window (is it off the screen?)");
    }
    return rgbOf(image.get());
}
