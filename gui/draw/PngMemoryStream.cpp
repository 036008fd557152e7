#include "gui/draw/PngMemoryStream.h"

#include <algorithm>
#include <cstring>

namespace gui {

void PNGCBAPI readPngData(png_structp png, png_bytep destination, std::size_t count) {
    auto* stream = static_cast<PngMemoryStream*>(png_get_io_ptr(png));
    if (!stream || !stream->data) png_error(png, "no PNG data");
    // Compared as a remainder so that a huge count cannot wrap the sum past the end.
    const std::size_t remaining = stream->size - std::min(stream->position, stream->size);
    if (count > remaining) png_error(png, "PNG data ends early");
    std::memcpy(destination, stream->data + stream->position, count);
    stream->position += static_cast<std::uint32_t>(count);
}

}  // namespace gui
