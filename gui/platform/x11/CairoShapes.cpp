// Ellipses, arcs, pies and text of the Cairo platform. Shapes are filled without antialiasing, a
// pixel belonging to one when its centre does; text is antialiased, in the face fontconfig gives.
#include <cmath>
#include <vector>

#include "gui/platform/DrawingDevice.h"
#include "gui/platform/raster/RasterGeometry.h"
#include "gui/platform/x11/CairoRaster.h"

namespace gui::platform {

using x11::Device;

namespace {

using raster::Ellipse;
using raster::kTurn;
using raster::Sweep;

// Cairo's unit circle stretched onto the ellipse, from angle from to angle to.
void addPath(cairo_t* context, const Ellipse& shape, double from, double to, bool throughCentre) {
    cairo_save(context);
    cairo_translate(context, shape.centreX, shape.centreY);
    cairo_scale(context, shape.radiusX, shape.radiusY);
    if (throughCentre) cairo_move_to(context, 0.0, 0.0);
    // Counter-clockwise on the screen is clockwise in Cairo's y-down space.
    cairo_arc_negative(context, 0.0, 0.0, 1.0, -from, -to);
    cairo_close_path(context);
    cairo_restore(context);
}

// Without an outline a filled shape leaves out its right column and bottom row.
CRectangle interiorOf(const CRectangle& box) {
    return CRectangle(box.left, box.top, box.right - 1, box.bottom - 1);
}

cairo_font_slant_t slantOf(const x11::Font& font) {
    return font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL;
}

cairo_font_weight_t weightOf(const x11::Font& font) {
    return font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL;
}

void selectFace(cairo_t* context, const x11::Font& font) {
    cairo_select_font_face(context, font.face.c_str(), slantOf(font), weightOf(font));
    cairo_set_font_size(context, font.pixelHeight);
}

// Cairo's text API wants a terminated string.
std::string textOf(const char* text, std::int32_t length) {
    std::string copy(text, static_cast<std::size_t>(length));
    return copy.substr(0, copy.find('\0'));
}

}  // namespace

void fillEllipse(NativeDevice device, const CRectangle& box) {
    Device* native = device;
    const Ellipse shape(interiorOf(box));
    if (!native || shape.empty()) return;
    x11::fillShape(*native, native->brush->color, true,
                   [&](cairo_t* context) { addPath(context, shape, 0.0, kTurn, false); });
}

// Sampled along the sweep, each pixel dabbed once so that an inverting raster operation does not
// undo itself.
void arc(NativeDevice device, const CRectangle& box, const CPosition& from, const CPosition& to) {
    Device* native = device;
    if (!native || box.right <= box.left || box.bottom <= box.top) return;
    const Ellipse shape(box);
    const Sweep sweep(shape, from, to);
    std::vector<CPosition> dabs;
    raster::visitArcPixels(box, shape, sweep,
                           [&](std::int32_t x, std::int32_t y) { dabs.emplace_back(x, y); });
    const x11::Pen pen = *native->pen;
    x11::fillShape(*native, pen.color, true, [&](cairo_t* context) {
        for (const CPosition& at : dabs) x11::addDab(context, pen, at.h, at.v);
    });
}

void fillPie(NativeDevice device, const CRectangle& box, const CPosition& from,
             const CPosition& to) {
    Device* native = device;
    const Ellipse shape(interiorOf(box));
    if (!native || shape.empty()) return;
    const Sweep sweep(shape, from, to);
    x11::fillShape(*native, native->brush->color, true, [&](cairo_t* context) {
        addPath(context, shape, sweep.start, sweep.start + sweep.length, true);
    });
}

bool textWidth(NativeDevice device, const char* text, std::int32_t length, std::int32_t& width) {
    Device* native = device;
    if (!native || !text || length < 0) return false;
    cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
    cairo_t* context = cairo_create(probe);
    selectFace(context, *native->font);
    cairo_text_extents_t extents;
    cairo_text_extents(context, textOf(text, length).c_str(), &extents);
    const bool measured = cairo_status(context) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(context);
    cairo_surface_destroy(probe);
    if (measured) width = static_cast<std::int32_t>(std::lround(extents.x_advance));
    return measured;
}

// The line's cell (its advance by the font's height) takes the background colour unless the
// background is transparent. Text ignores the raster operation.
void drawText(NativeDevice device, const char* text, std::int32_t length, const CRectangle& box,
              TextPlacement placement) {
    Device* native = device;
    if (!native || !text || length <= 0 || !native->target) return;
    std::int32_t width = 0;
    if (!textWidth(device, text, length, width)) return;
    const x11::Font& font = *native->font;
    std::int32_t left = box.left;
    if (placement == TextPlacement::center) left = box.left + (box.getWidth() - width) / 2;
    if (placement == TextPlacement::right) left = box.right - width;
    const std::int32_t top = box.top + (box.getHeight() - font.pixelHeight) / 2;
    cairo_t* context = x11::openCanvas(*native);
    cairo_rectangle(context, box.left, box.top, box.getWidth(), box.getHeight());
    cairo_clip(context);
    if (!native->transparentBackground) {
        x11::setColor(context, *native->target, native->backgroundColor);
        cairo_rectangle(context, left, top, width, font.pixelHeight);
        cairo_fill(context);
    }
    selectFace(context, font);
    cairo_font_extents_t metrics;
    cairo_font_extents(context, &metrics);
    // The face's ascent and descent centred on the cell.
    const double baseline =
        top + (font.pixelHeight - metrics.ascent - metrics.descent) / 2.0 + metrics.ascent;
    x11::setColor(context, *native->target, native->textColor);
    if (font.underline) {
        cairo_rectangle(context, left, std::floor(baseline) + 1.0, width, 1.0);
        cairo_fill(context);
    }
    cairo_set_antialias(context, CAIRO_ANTIALIAS_GRAY);
    cairo_move_to(context, left, std::round(baseline));
    cairo_show_text(context, textOf(text, length).c_str());
    cairo_destroy(context);
    cairo_surface_flush(native->target->image);
}

}  // namespace gui::platform
