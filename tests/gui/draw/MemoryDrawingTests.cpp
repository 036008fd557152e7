// The drawing context over the in-memory platform, where text has exact metrics: where aligned
// text lands, offscreen buffers, raster modes and flood fills.
#include <gtest/gtest.h>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/COffscreenContext.h"
#include "gui/draw/DrawContextTestSupport.h"
#include "gui/draw/FakeFrame.h"

using namespace gui;
using namespace drawtest;

namespace {

constexpr CColorValue kInk{255, 0, 0, 255};
constexpr std::uint32_t kInkRgb = rgbOf(255, 0, 0);

class MemoryDrawing : public ::testing::Test {
  protected:
    MemoryDrawing() {
        surface.fill(kBackground);
        context.setLineColor(kInk);
        context.setFontColor(kInk);
    }

    PixelSurface surface{160, 60};
    CFrame frame{CRectangle(0, 0, 160, 60), nullptr};
    CDrawContext context{&frame, surface.device(), nullptr};
};

struct Placement {
    CTextAlign align;
    int left;
    int right;
};

class MemoryTextPlacement : public MemoryDrawing,
                            public ::testing::WithParamInterface<Placement> {};

}  // namespace

// Twelve-pixel characters advance six pixels; glyphs leave their last column empty.
TEST_P(MemoryTextPlacement, AlignedTextLandsWhereItsMeasuredWidthSays) {
    context.setFont(kFontNormal);
    ASSERT_EQ(context.measureText("ABCDE"), 30);
    context.offset = CPosition(10, 0);
    context.drawText("ABCDE", CRectangle(0, 0, 100, 20), 0, GetParam().align);
    const PaintedBox box = paintedBox(surface);
    EXPECT_EQ(box.left, GetParam().left);
    EXPECT_EQ(box.right, GetParam().right);
}

INSTANTIATE_TEST_SUITE_P(Aligns, MemoryTextPlacement,
                         ::testing::Values(Placement{kAlignLeft, 11, 40},
                                           Placement{kAlignCenter, 45, 74},
                                           Placement{kAlignRight, 80, 109}));

TEST_F(MemoryDrawing, OpaqueTextPaintsTheFillColourBehindItsCellsOnly) {
    context.setFont(kFontNormal);
    context.setFillColor(kWhiteColor);
    context.drawText("AB", CRectangle(0, 0, 100, 20), 1, kAlignLeft);
    EXPECT_EQ(paintedBox(surface).right, 13);
    EXPECT_GT(surface.count(rgbOf(255, 255, 255), 0, 0, 160, 60), 0);
    // The next text is transparent again.
    surface.fill(kBackground);
    context.drawText("AB", CRectangle(0, 0, 100, 20), 0, kAlignLeft);
    EXPECT_EQ(surface.count(rgbOf(255, 255, 255), 0, 0, 160, 60), 0);
}

TEST_F(MemoryDrawing, ScaledOffscreenCopiesBackAtTheFrameScale) {
    frame.scale = 2.0;
    CDrawContext scaled{&frame, surface.device(), nullptr};
    COffscreenContext offscreen(&frame, 20, 10, kInk);
    scaled.offset = CPosition(5, 5);
    offscreen.copyToContext(&scaled, CRectangle(0, 0, 20, 10), CPosition(0, 0));
    EXPECT_EQ(surface.count(kInkRgb, 0, 0, 160, 60), 40 * 20);
    EXPECT_EQ(surface.count(kInkRgb, 10, 10, 50, 30), 40 * 20);
}

TEST_F(MemoryDrawing, InvertingModeUndoesALineDrawnTwice) {
    context.setDrawMode(kDrawXor);
    for (int pass = 0; pass < 2; ++pass) {
        context.moveTo(CPosition(10, 10));
        context.lineTo(CPosition(50, 30));
    }
    EXPECT_TRUE(paintedBox(surface).empty());
    context.setDrawMode(kDrawCopy);
    context.moveTo(CPosition(10, 10));
    context.lineTo(CPosition(50, 30));
    EXPECT_EQ(surface.count(kInkRgb, 0, 0, 160, 60), 40);
}

TEST_F(MemoryDrawing, FloodFillStopsAtTheOutline) {
    context.drawRectangle(CRectangle(10, 10, 30, 30), kFrameOnly);
    context.setFillColor(CColorValue{0, 0, 255, 255});
    context.floodFill(CPosition(20, 20));
    EXPECT_EQ(surface.count(rgbOf(0, 0, 255), 0, 0, 160, 60), 18 * 18);
    EXPECT_EQ(surface.count(kInkRgb, 0, 0, 160, 60), 76);
}
