#include "gui/platform/x11/X11OwnWindow.h"

#include <X11/Xutil.h>
#include <cairo-xlib.h>

namespace gui::x11 {

OwnWindow::OwnWindow(const Placement& placement) : connection(acquireDisplay()) {
    const CRectangle& rect = placement.rect;
    if (!connection || rect.getWidth() <= 0 || rect.getHeight() <= 0) return;
    ErrorTrap trap(connection);
    XWindowAttributes parent;
    if (!XGetWindowAttributes(connection, placement.parent, &parent) || trap.failed()) return;
    // The parent's visual and depth, so that a host with a deeper visual takes the window too.
    XSetWindowAttributes attributes = {};
    attributes.event_mask = placement.eventMask;
    attributes.override_redirect = placement.overrideRedirect ? True : False;
    attributes.colormap = parent.colormap;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;
    const unsigned long fields =
        CWEventMask | CWOverrideRedirect | CWColormap | CWBorderPixel | CWBackPixmap;
    const ::Window made = XCreateWindow(connection, placement.parent, rect.left, rect.top,
                                        static_cast<unsigned>(rect.getWidth()),
                                        static_cast<unsigned>(rect.getHeight()), 0, parent.depth,
                                        InputOutput, parent.visual, fields, &attributes);
    if (trap.failed() || made == 0) return;
    id = made;
    visual = parent.visual;
    backBuffer = makeSurface(rect.getWidth(), rect.getHeight(), CAIRO_FORMAT_RGB24);
    screen = cairo_xlib_surface_create(connection, id, visual, rect.getWidth(), rect.getHeight());
    addWindow(this);
}

OwnWindow::~OwnWindow() {
    removeWindow(this);
    if (id != 0 && pointerWindow() == id) notePointerWindow(0);
    unregisterTarget(id);
    releaseScreenSurface();
    if (id != 0 && connection) {
        ErrorTrap trap(connection);
        XDestroyWindow(connection, id);
    }
    delete backBuffer;
    backBuffer = nullptr;
    if (connection) releaseDisplay();
}

void OwnWindow::releaseScreenSurface() {
    if (!screen) return;
    ErrorTrap trap(connection);
    cairo_surface_finish(screen);
    cairo_surface_destroy(screen);
    screen = nullptr;
}

void OwnWindow::map() {
    if (!valid()) return;
    ErrorTrap trap(connection);
    XMapWindow(connection, id);
}

bool OwnWindow::resize(std::int32_t newWidth, std::int32_t newHeight) {
    if (!valid() || newWidth <= 0 || newHeight <= 0) return false;
    Surface* pixels = makeSurface(newWidth, newHeight, CAIRO_FORMAT_RGB24);
    if (!pixels) return false;
    delete backBuffer;
    backBuffer = pixels;
    ErrorTrap trap(connection);
    XResizeWindow(connection, id, static_cast<unsigned>(newWidth),
                  static_cast<unsigned>(newHeight));
    if (screen) cairo_xlib_surface_set_size(screen, newWidth, newHeight);
    return true;
}

// The pixels are stored bottom-up, so the pattern flips them on the way.
void OwnWindow::present(const CRectangle& area) {
    if (!valid() || !screen) return;
    CRectangle shown = area;
    shown.bound(CRectangle(0, 0, width(), height()));
    if (shown.getWidth() <= 0 || shown.getHeight() <= 0) return;
    ErrorTrap trap(connection);
    cairo_surface_flush(backBuffer->image);
    cairo_t* context = cairo_create(screen);
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(backBuffer->image);
    cairo_matrix_t flip;
    cairo_matrix_init(&flip, 1.0, 0.0, 0.0, -1.0, 0.0, height());
    cairo_pattern_set_matrix(pattern, &flip);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_NEAREST);
    cairo_set_source(context, pattern);
    cairo_pattern_destroy(pattern);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    cairo_rectangle(context, shown.left, shown.top, shown.getWidth(), shown.getHeight());
    cairo_fill(context);
    cairo_destroy(context);
    cairo_surface_flush(screen);
    XFlush(connection);
}

void OwnWindow::presentDrawing() { present(CRectangle(0, 0, width(), height())); }

bool OwnWindow::cornerOnScreen(CPosition& corner) { return screenCornerOf(connection, id, corner); }

void OwnWindow::forgetXWindow() {
    unregisterTarget(id);
    // What Cairo still frees on the server fails quietly inside the trap.
    releaseScreenSurface();
    id = 0;
}

}  // namespace gui::x11
