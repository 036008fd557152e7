// Bitmaps over the in-memory platform: decoded from the pretend module's resources, drawn
// blended, clipped to their own area, colour-keyed through a key colour or a mask, and enlarged
// at a scale.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "gui/draw/CBitmap.h"
#include "gui/draw/COffscreenContext.h"
#include "gui/draw/DrawContextTestSupport.h"
#include "gui/draw/FakeFrame.h"
#include "gui/draw/OwnedBitmaps.h"
#include "gui/platform/BitmapPixels.h"
#include "gui/platform/memory/MemoryPlatform.h"

using namespace gui;
using namespace drawtest;

namespace {

constexpr std::int32_t kRgba8 = 7;
constexpr std::int32_t kMissing = 8;
// The image's pixels, from the top left: a half-covering blue, a clear one, an opaque dark one
// and a quarter-covering one.
constexpr std::uint32_t kHalfPixel = 0x80643219;
constexpr std::uint32_t kOpaquePixel = 0xFF09131D;
constexpr std::uint32_t kQuarterPixel = 0x403F2000;
constexpr CColorValue kRed{255, 0, 0, 255};
constexpr CColorValue kKey{255, 0, 255, 255};

std::vector<unsigned char> testImage(const char* name) {
    std::ifstream file(std::string(TALON_DRAW_TEST_DATA) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class MemoryBitmaps : public ::testing::Test {
  protected:
    MemoryBitmaps() {
        memory::addResource(kRgba8, "PNG", testImage("rgba8.png"));
        surface.fill(kBackground);
    }
    ~MemoryBitmaps() override {
        CBitmap::releaseSharedScaledPixels();
        memory::removeResources();
        EXPECT_EQ(ownedBitmaps::alive(), bitmapsAlive) << "a bitmap leaked";
    }

    std::int32_t bitmapsAlive = ownedBitmaps::alive();
    PixelSurface surface{20, 20};
    CDrawContext context{nullptr, surface.device(), nullptr};
};

class MemoryKeying : public MemoryBitmaps, public ::testing::WithParamInterface<bool> {};

}  // namespace

TEST_F(MemoryBitmaps, ResourceDecodesToPremultipliedRowsBottomUp) {
    CBitmap bitmap(kRgba8);
    ASSERT_TRUE(bitmap.isLoaded());
    EXPECT_FALSE(bitmap.getIgnoreAlpha());
    const auto pixels = platform::readBitmapPixels(bitmap.getHandle(), 2, 2);
    ASSERT_EQ(pixels.size(), 4u);
    EXPECT_EQ(pixels[2], kHalfPixel);     // top row, stored last
    EXPECT_EQ(pixels[1], kQuarterPixel);  // bottom right
    EXPECT_EQ(pixels[0], kOpaquePixel);   // bottom left
    CBitmap missing(kMissing);
    EXPECT_FALSE(missing.isLoaded());
}

TEST_F(MemoryBitmaps, BlendedDrawingKeepsClearPixelsAndCoversOpaqueOnes) {
    CBitmap bitmap(kRgba8);
    context.offset = CPosition(3, 4);
    bitmap.draw(&context, CRectangle(0, 0, 2, 2));
    EXPECT_EQ(surface.rgb(4, 4), kBackground);
    EXPECT_EQ(surface.rgb(3, 5), kOpaquePixel & 0xFFFFFF);
    const std::uint32_t half = surface.rgb(3, 4);
    EXPECT_NE(half, kBackground);
    EXPECT_NE(half, kHalfPixel & 0xFFFFFF);
    EXPECT_EQ(paintedBox(surface).right, 5);
}

TEST_F(MemoryBitmaps, SourceOutsideTheBitmapIsLeftOut) {
    CBitmap bitmap(kRgba8);
    bitmap.draw(&context, CRectangle(0, 0, 3, 3), CPosition(-1, -1));
    const PaintedBox box = paintedBox(surface);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 3);
    EXPECT_EQ(box.bottom, 3);
}

TEST_F(MemoryBitmaps, AtAScaleWithoutLargerArtworkEachPixelBecomesABlock) {
    CFrame frame(CRectangle(0, 0, 20, 20), nullptr);
    frame.scale = 2.0;
    CDrawContext scaled(&frame, surface.device(), nullptr);
    CBitmap bitmap(kRgba8);
    bitmap.draw(&scaled, CRectangle(1, 1, 3, 3));
    EXPECT_EQ(surface.count(kOpaquePixel & 0xFFFFFF, 2, 4, 4, 6), 4);
    EXPECT_EQ(surface.count(kBackground, 4, 2, 6, 4), 4);
}

// A plain bitmap painted red with one pixel of the key colour, drawn keyed by that colour or by a
// mask made from it.
TEST_P(MemoryKeying, KeyColouredPixelsAreLeftOut) {
    CBitmap plain(nullptr, 4, 4);
    {
        COffscreenContext painter(&context, &plain, true);
        painter.setFillColor(kRed);
        painter.drawRectangle(CRectangle(0, 0, 4, 4), kFillOnly);
        painter.setPixel(CPosition(1, 2), kKey);
        plain.setKeyColor(kKey);
        if (GetParam()) plain.setKeyMask(&painter, CPosition(0, 0));
    }
    EXPECT_EQ(plain.hasKeyMask(), GetParam());
    context.offset = CPosition(5, 5);
    plain.drawKeyed(&context, CRectangle(0, 0, 4, 4));
    EXPECT_EQ(surface.rgb(6, 7), kBackground);
    EXPECT_EQ(surface.count(rgbOf(255, 0, 0), 5, 5, 9, 9), 15);
}

INSTANTIATE_TEST_SUITE_P(ByColourAndByMask, MemoryKeying, ::testing::Bool());
