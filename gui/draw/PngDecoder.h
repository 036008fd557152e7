// Decodes PNG bytes into the platform's pixel bitmap: 32-bit premultiplied, rows bottom-up,
// pixels blue, green, red, alpha, the form blending with per-pixel alpha takes.
#pragma once

#include <cstdint>

#include "gui/platform/NativeHandle.h"

namespace gui {

// Widest and tallest image accepted; a header claiming more is refused before any allocation.
inline constexpr std::uint32_t kMaxPngSide = 16384;

struct DecodedPng {
    // Owned by the caller and counted by ownedBitmaps; null when the header was refused or the
    // section could not be made. After an error it holds the rows decoded so far (the rest are
    // zero), premultiplied like a complete image.
    NativeBitmap section = nullptr;
    // From the header once it was accepted, else 0.
    std::int32_t width = 0;
    std::int32_t height = 0;
    // True when every row and the end of the image were read without error.
    bool complete = false;
};

DecodedPng decodePng(const unsigned char* data, std::uint32_t size);

// The resource of that id and type "PNG" in module, decoded; found (may be null) tells whether
// the resource is there at all, damaged or not.
DecodedPng decodePngResource(NativeModule module, std::int32_t id, bool* found = nullptr);

}  // namespace gui
