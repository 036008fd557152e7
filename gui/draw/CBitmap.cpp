#include "gui/draw/CBitmap.h"

#include <memory>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/MemoryDevice.h"
#include "gui/draw/OwnedBitmaps.h"
#include "gui/draw/PlatformGlobals.h"
#include "gui/draw/PngDecoder.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui {

namespace {

constexpr unsigned char kOpaque = 255;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr UINT kMonochromePlanes = 1;
constexpr UINT kMonochromeBits = 1;
constexpr DWORD kWindows98Major = 4;
constexpr DWORD kWindows98Minor = 10;

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const { ownedBitmaps::destroy(bitmap); }
};
// A bitmap that lives for one drawing operation.
using ScopedBitmap = std::unique_ptr<HBITMAP__, BitmapDeleter>;

// One block transfer: destination (the context's offset added), size and source position.
struct Transfer {
    int x;
    int y;
    int width;
    int height;
    int sourceX;
    int sourceY;
};

// Only the part of the source area inside the bitmap is transferred: AlphaBlend refuses an
// area that reaches past the bitmap outright, and the other paths would make up pixels there.
Transfer clippedToBitmap(Transfer t, int bitmapWidth, int bitmapHeight) {
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

HBITMAP createMonochrome(int width, int height) {
    return ownedBitmaps::track(
        CreateBitmap(width, height, kMonochromePlanes, kMonochromeBits, nullptr));
}

bool isWindows98() {
    return osVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
           osVersion.dwMajorVersion == kWindows98Major &&
           osVersion.dwMinorVersion == kWindows98Minor;
}

void blend(HDC destination, const Transfer& t, HDC sourceDevice, int sourceX, int sourceY,
           BLENDFUNCTION function) {
    alphaBlendEntry(destination, t.x, t.y, t.width, t.height, sourceDevice, sourceX, sourceY,
                    t.width, t.height, function);
}

// Windows 98 blends only from a bitmap of exactly the blended size, so the area is copied out.
void blendThroughCopy(HDC destination, const Transfer& t, HDC sourceDevice,
                      BLENDFUNCTION function) {
    ScopedBitmap copy(ownedBitmaps::track(CreateCompatibleBitmap(sourceDevice, t.width, t.height)));
    MemoryDevice copyDevice(sourceDevice, copy.get());
    if (!copyDevice) return;
    BitBlt(copyDevice.get(), 0, 0, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCCOPY);
    blend(destination, t, copyDevice.get(), 0, 0, function);
}

// Background ^ source, cleared where the mask is black, ^ source again: the mask's white pixels
// keep the background, its black pixels take the source.
void copyOpaque(HDC destination, const Transfer& t, HDC sourceDevice) {
    BitBlt(destination, t.x, t.y, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCCOPY);
}

void keyThroughMask(HDC destination, const Transfer& t, HDC sourceDevice, HBITMAP mask) {
    MemoryDevice maskDevice(destination, mask);
    ScopedBitmap work(ownedBitmaps::track(CreateCompatibleBitmap(destination, t.width, t.height)));
    MemoryDevice workDevice(destination, work.get());
    if (!maskDevice || !workDevice) return;
    HDC workDc = workDevice.get();
    BitBlt(workDc, 0, 0, t.width, t.height, destination, t.x, t.y, SRCCOPY);
    BitBlt(workDc, 0, 0, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCINVERT);
    BitBlt(workDc, 0, 0, t.width, t.height, maskDevice.get(), t.sourceX, t.sourceY, SRCAND);
    BitBlt(workDc, 0, 0, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCINVERT);
    BitBlt(destination, t.x, t.y, t.width, t.height, workDc, 0, 0, SRCCOPY);
}

// Without TransparentBlt: a monochrome mask of the key colour's pixels made on the spot; the
// destination's background and text colours turn its white into keep and black into replace.
void keyThroughColor(HDC destination, const Transfer& t, HDC sourceDevice, COLORREF key) {
    ScopedBitmap monochrome(createMonochrome(t.width, t.height));
    MemoryDevice maskDevice(destination, monochrome.get());
    if (!maskDevice) return;
    SetBkColor(sourceDevice, key);
    BitBlt(maskDevice.get(), 0, 0, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCCOPY);
    BitBlt(destination, t.x, t.y, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCINVERT);
    BitBlt(destination, t.x, t.y, t.width, t.height, maskDevice.get(), 0, 0, SRCAND);
    BitBlt(destination, t.x, t.y, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCINVERT);
}

// At a scale the destination, its size and the source position are all in device pixels.
Transfer transferOf(const CDrawContext& context, const CRectangle& rect, const CPosition& source,
                    int bitmapWidth, int bitmapHeight) {
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
    HDC screen = GetDC(nullptr);
    handle = ownedBitmaps::track(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
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
    HDC destination = context->getDevice();
    const Transfer t = transferOf(*context, rect, source, pixels.width, pixels.height);
    if (isEmpty(t)) return;
    MemoryDevice sourceDevice(destination, pixels.handle);
    if (!sourceDevice) return;
    copyOpaque(destination, t, sourceDevice.get());
}

void CBitmap::drawKeyed(CDrawContext* context, const CRectangle& rect, const CPosition& source) {
    if (!ignoreAlpha) {
        drawBlended(context, rect, source, kOpaque);
        return;
    }
    if (!handle || !context) return;
    const Pixels pixels = pixelsAt(context->getScale());
    HDC destination = context->getDevice();
    const Transfer t = transferOf(*context, rect, source, pixels.width, pixels.height);
    if (isEmpty(t)) return;
    MemoryDevice sourceDevice(destination, pixels.handle);
    if (!sourceDevice) return;
    const COLORREF key = keyColor.toPlatformColor();
    // The mask has the bitmap's own size; at a scale the key colour decides.
    if (mask && pixels.handle == handle) {
        keyThroughMask(destination, t, sourceDevice.get(), mask);
    } else if (transparentBltEntry) {
        transparentBltEntry(destination, t.x, t.y, t.width, t.height, sourceDevice.get(), t.sourceX,
                            t.sourceY, t.width, t.height, key);
    } else {
        const COLORREF previousBackground = SetBkColor(destination, kWhite);
        const COLORREF previousText = SetTextColor(destination, kBlack);
        keyThroughColor(destination, t, sourceDevice.get(), key);
        SetTextColor(destination, previousText);
        SetBkColor(destination, previousBackground);
    }
}

void CBitmap::drawBlended(CDrawContext* context, const CRectangle& rect, const CPosition& source,
                          unsigned char alpha) {
    if (!handle || !context) return;
    const Pixels pixels = pixelsAt(context->getScale());
    HDC destination = context->getDevice();
    const Transfer t = transferOf(*context, rect, source, pixels.width, pixels.height);
    if (isEmpty(t)) return;
    MemoryDevice sourceDevice(destination, pixels.handle);
    if (!sourceDevice) return;
    if (!alphaBlendEntry) {
        // Without msimg32 the artwork is still shown, only without its translucency.
        if (alpha != 0) copyOpaque(destination, t, sourceDevice.get());
        return;
    }
    const BLENDFUNCTION function = {AC_SRC_OVER, 0, alpha,
                                    static_cast<BYTE>(ignoreAlpha ? 0 : AC_SRC_ALPHA)};
    if (isWindows98())
        blendThroughCopy(destination, t, sourceDevice.get(), function);
    else
        blend(destination, t, sourceDevice.get(), t.sourceX, t.sourceY, function);
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
    const DecodedPng decoded = decodePngResource(moduleHandle, id, &found);
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
    HDC device = context->getDevice();
    HBITMAP newMask = createMonochrome(width, height);
    if (!newMask) return;
    {
        MemoryDevice maskDevice(device, newMask);
        if (maskDevice) {
            // A colour-to-monochrome copy turns the source's background colour white.
            const COLORREF previousBackground = SetBkColor(device, keyColor.toPlatformColor());
            BitBlt(maskDevice.get(), 0, 0, width, height, device, position.h, position.v, SRCCOPY);
            SetBkColor(device, previousBackground);
        }
    }
    mask = newMask;
}

bool CBitmap::loadBitmapResource(std::int32_t id) {
    handle =
        ownedBitmaps::track(LoadBitmapA(moduleHandle, MAKEINTRESOURCEA(static_cast<WORD>(id))));
    if (!handle) return false;
    BITMAP info = {};
    if (GetObjectA(gdiObject(handle), sizeof(info), &info) != static_cast<int>(sizeof(info))) {
        ownedBitmaps::destroy(handle);
        handle = nullptr;
        return false;
    }
    width = info.bmWidth;
    height = info.bmHeight;
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
