// Every bitmap that the toolkit's bitmaps create is counted here when made and when deleted, so
// that a leak can be seen on systems that keep no count of GDI objects for a process.
#pragma once

#include <cstdint>

#include "gui/platform/NativeHandle.h"

namespace gui::ownedBitmaps {

// Counts a newly created bitmap; null (a failed creation) is not counted. Returns the bitmap.
NativeBitmap track(NativeBitmap bitmap);
// Deletes a bitmap that track counted; null is ignored.
void destroy(NativeBitmap bitmap);
// Bitmaps created through track and not yet destroyed.
std::int32_t alive();

}  // namespace gui::ownedBitmaps
