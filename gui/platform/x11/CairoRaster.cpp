#include "gui/platform/x11/CairoRaster.h"

#include <algorithm>
#include <new>
#include <vector>

namespace gui::x11 {

namespace {

constexpr double kChannelScale = 255.0;
constexpr std::uint32_t kChannelMask = 0xFF;

// Applies a raster operation other than copying to every pixel that coverage holds.
void combineCovered(Device& device, cairo_surface_t* coverage, std::uint32_t color) {
    cairo_surface_flush(coverage);
    const unsigned char* rows = cairo_image_surface_get_data(coverage);
    const int stride = cairo_image_surface_get_stride(coverage);
    Surface& target = *device.target;
    const std::uint32_t ink = swapRedBlue(color);
    for (std::int32_t y = 0; y < target.height; ++y)
        for (std::int32_t x = 0; x < target.width; ++x) {
            // Coverage rows lie bottom-up like the target's.
            if (rows[(target.height - 1 - y) * stride + x] == 0) continue;
            std::uint32_t& pixel = target.at(x, y);
            std::uint32_t mixed =
                device.rasterOp == platform::RasterOp::merge ? pixel | ink : ~(pixel ^ ink);
            mixed &= kRgbMask;
            if (target.monochrome) mixed = mixed == kWhitePixel ? kWhitePixel : 0;
            pixel = (pixel & ~kRgbMask) | mixed;
        }
    cairo_surface_mark_dirty(target.image);
}

}  // namespace

Surface* makeSurface(std::int32_t width, std::int32_t height, cairo_format_t format,
                     bool monochrome) {
    if (width <= 0 || height <= 0) return nullptr;
    cairo_surface_t* image = cairo_image_surface_create(format, width, height);
    // Pixel bitmaps hand out their rows as one block of width words each.
    if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS ||
        cairo_image_surface_get_stride(image) != width * 4) {
        cairo_surface_destroy(image);
        return nullptr;
    }
    Surface* surface = new (std::nothrow) Surface(image, width, height, monochrome);
    if (!surface) cairo_surface_destroy(image);
    return surface;
}

cairo_t* openContext(Surface& surface) {
    // The toolkit may have written the pixels itself since Cairo last looked.
    cairo_surface_mark_dirty(surface.image);
    cairo_t* context = cairo_create(surface.image);
    cairo_matrix_t flip;
    cairo_matrix_init(&flip, 1.0, 0.0, 0.0, -1.0, 0.0, surface.height);
    cairo_set_matrix(context, &flip);
    cairo_set_antialias(context, CAIRO_ANTIALIAS_NONE);
    return context;
}

cairo_t* openCanvas(const Device& device) {
    if (!device.target) return nullptr;
    cairo_t* context = openContext(*device.target);
    if (device.clipped) {
        const CRectangle& clip = device.clip;
        cairo_rectangle(context, clip.left, clip.top, std::max(0, clip.right - clip.left),
                        std::max(0, clip.bottom - clip.top));
        cairo_clip(context);
    }
    return context;
}

void setColor(cairo_t* context, const Surface& target, std::uint32_t color) {
    if (target.monochrome) color = (color & kRgbMask) == kWhitePixel ? kWhitePixel : 0;
    cairo_set_source_rgb(context, (color & kChannelMask) / kChannelScale,
                         ((color >> 8) & kChannelMask) / kChannelScale,
                         ((color >> 16) & kChannelMask) / kChannelScale);
}

void pixelsWritten(Surface& surface) { cairo_surface_mark_dirty(surface.image); }

void fillShape(Device& device, std::uint32_t color, bool throughOp, const PathBuilder& build,
               cairo_fill_rule_t rule) {
    if (!device.target) return;
    if (!throughOp || device.rasterOp == platform::RasterOp::copy) {
        cairo_t* context = openCanvas(device);
        cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
        cairo_set_fill_rule(context, rule);
        setColor(context, *device.target, color);
        build(context);
        cairo_fill(context);
        cairo_destroy(context);
        cairo_surface_flush(device.target->image);
        return;
    }
    // Cairo knows no bitwise operations: it finds the pixels, the operation mixes them.
    Surface& target = *device.target;
    cairo_surface_t* coverage =
        cairo_image_surface_create(CAIRO_FORMAT_A8, target.width, target.height);
    Surface scratch(coverage, target.width, target.height, false);
    cairo_surface_reference(coverage);
    Device masking = device;
    masking.target = &scratch;
    cairo_t* context = openCanvas(masking);
    cairo_set_fill_rule(context, rule);
    cairo_set_source_rgba(context, 0.0, 0.0, 0.0, 1.0);
    build(context);
    cairo_fill(context);
    cairo_destroy(context);
    combineCovered(device, coverage, color);
    cairo_surface_destroy(coverage);
}

void addDab(cairo_t* context, const Pen& pen, std::int32_t x, std::int32_t y) {
    const std::int32_t width = std::max<std::int32_t>(1, pen.width);
    const std::int32_t start = -(width / 2);
    cairo_rectangle(context, x + start, y + start, width, width);
}

void strokeLine(Device& device, const CPosition& from, const CPosition& to) {
    const bool dotted = device.pen->dash == platform::PenDash::dotted;
    std::vector<CPosition> dabs;
    std::vector<CPosition> gaps;
    walkLine(from, to, [&](std::int32_t x, std::int32_t y) {
        const bool gap = dotted && (device.dashPhase++ % 2) != 0;
        (gap ? gaps : dabs).emplace_back(x, y);
    });
    const Pen pen = *device.pen;
    if (!dabs.empty())
        fillShape(device, pen.color, true, [&](cairo_t* context) {
            for (const CPosition& at : dabs) addDab(context, pen, at.h, at.v);
        });
    if (!gaps.empty() && !device.transparentBackground)
        fillShape(device, device.backgroundColor, false, [&](cairo_t* context) {
            for (const CPosition& at : gaps) cairo_rectangle(context, at.h, at.v, 1, 1);
        });
}

}  // namespace gui::x11
