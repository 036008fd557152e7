#include "gui/draw/OwnedBitmaps.h"

#include <windows.h>

namespace gui::ownedBitmaps {

namespace {
// Touched on the user-interface thread only, like every other toolkit object.
std::int32_t aliveCount = 0;
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
