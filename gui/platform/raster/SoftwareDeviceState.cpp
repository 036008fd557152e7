// The drawing interfaces that only keep state, the same for every software backend: the current
// pen, brush and font, colours, raster operation, clip, pen position, lines through the backend's
// strokeLine, and the bookkeeping of surfaces and memory devices. Each backend's library compiles
// this file once, naming its header and namespace (TALON_RASTER_HEADER, TALON_RASTER_NAMESPACE).
#include <new>
#include <utility>

#include "gui/platform/BitmapPixels.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/platform/OffscreenSurface.h"
#include TALON_RASTER_HEADER

namespace gui::platform {

namespace backend = gui::TALON_RASTER_NAMESPACE;
using backend::Device;
using backend::Surface;

// A backend whose windows move with other clients' asks the system instead.
#if !defined(TALON_RASTER_WINDOWS_ASK_SYSTEM)
bool windowScreenOrigin(NativeWindow window, CPosition& origin) {
    backend::Window* native = window;
    if (!native) return false;
    origin = native->screenOrigin;
    return true;
}
#endif

NativePen currentPen(NativeDevice device) {
    Device* native = device;
    return native ? native->pen : nullptr;
}
NativeBrush currentBrush(NativeDevice device) {
    Device* native = device;
    return native ? native->brush : nullptr;
}
NativeFont currentFont(NativeDevice device) {
    Device* native = device;
    return native ? native->font : nullptr;
}

void selectPen(NativeDevice device, NativePen pen) {
    Device* native = device;
    if (native && pen) native->pen = pen;
}
void selectBrush(NativeDevice device, NativeBrush brush) {
    Device* native = device;
    if (native && brush) native->brush = brush;
}
void selectFont(NativeDevice device, NativeFont font) {
    Device* native = device;
    if (native && font) native->font = font;
}

void deletePen(NativePen pen) { delete static_cast<backend::Pen*>(pen); }
void deleteBrush(NativeBrush brush) { delete static_cast<backend::Brush*>(brush); }
void deleteFont(NativeFont font) { delete static_cast<backend::Font*>(font); }

void setTransparentBackground(NativeDevice device, bool transparent) {
    Device* native = device;
    if (native) native->transparentBackground = transparent;
}

std::uint32_t setBackgroundColor(NativeDevice device, std::uint32_t color) {
    Device* native = device;
    if (!native) return 0;
    return std::exchange(native->backgroundColor, color);
}

std::uint32_t setTextColor(NativeDevice device, std::uint32_t color) {
    Device* native = device;
    if (!native) return 0;
    return std::exchange(native->textColor, color);
}

void setRasterOp(NativeDevice device, RasterOp op) {
    Device* native = device;
    if (native) native->rasterOp = op;
}

void clipTo(NativeDevice device, const CRectangle& rect) {
    Device* native = device;
    if (!native) return;
    native->clipped = true;
    native->clip = rect;
}

void moveTo(NativeDevice device, const CPosition& point) {
    Device* native = device;
    if (native) native->penPosition = point;
}

void lineTo(NativeDevice device, const CPosition& point) {
    Device* native = device;
    if (!native) return;
    backend::strokeLine(*native, native->penPosition, point);
    native->penPosition = point;
}

void polyline(NativeDevice device, const CPosition* points, std::int32_t count) {
    Device* native = device;
    if (!native || !points) return;
    for (std::int32_t i = 1; i < count; ++i) backend::strokeLine(*native, points[i - 1], points[i]);
}

// The software backends keep no plain bitmap resources: all their artwork is PNG.
NativeBitmap loadBitmapResource(NativeModule, std::int32_t) { return nullptr; }

bool bitmapSize(NativeBitmap bitmap, std::int32_t& width, std::int32_t& height) {
    Surface* surface = bitmap;
    if (!surface) return false;
    width = surface->width;
    height = surface->height;
    return true;
}

void deleteBitmap(NativeBitmap bitmap) { delete static_cast<Surface*>(bitmap); }

NativeDevice createMemoryDevice(NativeDevice) { return new (std::nothrow) Device(); }

void deleteMemoryDevice(NativeDevice device) { delete static_cast<Device*>(device); }

NativeBitmap selectBitmap(NativeDevice device, NativeBitmap bitmap) {
    Device* native = device;
    if (!native || !bitmap) return nullptr;
    return std::exchange(native->target, static_cast<Surface*>(bitmap));
}

}  // namespace gui::platform
