// The host's top-level window that an effect's editor lives in, with the event loop and the
// idle timer a host runs for it: the platform's part of talonhost besides loading, one source file
// per platform (EditorWindow.cpp for Win32, EditorWindowX11.cpp for X11).
#pragma once

#include <functional>
#include <string>

#include "tools/host/PngWriter.h"

// How often the window idles the editor, as hosts commonly do.
constexpr unsigned kEditorIdleIntervalMs = 30;

class EditorWindow {
  public:
    using IdleFunction = std::function<void()>;

    // A captioned, fixed-size top-level window whose client area is width x height; shown at
    // once. Throws HostError if it cannot be made.
    EditorWindow(const std::string& title, int width, int height);
    // Destroys the window; the editor must have been closed by then.
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // The window handle handed to effEditOpen: the HWND, or the X window id as a pointer-sized
    // integer.
    void* handle() const { return window_; }

    // Runs the message loop, calling idle on every tick of the timer, until the user closes the
    // window. The window stays until destroyed, so the editor can be closed inside it first.
    void runUntilClosed(const IdleFunction& idle);
    // Runs the loop until the editor has been idled minimumTicks times and nothing in the
    // window waits to be painted; throws HostError if that takes far longer.
    void runUntilPainted(const IdleFunction& idle, int minimumTicks);
    // Makes the client area width x height, keeping the window where it is; false if the window
    // system refused. Only the editor asks for this: the user cannot resize the window.
    bool resizeClient(int width, int height);
    // The client area's pixels as they are on the screen.
    RgbImage captureClient() const;

  private:
    // One message; false once the user has closed the window or the loop must end.
    bool handleNextMessage(const IdleFunction& idle);
    bool paintPending() const;

    void* window_ = nullptr;
    // Owned: what X11 keeps beside the window (its own display connection, the children it
    // watches); Windows needs none.
    struct PlatformState;
    PlatformState* platform_ = nullptr;
    bool closeRequested_ = false;
    int ticks_ = 0;
};
