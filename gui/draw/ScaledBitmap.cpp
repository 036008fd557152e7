// The bitmap at a scale: its larger drawings among the module's resources, or its own pixels,
// brought once to the exact size the scale gives and kept for every later drawing.
#include <cstring>
#include <future>
#include <map>
#include <mutex>
#include <tuple>

#include "gui/draw/AreaAverage.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/OwnedBitmaps.h"
#include "gui/draw/PngDecoder.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/BitmapPixels.h"

namespace gui {

namespace {

std::vector<std::uint32_t> readPixels(NativeBitmap bitmap, std::int32_t width,
                                      std::int32_t height) {
    return platform::readBitmapPixels(bitmap, width, height);
}

NativeBitmap sectionOf(const std::vector<std::uint32_t>& pixels, std::int32_t width,
                       std::int32_t height) {
    std::uint32_t* bits = nullptr;
    const NativeBitmap section = platform::createPixelBitmap(width, height, &bits);
    if (!section) return nullptr;
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    return ownedBitmaps::track(section);
}

// Scaled artwork by module, resource, its first larger drawing, and size. Entries are filled by
// the first bitmap that needs them, on its thread or in the background; later ones wait for that.
using SharedKey = std::tuple<void*, std::int32_t, std::int32_t, std::int32_t, std::int32_t>;
using SharedEntry = std::shared_future<std::shared_ptr<const void>>;

struct SharedArtwork {
    std::mutex guard;
    std::map<SharedKey, SharedEntry> entries;
};

SharedArtwork& sharedArtwork() {
    static SharedArtwork artwork;
    return artwork;
}

}  // namespace

struct CBitmap::ScaleJob {
    NativeModule module;
    std::int32_t width;
    std::int32_t height;
    std::vector<ScaledResource> drawings;
    // Read only when no larger drawing fits. A job in the background has a copy of the pixels
    // instead, since the bitmap may go while it runs.
    NativeBitmap own;
    double scale;
    std::vector<std::uint32_t> ownCopy;

    // The smallest drawing at or above the scale, else the largest there is; null for none.
    const ScaledResource* chosenDrawing() const {
        const ScaledResource* chosen = nullptr;
        for (const ScaledResource& drawing : drawings) {
            const bool covers = drawing.factor >= scale;
            const bool chosenCovers = chosen && chosen->factor >= scale;
            if (!chosen || (covers && (!chosenCovers || drawing.factor < chosen->factor)) ||
                (!covers && !chosenCovers && drawing.factor > chosen->factor))
                chosen = &drawing;
        }
        return chosen;
    }
    SharedKey key(std::int32_t resource) const {
        const std::int32_t larger = drawings.empty() ? 0 : drawings.front().resourceId;
        return SharedKey(module.address(), resource, larger, toDevice(width, scale),
                         toDevice(height, scale));
    }
};

void CBitmap::releaseSharedScaledPixels() {
    std::map<SharedKey, SharedEntry> released;
    {
        const std::lock_guard<std::mutex> lock(sharedArtwork().guard);
        released.swap(sharedArtwork().entries);
    }
    // Preparations still running are waited for here, as their entries go.
}

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

CBitmap::ScaleJob CBitmap::jobFor(double scale) const {
    return ScaleJob{platform::resourceModule(), width, height, scaledResources, handle, scale, {}};
}

std::shared_ptr<const CBitmap::Pixels> CBitmap::sharedPixelsAt(double scale) {
    const ScaleJob job = jobFor(scale);
    // Only artwork from resources is the same wherever it is loaded.
    if (loadedResource == 0) return prepareShared(job);
    std::promise<std::shared_ptr<const void>> mine;
    SharedEntry entry;
    bool preparesHere = false;
    {
        const std::lock_guard<std::mutex> lock(sharedArtwork().guard);
        auto& entries = sharedArtwork().entries;
        const auto found = entries.find(job.key(loadedResource));
        if (found != entries.end()) {
            entry = found->second;
        } else {
            entry = mine.get_future().share();
            entries.emplace(job.key(loadedResource), entry);
            preparesHere = true;
        }
    }
    if (preparesHere) mine.set_value(prepareShared(job));
    return std::static_pointer_cast<const Pixels>(entry.get());
}

void CBitmap::prepareAhead(double scale) {
    if (acceptedScale(scale) == 0.0 || scale == 1.0 || loadedResource == 0) return;
    ScaleJob job = jobFor(scale);
    const ScaledResource* drawing = job.chosenDrawing();
    if (!drawing || drawing->factor < scale) return;
    const std::lock_guard<std::mutex> lock(sharedArtwork().guard);
    auto& entries = sharedArtwork().entries;
    const SharedKey key = job.key(loadedResource);
    if (entries.count(key) != 0) return;
    try {
        // The larger drawing may turn out not to fit (another layout, a damaged file, no memory
        // for it); the picture then falls back to the bitmap's own pixels, as on the first
        // drawing.
        job.ownCopy = readPixels(handle, width, height);
        job.own = nullptr;
        const auto inBackground = [job = std::move(job)]() -> std::shared_ptr<const void> {
            return prepareShared(job);
        };
        entries.emplace(key, std::async(std::launch::async, inBackground).share());
    } catch (const std::exception&) {
        // Without a thread the first drawing prepares it.
    }
}

// The prepared pixels own their bitmap. Without memory for them nothing is drawn at the scale.
std::shared_ptr<const CBitmap::Pixels> CBitmap::prepareShared(const ScaleJob& job) {
    const auto destroy = [](const Pixels* pixels) {
        ownedBitmaps::destroy(pixels->handle);
        delete pixels;
    };
    try {
        return std::shared_ptr<const Pixels>(new Pixels(prepare(job)), destroy);
    } catch (const std::bad_alloc&) {
        return std::make_shared<const Pixels>();
    }
}

CBitmap::Pixels CBitmap::prepare(const ScaleJob& job) {
    const std::int32_t targetWidth = toDevice(job.width, job.scale);
    const std::int32_t targetHeight = toDevice(job.height, job.scale);
    const ScaledResource* chosen = job.chosenDrawing();
    std::vector<std::uint32_t> pixels;
    std::int32_t sourceWidth = job.width;
    std::int32_t sourceHeight = job.height;
    if (chosen) {
        const DecodedPng decoded = decodePngResource(job.module, chosen->resourceId);
        // A drawing of another layout is not this bitmap's: its own pixels serve instead.
        const bool fits = decoded.complete && decoded.width == job.width * chosen->factor &&
                          decoded.height == job.height * chosen->factor;
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
        pixels = job.own ? readPixels(job.own, job.width, job.height) : job.ownCopy;
        sourceWidth = job.width;
        sourceHeight = job.height;
    }
    const std::vector<std::uint32_t> resized =
        areaAverage(pixels, sourceWidth, sourceHeight, targetWidth, targetHeight);
    if (resized.empty()) return {};
    return {sectionOf(resized, targetWidth, targetHeight), targetWidth, targetHeight};
}

void CBitmap::disposePrepared() { prepared.clear(); }

}  // namespace gui
