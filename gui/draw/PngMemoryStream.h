// PNG bytes held in memory (a locked resource or a caller's buffer) and the callback through
// which libpng reads them.
#pragma once

#include <png.h>

#include <cstddef>
#include <cstdint>

namespace gui {

struct PngMemoryStream {
    const unsigned char* data = nullptr;
    std::uint32_t position = 0;  // bytes consumed so far
    std::uint32_t size = 0;
};

// libpng read callback; the I/O pointer is a PngMemoryStream. A request that runs past the end
// of the bytes raises a libpng error instead of handing libpng a buffer it never filled.
void PNGCBAPI readPngData(png_structp png, png_bytep destination, std::size_t count);

}  // namespace gui
