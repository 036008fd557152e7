// Ellipses, arcs, pies and text of the memory platform. Curves are sampled at pixel centres; text
// uses one fixed-metric font whose characters are solid blocks, so that widths are exact.
#include <cmath>
#include <vector>

#include "gui/platform/DrawingDevice.h"
#include "gui/platform/memory/MemoryRaster.h"
#include "gui/platform/raster/RasterGeometry.h"

namespace gui::platform {

using memory::Device;

namespace {

using raster::Ellipse;
using raster::Sweep;

// A pixel belongs to the ellipse when its centre does.
bool holds(const Ellipse& shape, std::int32_t x, std::int32_t y) {
    if (shape.empty()) return false;
    const double dx = (x + 0.5 - shape.centreX) / shape.radiusX;
    const double dy = (y + 0.5 - shape.centreY) / shape.radiusY;
    return dx * dx + dy * dy <= 1.0;
}

}  // namespace

void fillEllipse(NativeDevice device, const CRectangle& box) {
    Device* native = device;
    if (!native) return;
    // Without an outline the shape leaves out its right column and bottom row.
    const Ellipse shape(CRectangle(box.left, box.top, box.right - 1, box.bottom - 1));
    for (std::int32_t y = box.top; y < box.bottom; ++y)
        for (std::int32_t x = box.left; x < box.right; ++x)
            if (holds(shape, x, y)) memory::plot(*native, x, y, native->brush->color);
}

void arc(NativeDevice device, const CRectangle& box, const CPosition& from, const CPosition& to) {
    Device* native = device;
    if (!native || box.right <= box.left || box.bottom <= box.top) return;
    const Ellipse shape(box);
    const Sweep sweep(shape, from, to);
    raster::visitArcPixels(box, shape, sweep,
                           [&](std::int32_t x, std::int32_t y) { memory::dab(*native, x, y); });
}

void fillPie(NativeDevice device, const CRectangle& box, const CPosition& from,
             const CPosition& to) {
    Device* native = device;
    if (!native) return;
    const Ellipse shape(CRectangle(box.left, box.top, box.right - 1, box.bottom - 1));
    const Sweep sweep(shape, from, to);
    for (std::int32_t y = box.top; y < box.bottom; ++y)
        for (std::int32_t x = box.left; x < box.right; ++x)
            if (holds(shape, x, y) && sweep.covers(shape.angleOf(x, y)))
                memory::plot(*native, x, y, native->brush->color);
}

bool textWidth(NativeDevice device, const char* text, std::int32_t length, std::int32_t& width) {
    Device* native = device;
    if (!native || !text || length < 0) return false;
    width = memory::textAdvance(*native->font, length);
    return true;
}

// Characters are blocks one column narrower than their advance, a pixel short of the cell at the
// top and bottom; spaces leave their cell empty. Text ignores the raster operation.
void drawText(NativeDevice device, const char* text, std::int32_t length, const CRectangle& box,
              TextPlacement placement) {
    Device* native = device;
    if (!native || !text || length <= 0) return;
    const memory::Font& font = *native->font;
    const std::int32_t width = memory::textAdvance(font, length);
    std::int32_t left = box.left;
    if (placement == TextPlacement::center) left = box.left + (box.getWidth() - width) / 2;
    if (placement == TextPlacement::right) left = box.right - width;
    const std::int32_t top = box.top + (box.getHeight() - font.pixelHeight) / 2;
    const auto inBox = [&](std::int32_t x, std::int32_t y) {
        return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
    };
    for (std::int32_t i = 0; i < length; ++i) {
        const std::int32_t cellLeft = left + memory::textAdvance(font, i);
        const std::int32_t advance = memory::textAdvance(font, i + 1) - (cellLeft - left);
        for (std::int32_t y = top; y < top + font.pixelHeight; ++y)
            for (std::int32_t x = cellLeft; x < cellLeft + advance; ++x) {
                if (!inBox(x, y)) continue;
                const bool glyph = text[i] != ' ' && x < cellLeft + advance - 1 && y > top &&
                                   y < top + font.pixelHeight - 1;
                const bool underline = font.underline && y == top + font.pixelHeight - 1;
                if (glyph || underline)
                    memory::put(*native, x, y, native->textColor);
                else if (!native->transparentBackground)
                    memory::put(*native, x, y, native->backgroundColor);
            }
    }
}

}  // namespace gui::platform
