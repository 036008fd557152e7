// The drawing device over a plain pixel surface: objects, state, lines, rectangles, polygons and
// pixels. Shapes with curves and text are in MemoryShapes.cpp.
#include <algorithm>
#include <cmath>
#include <new>
#include <utility>
#include <vector>

#include "gui/platform/DrawingDevice.h"
#include "gui/platform/memory/MemoryRaster.h"

namespace gui::memory {

void dab(Device& device, std::int32_t x, std::int32_t y) {
    const Pen& pen = *device.pen;
    const std::int32_t width = std::max<std::int32_t>(1, pen.width);
    const std::int32_t start = -(width / 2);
    for (std::int32_t dy = start; dy < start + width; ++dy)
        for (std::int32_t dx = start; dx < start + width; ++dx)
            plot(device, x + dx, y + dy, pen.color);
}

void strokeLine(Device& device, const CPosition& from, const CPosition& to) {
    const bool dotted = device.pen->dash == platform::PenDash::dotted;
    walkLine(from, to, [&](std::int32_t x, std::int32_t y) {
        const bool gap = dotted && (device.dashPhase++ % 2) != 0;
        if (!gap)
            dab(device, x, y);
        else if (!device.transparentBackground)
            put(device, x, y, device.backgroundColor);
    });
}

}  // namespace gui::memory

namespace gui::platform {

using memory::Device;

namespace {

template <typename T, typename... Args>
T* make(Args&&... args) {
    return new (std::nothrow) T{std::forward<Args>(args)...};
}

}  // namespace

NativeDevice windowDevice(NativeWindow window) {
    memory::Window* native = window;
    if (!native) return nullptr;
    Device* device = make<Device>();
    if (device) device->target = &native->surface;
    return device;
}

void releaseWindowDevice(NativeWindow, NativeDevice device) { delete static_cast<Device*>(device); }

NativePen createPen(PenDash dash, std::int32_t width, std::uint32_t color) {
    return make<memory::Pen>(dash, std::max<std::int32_t>(1, width), color, false);
}

NativePen createBlockPen(PenDash dash, std::int32_t width, std::uint32_t color) {
    return make<memory::Pen>(dash, std::max<std::int32_t>(1, width), color, true);
}

NativeBrush createBrush(std::uint32_t color) { return make<memory::Brush>(color); }

NativeFont createFont(const FontRequest& request) {
    return make<memory::Font>(std::max<std::int32_t>(1, request.pixelHeight), request.bold,
                              request.underline);
}

// Alternate filling: a pixel is inside when its centre lies left of an odd number of edges.
void fillPolygon(NativeDevice device, const CPosition* points, std::int32_t count) {
    Device* native = device;
    if (!native || !points || count < 3) return;
    std::int32_t top = points[0].v;
    std::int32_t bottom = points[0].v;
    for (std::int32_t i = 1; i < count; ++i) {
        top = std::min(top, points[i].v);
        bottom = std::max(bottom, points[i].v);
    }
    std::vector<double> crossings;
    for (std::int32_t y = top; y < bottom; ++y) {
        const double centre = y + 0.5;
        crossings.clear();
        for (std::int32_t i = 0; i < count; ++i) {
            const CPosition& a = points[i];
            const CPosition& b = points[(i + 1) % count];
            if ((a.v <= centre) == (b.v <= centre)) continue;
            crossings.push_back(a.h + (centre - a.v) * (b.h - a.h) / (b.v - a.v));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (auto x = static_cast<std::int32_t>(std::ceil(crossings[i] - 0.5));
                 x + 0.5 < crossings[i + 1]; ++x)
                memory::plot(*native, x, y, native->brush->color);
    }
}

void fillRect(NativeDevice device, const CRectangle& rect, NativeBrush brush) {
    Device* native = device;
    memory::Brush* paint = brush;
    if (native && paint) memory::fillArea(*native, rect, paint->color, false);
}

void fillRectWithColor(NativeDevice device, const CRectangle& rect, std::uint32_t color) {
    Device* native = device;
    if (native) memory::fillArea(*native, rect, color, false);
}

void paintBlock(NativeDevice device, const CRectangle& rect, std::uint32_t color) {
    Device* native = device;
    if (native) memory::fillArea(*native, rect, color, true);
}

void setPixel(NativeDevice device, const CPosition& point, std::uint32_t color) {
    Device* native = device;
    if (native) memory::put(*native, point.h, point.v, color);
}

std::uint32_t getPixel(NativeDevice device, const CPosition& point) {
    Device* native = device;
    if (!native || !memory::drawable(*native, point.h, point.v)) return memory::kInvalidColor;
    return memory::swapRedBlue(native->target->at(point.h, point.v) & memory::kRgbMask);
}

void floodFill(NativeDevice device, const CPosition& point) {
    Device* native = device;
    if (!native || !memory::drawable(*native, point.h, point.v)) return;
    memory::Surface& surface = *native->target;
    const std::uint32_t seed = surface.at(point.h, point.v) & memory::kRgbMask;
    std::vector<bool> seen(surface.pixels.size());
    std::vector<CPosition> pending{point};
    while (!pending.empty()) {
        const CPosition at = pending.back();
        pending.pop_back();
        if (!memory::drawable(*native, at.h, at.v)) continue;
        const std::size_t index = static_cast<std::size_t>(at.v) * surface.width + at.h;
        if (seen[index] || (surface.at(at.h, at.v) & memory::kRgbMask) != seed) continue;
        seen[index] = true;
        memory::plot(*native, at.h, at.v, native->brush->color);
        pending.insert(pending.end(), {CPosition(at.h + 1, at.v), CPosition(at.h - 1, at.v),
                                       CPosition(at.h, at.v + 1), CPosition(at.h, at.v - 1)});
    }
}

// Every primitive writes its pixels before it returns.
void finishDrawing() {}

}  // namespace gui::platform
