// Decoding: every colour type and bit depth ends as premultiplied blue, green, red, alpha with
// the rows stored bottom-up; damaged and hostile files fail without harm.
#include <png.h>

#include <csetjmp>
#include <cstdint>
#include <utility>
#include <vector>

#include "gui/draw/PngMemoryStream.h"
#include "gui/platform/win32/Win32Handles.h"
#include "tests/gui/draw/BitmapTestSupport.h"

using namespace gui;
using bitmaptest::Bgra;
using bitmaptest::pixelAt;

namespace {

constexpr Bgra kClear{0, 0, 0, 0};
constexpr Bgra kBlack{0, 0, 0, 255};
// 255 premultiplied by an alpha of 255 with a shift by 8.
constexpr Bgra kWhite{254, 254, 254, 255};

class PngDecode : public bitmaptest::BitmapTest {
  protected:
    // Loads a "PNG" resource and compares every pixel, listed row by row from the top.
    void expectImage(int id, int width, int height, const std::vector<Bgra>& expected) {
        CBitmap bitmap(id);
        ASSERT_TRUE(bitmap.isLoaded()) << "resource " << id;
        ASSERT_EQ(bitmap.getWidth(), width);
        ASSERT_EQ(bitmap.getHeight(), height);
        EXPECT_FALSE(bitmap.getIgnoreAlpha());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(pixelAt(bitmap, x, y), expected[y * width + x])
                    << "resource " << id << " pixel " << x << ", " << y;
    }
};

TEST_F(PngDecode, GreyOfEveryDepthBecomesOpaqueGreyOverTheFullRange) {
    expectImage(IDP_GREY1, 8, 2,
                {kWhite, kBlack, kWhite, kWhite, kBlack, kBlack, kWhite, kBlack,  //
                 kBlack, kWhite, kBlack, kBlack, kWhite, kWhite, kBlack, kWhite});
    expectImage(IDP_GREY2, 4, 1, {kBlack, {84, 84, 84, 255}, {169, 169, 169, 255}, kWhite});
    expectImage(IDP_GREY4, 4, 1,
                {{16, 16, 16, 255}, {118, 118, 118, 255}, {237, 237, 237, 255}, kWhite});
    expectImage(IDP_GREY8, 4, 1, {kBlack, kBlack, {127, 127, 127, 255}, kWhite});
    // 16-bit samples keep their high byte: 0x12FF -> 18, 0xABCD -> 171.
    expectImage(IDP_GREY16, 4, 1, {kBlack, {17, 17, 17, 255}, {170, 170, 170, 255}, kWhite});
}

TEST_F(PngDecode, AlphaChannelsArePremultipliedByShiftingRightEightBits) {
    // Grey 200 at alpha 128 -> 100; alpha 0 clears the pixel; grey 10 at alpha 1 -> 0.
    expectImage(IDP_GREY_ALPHA8, 4, 1, {{100, 100, 100, 128}, kClear, kWhite, {0, 0, 0, 1}});
    expectImage(IDP_GREY_ALPHA16, 3, 1, {{100, 100, 100, 128}, kClear, kWhite});
    // Red 200, green 100, blue 50 at alpha 128 -> 25, 50, 100; white at alpha 0 -> all zero.
    expectImage(IDP_RGBA8, 2, 2, {{25, 50, 100, 128}, kClear, {29, 19, 9, 255}, {0, 32, 63, 64}});
    expectImage(IDP_RGBA16, 2, 1, {{25, 50, 100, 128}, kClear});
}

TEST_F(PngDecode, RgbGainsOpaqueAlphaAndBlueGreenRedOrder) {
    expectImage(IDP_RGB8, 2, 2,
                {{49, 99, 199, 255}, {0, 0, 254, 255}, {0, 254, 0, 255}, {254, 0, 0, 255}});
    // 0x0102, 0xFEFF, 0x8000 -> 1, 254, 128 -> 0, 253, 127.
    expectImage(IDP_RGB16, 2, 1, {{49, 99, 199, 255}, {127, 253, 0, 255}});
}

TEST_F(PngDecode, PalettesExpandToTheirColours) {
    const Bgra red{0, 0, 254, 255};
    const Bgra blue{254, 0, 0, 255};
    const Bgra brown{49, 99, 199, 255};
    expectImage(IDP_PALETTE2, 4, 2, {red, blue, brown, kBlack, kBlack, brown, blue, red});
}

TEST_F(PngDecode, TransparencyChunksTurnIntoAlpha) {
    // Palette alphas 0 and 128 for the first two entries; the others stay opaque.
    expectImage(IDP_PALETTE8_TRNS, 4, 1, {kClear, {127, 0, 0, 128}, {49, 99, 199, 255}, kBlack});
    // The grey 128 and the colour (40, 50, 60) are the transparent ones.
    expectImage(IDP_GREY8_TRNS, 3, 1, {{9, 9, 9, 255}, kClear, {199, 199, 199, 255}});
    expectImage(IDP_RGB8_TRNS, 2, 1, {{29, 19, 9, 255}, kClear});
}

TEST_F(PngDecode, RowsAreStoredBottomUpWithoutPadding) {
    CBitmap bitmap(IDP_RGB8);
    const DIBSECTION section = bitmaptest::sectionOf(bitmap);
    EXPECT_EQ(section.dsBmih.biHeight, 2);
    EXPECT_EQ(section.dsBmih.biBitCount, 32);
    EXPECT_EQ(section.dsBmih.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(section.dsBm.bmWidthBytes, 8);
    GdiFlush();
    // The first bytes in memory are the image's bottom-left pixel: green, (0, 255, 0).
    const auto* first = static_cast<const unsigned char*>(section.dsBm.bmBits);
    EXPECT_EQ((Bgra{first[0], first[1], first[2], first[3]}), (Bgra{0, 254, 0, 255}));
}

TEST_F(PngDecode, InterlacedImagesMatchTheirPlainTwins) {
    for (const auto& [interlaced, plain] : {std::pair{IDP_INTERLACED, IDP_INTERLACED_TWIN},
                                            {IDP_INTERLACED_GREY1, IDP_INTERLACED_GREY1_TWIN}}) {
        CBitmap a(interlaced), b(plain);
        ASSERT_TRUE(a.isLoaded() && b.isLoaded());
        ASSERT_EQ(a.getWidth(), b.getWidth());
        ASSERT_EQ(a.getHeight(), b.getHeight());
        for (int y = 0; y < a.getHeight(); ++y)
            for (int x = 0; x < a.getWidth(); ++x)
                ASSERT_EQ(pixelAt(a, x, y), pixelAt(b, x, y)) << x << ", " << y;
    }
    // Pixel (x, y) of the 13 x 11 picture is (19x, 23y, 7xy mod 256) at alpha 255 - xy.
    CBitmap picture(IDP_INTERLACED);
    EXPECT_EQ(pixelAt(picture, 5, 3), (Bgra{98, 64, 89, 240}));
    EXPECT_EQ(pixelAt(picture, 12, 10), (Bgra{37, 121, 120, 135}));
}

TEST_F(PngDecode, SidesUpTo16384AreAcceptedAndLongerOnesRefusedBeforeAllocation) {
    CBitmap wide(IDP_AT_LIMIT);
    ASSERT_TRUE(wide.isLoaded());
    EXPECT_EQ(wide.getWidth(), 16384);
    EXPECT_EQ(pixelAt(wide, 0, 0), kBlack);
    EXPECT_EQ(pixelAt(wide, 16383, 0), kWhite);
    const std::int32_t alive = ownedBitmaps::alive();
    for (int id : {IDP_TOO_WIDE, IDP_TOO_TALL, IDP_ABSURD}) {
        const std::vector<unsigned char> bytes = bitmaptest::resourceBytes(id);
        CBitmap refused;
        EXPECT_FALSE(
            refused.loadFromMemory(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
        EXPECT_FALSE(refused.isLoaded()) << id;
        EXPECT_EQ(refused.getWidth(), 0);
        EXPECT_EQ(ownedBitmaps::alive(), alive);
    }
}

TEST_F(PngDecode, TruncatedDataKeepsTheRowsThatArrivedAndLeavesTheRestClear) {
    const std::vector<unsigned char> bytes = bitmaptest::resourceBytes(IDP_TRUNCATED);
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.loadFromMemory(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    ASSERT_TRUE(bitmap.isLoaded());
    EXPECT_EQ(bitmap.getHeight(), 4);
    // Pixel (x, y) is (10y + x, 100 + y, 200 - x); two whole rows arrived before the cut.
    EXPECT_EQ(pixelAt(bitmap, 0, 0), (Bgra{199, 99, 0, 255}));
    EXPECT_EQ(pixelAt(bitmap, 3, 1), (Bgra{196, 100, 12, 255}));
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(pixelAt(bitmap, x, 2), kClear);
        EXPECT_EQ(pixelAt(bitmap, x, 3), kClear);
    }
}

TEST_F(PngDecode, DamagedChecksumsFailTheDecode) {
    for (int id : {IDP_BAD_CRC_HEADER, IDP_BAD_CRC_DATA}) {
        const std::vector<unsigned char> bytes = bitmaptest::resourceBytes(id);
        CBitmap bitmap;
        EXPECT_FALSE(bitmap.loadFromMemory(bytes.data(), static_cast<std::uint32_t>(bytes.size())));
    }
    CBitmap header;
    header.loadFromResource(IDP_BAD_CRC_HEADER);
    EXPECT_FALSE(header.isLoaded());
}

TEST_F(PngDecode, BytesThatAreNoPngAreRejected) {
    const unsigned char bmpStart[] = {'B', 'M', 0x4E, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0};
    CBitmap bitmap;
    EXPECT_FALSE(bitmap.loadFromMemory(bmpStart, sizeof(bmpStart)));
    EXPECT_FALSE(bitmap.loadFromMemory(bmpStart, 0));
    EXPECT_FALSE(bitmap.loadFromMemory(nullptr, 100));
    EXPECT_FALSE(bitmap.isLoaded());
}

// True when reading count bytes raised a libpng error. The only frame with setjmp; nothing in it
// changes after the call.
bool readRaisesError(png_structp png, png_bytep destination, std::size_t count) {
    if (setjmp(png_jmpbuf(png))) return true;
    readPngData(png, destination, count);
    return false;
}

[[noreturn]] void PNGCBAPI jumpBack(png_structp png, png_const_charp) { png_longjmp(png, 1); }

TEST_F(PngDecode, ReaderHandsOutBytesInOrderAndRaisesAnErrorPastTheEnd) {
    const unsigned char data[] = {1, 2, 3, 4, 5};
    PngMemoryStream stream{data, 0, sizeof(data)};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, jumpBack, nullptr);
    ASSERT_NE(png, nullptr);
    png_set_read_fn(png, &stream, readPngData);
    unsigned char out[4] = {9, 9, 9, 9};
    EXPECT_FALSE(readRaisesError(png, out, 3));
    EXPECT_EQ(out[2], 3);
    EXPECT_EQ(stream.position, 3u);
    // Three more than the two left, and a count that would wrap a 32-bit sum: nothing copied.
    EXPECT_TRUE(readRaisesError(png, out, 3));
    EXPECT_TRUE(readRaisesError(png, out, 0xFFFFFFFFu));
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(stream.position, 3u);
    EXPECT_FALSE(readRaisesError(png, out, 2));
    EXPECT_EQ(out[1], 5);
    png_destroy_read_struct(&png, nullptr, nullptr);
}

}  // namespace
