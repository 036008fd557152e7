// What the Cairo platform's primitives share: colour conversion, Cairo contexts on a device's
// surface, and filling a path through the device's raster operation.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <functional>

#include "gui/platform/raster/RasterGeometry.h"
#include "gui/platform/x11/CairoHandles.h"

namespace gui::x11 {

using raster::drawable;
using raster::kInvalidColor;
using raster::kRgbMask;
using raster::kWhitePixel;
using raster::swapRedBlue;

// A Cairo context on surface in top-down pixel coordinates, without antialiasing; the caller
// destroys it.
cairo_t* openContext(Surface& surface);
// The same on the device's target, limited to its clip; null without a target.
cairo_t* openCanvas(const Device& device);
// The colour (0x00BBGGRR) as the target stores it: a monochrome one only black or white.
void setColor(cairo_t* context, const Surface& target, std::uint32_t color);
// Commits what Cairo drew to the pixels that the toolkit reads, and the other way round.
void pixelsWritten(Surface& surface);

using PathBuilder = std::function<void(cairo_t*)>;
// Fills the path in the colour: through the device's raster operation or straight.
void fillShape(Device& device, std::uint32_t color, bool throughOp, const PathBuilder& build,
               cairo_fill_rule_t rule = CAIRO_FILL_RULE_WINDING);

using raster::walkLine;

// The pen's square dab at one point, its width centred on it, added to the path.
void addDab(cairo_t* context, const Pen& pen, std::int32_t x, std::int32_t y);
// The selected pen along a line; dotted pens skip every other pixel, whose gap takes the
// background colour unless the background is transparent.
void strokeLine(Device& device, const CPosition& from, const CPosition& to);

}  // namespace gui::x11
