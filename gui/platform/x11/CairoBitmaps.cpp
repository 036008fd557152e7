// Pixel bitmaps, offscreen devices, the linked-in resources, and bitmaps drawn onto devices of the
// Cairo platform. Opaque and blended drawings go through Cairo from the premultiplied pixels the
// decoder made; colour keys, which Cairo does not know, are applied pixel by pixel.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <utility>

#include "gui/platform/BitmapPixels.h"
#include "gui/platform/OffscreenSurface.h"
#include "gui/platform/x11/CairoRaster.h"
#include "gui/platform/x11/CairoResources.h"

namespace gui::x11 {

namespace {

constexpr std::uint32_t kOpaqueAlpha = 0xFF000000;
constexpr double kFullAlpha = 255.0;

// Stands for the module; only its address matters.
char moduleToken;

struct ResourceTable {
    std::mutex guard;
    std::map<std::pair<std::int32_t, std::string>, LinkedResource> entries;
};

ResourceTable& resources() {
    static ResourceTable table;
    return table;
}

// Where a drawing of source lands: the from area of the source picture onto the to area of the
// device, both top-down. Cairo holds the source's rows bottom-up, so its pattern flips them. Only
// the from area is sampled, its edge pixels repeated, so that a stretched copy takes in nothing
// from beside it.
void setSourceArea(cairo_t* context, cairo_surface_t* source, std::int32_t sourceHeight,
                   const CRectangle& to, const CRectangle& from) {
    const double scaleX = static_cast<double>(from.getWidth()) / to.getWidth();
    const double scaleY = static_cast<double>(from.getHeight()) / to.getHeight();
    cairo_surface_t* area = cairo_surface_create_for_rectangle(
        source, from.left, sourceHeight - from.bottom, from.getWidth(), from.getHeight());
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(area);
    cairo_surface_destroy(area);
    cairo_matrix_t placement;
    cairo_matrix_init(&placement, scaleX, 0.0, 0.0, -scaleY, -to.left * scaleX,
                      from.getHeight() + to.top * scaleY);
    cairo_pattern_set_matrix(pattern, &placement);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    const bool sameSize = scaleX == 1.0 && scaleY == 1.0;
    cairo_pattern_set_filter(pattern, sameSize ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
    cairo_set_source(context, pattern);
    cairo_pattern_destroy(pattern);
    cairo_rectangle(context, to.left, to.top, to.getWidth(), to.getHeight());
}

// Narrows from to the part inside a width x height source and to in proportion; false when
// nothing is left.
bool fitInside(CRectangle& from, CRectangle& to, std::int32_t width, std::int32_t height) {
    const double scaleX = static_cast<double>(to.getWidth()) / from.getWidth();
    const double scaleY = static_cast<double>(to.getHeight()) / from.getHeight();
    const CRectangle inside(std::max(from.left, 0), std::max(from.top, 0),
                            std::min(from.right, width), std::min(from.bottom, height));
    if (inside.right <= inside.left || inside.bottom <= inside.top) return false;
    const auto along = [](std::int32_t origin, double scale, std::int32_t offset) {
        return origin + static_cast<std::int32_t>(std::lround(offset * scale));
    };
    to = CRectangle(along(to.left, scaleX, inside.left - from.left),
                    along(to.top, scaleY, inside.top - from.top),
                    along(to.left, scaleX, inside.right - from.left),
                    along(to.top, scaleY, inside.bottom - from.top));
    from = inside;
    return to.right > to.left && to.bottom > to.top;
}

CRectangle destinationOf(const platform::BitmapTransfer& t) {
    return CRectangle(t.x, t.y, t.x + t.width, t.y + t.height);
}

CRectangle sourceOf(const platform::BitmapTransfer& t) {
    return CRectangle(t.sourceX, t.sourceY, t.sourceX + t.width, t.sourceY + t.height);
}

// Copies every pixel of the transfer that the source has, through choose (which gives false to
// leave the destination alone), onto the destination inside its clip.
template <typename Choose>
void copyEach(Device& destination, Surface& source, const platform::BitmapTransfer& t,
              Choose choose) {
    if (!destination.target) return;
    cairo_surface_flush(source.image);
    cairo_surface_flush(destination.target->image);
    for (std::int32_t y = 0; y < t.height; ++y)
        for (std::int32_t x = 0; x < t.width; ++x) {
            const std::int32_t sourceX = t.sourceX + x;
            const std::int32_t sourceY = t.sourceY + y;
            if (!source.contains(sourceX, sourceY) || !drawable(destination, t.x + x, t.y + y))
                continue;
            std::uint32_t& target = destination.target->at(t.x + x, t.y + y);
            if (choose(source.at(sourceX, sourceY), x, y)) target = source.at(sourceX, sourceY);
        }
    pixelsWritten(*destination.target);
}

// The source through Cairo with an operator and a constant alpha; without its own alpha the
// source's pixels count as opaque.
void paintThroughCairo(Device& destination, Surface& source, const platform::BitmapTransfer& t,
                       cairo_operator_t op, double alpha, bool ownAlpha) {
    if (!destination.target || t.width <= 0 || t.height <= 0) return;
    CRectangle from = sourceOf(t);
    CRectangle to = destinationOf(t);
    if (!fitInside(from, to, source.width, source.height)) return;
    cairo_surface_flush(source.image);
    cairo_surface_mark_dirty(source.image);
    cairo_surface_t* view = source.image;
    if (!ownAlpha)
        view = cairo_image_surface_create_for_data(cairo_image_surface_get_data(source.image),
                                                   CAIRO_FORMAT_RGB24, source.width, source.height,
                                                   source.width * 4);
    cairo_t* context = openCanvas(destination);
    cairo_set_operator(context, op);
    setSourceArea(context, view, source.height, to, from);
    cairo_clip(context);
    cairo_paint_with_alpha(context, alpha);
    cairo_destroy(context);
    if (view != source.image) cairo_surface_destroy(view);
    cairo_surface_flush(destination.target->image);
}

}  // namespace

void registerResources(const LinkedResource* table, std::size_t count) {
    ResourceTable& known = resources();
    const std::lock_guard<std::mutex> lock(known.guard);
    for (std::size_t i = 0; i < count; ++i) known.entries[{table[i].id, table[i].type}] = table[i];
}

}  // namespace gui::x11

namespace gui::platform {

using x11::Device;
using x11::Surface;

NativeModule resourceModule() { return NativeModule::atAddress(&x11::moduleToken); }

ResourceBytes findResource(NativeModule module, std::int32_t id, const char* type) {
    ResourceBytes bytes;
    if (module.address() != &x11::moduleToken || !type) return bytes;
    x11::ResourceTable& known = x11::resources();
    const std::lock_guard<std::mutex> lock(known.guard);
    const auto found = known.entries.find({id, type});
    if (found == known.entries.end()) return bytes;
    bytes.found = true;
    bytes.data = found->second.data;
    bytes.size = found->second.size;
    return bytes;
}

NativeBitmap createPixelBitmap(std::int32_t width, std::int32_t height, std::uint32_t** pixels) {
    Surface* surface = x11::makeSurface(width, height, CAIRO_FORMAT_ARGB32);
    *pixels = surface ? surface->pixels() : nullptr;
    return surface;
}

// Screen bitmaps carry no alpha: they read back opaque.
std::vector<std::uint32_t> readBitmapPixels(NativeBitmap bitmap, std::int32_t width,
                                            std::int32_t height) {
    Surface* surface = bitmap;
    if (!surface || surface->width != width || surface->height != height) return {};
    cairo_surface_flush(surface->image);
    const std::uint32_t* first = surface->pixels();
    std::vector<std::uint32_t> copy(first, first + static_cast<std::size_t>(width) * height);
    if (cairo_image_surface_get_format(surface->image) != CAIRO_FORMAT_ARGB32)
        for (std::uint32_t& pixel : copy) pixel = (pixel & x11::kRgbMask) | x11::kOpaqueAlpha;
    return copy;
}

NativeBitmap createScreenBitmap(std::int32_t width, std::int32_t height) {
    return x11::makeSurface(width, height, CAIRO_FORMAT_RGB24);
}

NativeBitmap createSurfaceBitmap(NativeDevice, std::int32_t width, std::int32_t height) {
    return x11::makeSurface(width, height, CAIRO_FORMAT_RGB24);
}

void transferPixels(NativeDevice target, const CRectangle& to, NativeDevice source,
                    const CRectangle& from) {
    Device* destination = target;
    Device* origin = source;
    if (!destination || !destination->target || !origin || !origin->target || to.getWidth() <= 0 ||
        to.getHeight() <= 0 || from.getWidth() <= 0 || from.getHeight() <= 0)
        return;
    CRectangle area = from;
    CRectangle onto = to;
    if (!x11::fitInside(area, onto, origin->target->width, origin->target->height)) return;
    cairo_surface_flush(origin->target->image);
    cairo_surface_mark_dirty(origin->target->image);
    cairo_t* context = x11::openCanvas(*destination);
    cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
    x11::setSourceArea(context, origin->target->image, origin->target->height, onto, area);
    cairo_fill(context);
    cairo_destroy(context);
    cairo_surface_flush(destination->target->image);
}

void drawOpaque(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer) {
    Device* native = destination;
    Surface* pixels = source;
    if (!native || !pixels) return;
    x11::paintThroughCairo(*native, *pixels, transfer, CAIRO_OPERATOR_SOURCE, 1.0, true);
}

void drawKeyedByMask(NativeDevice destination, NativeBitmap source, NativeBitmap mask,
                     const BitmapTransfer& transfer) {
    Device* native = destination;
    Surface* pixels = source;
    Surface* keep = mask;
    if (!native || !pixels || !keep) return;
    cairo_surface_flush(keep->image);
    x11::copyEach(*native, *pixels, transfer, [&](std::uint32_t, std::int32_t x, std::int32_t y) {
        const std::int32_t maskX = transfer.sourceX + x;
        const std::int32_t maskY = transfer.sourceY + y;
        return !keep->contains(maskX, maskY) ||
               (keep->at(maskX, maskY) & x11::kRgbMask) != x11::kWhitePixel;
    });
}

void drawKeyedByColor(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer,
                      std::uint32_t key) {
    Device* native = destination;
    Surface* pixels = source;
    if (!native || !pixels) return;
    const std::uint32_t keyPixel = x11::swapRedBlue(key);
    x11::copyEach(*native, *pixels, transfer, [&](std::uint32_t from, std::int32_t, std::int32_t) {
        return (from & x11::kRgbMask) != keyPixel;
    });
}

void drawBlended(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer,
                 unsigned char alpha, bool perPixelAlpha) {
    Device* native = destination;
    Surface* pixels = source;
    if (!native || !pixels || alpha == 0) return;
    x11::paintThroughCairo(*native, *pixels, transfer, CAIRO_OPERATOR_OVER, alpha / x11::kFullAlpha,
                           perPixelAlpha);
}

NativeBitmap createKeyMask(NativeDevice source, std::int32_t width, std::int32_t height,
                           const CPosition& at, std::uint32_t key) {
    Surface* mask = x11::makeSurface(width, height, CAIRO_FORMAT_RGB24, true);
    Device* native = source;
    if (!mask || !native || !native->target) return mask;
    cairo_surface_flush(native->target->image);
    const std::uint32_t keyPixel = x11::swapRedBlue(key);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t sourceX = at.h + x;
            const std::int32_t sourceY = at.v + y;
            const bool keyed = native->target->contains(sourceX, sourceY) &&
                               (native->target->at(sourceX, sourceY) & x11::kRgbMask) == keyPixel;
            mask->at(x, y) = keyed ? x11::kWhitePixel : 0;
        }
    x11::pixelsWritten(*mask);
    return mask;
}

}  // namespace gui::platform
