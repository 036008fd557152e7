// The Cairo drawing platform's objects behind the toolkit's opaque handles: Cairo image surfaces,
// devices that draw into them, and the pens, brushes and fonts those use. Only the Cairo platform
// and the tests that inspect it include this.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/platform/NativeHandle.h"

namespace gui::x11 {

// A Cairo image surface whose rows lie bottom-up in memory, as the toolkit's pixel bitmaps do:
// Cairo's first row is the picture's last. Pixel bitmaps hold premultiplied alpha (Cairo's
// ARGB32, the same bytes); screen bitmaps and masks ignore it (RGB24). A monochrome surface holds
// only black and white.
struct Surface {
    Surface(cairo_surface_t* image, std::int32_t width, std::int32_t height, bool monochrome)
        : image(image), width(width), height(height), monochrome(monochrome) {}
    ~Surface() { cairo_surface_destroy(image); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    bool contains(std::int32_t x, std::int32_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height;
    }
    std::uint32_t* pixels() const {
        return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image));
    }
    // Row 0 is the top row.
    std::uint32_t& at(std::int32_t x, std::int32_t y) const {
        return pixels()[static_cast<std::size_t>(height - 1 - y) * width + x];
    }

    cairo_surface_t* image;
    std::int32_t width;
    std::int32_t height;
    bool monochrome;
};

struct Pen {
    platform::PenDash dash;
    std::int32_t width;
    // 0x00BBGGRR, as the interface takes colours.
    std::uint32_t color;
};

struct Brush {
    std::uint32_t color;
};

// A face fontconfig resolves ("Arial" becomes the metric-compatible face it maps it to).
struct Font {
    std::string face;
    std::int32_t pixelHeight;
    bool bold;
    bool italic;
    bool underline;
};

// A window's pixels and its place on the screen; the windowing backend presents them once a
// device that drew into them is released.
struct Window {
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;
    // What was drawn through a device of windowDevice goes to the screen.
    virtual void presentDrawing() {}
    // The window's top-left corner on the screen; false when it cannot be told.
    virtual bool cornerOnScreen(CPosition& corner) {
        corner = screenOrigin;
        return true;
    }

    Surface* backBuffer = nullptr;
    CPosition screenOrigin;
};

struct Device {
    Surface* target = nullptr;
    // What the device starts with and falls back to: a one-pixel black pen, a white brush, a
    // 16-pixel sans-serif font.
    Pen stockPen{platform::PenDash::solid, 1, 0x000000};
    Brush stockBrush{0xFFFFFF};
    Font stockFont{"Sans", 16, false, false, false};
    Pen* pen = &stockPen;
    Brush* brush = &stockBrush;
    Font* font = &stockFont;
    std::uint32_t backgroundColor = 0xFFFFFF;
    std::uint32_t textColor = 0x000000;
    bool transparentBackground = false;
    platform::RasterOp rasterOp = platform::RasterOp::copy;
    bool clipped = false;
    CRectangle clip;
    CPosition penPosition;
    // Dots of a dotted line continue from one segment to the next.
    std::int32_t dashPhase = 0;
};

// The toolkit's windows are Window objects; a window handle that names none of them is the X
// id of another client's window (the host's), which the backend treats as such. Windows are
// known from addWindow until removeWindow.
void addWindow(Window* window);
void removeWindow(Window* window);
// The toolkit's window a handle names; null for another client's window.
Window* windowOf(NativeWindow handle);

// A surface of the size, zeroed; null for a non-positive size or failure.
Surface* makeSurface(std::int32_t width, std::int32_t height, cairo_format_t format,
                     bool monochrome = false);

}  // namespace gui::x11

namespace gui {

template <>
struct NativeTypeOf<WindowKind> {
    using type = x11::Window*;
};
template <>
struct NativeTypeOf<DeviceKind> {
    using type = x11::Device*;
};
template <>
struct NativeTypeOf<BitmapKind> {
    using type = x11::Surface*;
};
template <>
struct NativeTypeOf<PenKind> {
    using type = x11::Pen*;
};
template <>
struct NativeTypeOf<BrushKind> {
    using type = x11::Brush*;
};
template <>
struct NativeTypeOf<FontKind> {
    using type = x11::Font*;
};

}  // namespace gui
