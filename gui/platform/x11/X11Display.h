// The X11 backend's connection to the display, shared by every window the plug-in makes in the
// process: opened with the first window, closed with the last. The plug-in's windows are children
// of the host's, but their events come through this connection, which the backend pumps from the
// editor's idle and from inside tracking loops. Only the X11 backend includes this.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

#include "gui/draw/GuiTypes.h"

namespace gui::x11 {

// A window of the backend that takes the events of its X window.
class EventTarget {
  public:
    virtual void handleEvent(XEvent& event) = 0;

  protected:
    ~EventTarget() = default;
};

// UI thread. The shared display, opened on first use (DISPLAY names it); null, with a line on
// stderr, where it cannot be opened. Each successful acquire is paired with a release.
Display* acquireDisplay();
void releaseDisplay();
// The display while any user holds it, else null.
Display* currentDisplay();

// Holds the shared display for a scope: a question about a window, a popup, or the events being
// delivered (a handler may close the last window). Null inside when it cannot be opened.
class DisplayHold {
  public:
    DisplayHold() : display(acquireDisplay()) {}
    ~DisplayHold() {
        if (display) releaseDisplay();
    }
    DisplayHold(const DisplayHold&) = delete;
    DisplayHold& operator=(const DisplayHold&) = delete;

    Display* const display;
};

// Keeps the host's X error handler away from the backend's own requests: every error of the
// requests made during its lifetime is counted instead of reaching the host, whose handler comes
// back afterwards. The display is synchronised on both ends, so that no error is left in flight.
class ErrorTrap {
  public:
    explicit ErrorTrap(Display* display);
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

    // Whether any request so far failed; synchronises first.
    bool failed();

  private:
    Display* display;
    int (*previousHandler)(Display*, XErrorEvent*);
    unsigned long errorsBefore;
};

// Whether window exists on the display now; false for 0 or a window that has gone.
bool windowExists(Display* display, ::Window window);

// The window's top-left corner on the screen; false (corner untouched) when it cannot be read.
bool screenCornerOf(Display* display, ::Window window, CPosition& corner);

// Events of window go to target until it is unregistered.
void registerTarget(::Window window, EventTarget* target);
void unregisterTarget(::Window window);
EventTarget* targetOf(::Window window);

// Delivers every event waiting on the connection to the windows they are for. Events of windows
// the backend no longer knows are dropped. Inside an event's handling only exposures are
// delivered.
void dispatchEvents();
// Delivers only the waiting exposures, for a tracking loop that reads the pointer itself: presses
// and releases stay queued for after the loop.
void dispatchExposures();
// Takes a waiting press of button out of the queue for window; false when none waits.
bool takeButtonPress(::Window window, unsigned int button);

// The toolkit's window the pointer last entered or pressed in: the one whose cursor setCursor
// changes and where the second press of a double click is looked for; 0 for none.
void notePointerWindow(::Window window);
::Window pointerWindow();

// The tick count (PointerInput.h) when the event being handled arrived; the tick count outside
// of any event.
std::uint32_t eventArrivalTicks();

// Dots per inch the user set for the display in the X resources (Xft.dpi); 0 where none is set.
std::uint32_t resourceDpi(Display* display);

}  // namespace gui::x11
