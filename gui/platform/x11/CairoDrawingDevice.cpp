// The drawing device over a Cairo image surface: objects, state, lines, rectangles, polygons and
// pixels. Shapes with curves and text are in CairoShapes.cpp. Lines and shapes are not
// antialiased, so that they meet the artwork's pixels exactly.
#include <algorithm>
#include <new>
#include <set>
#include <utility>
#include <vector>

#include "gui/platform/DrawingDevice.h"
#include "gui/platform/x11/CairoRaster.h"

namespace gui::x11 {

namespace {

std::set<Window*>& knownWindows() {
    static std::set<Window*> windows;
    return windows;
}

}  // namespace

void addWindow(Window* window) { knownWindows().insert(window); }

void removeWindow(Window* window) { knownWindows().erase(window); }

Window* windowOf(NativeWindow handle) {
    auto* candidate = static_cast<Window*>(handle.address());
    return knownWindows().count(candidate) != 0 ? candidate : nullptr;
}

}  // namespace gui::x11

namespace gui::platform {

using x11::Device;

namespace {

template <typename T, typename... Args>
T* make(Args&&... args) {
    return new (std::nothrow) T{std::forward<Args>(args)...};
}

void fillArea(Device& device, const CRectangle& rect, std::uint32_t color, bool throughOp) {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return;
    x11::fillShape(device, color, throughOp, [&](cairo_t* context) {
        cairo_rectangle(context, rect.left, rect.top, rect.getWidth(), rect.getHeight());
    });
}

}  // namespace

NativeDevice windowDevice(NativeWindow window) {
    x11::Window* native = x11::windowOf(window);
    if (!native || !native->backBuffer) return nullptr;
    Device* device = make<Device>();
    if (device) device->target = native->backBuffer;
    return device;
}

void releaseWindowDevice(NativeWindow window, NativeDevice device) {
    delete static_cast<Device*>(device);
    if (x11::Window* native = x11::windowOf(window)) native->presentDrawing();
}

bool windowScreenOrigin(NativeWindow window, CPosition& origin) {
    x11::Window* native = x11::windowOf(window);
    return native && native->cornerOnScreen(origin);
}

NativePen createPen(PenDash dash, std::int32_t width, std::uint32_t color) {
    return make<x11::Pen>(dash, std::max<std::int32_t>(1, width), color);
}

// Square dabs already cover whole blocks.
NativePen createBlockPen(PenDash dash, std::int32_t width, std::uint32_t color) {
    return createPen(dash, width, color);
}

NativeBrush createBrush(std::uint32_t color) { return make<x11::Brush>(color); }

NativeFont createFont(const FontRequest& request) {
    // Fontconfig knows what stands in for the face; without one, a plain sans-serif.
    const char* face = request.face && *request.face ? request.face : "Sans";
    if (request.symbol) face = "Symbol";
    try {
        return make<x11::Font>(std::string(face), std::max<std::int32_t>(1, request.pixelHeight),
                               request.bold, request.italic, request.underline);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Alternate filling, a pixel inside when its centre is.
void fillPolygon(NativeDevice device, const CPosition* points, std::int32_t count) {
    Device* native = device;
    if (!native || !points || count < 3) return;
    x11::fillShape(
        *native, native->brush->color, true,
        [&](cairo_t* context) {
            cairo_move_to(context, points[0].h, points[0].v);
            for (std::int32_t i = 1; i < count; ++i)
                cairo_line_to(context, points[i].h, points[i].v);
            cairo_close_path(context);
        },
        CAIRO_FILL_RULE_EVEN_ODD);
}

void fillRect(NativeDevice device, const CRectangle& rect, NativeBrush brush) {
    Device* native = device;
    x11::Brush* paint = brush;
    if (native && paint) fillArea(*native, rect, paint->color, false);
}

void fillRectWithColor(NativeDevice device, const CRectangle& rect, std::uint32_t color) {
    Device* native = device;
    if (native) fillArea(*native, rect, color, false);
}

void paintBlock(NativeDevice device, const CRectangle& rect, std::uint32_t color) {
    Device* native = device;
    if (native) fillArea(*native, rect, color, true);
}

void setPixel(NativeDevice device, const CPosition& point, std::uint32_t color) {
    Device* native = device;
    if (native)
        fillArea(*native, CRectangle(point.h, point.v, point.h + 1, point.v + 1), color, false);
}

std::uint32_t getPixel(NativeDevice device, const CPosition& point) {
    Device* native = device;
    if (!native || !x11::drawable(*native, point.h, point.v)) return x11::kInvalidColor;
    cairo_surface_flush(native->target->image);
    return x11::swapRedBlue(native->target->at(point.h, point.v) & x11::kRgbMask);
}

void floodFill(NativeDevice device, const CPosition& point) {
    Device* native = device;
    if (!native || !x11::drawable(*native, point.h, point.v)) return;
    x11::Surface& surface = *native->target;
    cairo_surface_flush(surface.image);
    const std::uint32_t seed = surface.at(point.h, point.v) & x11::kRgbMask;
    std::vector<bool> seen(static_cast<std::size_t>(surface.width) * surface.height);
    std::vector<CPosition> pending{point};
    std::vector<CPosition> area;
    while (!pending.empty()) {
        const CPosition at = pending.back();
        pending.pop_back();
        if (!x11::drawable(*native, at.h, at.v)) continue;
        const std::size_t index = static_cast<std::size_t>(at.v) * surface.width + at.h;
        if (seen[index] || (surface.at(at.h, at.v) & x11::kRgbMask) != seed) continue;
        seen[index] = true;
        area.push_back(at);
        pending.insert(pending.end(), {CPosition(at.h + 1, at.v), CPosition(at.h - 1, at.v),
                                       CPosition(at.h, at.v + 1), CPosition(at.h, at.v - 1)});
    }
    x11::fillShape(*native, native->brush->color, true, [&](cairo_t* context) {
        for (const CPosition& at : area) cairo_rectangle(context, at.h, at.v, 1, 1);
    });
}

// Every primitive hands its pixels to memory before it returns.
void finishDrawing() {}

}  // namespace gui::platform
