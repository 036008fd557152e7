#include "gui/draw/OwnedBitmaps.h"

#include <windows.h>

#include <atomic>

namespace gui::ownedBitmaps {

namespace {
// Artwork for a scale may be prepared away from the user-interface thread.
std::atomic<std::int32_t> aliveCount{0};
}  // namespace

HBITMAP track(HBITMAP bitmap) {
    if (bitmap) ++aliveCount;
    return bitmap;
}

void destroy(HBITMAP bitmap) {
    if (!bitmap) return;
    DeleteObject(bitmap);
    --aliveCount;
}

std::int32_t alive() { return aliveCount; }

}  // namespace gui::ownedBitmaps
