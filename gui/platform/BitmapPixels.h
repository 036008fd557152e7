// Bitmaps with pixels the toolkit can write and read, the module resources artwork comes from, and
// the ways a bitmap is drawn onto a device. Pixel bitmaps hold 32-bit premultiplied pixels, blue,
// green, red, alpha from the lowest address up, rows bottom-up. Bitmaps and resources may be
// used on any thread (artwork is prepared in the background); drawing only on the
// user-interface thread.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/NativeHandle.h"

namespace gui::platform {

// One block transfer: destination, size and the source's top-left pixel, already clipped to the
// source bitmap.
struct BitmapTransfer {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
    std::int32_t sourceX;
    std::int32_t sourceY;
};

struct ResourceBytes {
    const unsigned char* data = nullptr;
    std::uint32_t size = 0;
    // The resource exists (data may still be null when it is empty).
    bool found = false;
};

// The module whose resources hold the artwork.
NativeModule resourceModule();
// The bytes of module's resource of that id and type; they live as long as the module.
ResourceBytes findResource(NativeModule module, std::int32_t id, const char* type);

// A pixel bitmap and its pixels, zeroed; null (pixels null) on failure.
NativeBitmap createPixelBitmap(std::int32_t width, std::int32_t height, std::uint32_t** pixels);
// The bitmap's pixels in the pixel bitmaps' layout; empty on failure.
std::vector<std::uint32_t> readBitmapPixels(NativeBitmap bitmap, std::int32_t width,
                                            std::int32_t height);
// An uninitialised bitmap in the screen's pixel format; null on failure.
NativeBitmap createScreenBitmap(std::int32_t width, std::int32_t height);
// A plain bitmap resource of the module; null when there is none.
NativeBitmap loadBitmapResource(NativeModule module, std::int32_t id);
// False (sizes untouched) when the bitmap cannot be asked.
bool bitmapSize(NativeBitmap bitmap, std::int32_t& width, std::int32_t& height);
// Null is ignored.
void deleteBitmap(NativeBitmap bitmap);

void drawOpaque(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer);
// The mask's white pixels keep the destination, its black pixels take the source.
void drawKeyedByMask(NativeDevice destination, NativeBitmap source, NativeBitmap mask,
                     const BitmapTransfer& transfer);
// Leaves out the source's pixels of the key colour (0x00BBGGRR).
void drawKeyedByColor(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer,
                      std::uint32_t key);
// Blends with the constant alpha and, with perPixelAlpha, the source's own premultiplied alpha;
// without blending on the system, copies opaquely unless alpha is 0.
void drawBlended(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer,
                 unsigned char alpha, bool perPixelAlpha);
// A width x height mask of what source shows from at on: white where it shows the key colour,
// black elsewhere. Null when no mask could be made; unfilled when source could not be read.
NativeBitmap createKeyMask(NativeDevice source, std::int32_t width, std::int32_t height,
                           const CPosition& at, std::uint32_t key);

}  // namespace gui::platform
