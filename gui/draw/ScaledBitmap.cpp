// The bitmap at a scale: its larger drawings among the module's resources, or its own pixels,
// brought once to the exact size the scale gives and kept for every later drawing.
#include <windows.h>

#include <cstring>
#include <map>
#include <tuple>

#include "gui/draw/AreaAverage.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/OwnedBitmaps.h"
#include "gui/draw/PlatformGlobals.h"
#include "gui/draw/PngDecoder.h"
#include "gui/draw/Scaling.h"

namespace gui {

namespace {

constexpr WORD kPixelBits = 32;
constexpr WORD kPlanes = 1;
const char* const kPngResourceType = "PNG";

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

std::vector<std::uint32_t> readPixels(HBITMAP bitmap, std::int32_t width, std::int32_t height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info = pixelFormat(width, height);
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != height) pixels.clear();
    return pixels;
}

HBITMAP sectionOf(const std::vector<std::uint32_t>& pixels, std::int32_t width,
                  std::int32_t height) {
    const BITMAPINFO info = pixelFormat(width, height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) return nullptr;
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    return ownedBitmaps::track(section);
}

DecodedPng decodeResource(std::int32_t id) {
    HRSRC resource =
        FindResourceA(moduleHandle, MAKEINTRESOURCEA(static_cast<WORD>(id)), kPngResourceType);
    HGLOBAL loaded = resource ? LoadResource(moduleHandle, resource) : nullptr;
    if (!loaded) return {};
    return decodePng(static_cast<const unsigned char*>(LockResource(loaded)),
                     SizeofResource(moduleHandle, resource));
}

// Scaled artwork by module, resource, its first larger drawing, and size.
using SharedKey = std::tuple<HMODULE, std::int32_t, std::int32_t, std::int32_t, std::int32_t>;
std::map<SharedKey, std::shared_ptr<const void>>& sharedPixels() {
    static std::map<SharedKey, std::shared_ptr<const void>> kept;
    return kept;
}

}  // namespace

void CBitmap::releaseSharedScaledPixels() { sharedPixels().clear(); }

void CBitmap::addScaledResource(std::int32_t factor, std::int32_t id) {
    // Factor 1 is the bitmap itself.
    if (factor < 2) return;
    scaledResources.push_back({factor, id});
    disposePrepared();
}

CBitmap::Pixels CBitmap::pixelsAt(double scale) {
    if (scale == 1.0 || !handle) return {handle, width, height};
    for (const Prepared& made : prepared)
        if (made.scale == scale) return *made.pixels;
    // A failure is kept too: it would fail the same way on every frame.
    prepared.push_back({scale, sharedPixelsAt(scale)});
    return *prepared.back().pixels;
}

std::shared_ptr<const CBitmap::Pixels> CBitmap::sharedPixelsAt(double scale) {
    const auto own = [](const Pixels& made) {
        return std::shared_ptr<const Pixels>(new Pixels(made), [](const Pixels* pixels) {
            ownedBitmaps::destroy(pixels->handle);
            delete pixels;
        });
    };
    // Only artwork from resources is the same wherever it is loaded.
    if (loadedResource == 0) return own(prepare(scale));
    const std::int32_t larger = scaledResources.empty() ? 0 : scaledResources.front().resourceId;
    const SharedKey key(moduleHandle, loadedResource, larger, toDevice(width, scale),
                        toDevice(height, scale));
    std::shared_ptr<const void>& kept = sharedPixels()[key];
    if (!kept) kept = own(prepare(scale));
    return std::static_pointer_cast<const Pixels>(kept);
}

CBitmap::Pixels CBitmap::prepare(double scale) {
    const std::int32_t targetWidth = toDevice(width, scale);
    const std::int32_t targetHeight = toDevice(height, scale);
    // The smallest drawing at or above the scale, else the largest there is.
    const ScaledResource* chosen = nullptr;
    for (const ScaledResource& drawing : scaledResources) {
        const bool covers = drawing.factor >= scale;
        const bool chosenCovers = chosen && chosen->factor >= scale;
        if (!chosen || (covers && (!chosenCovers || drawing.factor < chosen->factor)) ||
            (!covers && !chosenCovers && drawing.factor > chosen->factor))
            chosen = &drawing;
    }
    std::vector<std::uint32_t> pixels;
    std::int32_t sourceWidth = width;
    std::int32_t sourceHeight = height;
    if (chosen) {
        const DecodedPng decoded = decodeResource(chosen->resourceId);
        // A drawing of another layout is not this bitmap's: its own pixels serve instead.
        const bool fits = decoded.complete && decoded.width == width * chosen->factor &&
                          decoded.height == height * chosen->factor;
        if (fits && decoded.width == targetWidth && decoded.height == targetHeight)
            return {decoded.section, targetWidth, targetHeight};
        if (fits) {
            pixels = readPixels(decoded.section, decoded.width, decoded.height);
            sourceWidth = decoded.width;
            sourceHeight = decoded.height;
        }
        ownedBitmaps::destroy(decoded.section);
    }
    if (pixels.empty()) {
        pixels = readPixels(handle, width, height);
        sourceWidth = width;
        sourceHeight = height;
    }
    const std::vector<std::uint32_t> resized =
        areaAverage(pixels, sourceWidth, sourceHeight, targetWidth, targetHeight);
    if (resized.empty()) return {};
    return {sectionOf(resized, targetWidth, targetHeight), targetWidth, targetHeight};
}

void CBitmap::disposePrepared() { prepared.clear(); }

}  // namespace gui
