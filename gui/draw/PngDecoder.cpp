#include "gui/draw/PngDecoder.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <cstdint>

#include "gui/draw/OwnedBitmaps.h"
#include "gui/draw/PngMemoryStream.h"
#include "gui/platform/BitmapPixels.h"

namespace gui {

namespace {

constexpr int kBytesPerPixel = 4;
constexpr unsigned kAlphaShift = 24;
constexpr std::uint32_t kAlphaMask = 0xFF000000;
constexpr std::uint32_t kRedBlueMask = 0x00FF00FF;
constexpr std::uint32_t kGreenMask = 0x0000FF00;
constexpr png_uint_32 kOpaqueFiller = 0xFF;
constexpr int kEightBitDepth = 8;
constexpr int kSixteenBitDepth = 16;
constexpr unsigned kPremultiplyShift = 8;  // divides by 256, not 255: an opaque 255 becomes 254

// Lives in decodePng's frame, above the stretch that a libpng error jumps over, so what was
// recorded here before an error is still valid after it.
struct DecodeState {
    PngMemoryStream stream;
    DecodedPng result;
    unsigned char* pixels = nullptr;
    // Image rows, counted from the top, that the reader may have written.
    png_uint_32 rowsReached = 0;
    // Rows from the top already premultiplied (during the last pass, while still in cache).
    png_uint_32 rowsPremultiplied = 0;
};

// Errors return silently to the armed jump buffer: the library does not log.
[[noreturn]] void PNGCBAPI raiseDecodeError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void PNGCBAPI ignoreWarning(png_structp, png_const_charp) {}

NativeBitmap createSection(png_uint_32 width, png_uint_32 height, unsigned char** pixels) {
    std::uint32_t* bits = nullptr;
    const NativeBitmap section = platform::createPixelBitmap(
        static_cast<std::int32_t>(width), static_cast<std::int32_t>(height), &bits);
    *pixels = reinterpret_cast<unsigned char*>(bits);
    return ownedBitmaps::track(section);
}

// Every colour type ends as 8-bit blue, green, red, alpha.
void requestTransforms(png_structp png, png_infop info, int bitDepth, int colorType) {
    if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
        if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < kEightBitDepth)
            png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    else
        png_set_filler(png, kOpaqueFiller, PNG_FILLER_AFTER);
    if (bitDepth == kSixteenBitDepth) {
        png_set_swap(png);
        png_set_strip_16(png);
    }
    if (colorType == PNG_COLOR_TYPE_RGB || colorType == PNG_COLOR_TYPE_PALETTE ||
        colorType == PNG_COLOR_TYPE_RGB_ALPHA)
        png_set_bgr(png);
}

// Straight to premultiplied alpha: each colour byte becomes (value x alpha) >> 8, so a pixel with
// alpha 0 becomes all zero. Red and blue share one multiply: each product fits in 16 bits.
void premultiply(std::uint32_t* pixel, std::size_t pixelCount) {
    for (std::size_t i = 0; i < pixelCount; ++i) {
        const std::uint32_t value = pixel[i];
        const std::uint32_t alpha = value >> kAlphaShift;
        const std::uint32_t redBlue =
            ((value & kRedBlueMask) * alpha >> kPremultiplyShift) & kRedBlueMask;
        const std::uint32_t green =
            ((value & kGreenMask) * alpha >> kPremultiplyShift) & kGreenMask;
        pixel[i] = (value & kAlphaMask) | redBlue | green;
    }
}

// Premultiplies image rows [first, end), counted from the top; rows are bottom-up in memory.
void premultiplyRows(const DecodeState& state, png_uint_32 first, png_uint_32 end) {
    if (!state.pixels || end <= first) return;
    const std::size_t width = static_cast<std::size_t>(state.result.width);
    const std::size_t lowestRow = static_cast<std::size_t>(state.result.height) - end;
    auto* pixels = reinterpret_cast<std::uint32_t*>(state.pixels);
    premultiply(pixels + lowestRow * width, (end - first) * width);
}

// Each pass of an interlaced image visits every row; libpng fills in only that pass's pixels.
void readRows(png_structp png, DecodeState& state, int passes) {
    const png_uint_32 height = static_cast<png_uint_32>(state.result.height);
    const std::size_t stride = static_cast<std::size_t>(state.result.width) * kBytesPerPixel;
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            // The image's top row is the last row in memory.
            png_bytep row = state.pixels + (height - 1 - y) * stride;
            png_read_rows(png, &row, nullptr, 1);
            if (y >= state.rowsReached) state.rowsReached = y + 1;
            if (pass == passes - 1) {
                premultiplyRows(state, y, y + 1);
                state.rowsPremultiplied = y + 1;
            }
        }
    }
}

void decodeInto(png_structp png, png_infop info, DecodeState& state) {
    png_set_read_fn(png, &state.stream, readPngData);
    png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
    png_read_info(png, info);
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    state.result.width = static_cast<std::int32_t>(width);
    state.result.height = static_cast<std::int32_t>(height);
    state.result.section = createSection(width, height, &state.pixels);
    if (!state.result.section) return;
    requestTransforms(png, info, bitDepth, colorType);
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    // The reader writes whole rows: anything but exactly one section row would overrun it.
    if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * kBytesPerPixel)
        png_error(png, "unexpected row layout");
    readRows(png, state, passes);
    png_read_end(png, nullptr);
    state.result.complete = true;
}

// The only frame that calls setjmp (so the compiler never inlines it). Nothing with a destructor
// lives here or in the frames an error jumps over, and no local changes after setjmp.
void decodeRecovering(png_structp png, png_infop info, DecodeState& state) {
    if (setjmp(png_jmpbuf(png))) return;
    decodeInto(png, info, state);
}

}  // namespace

DecodedPng decodePngResource(NativeModule module, std::int32_t id, bool* found) {
    const platform::ResourceBytes bytes = platform::findResource(module, id, "PNG");
    if (found) *found = bytes.found;
    if (!bytes.found) return {};
    return decodePng(bytes.data, bytes.size);
}

DecodedPng decodePng(const unsigned char* data, std::uint32_t size) {
    DecodeState state;
    state.stream.data = data;
    state.stream.size = size;
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, raiseDecodeError, ignoreWarning);
    if (!png) return state.result;
    png_infop info = png_create_info_struct(png);
    if (info) decodeRecovering(png, info, state);
    png_destroy_read_struct(&png, &info, nullptr);
    // After an error the rows decoded so far still get the same pixel form.
    premultiplyRows(state, state.rowsPremultiplied, state.rowsReached);
    return state.result;
}

}  // namespace gui
