// Lines at a scale other than 1. A pen centred on a block of one or two device pixels would spill
// a pixel past it, so straight lines fill the device blocks of the panel pixels they cover, as
// the same line covers panel pixels at 1: the end point is left to the next segment.
#include <algorithm>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/DrawingDevice.h"

namespace gui {

void CDrawContext::drawScaledSegment(const CPosition& from, const CPosition& to) {
    const bool straight = from.h == to.h || from.v == to.v;
    if (lineStyle != kSolidLine || !straight) {
        // Slanted and dotted lines keep the pen through the middle of the blocks.
        const CPosition start = toDevice(from, scale);
        const CPosition end = toDevice(to, scale);
        const std::int32_t half = devicePenWidth() / 2;
        platform::moveTo(device, CPosition(start.h + half, start.v + half));
        platform::lineTo(device, CPosition(end.h + half, end.v + half));
        return;
    }
    if (from == to) return;
    // A line of several units is as wide across as at 1, centred on the given row or column.
    const std::int32_t width = std::max<std::int32_t>(1, lineWidth);
    const std::int32_t before = (width - 1) / 2;
    if (from.v == to.v) {
        const std::int32_t left = from.h < to.h ? from.h : to.h + 1;
        const std::int32_t right = from.h < to.h ? to.h : from.h + 1;
        fillDeviceBlock(CRectangle(left, from.v - before, right, from.v - before + width));
    } else {
        const std::int32_t top = from.v < to.v ? from.v : to.v + 1;
        const std::int32_t bottom = from.v < to.v ? to.v : from.v + 1;
        fillDeviceBlock(CRectangle(from.h - before, top, from.h - before + width, bottom));
    }
}

// In the line's colour and the raster mode, as the pen would draw.
void CDrawContext::fillDeviceBlock(const CRectangle& panelRect) {
    const CRectangle box = toDevice(panelRect, scale);
    if (box.right <= box.left || box.bottom <= box.top) return;
    platform::paintBlock(device, box, lineColor.toPlatformColor());
}

}  // namespace gui
