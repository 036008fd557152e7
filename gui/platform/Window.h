// The frame's window among the system's windows: its creation and destruction, its geometry among
// the host's windows, the cursor, the keyboard, and the clock and waits of the UI thread. All
// calls come on the UI thread; sizes and points are the window's pixels unless said otherwise.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/NativeHandle.h"

struct VstKeyCode;

namespace gui {

class CFrame;
enum CCursorType : std::int32_t;

// Key messages of the frame's window.
enum class WindowKeyEvent { kDown, kUp, kCharacter };

namespace platform {

// Starts the component services drag and drop and accessibility need; false when they could not
// start, and then stopComponentServices must not be called.
bool startComponentServices();
void stopComponentServices();

// A visible child window of parent, width x height, whose events go to frame; the window class is
// shared by the process. Null when the system refuses the window.
NativeWindow createFrameWindow(NativeWindow parent, CFrame* frame, std::int32_t width,
                               std::int32_t height);
// Destroys a window of createFrameWindow; no event reaches its frame from the call on.
void destroyFrameWindow(NativeWindow window);
// The system is destroying the window: its events no longer reach the frame.
void forgetFrameWindow(NativeWindow window);
// Removes the window class when its last window went while the class could not go yet.
void finishWindowClassRemoval();

// Resizes the window without moving it.
void resizeWindow(NativeWindow window, std::int32_t width, std::int32_t height);
// Resizes the window and the host's windows that tightly wrap it, so that it ends up
// width x height; false when an enclosing window is no tight wrapper and the walk stopped.
bool resizeWithWrappers(NativeWindow window, std::int32_t width, std::int32_t height);
// Asks for the whole window to be painted again.
void invalidateWindow(NativeWindow window);
// The rectangle of the window on the screen; false (and rect untouched) when it cannot be read.
bool windowRectOnScreen(NativeWindow window, CRectangle& rect);
// The host's window that holds the frame's window, in the coordinates of its grandparent.
CRectangle hostWindowRect(NativeWindow window);
// The host's outermost window that tightly wraps window; null for a null window.
NativeWindow outerWindowOf(NativeWindow window);
// The corner of a window in its parent's coordinates.
CPosition positionInParent(NativeWindow window);
// Dots per inch of the window's display; 0 where the system cannot tell.
std::uint32_t windowDpi(NativeWindow window);

// The mouse relative to the window's top-left corner (to the screen for a null window).
CPosition mouseInWindow(NativeWindow window);
// Shows a cursor shape; kCursorDefault and unknown shapes show the cursor that was up when
// defaultCursor, which keeps it, was still null.
void showCursor(CCursorType shape, NativeCursor& defaultCursor);
// Whether window has the keyboard focus; false for a null window.
bool hasKeyboardFocus(NativeWindow window);
void takeKeyboardFocus(NativeWindow window);
// The host's key record of a platform key code with the modifiers held now.
VstKeyCode hostKeyOf(std::uintptr_t platformKey);

// The clock and the double-click interval are the pointer's (PointerInput.h).
void sleepFor(std::uint32_t milliseconds);
// Paints one window that is waiting to be painted, if any.
void dispatchPendingPaint();
// From the editor's idle: delivers the events waiting for the toolkit's windows where nobody else
// delivers them (on Win32 the host's message loop does).
void dispatchWindowEvents();

}  // namespace platform
}  // namespace gui
