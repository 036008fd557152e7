#include "gui/platform/x11/X11Display.h"

#include <X11/Xresource.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "gui/platform/PointerInput.h"

namespace gui::x11 {

namespace {

struct Connection {
    Display* display = nullptr;
    std::int32_t users = 0;
    std::map<::Window, EventTarget*> targets;
    std::uint32_t arrivalTicks = 0;
    bool inEvent = false;
    ::Window pointerWindow = 0;
};

Connection& connection() {
    static Connection shared;
    return shared;
}

// Errors of the requests made inside a trap, on the trap's display.
unsigned long trappedErrors = 0;
Display* trappedDisplay = nullptr;
int (*hostHandler)(Display*, XErrorEvent*) = nullptr;

// Another display's error is the host's business, and goes to its handler.
int countError(Display* display, XErrorEvent* error) {
    if (display == trappedDisplay) {
        ++trappedErrors;
        return 0;
    }
    return hostHandler ? hostHandler(display, error) : 0;
}

void deliver(XEvent& event) {
    EventTarget* target = targetOf(event.xany.window);
    if (!target) return;
    Connection& shared = connection();
    const bool outerEvent = shared.inEvent;
    shared.inEvent = true;
    shared.arrivalTicks = platform::tickCount();
    target->handleEvent(event);
    shared.inEvent = outerEvent;
}

}  // namespace

Display* acquireDisplay() {
    Connection& shared = connection();
    if (!shared.display) {
        shared.display = XOpenDisplay(nullptr);
        if (!shared.display) {
            const char* name = std::getenv("DISPLAY");
            std::fprintf(stderr, "Talon 5800: cannot open the X display \"%s\"; no panel\n",
                         name ? name : "");
            return nullptr;
        }
    }
    ++shared.users;
    return shared.display;
}

void releaseDisplay() {
    Connection& shared = connection();
    if (shared.users <= 0 || --shared.users > 0) return;
    shared.targets.clear();
    shared.pointerWindow = 0;
    XCloseDisplay(shared.display);
    shared.display = nullptr;
}

Display* currentDisplay() { return connection().display; }

ErrorTrap::ErrorTrap(Display* display)
    : display(display), previousHandler(nullptr), errorsBefore(trappedErrors) {
    if (!display) return;
    // Errors of earlier requests are not this trap's.
    XSync(display, False);
    errorsBefore = trappedErrors;
    previousHandler = XSetErrorHandler(countError);
    if (previousHandler != countError) hostHandler = previousHandler;
    trappedDisplay = display;
}

ErrorTrap::~ErrorTrap() {
    if (!display) return;
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    if (previousHandler != countError) trappedDisplay = nullptr;
}

bool ErrorTrap::failed() {
    if (!display) return true;
    XSync(display, False);
    return trappedErrors != errorsBefore;
}

bool windowExists(Display* display, ::Window window) {
    if (!display || window == 0) return false;
    ErrorTrap trap(display);
    XWindowAttributes attributes;
    const Status read = XGetWindowAttributes(display, window, &attributes);
    return read != 0 && !trap.failed();
}

bool screenCornerOf(Display* display, ::Window window, CPosition& corner) {
    if (!display || window == 0) return false;
    ErrorTrap trap(display);
    int x = 0;
    int y = 0;
    ::Window child = 0;
    const Bool translated =
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    if (!translated || trap.failed()) return false;
    corner = CPosition(x, y);
    return true;
}

void registerTarget(::Window window, EventTarget* target) { connection().targets[window] = target; }

void unregisterTarget(::Window window) { connection().targets.erase(window); }

EventTarget* targetOf(::Window window) {
    const auto& targets = connection().targets;
    const auto found = targets.find(window);
    return found == targets.end() ? nullptr : found->second;
}

void dispatchEvents() {
    if (!currentDisplay()) return;
    // A tracking loop inside an event's handling reads the pointer itself; a press delivered
    // now would start a second one inside it.
    if (connection().inEvent) {
        dispatchExposures();
        return;
    }
    // Reading events needs no trap of its own: every request of the backend is made inside one
    // and synchronised there, so no error can be waiting. Cairo's completions of its shared-memory
    // copies come every time the panel is presented, and cost no round trip so.
    const DisplayHold hold;
    while (XPending(hold.display) > 0) {
        XEvent event;
        XNextEvent(hold.display, &event);
        deliver(event);
    }
}

void dispatchExposures() {
    if (!currentDisplay()) return;
    const DisplayHold hold;
    XEvent event;
    while (XCheckMaskEvent(hold.display, ExposureMask, &event)) deliver(event);
}

bool takeButtonPress(::Window window, unsigned int button) {
    Display* display = currentDisplay();
    if (!display || window == 0) return false;
    XEvent event;
    if (!XCheckTypedWindowEvent(display, window, ButtonPress, &event)) return false;
    if (event.xbutton.button == button) return true;
    XPutBackEvent(display, &event);
    return false;
}

void notePointerWindow(::Window window) { connection().pointerWindow = window; }

::Window pointerWindow() { return connection().pointerWindow; }

std::uint32_t eventArrivalTicks() {
    const Connection& shared = connection();
    return shared.inEvent ? shared.arrivalTicks : platform::tickCount();
}

std::uint32_t resourceDpi(Display* display) {
    if (!display) return 0;
    const char* resources = XResourceManagerString(display);
    if (!resources) return 0;
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    if (!database) return 0;
    char* type = nullptr;
    XrmValue value{};
    std::uint32_t dpi = 0;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) && value.addr) {
        const double read = std::strtod(value.addr, nullptr);
        if (std::isfinite(read) && read >= 1.0 && read < 10000.0)
            dpi = static_cast<std::uint32_t>(std::lround(read));
    }
    XrmDestroyDatabase(database);
    return dpi;
}

}  // namespace gui::x11
