#include <gtest/gtest.h>

#include "gui/draw/CBitmap.h"
#include "gui/draw/COffscreenContext.h"
#include "gui/draw/DrawContextTestSupport.h"
#include "gui/draw/FakeFrame.h"

using namespace gui;
using namespace drawtest;

namespace {

constexpr std::uint32_t kRedRgb = rgbOf(255, 0, 0);
constexpr std::uint32_t kGreenRgb = rgbOf(0, 255, 0);
constexpr std::uint32_t kBlueRgb = rgbOf(0, 0, 255);

class OffscreenContext : public ::testing::Test {
  protected:
    OffscreenContext() { screen.fill(kBackground); }

    // Every pixel of an offscreen buffer, copied straight from its device.
    static void readBack(const COffscreenContext& offscreen, PixelSurface& into) {
        into.fill(kBackground);
        BitBlt(into.device(), 0, 0, offscreen.getWidth(), offscreen.getHeight(),
               offscreen.getDevice(), 0, 0, SRCCOPY);
    }

    CFrame frame{CRectangle(0, 0, 300, 200), nullptr};
    PixelSurface screen{160, 60};
    CDrawContext screenContext{&frame, screen.device(), nullptr};
};

class OffscreenClearing : public OffscreenContext,
                          public ::testing::WithParamInterface<CColorValue> {};

}  // namespace

TEST_P(OffscreenClearing, FrameOffscreenHasTheBackgroundInEveryPixel) {
    const CColorValue background = GetParam();
    COffscreenContext offscreen(&frame, 100, 30, background);
    PixelSurface buffer(100, 30);
    readBack(offscreen, buffer);
    EXPECT_EQ(buffer.count(rgbOfColor(background), 0, 0, 100, 30), 3000);
}

INSTANTIATE_TEST_SUITE_P(BlackAndAColour, OffscreenClearing,
                         ::testing::Values(kBlackColor, CColorValue{10, 20, 30, 255}));

TEST_F(OffscreenContext, FrameOffscreenKeepsItsSizeAndClip) {
    COffscreenContext offscreen(&frame, 100, 30, kBlackColor);
    EXPECT_EQ(offscreen.getWidth(), 100);
    EXPECT_EQ(offscreen.getHeight(), 30);
    EXPECT_EQ(offscreen.getClipRectangle(), CRectangle(0, 0, 100, 30));
    EXPECT_EQ(offscreen.getFrame(), &frame);
    EXPECT_NE(offscreen.getDevice(), nullptr);
}

TEST_F(OffscreenContext, FrameOffscreenWritesTextLikeAFreshScreenContext) {
    COffscreenContext offscreen(&frame, 160, 60, kBlackColor);
    offscreen.setFont(kFontSystem, 0, 0);
    offscreen.drawText("Talon 58", CRectangle(0, 0, 160, 60), 0, kAlignCenter);
    PixelSurface buffer(160, 60);
    readBack(offscreen, buffer);

    screen.fill(0);
    CDrawContext direct(nullptr, screen.device(), nullptr);
    direct.drawText("Talon 58", CRectangle(0, 0, 160, 60), 0, kAlignCenter);
    EXPECT_TRUE(sameImage(buffer, screen));
    EXPECT_GT(buffer.count(rgbOf(255, 255, 255), 0, 0, 160, 60), 20);
}

TEST_F(OffscreenContext, NonPositiveSizeGivesAnEmptyBufferWithANormalizedClip) {
    COffscreenContext inverted(&frame, -5, 8, kRedColor);
    EXPECT_EQ(inverted.getClipRectangle(), CRectangle(-5, 0, 0, 8));
    inverted.drawRectangle(CRectangle(0, 0, 10, 10), kFillAndFrame);
    COffscreenContext empty(&frame, 0, 0, kRedColor);
    EXPECT_EQ(empty.getClipRectangle(), CRectangle(0, 0, 0, 0));
    empty.copyToContext(&screenContext, CRectangle(0, 0, 10, 10), CPosition(0, 0));
    EXPECT_EQ(screen.count(kRedRgb, 0, 0, 160, 60), 0);
}

TEST_F(OffscreenContext, FrameOffscreenWithoutAFrameMatchesTheScreen) {
    COffscreenContext offscreen(nullptr, 10, 10, kRedColor);
    EXPECT_EQ(offscreen.getClipRectangle(), CRectangle(0, 0, 10, 10));
    EXPECT_EQ(offscreen.getPixel(CPosition(0, 0)), (CColorValue{255, 0, 0, 255}));
    EXPECT_EQ(offscreen.getPixel(CPosition(9, 9)), (CColorValue{255, 0, 0, 255}));
}

TEST_F(OffscreenContext, CopyToContextLandsAtTheRectangleMovedByTheOthersOffset) {
    COffscreenContext offscreen(&frame, 100, 30, kBlueColor);
    offscreen.setPixel(CPosition(0, 0), kRedColor);
    offscreen.setPixel(CPosition(99, 29), kGreenColor);
    offscreen.offset = CPosition(50, 50);  // not applied to the source
    screenContext.offset = CPosition(5, 0);
    offscreen.copyToContext(&screenContext, CRectangle(10, 10, 110, 40), CPosition(0, 0));
    EXPECT_EQ(screen.rgb(15, 10), kRedRgb);
    EXPECT_EQ(screen.rgb(114, 39), kGreenRgb);
    EXPECT_EQ(screen.count(kBlueRgb, 15, 10, 115, 40), 2998);
    EXPECT_EQ(paintedCount(screen, 0, 0, 160, 60), 3000);
}

TEST_F(OffscreenContext, CopyToContextReadsFromTheSourcePosition) {
    COffscreenContext offscreen(&frame, 100, 30, kBlueColor);
    offscreen.setPixel(CPosition(20, 5), kRedColor);
    offscreen.copyToContext(&screenContext, CRectangle(0, 0, 10, 10), CPosition(20, 5));
    EXPECT_EQ(screen.rgb(0, 0), kRedRgb);
    EXPECT_EQ(screen.count(kBlueRgb, 0, 0, 10, 10), 99);
    EXPECT_EQ(paintedCount(screen, 0, 0, 160, 60), 100);
}

TEST_F(OffscreenContext, CopyFromContextReadsTheRectangleMovedByTheOthersOffset) {
    screen.fill(kBlueRgb);
    screenContext.setPixel(CPosition(15, 10), kRedColor);
    screenContext.setPixel(CPosition(114, 39), kGreenColor);
    COffscreenContext offscreen(&frame, 120, 50, kBlackColor);
    offscreen.offset = CPosition(7, 7);  // not applied to the destination
    screenContext.offset = CPosition(5, 0);
    offscreen.copyFromContext(&screenContext, CRectangle(10, 10, 110, 40), CPosition(3, 2));
    offscreen.offset = CPosition(0, 0);
    EXPECT_EQ(offscreen.getPixel(CPosition(3, 2)), kRedColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(102, 31)), kGreenColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(103, 31)), kBlackColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(3, 1)), kBlackColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(50, 20)), kBlueColor);
}

TEST_F(OffscreenContext, CopiesToOrFromNoContextDoNothing) {
    COffscreenContext offscreen(&frame, 10, 10, kRedColor);
    offscreen.copyToContext(nullptr, CRectangle(0, 0, 10, 10), CPosition(0, 0));
    offscreen.copyFromContext(nullptr, CRectangle(0, 0, 10, 10), CPosition(0, 0));
    EXPECT_EQ(offscreen.getPixel(CPosition(5, 5)), kRedColor);
}

TEST_F(OffscreenContext, ContextOffscreenWithoutBitmapIsTwentySquareWithTheFramesClip) {
    COffscreenContext offscreen(&screenContext, nullptr);
    EXPECT_EQ(offscreen.getWidth(), 20);
    EXPECT_EQ(offscreen.getHeight(), 20);
    EXPECT_EQ(offscreen.getFrame(), &frame);
    EXPECT_EQ(offscreen.getClipRectangle(), CRectangle(0, 0, 300, 200));
    EXPECT_EQ(offscreen.getPixel(CPosition(10, 10)), kBlackColor);
    offscreen.setPixel(CPosition(19, 19), kRedColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(19, 19)), kRedColor);
}

TEST_F(OffscreenContext, ContextOffscreenWithoutAContextMatchesTheScreen) {
    COffscreenContext offscreen(nullptr, nullptr);
    EXPECT_EQ(offscreen.getFrame(), nullptr);
    EXPECT_EQ(offscreen.getClipRectangle(), CRectangle(0, 0, 1000, 1000));
    offscreen.setPixel(CPosition(19, 19), kRedColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(19, 19)), kRedColor);
}

namespace {

// A screen-compatible bitmap, red with a green bottom-right pixel.
class OffscreenOverBitmap : public OffscreenContext {
  protected:
    OffscreenOverBitmap() {
        fillBitmap(bitmap->getHandle(), 40, 20, kRedRgb);
        setBitmapPixel(bitmap->getHandle(), 39, 19, kGreenRgb);
    }
    ~OffscreenOverBitmap() override { bitmap->release(); }

    CBitmap* bitmap = new CBitmap(nullptr, 40, 20);
};

}  // namespace

TEST_F(OffscreenOverBitmap, ContextOffscreenStartsWithTheBitmapsPicture) {
    COffscreenContext offscreen(&screenContext, bitmap);
    EXPECT_EQ(offscreen.getWidth(), 40);
    EXPECT_EQ(offscreen.getHeight(), 20);
    EXPECT_EQ(offscreen.getClipRectangle(), CRectangle(0, 0, 40, 20));
    EXPECT_EQ(offscreen.getPixel(CPosition(0, 0)), kRedColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(39, 19)), kGreenColor);
    offscreen.setPixel(CPosition(5, 5), kBlueColor);
    EXPECT_EQ(bitmapPixel(bitmap->getHandle(), 5, 5), kRedRgb);
}

TEST_F(OffscreenOverBitmap, DrawingInTheBitmapKeepsItsPixelsAndTheBitmap) {
    {
        COffscreenContext offscreen(&screenContext, bitmap, true);
        EXPECT_EQ(offscreen.getPixel(CPosition(0, 0)), kRedColor);
        EXPECT_EQ(offscreen.getPixel(CPosition(39, 19)), kGreenColor);
        offscreen.setPixel(CPosition(5, 5), kBlueColor);
    }
    BITMAP description = {};
    ASSERT_EQ(GetObjectA(gdiObject(bitmap->getHandle()), sizeof(description), &description),
              static_cast<int>(sizeof(description)));
    EXPECT_EQ(description.bmWidth, 40);
    EXPECT_EQ(bitmapPixel(bitmap->getHandle(), 5, 5), kBlueRgb);
    EXPECT_EQ(bitmapPixel(bitmap->getHandle(), 0, 0), kRedRgb);
}

TEST_F(OffscreenContext, DrawingInNoBitmapUsesABufferOfItsOwn) {
    COffscreenContext offscreen(&screenContext, nullptr, true);
    EXPECT_EQ(offscreen.getWidth(), 20);
    offscreen.setPixel(CPosition(3, 3), kRedColor);
    EXPECT_EQ(offscreen.getPixel(CPosition(3, 3)), kRedColor);
}
