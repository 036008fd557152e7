// An X window the backend made, with its pixels: the toolkit draws into the back buffer through
// the devices of windowDevice, and what it drew is presented to the X window. Frame windows,
// text entries and popup menus are OwnWindows. Only the X11 backend includes this.
#pragma once

#include <cairo.h>

#include "gui/platform/x11/CairoHandles.h"
#include "gui/platform/x11/X11Display.h"

namespace gui::x11 {

class OwnWindow : public Window, public EventTarget {
  public:
    struct Placement {
        ::Window parent;
        CRectangle rect;
        // A popup: a window of the root that the window manager leaves alone.
        bool overrideRedirect;
        long eventMask;
    };
    // Holds the shared display for its lifetime; check valid() before use. The window is not
    // mapped yet.
    explicit OwnWindow(const Placement& placement);
    // Destroys the X window unless someone else already did (forgetXWindow).
    ~OwnWindow() override;

    bool valid() const { return id != 0 && backBuffer != nullptr; }
    ::Window xWindow() const { return id; }
    Display* display() const { return connection; }
    std::int32_t width() const { return backBuffer ? backBuffer->width : 0; }
    std::int32_t height() const { return backBuffer ? backBuffer->height : 0; }

    void map();
    // New pixels of the size, black until drawn; false (and the window unchanged) on failure.
    bool resize(std::int32_t width, std::int32_t height);
    // Copies area of the pixels to the X window.
    void present(const CRectangle& area);
    void presentDrawing() override;
    bool cornerOnScreen(CPosition& corner) override;
    // The X window was destroyed by someone else: nothing is asked of it any more.
    void forgetXWindow();

  private:
    void releaseScreenSurface();

    Display* connection = nullptr;
    ::Window id = 0;
    Visual* visual = nullptr;
    cairo_surface_t* screen = nullptr;
};

}  // namespace gui::x11
