#include "gui/draw/OwnedBitmaps.h"

#include <atomic>

#include "gui/platform/BitmapPixels.h"

namespace gui::ownedBitmaps {

namespace {
// Artwork for a scale may be prepared away from the user-interface thread.
std::atomic<std::int32_t> aliveCount{0};
}  // namespace

NativeBitmap track(NativeBitmap bitmap) {
    if (bitmap) ++aliveCount;
    return bitmap;
}

void destroy(NativeBitmap bitmap) {
    if (!bitmap) return;
    platform::deleteBitmap(bitmap);
    --aliveCount;
}

std::int32_t alive() { return aliveCount; }

}  // namespace gui::ownedBitmaps
