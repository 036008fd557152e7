#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/DrawContextTestSupport.h"

using namespace gui;
using namespace drawtest;

namespace {

constexpr CColorValue kLine{255, 0, 0, 255};
constexpr CColorValue kFill{0, 0, 255, 255};
constexpr std::uint32_t kLineRgb = rgbOf(255, 0, 0);
constexpr std::uint32_t kFillRgb = rgbOf(0, 0, 255);

class DrawContextShapes : public ::testing::Test {
  protected:
    DrawContextShapes() {
        surface.fill(kBackground);
        context.setLineColor(kLine);
        context.setFillColor(kFill);
    }

    int lineCount(int x0, int y0, int x1, int y1) const {
        return surface.count(kLineRgb, x0, y0, x1, y1);
    }
    int fillCount(int x0, int y0, int x1, int y1) const {
        return surface.count(kFillRgb, x0, y0, x1, y1);
    }
    bool untouched() const { return paintedBox(surface).empty(); }

    PixelSurface surface{220, 220};
    CDrawContext context{nullptr, surface.device(), nullptr};
};

}  // namespace

TEST_F(DrawContextShapes, RectangleOutlineCoversTheOutermostPixelsMovedByTheOffset) {
    context.offset = CPosition(5, 5);
    context.drawRectangle(CRectangle(0, 0, 10, 10), kFrameOnly);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 36);
    EXPECT_EQ(lineCount(5, 5, 15, 6), 10);    // top row
    EXPECT_EQ(lineCount(5, 14, 15, 15), 10);  // bottom row
    EXPECT_EQ(lineCount(5, 5, 6, 15), 10);    // left column
    EXPECT_EQ(lineCount(14, 5, 15, 15), 10);  // right column
    EXPECT_EQ(paintedCount(surface, 6, 6, 14, 14), 0);
}

TEST_F(DrawContextShapes, FillRectangleLeavesTheLeftColumnAndTopRow) {
    context.offset = CPosition(5, 5);
    context.fillRectangle(CRectangle(0, 0, 10, 10));
    EXPECT_EQ(fillCount(0, 0, 220, 220), 81);
    EXPECT_EQ(fillCount(6, 6, 15, 15), 81);
}

TEST_F(DrawContextShapes, FillAndFrameRectangleCoversEveryPixel) {
    context.drawRectangle(CRectangle(20, 30, 30, 40), kFillAndFrame);
    EXPECT_EQ(fillCount(21, 31, 29, 39), 64);
    EXPECT_EQ(lineCount(20, 30, 30, 40), 36);
    EXPECT_EQ(paintedBox(surface).left, 20);
    EXPECT_EQ(paintedBox(surface).right, 30);
    EXPECT_EQ(paintedBox(surface).bottom, 40);
}

TEST_F(DrawContextShapes, FillOnlyRectangleFillsEveryPixelWithoutOutline) {
    context.drawRectangle(CRectangle(20, 30, 30, 40), kFillOnly);
    EXPECT_EQ(fillCount(0, 0, 220, 220), 100);
    EXPECT_EQ(fillCount(20, 30, 30, 40), 100);
}

TEST_F(DrawContextShapes, UnknownShapeStyleDrawsNothing) {
    const auto unknown = static_cast<CShapeStyle>(3);
    const CPosition triangle[] = {{10, 10}, {40, 10}, {10, 40}};
    context.drawRectangle(CRectangle(20, 30, 30, 40), unknown);
    context.drawPolygon(triangle, 3, unknown);
    context.drawArcByAngles(CRectangle(100, 100, 200, 200), 0, 180, unknown);
    EXPECT_TRUE(untouched());
}

TEST_F(DrawContextShapes, LineLeavesItsEndPixelAndFollowsTheOffset) {
    context.offset = CPosition(3, 4);
    context.moveTo(CPosition(0, 0));
    context.lineTo(CPosition(10, 0));
    EXPECT_EQ(lineCount(3, 4, 13, 5), 10);
    EXPECT_EQ(surface.rgb(13, 4), kBackground);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 10);
}

TEST_F(DrawContextShapes, DrawLinesDrawsEachPairAsOneLine) {
    const CPosition pairs[] = {{0, 0}, {5, 0}, {0, 10}, {0, 15}};
    const std::int32_t lines = 2;
    context.offset = CPosition(20, 20);
    context.drawLines(pairs, lines);
    EXPECT_EQ(lineCount(20, 20, 25, 21), 5);
    EXPECT_EQ(lineCount(20, 30, 21, 35), 5);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 10);
}

TEST_F(DrawContextShapes, WideLineCoversThreeRows) {
    context.setLineWidth(3);
    context.moveTo(CPosition(20, 50));
    context.lineTo(CPosition(60, 50));
    EXPECT_EQ(lineCount(30, 49, 31, 52), 3);
    EXPECT_EQ(lineCount(30, 45, 31, 49), 0);
    EXPECT_EQ(lineCount(30, 52, 31, 56), 0);
}

TEST_F(DrawContextShapes, FilledAndFramedPolygonLeavesTheClosingEdgeUnstroked) {
    const CPosition triangle[] = {{10, 10}, {40, 10}, {10, 40}};
    context.drawPolygon(triangle, 3, kFillAndFrame);
    EXPECT_EQ(lineCount(10, 10, 40, 11), 30);  // first edge
    EXPECT_EQ(lineCount(10, 12, 11, 38), 0);   // closing edge: column 10 below the corner
    EXPECT_EQ(fillCount(10, 12, 11, 38), 26);  // ... is filled, not stroked
    EXPECT_EQ(surface.rgb(25, 25), kLineRgb);  // the diagonal edge
}

TEST_F(DrawContextShapes, FramedPolygonStrokesOnlyTheGivenEdges) {
    const CPosition triangle[] = {{10, 10}, {40, 10}, {10, 40}};
    context.drawPolygon(triangle, 3, kFrameOnly);
    EXPECT_EQ(fillCount(0, 0, 220, 220), 0);
    EXPECT_EQ(paintedCount(surface, 10, 12, 11, 38), 0);
    EXPECT_EQ(lineCount(10, 10, 40, 11), 30);

    const CPosition closed[] = {{60, 10}, {90, 10}, {60, 40}, {60, 10}};
    context.drawPolygon(closed, 4, kFrameOnly);
    EXPECT_GE(lineCount(60, 12, 61, 38), 26);
}

TEST_F(DrawContextShapes, FilledPolygonHasNoOutline) {
    const CPosition triangle[] = {{10, 10}, {40, 10}, {10, 40}};
    context.offset = CPosition(100, 0);
    context.drawPolygon(triangle, 3, kFillOnly);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 0);
    EXPECT_EQ(surface.rgb(115, 15), kFillRgb);
    EXPECT_EQ(fillCount(0, 0, 100, 220), 0);
}

class DrawContextLongPointLists : public DrawContextShapes,
                                  public ::testing::WithParamInterface<int> {};

TEST_P(DrawContextLongPointLists, PolylineDrawsEverySegment) {
    const int count = GetParam();
    std::vector<CPosition> diagonal;
    for (int i = 0; i < count; ++i) diagonal.emplace_back(i, i);
    context.offset = CPosition(5, 0);
    context.drawPolyline(diagonal.data(), count);
    EXPECT_EQ(lineCount(0, 0, 220, 220), count - 1);
    EXPECT_EQ(surface.rgb(5 + count - 2, count - 2), kLineRgb);
    EXPECT_EQ(surface.rgb(5 + count - 1, count - 1), kBackground);
}

TEST_P(DrawContextLongPointLists, PolygonIsFilledWhateverItsLength) {
    const int count = GetParam();
    const double radius = 50.0;
    std::vector<CPosition> circle;
    for (int i = 0; i < count; ++i) {
        const double angle = 2.0 * 3.14159265358979 * i / count;
        circle.emplace_back(static_cast<std::int32_t>(100 + radius * std::cos(angle)),
                            static_cast<std::int32_t>(100 + radius * std::sin(angle)));
    }
    context.fillPolygon(circle.data(), count);
    EXPECT_EQ(surface.rgb(100, 100), kFillRgb);
    EXPECT_EQ(surface.rgb(140, 100), kFillRgb);
    EXPECT_EQ(surface.rgb(100, 160), kBackground);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 0);
}

INSTANTIATE_TEST_SUITE_P(BothSidesOfTheStackBuffer, DrawContextLongPointLists,
                         ::testing::Values(30, 31, 120));

TEST_F(DrawContextShapes, MissingOrEmptyPointListsDrawNothing) {
    const CPosition points[] = {{10, 10}, {40, 10}, {10, 40}};
    context.drawPolyline(nullptr, 5);
    context.drawPolyline(nullptr, 40);
    context.drawPolyline(points, 0);
    context.drawPolyline(points, -3);
    context.fillPolygon(nullptr, 40);
    context.fillPolygon(points, -1);
    context.drawPolygon(nullptr, 3, kFillAndFrame);
    context.drawPolygon(points, 0, kFillAndFrame);
    context.drawLines(nullptr, 2);
    context.drawLines(points, -1);
    EXPECT_TRUE(untouched());
}

TEST_F(DrawContextShapes, ArcByAnglesFromZeroToHalfTurnIsTheUpperHalf) {
    context.drawArcByAngles(CRectangle(100, 100, 200, 200), 0, 180, kFrameOnly);
    const PaintedBox box = paintedBox(surface);
    EXPECT_EQ(box.left, 100);
    EXPECT_EQ(box.top, 100);
    EXPECT_EQ(box.right, 201);  // the box reaches one pixel past the rectangle
    EXPECT_LE(box.bottom, 152);
    EXPECT_GE(box.bottom, 150);
    EXPECT_EQ(fillCount(0, 0, 220, 220), 0);
}

TEST_F(DrawContextShapes, ArcByAnglesMeasuresCounterClockwiseFromThreeOClock) {
    // A quarter pie from 0 to 90 degrees is the upper right quadrant.
    context.drawArcByAngles(CRectangle(100, 100, 200, 200), 0, 90, kFillOnly);
    EXPECT_EQ(surface.rgb(170, 130), kFillRgb);
    EXPECT_EQ(surface.rgb(130, 130), kBackground);
    EXPECT_EQ(surface.rgb(170, 170), kBackground);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 0);
}

TEST_F(DrawContextShapes, ArcByAnglesFillAndFrameStrokesOnlyTheCurve) {
    context.offset = CPosition(-50, -50);
    context.drawArcByAngles(CRectangle(100, 100, 200, 200), 90, 270, kFillAndFrame);
    EXPECT_EQ(surface.rgb(70, 100), kFillRgb);
    EXPECT_EQ(surface.rgb(130, 100), kBackground);
    EXPECT_EQ(surface.rgb(50, 100), kLineRgb);  // leftmost point of the curve
    EXPECT_GT(lineCount(50, 50, 100, 151), 100);
    EXPECT_EQ(lineCount(101, 50, 151, 151), 0);
}

TEST_F(DrawContextShapes, FrameEllipseReachesOnePixelPastRightAndBottom) {
    context.frameEllipse(CRectangle(10, 10, 30, 30));
    const PaintedBox box = paintedBox(surface);
    EXPECT_EQ(box.left, 10);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.right, 31);
    EXPECT_EQ(box.bottom, 31);
    EXPECT_EQ(surface.rgb(20, 10), kLineRgb);
    EXPECT_EQ(surface.rgb(20, 20), kBackground);
}

TEST_F(DrawContextShapes, FillEllipseIsShiftedOnePixelRightAndDown) {
    context.offset = CPosition(5, 5);
    context.fillEllipse(CRectangle(10, 10, 30, 30));
    const PaintedBox box = paintedBox(surface);
    EXPECT_EQ(box.left, 16);
    EXPECT_EQ(box.top, 16);
    // Whether a pen-less ellipse covers its box's last column is the platform's choice.
    EXPECT_GE(box.right, 35);
    EXPECT_LE(box.right, 36);
    EXPECT_GE(box.bottom, 35);
    EXPECT_LE(box.bottom, 36);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 0);
}

TEST_F(DrawContextShapes, FillPieSitsInsideTheRectangle) {
    context.fillPie(CRectangle(100, 100, 200, 200), CPosition(200, 150), CPosition(100, 150));
    const PaintedBox box = paintedBox(surface);
    EXPECT_EQ(box.left, 101);
    EXPECT_EQ(box.top, 101);
    EXPECT_LE(box.right, 200);
    EXPECT_LE(box.bottom, 152);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 0);
}

TEST_F(DrawContextShapes, PixelsAreSetAndReadThroughTheOffset) {
    context.offset = CPosition(10, 0);
    context.setPixel(CPosition(3, 4), CColorValue{12, 34, 56, 7});
    EXPECT_EQ(surface.rgb(13, 4), rgbOf(12, 34, 56));
    EXPECT_EQ(context.getPixel(CPosition(3, 4)), (CColorValue{12, 34, 56, 255}));
    EXPECT_EQ(paintedCount(surface, 0, 0, 220, 220), 1);
}

TEST_F(DrawContextShapes, FloodFillPaintsTheConnectedAreaOfTheSeedColour) {
    context.offset = CPosition(20, 20);
    context.drawRectangle(CRectangle(0, 0, 30, 30), kFrameOnly);
    context.floodFill(CPosition(10, 10));
    EXPECT_EQ(fillCount(21, 21, 49, 49), 28 * 28);
    EXPECT_EQ(fillCount(0, 0, 220, 220), 28 * 28);
    EXPECT_EQ(lineCount(0, 0, 220, 220), 4 * 29);
}
