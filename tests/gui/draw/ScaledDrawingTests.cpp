// A context at 2.0 of its frame's scale: every panel pixel becomes a 2 x 2 block, text is set in
// a font twice as tall, and measurements come back in panel units.
#include <gtest/gtest.h>

#include "gui/draw/AreaAverage.h"
#include "gui/draw/CDrawContext.h"
#include "gui/draw/DrawContextTestSupport.h"
#include "gui/draw/FakeFrame.h"
#include "gui/draw/Scaling.h"

using namespace gui;
using namespace drawtest;

namespace {

constexpr CColorValue kInk{255, 0, 0, 255};
constexpr std::uint32_t kInkRgb = rgbOf(255, 0, 0);

class ScaledDrawing : public ::testing::Test {
  protected:
    ScaledDrawing() {
        surface.fill(kBackground);
        context.setLineColor(kInk);
        context.setFillColor(kInk);
        context.setFontColor(kInk);
    }
    // Every pixel inside the device rectangle is ink, every one outside is background.
    void expectOnlyBlockPainted(int left, int top, int right, int bottom) const {
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x) {
                const bool inside = x >= left && x < right && y >= top && y < bottom;
                ASSERT_EQ(surface.rgb(x, y), inside ? kInkRgb : kBackground) << x << ", " << y;
            }
    }

    static CFrame doubledFrame() {
        CFrame frame(CRectangle(0, 0, 100, 100), nullptr);
        frame.scale = 2.0;
        return frame;
    }

    CFrame frame = doubledFrame();
    PixelSurface surface{200, 200};
    CDrawContext context{&frame, surface.device(), nullptr};
};

TEST_F(ScaledDrawing, FilledRectangleCoversTheScaledBlockMovedByTheOffset) {
    context.offset = CPosition(3, 4);
    context.drawRectangle(CRectangle(10, 10, 20, 15), kFillOnly);
    expectOnlyBlockPainted(26, 28, 46, 38);
}

TEST_F(ScaledDrawing, OutlineIsTwoPixelsWideAroundTheScaledRectangle) {
    context.drawRectangle(CRectangle(10, 10, 20, 20), kFrameOnly);
    for (int y = 16; y < 44; ++y)
        for (int x = 16; x < 44; ++x) {
            const bool inSquare = x >= 20 && x < 40 && y >= 20 && y < 40;
            const bool inBand = inSquare && (x < 22 || x >= 38 || y < 22 || y >= 38);
            ASSERT_EQ(surface.rgb(x, y), inBand ? kInkRgb : kBackground) << x << ", " << y;
        }
}

TEST_F(ScaledDrawing, PixelIsAScaledBlockAndReadsBackFromIt) {
    context.setPixel(CPosition(7, 9), kInk);
    expectOnlyBlockPainted(14, 18, 16, 20);
    EXPECT_EQ(context.getPixel(CPosition(7, 9)), kInk);
}

TEST_F(ScaledDrawing, TextIsTwiceAsTallAndMeasuresInPanelUnits) {
    PixelSurface single{200, 200};
    single.fill(kBackground);
    CDrawContext unscaled{nullptr, single.device(), nullptr};
    unscaled.setFontColor(kInk);
    const CRectangle box(0, 0, 90, 40);
    unscaled.drawText("Hg 75", box, 0, kAlignLeft);
    context.drawText("Hg 75", box, 0, kAlignLeft);
    const PaintedBox small = paintedBox(single);
    const PaintedBox large = paintedBox(surface);
    const double ratio = static_cast<double>(large.bottom - large.top) / (small.bottom - small.top);
    EXPECT_NEAR(ratio, 2.0, 0.3);
    EXPECT_NEAR(context.measureText("Hg 75"), unscaled.measureText("Hg 75"), 1);
}

TEST_F(ScaledDrawing, ClipLimitsDrawingToTheScaledClip) {
    context.setClipRectangle(CRectangle(5, 5, 10, 10));
    context.drawRectangle(CRectangle(0, 0, 50, 50), kFillOnly);
    expectOnlyBlockPainted(10, 10, 20, 20);
    EXPECT_EQ(context.getClipRectangle(), CRectangle(5, 5, 10, 10));
}

// The factors of the panel's size menu, and the panel's width in units (its height is less).
constexpr double kMenuFactors[] = {1.0, 1.25, 1.5, 2.0, 2.5, 3.0};
constexpr int kPanelWidth = 752;

TEST(Scaling, EveryDevicePixelMapsBackToTheUnitThatCoversIt) {
    for (const double scale : kMenuFactors)
        for (int device = 0; device < toDevice(kPanelWidth, scale); ++device) {
            const int unit = toPanel(device, scale);
            ASSERT_LE(toDevice(unit, scale), device) << scale << ": pixel " << device;
            ASSERT_GT(toDevice(unit + 1, scale), device) << scale << ": pixel " << device;
            // The first unit starting at or after the pixel's left edge.
            const int next = toPanelCeiling(device, scale);
            ASSERT_GE(toDevice(next, scale), device) << scale << ": edge " << device;
            ASSERT_LT(toDevice(next - 1, scale), device) << scale << ": edge " << device;
        }
    // Unit 1 covers pixels 1 and 2 at 125 %, unit 2 pixels 3 and 4 at 150 %.
    EXPECT_EQ(toPanel(2, 1.25), 1);
    EXPECT_EQ(toPanel(4, 1.5), 2);
    EXPECT_EQ(coveringPanelRect(CRectangle(4, 2, 6, 3), 1.5), CRectangle(2, 1, 4, 2));
}

// The focus ring's two nested outlines cover exactly the device blocks of the rectangle's outer
// two units: a pen centred on a block of one pixel would spill past the right and bottom edges.
TEST(ScaledOutline, RingCoversTheBlocksOfItsUnitsAtEveryFactor) {
    const CRectangle ring(7, 5, 30, 19);
    for (const double scale : kMenuFactors) {
        CFrame frame(CRectangle(0, 0, 40, 30), nullptr);
        frame.scale = scale;
        PixelSurface surface{120, 90};
        surface.fill(kBackground);
        CDrawContext context{&frame, surface.device(), nullptr};
        context.setLineColor(kInk);
        context.drawRectangle(ring, kFrameOnly);
        context.drawRectangle(CRectangle(8, 6, 29, 18), kFrameOnly);
        const CRectangle outer = toDevice(ring, scale);
        const CRectangle inner = toDevice(CRectangle(9, 7, 28, 17), scale);
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x) {
                const auto within = [x, y](const CRectangle& r) {
                    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                };
                const bool inBand = within(outer) && !within(inner);
                ASSERT_EQ(surface.rgb(x, y), inBand ? kInkRgb : kBackground)
                    << scale << ": " << x << ", " << y;
            }
    }
}

// Channels are bytes 0 to 3 of each pixel.
TEST(AreaAverage, EachNewPixelIsTheWeightedMeanOfTheOldOnesItCovers) {
    // 3 x 1 to 2 x 1: the middle pixel is shared half and half.
    const std::vector<std::uint32_t> row = {0x00000000, 0x00000064, 0x000000C8};
    EXPECT_EQ(areaAverage(row, 3, 1, 2, 1),
              (std::vector<std::uint32_t>{0x00000021, 0x000000A7}));  // 33.3 and 166.7
    // 2 x 2 to 1 x 1, every channel on its own.
    const std::vector<std::uint32_t> square = {0x04030201, 0x08070605, 0x0C0B0A09, 0x100F0E0D};
    EXPECT_EQ(areaAverage(square, 2, 2, 1, 1), (std::vector<std::uint32_t>{0x0A090807}));
    // Enlarging by 2 repeats each pixel.
    EXPECT_EQ(areaAverage({0xFF00FF00, 0x00FF00FF}, 2, 1, 4, 1),
              (std::vector<std::uint32_t>{0xFF00FF00, 0xFF00FF00, 0x00FF00FF, 0x00FF00FF}));
    EXPECT_TRUE(areaAverage(row, 4, 1, 2, 1).empty());  // source too short
    EXPECT_TRUE(areaAverage(row, 3, 1, 0, 1).empty());
}

}  // namespace
