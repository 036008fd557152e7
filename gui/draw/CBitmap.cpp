#include "gui/draw/CBitmap.h"

#include <memory>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/OwnedBitmaps.h"
#include "gui/draw/PngDecoder.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/BitmapPixels.h"

namespace gui {

namespace {

constexpr unsigned char kOpaque = 255;

using Transfer = platform::BitmapTransfer;

// Only the part of the source area inside the bitmap is transferred: AlphaBlend refuses an
// area that reaches past the bitmap outright, and the other paths would make up pixels there.
Transfer clippedToBitmap(Transfer t, std::int32_t bitmapWidth, std::int32_t bitmapHeight) {
    if (t.sourceX < 0) {
        t.x -= t.sourceX;
        t.width += t.sourceX;
        t.sourceX = 0;
    }
    if (t.sourceY < 0) {
        t.y -= t.sourceY;
        t.height += t.sourceY;
        t.sourceY = 0;
    }
    if (t.width > bitmapWidth - t.sourceX) t.width = bitmapWidth - t.sourceX;
    if (t.height > bitmapHeight - t.sourceY) t.height = bitmapHeight - t.sourceY;
    return t;
}

bool isEmpty(const Transfer& t) { return t.width <= 0 || t.height <= 0; }

// At a scale the destination, its size and the source position are all in device pixels.
Transfer transferOf(const CDrawContext& context, const CRectangle& rect, const CPosition& source,
                    std::int32_t bitmapWidth, std::int32_t bitmapHeight) {
    const CRectangle onDevice = context.toDeviceRect(rect);
    const CPosition from = toDevice(source, context.getScale());
    const Transfer t = {onDevice.left,        onDevice.top, onDevice.getWidth(),
                        onDevice.getHeight(), from.h,       from.v};
    return clippedToBitmap(t, bitmapWidth, bitmapHeight);
}

}  // namespace

CBitmap::CBitmap(std::int32_t resourceId) : resourceId(resourceId) {
    loadFromResource(resourceId);
    keyColor = kTransparentColor;
}

CBitmap::CBitmap(CFrame*, std::int32_t width, std::int32_t height) : width(width), height(height) {
    handle = ownedBitmaps::track(platform::createScreenBitmap(width, height));
}

CBitmap::CBitmap() = default;

CBitmap::~CBitmap() { CBitmap::dispose(); }

void CBitmap::draw(CDrawContext* context, const CRectangle& rect, const CPosition& source) {
    if (!ignoreAlpha) {
        drawBlended(context, rect, source, kOpaque);
        return;
    }
    if (!handle || !context) return;
    const Pixels pixels = pixelsAt(context->getScale());
    const Transfer t = transferOf(*context, rect, source, pixels.width, pixels.height);
    if (isEmpty(t)) return;
    platform::drawOpaque(context->getDevice(), pixels.handle, t);
}

void CBitmap::drawKeyed(CDrawContext* context, const CRectangle& rect, const CPosition& source) {
    if (!ignoreAlpha) {
        drawBlended(context, rect, source, kOpaque);
        return;
    }
    if (!handle || !context) return;
    const Pixels pixels = pixelsAt(context->getScale());
    const Transfer t = transferOf(*context, rect, source, pixels.width, pixels.height);
    if (isEmpty(t)) return;
    // The mask has the bitmap's own size; at a scale the key colour decides.
    if (mask && pixels.handle == handle)
        platform::drawKeyedByMask(context->getDevice(), pixels.handle, mask, t);
    else
        platform::drawKeyedByColor(context->getDevice(), pixels.handle, t,
                                   keyColor.toPlatformColor());
}

void CBitmap::drawBlended(CDrawContext* context, const CRectangle& rect, const CPosition& source,
                          unsigned char alpha) {
    if (!handle || !context) return;
    const Pixels pixels = pixelsAt(context->getScale());
    const Transfer t = transferOf(*context, rect, source, pixels.width, pixels.height);
    if (isEmpty(t)) return;
    platform::drawBlended(context->getDevice(), pixels.handle, t, alpha, !ignoreAlpha);
}

void CBitmap::dispose() {
    disposePrepared();
    loadedResource = 0;
    ownedBitmaps::destroy(handle);
    ownedBitmaps::destroy(mask);
    handle = nullptr;
    mask = nullptr;
    ignoreAlpha = false;
    width = 0;
    height = 0;
}

bool CBitmap::loadFromResource(std::int32_t id) {
    dispose();
    bool found = false;
    const DecodedPng decoded = decodePngResource(platform::resourceModule(), id, &found);
    if (!found) return loadBitmapResource(id);
    adoptDecoded(decoded.section, decoded.width, decoded.height);
    if (decoded.complete) loadedResource = id;
    // Found counts as loaded, even when the data was damaged.
    return true;
}

bool CBitmap::loadFromPath(const void*) {
    dispose();
    return false;
}

bool CBitmap::loadFromMemory(const unsigned char* data, std::uint32_t size) {
    dispose();
    const DecodedPng decoded = decodePng(data, size);
    adoptDecoded(decoded.section, decoded.width, decoded.height);
    return decoded.complete;
}

void CBitmap::setKeyMask(CDrawContext* context, const CPosition& position) {
    ownedBitmaps::destroy(mask);
    mask = nullptr;
    if (!context || width <= 0 || height <= 0) return;
    mask = ownedBitmaps::track(platform::createKeyMask(context->getDevice(), width, height,
                                                       position, keyColor.toPlatformColor()));
}

bool CBitmap::loadBitmapResource(std::int32_t id) {
    handle = ownedBitmaps::track(platform::loadBitmapResource(platform::resourceModule(), id));
    if (!handle) return false;
    if (!platform::bitmapSize(handle, width, height)) {
        ownedBitmaps::destroy(handle);
        handle = nullptr;
        return false;
    }
    ignoreAlpha = true;
    return true;
}

void CBitmap::adoptDecoded(NativeBitmap section, std::int32_t decodedWidth,
                           std::int32_t decodedHeight) {
    handle = section;
    width = decodedWidth;
    height = decodedHeight;
    ignoreAlpha = false;
}

}  // namespace gui
