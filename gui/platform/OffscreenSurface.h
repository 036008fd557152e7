// Devices that draw into bitmaps instead of windows, and copies between devices. All calls are
// made on the user-interface thread; sizes and rectangles are device pixels.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/NativeHandle.h"

namespace gui::platform {

// A device for bitmaps that can be copied to compatibleWith (null: the screen); null on failure.
NativeDevice createMemoryDevice(NativeDevice compatibleWith);
// Null is ignored.
void deleteMemoryDevice(NativeDevice device);
// An uninitialised bitmap in reference's pixel format; null for a non-positive size or failure.
NativeBitmap createSurfaceBitmap(NativeDevice reference, std::int32_t width, std::int32_t height);
// Selects the bitmap into a memory device; returns the bitmap it replaces, null on failure.
NativeBitmap selectBitmap(NativeDevice device, NativeBitmap bitmap);
// Copies the from area of source onto the to area of target, stretched with averaging where the
// sizes differ.
void transferPixels(NativeDevice target, const CRectangle& to, NativeDevice source,
                    const CRectangle& from);

}  // namespace gui::platform
