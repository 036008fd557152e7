// Pixel bitmaps as 32-bit DIB sections, module resources, and bitmaps drawn with block transfers,
// msimg32's TransparentBlt and AlphaBlend where the system has them, and masks where it has not.
#include <cstring>
#include <memory>

#include "gui/platform/BitmapPixels.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/win32/Win32MemoryDevice.h"

namespace gui::platform {

namespace {

constexpr WORD kPixelBits = 32;
constexpr WORD kPlanes = 1;
constexpr UINT kMonochromePlanes = 1;
constexpr UINT kMonochromeBits = 1;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr DWORD kWindows98Major = 4;
constexpr DWORD kWindows98Minor = 10;

struct BitmapDeleter {
    void operator()(HBITMAP bitmap) const {
        if (bitmap) DeleteObject(bitmap);
    }
};
// A bitmap that lives for one drawing operation.
using ScopedBitmap = std::unique_ptr<HBITMAP__, BitmapDeleter>;

// Rows bottom-up, as the decoder lays out its sections.
BITMAPINFO pixelFormat(std::int32_t width, std::int32_t height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = kPlanes;
    info.bmiHeader.biBitCount = kPixelBits;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP createMonochrome(int width, int height) {
    return CreateBitmap(width, height, kMonochromePlanes, kMonochromeBits, nullptr);
}

bool isWindows98() {
    return osVersion.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS &&
           osVersion.dwMajorVersion == kWindows98Major &&
           osVersion.dwMinorVersion == kWindows98Minor;
}

void blend(HDC destination, const BitmapTransfer& t, HDC sourceDevice, int sourceX, int sourceY,
           BLENDFUNCTION function) {
    alphaBlendEntry(destination, t.x, t.y, t.width, t.height, sourceDevice, sourceX, sourceY,
                    t.width, t.height, function);
}

// Windows 98 blends only from a bitmap of exactly the blended size, so the area is copied out.
void blendThroughCopy(HDC destination, const BitmapTransfer& t, HDC sourceDevice,
                      BLENDFUNCTION function) {
    ScopedBitmap copy(CreateCompatibleBitmap(sourceDevice, t.width, t.height));
    MemoryDevice copyDevice(sourceDevice, copy.get());
    if (!copyDevice) return;
    BitBlt(copyDevice.get(), 0, 0, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCCOPY);
    blend(destination, t, copyDevice.get(), 0, 0, function);
}

void copyOpaque(HDC destination, const BitmapTransfer& t, HDC sourceDevice) {
    BitBlt(destination, t.x, t.y, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCCOPY);
}

// Without TransparentBlt: a monochrome mask of the key colour's pixels made on the spot; the
// destination's background and text colours turn its white into keep and black into replace.
void keyThroughColor(HDC destination, const BitmapTransfer& t, HDC sourceDevice, COLORREF key) {
    ScopedBitmap monochrome(createMonochrome(t.width, t.height));
    MemoryDevice maskDevice(destination, monochrome.get());
    if (!maskDevice) return;
    SetBkColor(sourceDevice, key);
    BitBlt(maskDevice.get(), 0, 0, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCCOPY);
    BitBlt(destination, t.x, t.y, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCINVERT);
    BitBlt(destination, t.x, t.y, t.width, t.height, maskDevice.get(), 0, 0, SRCAND);
    BitBlt(destination, t.x, t.y, t.width, t.height, sourceDevice, t.sourceX, t.sourceY, SRCINVERT);
}

}  // namespace

NativeModule resourceModule() { return moduleHandle; }

ResourceBytes findResource(NativeModule module, std::int32_t id, const char* type) {
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(static_cast<WORD>(id)), type);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    ResourceBytes bytes;
    bytes.found = loaded != nullptr;
    if (!loaded) return bytes;
    bytes.data = static_cast<const unsigned char*>(LockResource(loaded));
    bytes.size = SizeofResource(module, resource);
    return bytes;
}

NativeBitmap createPixelBitmap(std::int32_t width, std::int32_t height, std::uint32_t** pixels) {
    const BITMAPINFO info = pixelFormat(width, height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (section && !bits) DeleteObject(section);
    if (!section || !bits) {
        *pixels = nullptr;
        return nullptr;
    }
    *pixels = static_cast<std::uint32_t*>(bits);
    return section;
}

std::vector<std::uint32_t> readBitmapPixels(NativeBitmap bitmap, std::int32_t width,
                                            std::int32_t height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info = pixelFormat(width, height);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height) pixels.clear();
    return pixels;
}

NativeBitmap createScreenBitmap(std::int32_t width, std::int32_t height) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

NativeBitmap loadBitmapResource(NativeModule module, std::int32_t id) {
    return LoadBitmapA(module, MAKEINTRESOURCEA(static_cast<WORD>(id)));
}

bool bitmapSize(NativeBitmap bitmap, std::int32_t& width, std::int32_t& height) {
    BITMAP info = {};
    if (GetObjectA(gdiObject(bitmap), sizeof(info), &info) != static_cast<int>(sizeof(info)))
        return false;
    width = info.bmWidth;
    height = info.bmHeight;
    return true;
}

void deleteBitmap(NativeBitmap bitmap) {
    if (bitmap) DeleteObject(gdiObject(bitmap));
}

void drawOpaque(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer) {
    MemoryDevice sourceDevice(destination, source);
    if (!sourceDevice) return;
    copyOpaque(destination, transfer, sourceDevice.get());
}

// Background ^ source, cleared where the mask is black, ^ source again: the mask's white pixels
// keep the background, its black pixels take the source.
void drawKeyedByMask(NativeDevice destination, NativeBitmap source, NativeBitmap mask,
                     const BitmapTransfer& t) {
    MemoryDevice sourceDevice(destination, source);
    if (!sourceDevice) return;
    MemoryDevice maskDevice(destination, mask);
    ScopedBitmap work(CreateCompatibleBitmap(destination, t.width, t.height));
    MemoryDevice workDevice(destination, work.get());
    if (!maskDevice || !workDevice) return;
    HDC workDc = workDevice.get();
    BitBlt(workDc, 0, 0, t.width, t.height, destination, t.x, t.y, SRCCOPY);
    BitBlt(workDc, 0, 0, t.width, t.height, sourceDevice.get(), t.sourceX, t.sourceY, SRCINVERT);
    BitBlt(workDc, 0, 0, t.width, t.height, maskDevice.get(), t.sourceX, t.sourceY, SRCAND);
    BitBlt(workDc, 0, 0, t.width, t.height, sourceDevice.get(), t.sourceX, t.sourceY, SRCINVERT);
    BitBlt(destination, t.x, t.y, t.width, t.height, workDc, 0, 0, SRCCOPY);
}

void drawKeyedByColor(NativeDevice destination, NativeBitmap source, const BitmapTransfer& t,
                      std::uint32_t key) {
    MemoryDevice sourceDevice(destination, source);
    if (!sourceDevice) return;
    if (transparentBltEntry) {
        transparentBltEntry(destination, t.x, t.y, t.width, t.height, sourceDevice.get(), t.sourceX,
                            t.sourceY, t.width, t.height, key);
        return;
    }
    const COLORREF previousBackground = SetBkColor(destination, kWhite);
    const COLORREF previousText = SetTextColor(destination, kBlack);
    keyThroughColor(destination, t, sourceDevice.get(), key);
    SetTextColor(destination, previousText);
    SetBkColor(destination, previousBackground);
}

void drawBlended(NativeDevice destination, NativeBitmap source, const BitmapTransfer& t,
                 unsigned char alpha, bool perPixelAlpha) {
    MemoryDevice sourceDevice(destination, source);
    if (!sourceDevice) return;
    if (!alphaBlendEntry) {
        // Without msimg32 the artwork is still shown, only without its translucency.
        if (alpha != 0) copyOpaque(destination, t, sourceDevice.get());
        return;
    }
    const BLENDFUNCTION function = {AC_SRC_OVER, 0, alpha,
                                    static_cast<BYTE>(perPixelAlpha ? AC_SRC_ALPHA : 0)};
    if (isWindows98())
        blendThroughCopy(destination, t, sourceDevice.get(), function);
    else
        blend(destination, t, sourceDevice.get(), t.sourceX, t.sourceY, function);
}

NativeBitmap createKeyMask(NativeDevice source, std::int32_t width, std::int32_t height,
                           const CPosition& at, std::uint32_t key) {
    HBITMAP mask = createMonochrome(width, height);
    if (!mask) return nullptr;
    MemoryDevice maskDevice(source, mask);
    if (maskDevice) {
        // A colour-to-monochrome copy turns the source's background colour white.
        const COLORREF previousBackground = SetBkColor(source, key);
        BitBlt(maskDevice.get(), 0, 0, width, height, source, at.h, at.v, SRCCOPY);
        SetBkColor(source, previousBackground);
    }
    return mask;
}

}  // namespace gui::platform
