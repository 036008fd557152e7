// Plays the user of talonhost --editor for the end-to-end runs on X11, as WindowCloser.cpp does on
// Windows:
//   talon_window_closer TITLE [WHEEL_X WHEEL_Y]
// Waits for the top-level window TITLE with the editor's window inside, turns the mouse wheel one
// notch up over point (WHEEL_X, WHEEL_Y) of the editor, closes the window as a window manager
// asks it to, and then passes what it reads on standard input (talonhost's output) on.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

constexpr auto kPoll = std::chrono::milliseconds(50);
constexpr auto kPatience = std::chrono::seconds(30);
// Time for the editor to draw, and for the host to handle the turn, before the next step.
constexpr auto kSettle = std::chrono::milliseconds(500);
constexpr unsigned int kWheelUp = Button4;

// The first child of window, or 0 when it has none.
::Window firstChildOf(Display* display, ::Window window) {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    const ::Window first = count > 0 ? children[0] : 0;
    if (children) XFree(children);
    return first;
}

bool hasTitle(Display* display, ::Window window, const char* title) {
    char* name = nullptr;
    if (!XFetchName(display, window, &name) || name == nullptr) return false;
    const bool same = std::strcmp(name, title) == 0;
    XFree(name);
    return same;
}

::Window findEditorWindow(Display* display, const char* title) {
    ::Window root = 0;
    ::Window parent = 0;
    ::Window* children = nullptr;
    unsigned int count = 0;
    ::Window found = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    for (unsigned int i = 0; i < count && found == 0; ++i)
        if (hasTitle(display, children[i], title) && firstChildOf(display, children[i]) != 0)
            found = children[i];
    if (children) XFree(children);
    return found;
}

::Window waitForEditor(Display* display, const char* title) {
    const auto giveUp = std::chrono::steady_clock::now() + kPatience;
    while (std::chrono::steady_clock::now() < giveUp) {
        if (const ::Window window = findEditorWindow(display, title)) return window;
        std::this_thread::sleep_for(kPoll);
    }
    return 0;
}

void turnWheel(Display* display, ::Window window, int x, int y) {
    const ::Window editor = firstChildOf(display, window);
    XEvent event = {};
    event.xbutton.type = ButtonPress;
    event.xbutton.display = display;
    event.xbutton.window = editor;
    event.xbutton.root = DefaultRootWindow(display);
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.button = kWheelUp;
    event.xbutton.same_screen = True;
    XSendEvent(display, editor, False, ButtonPressMask, &event);
    event.xbutton.type = ButtonRelease;
    event.xbutton.state = Button4Mask;
    XSendEvent(display, editor, False, ButtonReleaseMask, &event);
    XFlush(display);
}

void askToClose(Display* display, ::Window window) {
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: talon_window_closer TITLE [WHEEL_X WHEEL_Y]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "talon_window_closer: cannot open the display\n");
        return 1;
    }
    const ::Window window = waitForEditor(display, argv[1]);
    if (window == 0) {
        std::fprintf(stderr, "talon_window_closer: no window '%s' with an editor\n", argv[1]);
        XCloseDisplay(display);
        return 1;
    }
    std::this_thread::sleep_for(kSettle);
    if (argc == 4) {
        turnWheel(display, window, std::atoi(argv[2]), std::atoi(argv[3]));
        std::this_thread::sleep_for(kSettle);
    }
    askToClose(display, window);
    XCloseDisplay(display);
    char buffer[4096];
    std::size_t length = 0;
    while ((length = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        std::fwrite(buffer, 1, length, stdout);
    }
    return 0;
}
