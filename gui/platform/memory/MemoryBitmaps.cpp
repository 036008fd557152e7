// Pixel bitmaps, offscreen devices, resources of a pretend module, and bitmaps drawn onto devices
// of the memory platform. Copies between different sizes take the nearest pixel.
#include <map>
#include <new>
#include <string>
#include <utility>

#include "gui/platform/BitmapPixels.h"
#include "gui/platform/OffscreenSurface.h"
#include "gui/platform/memory/MemoryPlatform.h"
#include "gui/platform/memory/MemoryRaster.h"

namespace gui::memory {

namespace {

constexpr std::uint32_t kChannelMask = 0xFF;
constexpr std::uint32_t kFullChannel = 255;

// Stands for the module; only its address matters.
char moduleToken;

std::map<std::pair<std::int32_t, std::string>, std::vector<unsigned char>>& resources() {
    static std::map<std::pair<std::int32_t, std::string>, std::vector<unsigned char>> table;
    return table;
}

Surface* makeSurface(std::int32_t width, std::int32_t height, bool monochrome = false) {
    if (width <= 0 || height <= 0) return nullptr;
    try {
        return new Surface(width, height, monochrome);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

// Copies every pixel of the transfer that the source has, through choose (which gives false to
// leave the destination alone), onto the destination inside its clip.
template <typename Choose>
void copyEach(Device& destination, const Surface& source, const platform::BitmapTransfer& t,
              Choose choose) {
    for (std::int32_t y = 0; y < t.height; ++y)
        for (std::int32_t x = 0; x < t.width; ++x) {
            const std::int32_t sourceX = t.sourceX + x;
            const std::int32_t sourceY = t.sourceY + y;
            if (!source.contains(sourceX, sourceY) || !drawable(destination, t.x + x, t.y + y))
                continue;
            std::uint32_t& target = destination.target->at(t.x + x, t.y + y);
            std::uint32_t result = target;
            if (choose(source.at(sourceX, sourceY), x, y, result)) target = result;
        }
}

// Source over destination: the source is premultiplied, scaled by the constant alpha.
std::uint32_t blendPixel(std::uint32_t source, std::uint32_t destination, std::uint32_t alpha,
                         bool perPixelAlpha) {
    const std::uint32_t sourceAlpha = perPixelAlpha ? source >> 24 : kFullChannel;
    const std::uint32_t coverage = sourceAlpha * alpha / kFullChannel;
    std::uint32_t result = 0;
    for (unsigned shift = 0; shift < 32; shift += 8) {
        const std::uint32_t from = shift == 24 ? sourceAlpha : (source >> shift) & kChannelMask;
        const std::uint32_t to = (destination >> shift) & kChannelMask;
        const std::uint32_t mixed =
            std::min(kFullChannel, (from * alpha + to * (kFullChannel - coverage)) / kFullChannel);
        result |= mixed << shift;
    }
    return result;
}

}  // namespace

void addResource(std::int32_t id, const char* type, std::vector<unsigned char> bytes) {
    resources()[{id, type}] = std::move(bytes);
}

void removeResources() { resources().clear(); }

std::uint32_t bitmapRgb(NativeBitmap bitmap, std::int32_t x, std::int32_t y) {
    Surface* surface = bitmap;
    if (!surface || !surface->contains(x, y)) return kInvalidColor;
    return surface->at(x, y) & kRgbMask;
}

std::uint32_t deviceRgb(NativeDevice device, std::int32_t x, std::int32_t y) {
    Device* native = device;
    return native ? bitmapRgb(native->target, x, y) : kInvalidColor;
}

}  // namespace gui::memory

namespace gui::platform {

using memory::Device;
using memory::Surface;

NativeModule resourceModule() { return NativeModule::atAddress(&memory::moduleToken); }

ResourceBytes findResource(NativeModule module, std::int32_t id, const char* type) {
    ResourceBytes bytes;
    if (module.address() != &memory::moduleToken || !type) return bytes;
    const auto found = memory::resources().find({id, type});
    if (found == memory::resources().end()) return bytes;
    bytes.found = true;
    bytes.data = found->second.data();
    bytes.size = static_cast<std::uint32_t>(found->second.size());
    return bytes;
}

NativeBitmap createPixelBitmap(std::int32_t width, std::int32_t height, std::uint32_t** pixels) {
    Surface* surface = memory::makeSurface(width, height);
    *pixels = surface ? surface->pixels.data() : nullptr;
    return surface;
}

std::vector<std::uint32_t> readBitmapPixels(NativeBitmap bitmap, std::int32_t width,
                                            std::int32_t height) {
    Surface* surface = bitmap;
    if (!surface || surface->width != width || surface->height != height) return {};
    return surface->pixels;
}

NativeBitmap createScreenBitmap(std::int32_t width, std::int32_t height) {
    return memory::makeSurface(width, height);
}

NativeBitmap createSurfaceBitmap(NativeDevice, std::int32_t width, std::int32_t height) {
    return memory::makeSurface(width, height);
}

void transferPixels(NativeDevice target, const CRectangle& to, NativeDevice source,
                    const CRectangle& from) {
    Device* destination = target;
    Device* origin = source;
    if (!destination || !origin || !origin->target || to.getWidth() <= 0 || to.getHeight() <= 0)
        return;
    for (std::int32_t y = 0; y < to.getHeight(); ++y)
        for (std::int32_t x = 0; x < to.getWidth(); ++x) {
            const std::int32_t sourceX = from.left + x * from.getWidth() / to.getWidth();
            const std::int32_t sourceY = from.top + y * from.getHeight() / to.getHeight();
            if (!origin->target->contains(sourceX, sourceY) ||
                !memory::drawable(*destination, to.left + x, to.top + y))
                continue;
            destination->target->at(to.left + x, to.top + y) = origin->target->at(sourceX, sourceY);
        }
}

void drawOpaque(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer) {
    Device* native = destination;
    Surface* pixels = source;
    if (!native || !pixels) return;
    memory::copyEach(*native, *pixels, transfer,
                     [](std::uint32_t from, std::int32_t, std::int32_t, std::uint32_t& result) {
                         result = from;
                         return true;
                     });
}

void drawKeyedByMask(NativeDevice destination, NativeBitmap source, NativeBitmap mask,
                     const BitmapTransfer& transfer) {
    Device* native = destination;
    Surface* pixels = source;
    Surface* keep = mask;
    if (!native || !pixels || !keep) return;
    memory::copyEach(
        *native, *pixels, transfer,
        [&](std::uint32_t from, std::int32_t x, std::int32_t y, std::uint32_t& result) {
            const std::int32_t maskX = transfer.sourceX + x;
            const std::int32_t maskY = transfer.sourceY + y;
            if (keep->contains(maskX, maskY) &&
                (keep->at(maskX, maskY) & memory::kRgbMask) == memory::kWhitePixel)
                return false;
            result = from;
            return true;
        });
}

void drawKeyedByColor(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer,
                      std::uint32_t key) {
    Device* native = destination;
    Surface* pixels = source;
    if (!native || !pixels) return;
    const std::uint32_t keyPixel = memory::swapRedBlue(key);
    memory::copyEach(*native, *pixels, transfer,
                     [&](std::uint32_t from, std::int32_t, std::int32_t, std::uint32_t& result) {
                         if ((from & memory::kRgbMask) == keyPixel) return false;
                         result = from;
                         return true;
                     });
}

void drawBlended(NativeDevice destination, NativeBitmap source, const BitmapTransfer& transfer,
                 unsigned char alpha, bool perPixelAlpha) {
    Device* native = destination;
    Surface* pixels = source;
    if (!native || !pixels) return;
    memory::copyEach(*native, *pixels, transfer,
                     [&](std::uint32_t from, std::int32_t, std::int32_t, std::uint32_t& result) {
                         result = memory::blendPixel(from, result, alpha, perPixelAlpha);
                         return true;
                     });
}

NativeBitmap createKeyMask(NativeDevice source, std::int32_t width, std::int32_t height,
                           const CPosition& at, std::uint32_t key) {
    Surface* mask = memory::makeSurface(width, height, true);
    Device* native = source;
    if (!mask || !native || !native->target) return mask;
    const std::uint32_t keyPixel = memory::swapRedBlue(key);
    for (std::int32_t y = 0; y < height; ++y)
        for (std::int32_t x = 0; x < width; ++x) {
            const std::int32_t sourceX = at.h + x;
            const std::int32_t sourceY = at.v + y;
            const bool keyed =
                native->target->contains(sourceX, sourceY) &&
                (native->target->at(sourceX, sourceY) & memory::kRgbMask) == keyPixel;
            mask->at(x, y) = keyed ? memory::kWhitePixel : 0;
        }
    return mask;
}

}  // namespace gui::platform
