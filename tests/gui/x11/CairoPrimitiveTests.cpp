// The Cairo platform's primitives where Cairo's own rules differ from what the toolkit relies on:
// ends of lines, exact rectangles, the clip, inverting raster operations, the bottom-up rows of
// pixel bitmaps, colour keys and blending of premultiplied pixels, text inside its box, and the
// artwork linked into the binary.
#include <gtest/gtest.h>

#include <cstring>

#include "gui/draw/PixelSurface.h"
#include "gui/platform/BitmapPixels.h"
#include "gui/platform/DrawingDevice.h"

using namespace gui;
namespace platform = gui::platform;

namespace {

constexpr std::uint32_t kBackground = 0x00336699;
constexpr std::uint32_t kInkBgr = 0x000000FF;  // red as the device takes it
constexpr std::uint32_t kInkRgb = 0x00FF0000;

class CairoPrimitives : public ::testing::Test {
  protected:
    CairoPrimitives() { surface.fill(kBackground); }
    void selectInkPen(std::int32_t width = 1) {
        pen = platform::createPen(platform::PenDash::solid, width, kInkBgr);
        platform::selectPen(surface.device(), pen);
    }
    ~CairoPrimitives() override { platform::deletePen(pen); }
    // Every pixel is ink inside [left, right) x [top, bottom) and background outside.
    void expectOnlyInk(int left, int top, int right, int bottom) const {
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x) {
                const bool inside = x >= left && x < right && y >= top && y < bottom;
                ASSERT_EQ(surface.rgb(x, y), inside ? kInkRgb : kBackground) << x << ", " << y;
            }
    }

    PixelSurface surface{24, 16};
    NativePen pen = nullptr;
};

// A pixel bitmap of one colour per pixel, given top row first.
NativeBitmap pixelBitmap(int width, int height, const std::vector<std::uint32_t>& topDown) {
    std::uint32_t* pixels = nullptr;
    NativeBitmap bitmap = platform::createPixelBitmap(width, height, &pixels);
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels + (height - 1 - y) * width, topDown.data() + y * width,
                    sizeof(std::uint32_t) * width);
    return bitmap;
}

}  // namespace

TEST_F(CairoPrimitives, LinesLeaveOutTheirEndPixelInEveryDirection) {
    selectInkPen();
    platform::moveTo(surface.device(), CPosition(3, 5));
    platform::lineTo(surface.device(), CPosition(12, 5));
    expectOnlyInk(3, 5, 12, 6);
    surface.fill(kBackground);
    platform::moveTo(surface.device(), CPosition(7, 14));
    platform::lineTo(surface.device(), CPosition(7, 2));
    expectOnlyInk(7, 3, 8, 15);
    surface.fill(kBackground);
    platform::moveTo(surface.device(), CPosition(2, 2));
    platform::lineTo(surface.device(), CPosition(8, 8));
    EXPECT_EQ(surface.count(kInkRgb, 0, 0, 24, 16), 6);
    EXPECT_EQ(surface.rgb(7, 7), kInkRgb);
    EXPECT_EQ(surface.rgb(8, 8), kBackground);
}

TEST_F(CairoPrimitives, FilledRectanglesAndWidePensCoverWholePixelsOnly) {
    platform::fillRectWithColor(surface.device(), CRectangle(3, 4, 9, 7), kInkBgr);
    expectOnlyInk(3, 4, 9, 7);
    surface.fill(kBackground);
    selectInkPen(3);
    platform::moveTo(surface.device(), CPosition(5, 8));
    platform::lineTo(surface.device(), CPosition(15, 8));
    expectOnlyInk(4, 7, 16, 10);
}

// Curved and slanted edges take the brush or keep the background, never a mix beside artwork.
TEST_F(CairoPrimitives, CurvedAndSlantedEdgesAreNotAntialiased) {
    NativeBrush brush = platform::createBrush(kInkBgr);
    platform::selectBrush(surface.device(), brush);
    platform::fillEllipse(surface.device(), CRectangle(1, 1, 12, 15));
    const CPosition triangle[] = {CPosition(13, 1), CPosition(23, 4), CPosition(14, 15)};
    platform::fillPolygon(surface.device(), triangle, 3);
    const int ink = surface.count(kInkRgb, 0, 0, 24, 16);
    EXPECT_GT(ink, 150);
    EXPECT_EQ(ink + surface.count(kBackground, 0, 0, 24, 16), 24 * 16);
    // The filled ellipse leaves out its box's right column and bottom row.
    EXPECT_EQ(surface.count(kInkRgb, 11, 0, 12, 16), 0);
    EXPECT_EQ(surface.count(kInkRgb, 0, 14, 12, 15), 0);
    platform::deleteBrush(brush);
}

TEST_F(CairoPrimitives, ClipLimitsShapesAndAnInvertingOperationUndoesItself) {
    platform::clipTo(surface.device(), CRectangle(5, 5, 10, 9));
    platform::fillRectWithColor(surface.device(), CRectangle(0, 0, 24, 16), kInkBgr);
    expectOnlyInk(5, 5, 10, 9);
    surface.fill(kBackground);
    platform::setRasterOp(surface.device(), platform::RasterOp::notXor);
    platform::paintBlock(surface.device(), CRectangle(0, 0, 24, 16), 0x00FFFFFF);
    EXPECT_EQ(surface.rgb(6, 6), kBackground);
    platform::paintBlock(surface.device(), CRectangle(0, 0, 24, 16), 0);
    EXPECT_EQ(surface.rgb(6, 6), 0x00FFFFFF & ~kBackground);
    EXPECT_EQ(surface.rgb(4, 6), kBackground);
}

TEST_F(CairoPrimitives, BitmapsKeepTheirRowsTheRightWayUpAndTheirKeyedPixelsOut) {
    const std::uint32_t top = 0xFF00FF00;
    const std::uint32_t bottom = 0xFF0000FF;
    NativeBitmap bitmap = pixelBitmap(2, 2, {top, kBackground | 0xFF000000, bottom, bottom});
    platform::drawOpaque(surface.device(), bitmap, {4, 4, 2, 2, 0, 0});
    EXPECT_EQ(surface.rgb(4, 4), 0x0000FF00u);
    EXPECT_EQ(surface.rgb(5, 5), 0x000000FFu);
    surface.fill(0x00FFFFFF);
    platform::drawKeyedByColor(surface.device(), bitmap, {4, 4, 2, 2, 0, 0}, 0x00996633);
    EXPECT_EQ(surface.rgb(5, 4), 0x00FFFFFFu);
    EXPECT_EQ(surface.rgb(4, 5), 0x000000FFu);
    platform::deleteBitmap(bitmap);
}

TEST_F(CairoPrimitives, BlendingUsesThePremultipliedPixelsAndTheConstantAlpha) {
    // Half-transparent red, premultiplied: 128 of red at alpha 128.
    NativeBitmap bitmap = pixelBitmap(1, 1, {0x80800000});
    surface.fill(0x000000FF);
    platform::drawBlended(surface.device(), bitmap, {1, 1, 1, 1, 0, 0}, 255, true);
    const std::uint32_t mixed = surface.rgb(1, 1);
    EXPECT_NEAR(static_cast<int>(mixed >> 16), 128, 1);
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 127, 1);
    // Without its own alpha the pixel counts as opaque, weighed by the constant alpha.
    platform::drawBlended(surface.device(), bitmap, {2, 2, 1, 1, 0, 0}, 128, false);
    const std::uint32_t weighed = surface.rgb(2, 2);
    EXPECT_NEAR(static_cast<int>(weighed >> 16), 64, 1);
    EXPECT_NEAR(static_cast<int>(weighed & 0xFF), 127, 1);
    platform::deleteBitmap(bitmap);
}

// What a frame's back buffer does with each paint: copy an area between devices, the same way up,
// and stretched where the sizes differ.
TEST_F(CairoPrimitives, TransfersCopyAreasBetweenDevicesTheRightWayUp) {
    PixelSurface source(4, 4);
    source.fill(0x0000FF00);
    platform::fillRectWithColor(source.device(), CRectangle(0, 0, 4, 1), kInkBgr);
    platform::transferPixels(surface.device(), CRectangle(10, 2, 14, 6), source.device(),
                             CRectangle(0, 0, 4, 4));
    EXPECT_EQ(surface.count(kInkRgb, 0, 0, 24, 16), 4);
    EXPECT_EQ(surface.count(kInkRgb, 10, 2, 14, 3), 4);
    EXPECT_EQ(surface.count(0x0000FF00, 10, 3, 14, 6), 12);
    EXPECT_EQ(surface.rgb(9, 2), kBackground);
    platform::transferPixels(surface.device(), CRectangle(0, 8, 8, 16), source.device(),
                             CRectangle(0, 1, 4, 4));
    EXPECT_EQ(surface.count(0x0000FF00, 0, 8, 8, 16), 64);
    // An area reaching past the source copies only what the source has.
    surface.fill(kBackground);
    platform::transferPixels(surface.device(), CRectangle(0, 0, 8, 8), source.device(),
                             CRectangle(-2, -2, 6, 6));
    EXPECT_EQ(surface.count(kInkRgb, 0, 0, 24, 16), 4);
    EXPECT_EQ(surface.count(kBackground, 0, 0, 24, 16), 24 * 16 - 16);
}

TEST(CairoText, StaysInsideItsBoxAndMeasuresInProportionToItsSize) {
    PixelSurface surface(120, 40);
    surface.fill(kBackground);
    const platform::FontRequest small{"Arial", 12, false, false, false, false};
    const platform::FontRequest large{"Arial", 24, false, false, false, false};
    NativeFont smallFont = platform::createFont(small);
    NativeFont largeFont = platform::createFont(large);
    platform::selectFont(surface.device(), smallFont);
    std::int32_t narrow = 0;
    std::int32_t wide = 0;
    ASSERT_TRUE(platform::textWidth(surface.device(), "Hello world", 11, narrow));
    platform::selectFont(surface.device(), largeFont);
    ASSERT_TRUE(platform::textWidth(surface.device(), "Hello world", 11, wide));
    EXPECT_GT(narrow, 20);
    // Hinting rounds each glyph's advance at its own size.
    EXPECT_NEAR(wide, 2 * narrow, narrow / 5);
    platform::setTransparentBackground(surface.device(), true);
    platform::setTextColor(surface.device(), kInkBgr);
    platform::drawText(surface.device(), "Hello world", 11, CRectangle(10, 8, 60, 30),
                       platform::TextPlacement::center);
    EXPECT_GT(surface.count(kInkRgb, 10, 8, 60, 30), 10);
    // Nothing outside the box changed.
    EXPECT_EQ(surface.count(kBackground, 0, 0, 120, 40) - surface.count(kBackground, 10, 8, 60, 30),
              120 * 40 - 50 * 22);
    platform::deleteFont(smallFont);
    platform::deleteFont(largeFont);
}

TEST(CairoResources, ArtworkIsLinkedUnderItsResourceIds) {
    static const unsigned char kSignature[] = {0x89, 'P', 'N', 'G'};
    for (std::int32_t id = 128; id <= 136; ++id) {
        const platform::ResourceBytes bytes =
            platform::findResource(platform::resourceModule(), id, "PNG");
        ASSERT_TRUE(bytes.found) << id;
        ASSERT_GT(bytes.size, sizeof(kSignature));
        EXPECT_EQ(std::memcmp(bytes.data, kSignature, sizeof(kSignature)), 0) << id;
    }
    EXPECT_FALSE(platform::findResource(platform::resourceModule(), 137, "PNG").found);
    EXPECT_FALSE(platform::findResource(platform::resourceModule(), 128, "BMP").found);
}
