#include <gtest/gtest.h>

#include <cstring>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/DrawContextTestSupport.h"

using namespace gui;
using namespace drawtest;

namespace {

constexpr const char* kSample = "Talon 58";
constexpr std::uint32_t kWhiteRgb = rgbOf(255, 255, 255);
constexpr UINT kBaseFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

class DrawContextText : public ::testing::Test {
  protected:
    DrawContextText() {
        surface.fill(kBackground);
        reference.fill(kBackground);
    }

    // The sample as plain GDI draws it on the reference surface, with the context's font and
    // colours, into rect (device coordinates).
    void drawReference(RECT rect, UINT alignment) {
        HDC device = reference.device();
        HGDIOBJ previous = SelectObject(device, GetCurrentObject(surface.device(), OBJ_FONT));
        SetBkMode(device, TRANSPARENT);
        SetTextColor(device, GetTextColor(surface.device()));
        DrawTextA(device, kSample, static_cast<int>(std::strlen(kSample)), &rect,
                  kBaseFormat | alignment);
        SelectObject(device, previous);
    }

    PixelSurface surface{160, 40};
    PixelSurface reference{160, 40};
    CDrawContext context{nullptr, surface.device(), nullptr};
};

}  // namespace

TEST_F(DrawContextText, DefaultTextIsWhiteBoldArialTwelveOnATransparentBackground) {
    context.drawText(kSample, CRectangle(0, 0, 160, 40), 0, kAlignCenter);
    EXPECT_GT(surface.count(kWhiteRgb, 0, 0, 160, 40), 20);
    EXPECT_EQ(surface.count(0, 0, 0, 160, 40), 0);  // no black cells behind the glyphs

    HDC device = CreateCompatibleDC(nullptr);
    HFONT bold = CreateFontA(-12, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, OUT_STRING_PRECIS,
                             CLIP_STROKE_PRECIS, 0, VARIABLE_PITCH | FF_SWISS, "Arial");
    HGDIOBJ previous = SelectObject(device, bold);
    SIZE extent = {};
    GetTextExtentPoint32A(device, kSample, static_cast<int>(std::strlen(kSample)), &extent);
    SelectObject(device, previous);
    DeleteObject(bold);
    DeleteDC(device);
    EXPECT_EQ(context.measureText(kSample), extent.cx);
}

TEST_F(DrawContextText, SystemFontIsBoldAndSoWiderThanTheNormalFont) {
    const std::int32_t systemWidth = context.measureText(kSample);
    context.setFont(kFontNormal);
    EXPECT_GT(systemWidth, context.measureText(kSample));
    context.setFont(kFontNormal, 0, kTextBold);
    EXPECT_EQ(systemWidth, context.measureText(kSample));
}

TEST_F(DrawContextText, OpaqueTextPaintsItsCellsInTheFillColour) {
    context.setFillColor(CColorValue{0, 200, 0, 255});
    context.drawText(kSample, CRectangle(0, 0, 160, 40), 1, kAlignCenter);
    EXPECT_GT(surface.count(rgbOf(0, 200, 0), 0, 0, 160, 40), 50);
    EXPECT_EQ(GetBkMode(surface.device()), TRANSPARENT);
}

TEST_F(DrawContextText, OnlyTheLowSixteenBitsOfOpaqueCount) {
    context.setFillColor(CColorValue{0, 200, 0, 255});
    context.drawText(kSample, CRectangle(0, 0, 160, 40), 0x10000, kAlignCenter);
    EXPECT_EQ(surface.count(rgbOf(0, 200, 0), 0, 0, 160, 40), 0);
    EXPECT_GT(surface.count(kWhiteRgb, 0, 0, 160, 40), 20);
}

TEST_F(DrawContextText, LeftAlignedTextStartsOnePixelInsideTheMovedRectangle) {
    context.offset = CPosition(3, 2);
    context.drawText(kSample, CRectangle(10, 0, 150, 30), 0, kAlignLeft);
    drawReference({14, 2, 153, 32}, DT_LEFT);
    EXPECT_TRUE(sameImage(surface, reference));
    EXPECT_GT(paintedCount(surface, 0, 0, 160, 40), 20);
}

TEST_F(DrawContextText, UnknownAlignmentIsLeftAlignment) {
    context.drawText(kSample, CRectangle(10, 0, 150, 30), 0, static_cast<CTextAlign>(7));
    drawReference({11, 0, 150, 30}, DT_LEFT);
    EXPECT_TRUE(sameImage(surface, reference));
}

TEST_F(DrawContextText, CentredAndRightAlignedTextUseTheRectangleAsGiven) {
    context.drawText(kSample, CRectangle(0, 0, 160, 20), 0, kAlignCenter);
    context.drawText(kSample, CRectangle(0, 20, 150, 40), 0, kAlignRight);
    drawReference({0, 0, 160, 20}, DT_CENTER);
    drawReference({0, 20, 150, 40}, DT_RIGHT);
    EXPECT_TRUE(sameImage(surface, reference));
    EXPECT_LE(paintedBox(surface).right, 150);
}

TEST_F(DrawContextText, TextIsClippedToItsRectangle) {
    context.drawText(kSample, CRectangle(20, 10, 40, 30), 1, kAlignLeft);
    const PaintedBox box = paintedBox(surface);
    EXPECT_FALSE(box.empty());
    EXPECT_GE(box.left, 21);
    EXPECT_LE(box.right, 40);
    EXPECT_GE(box.top, 10);
    EXPECT_LE(box.bottom, 30);
}

TEST_F(DrawContextText, NullTextDrawsNothingAndMeasuresZero) {
    context.drawText(nullptr, CRectangle(0, 0, 160, 40), 1, kAlignLeft);
    EXPECT_TRUE(paintedBox(surface).empty());
    EXPECT_EQ(context.measureText(nullptr), 0);
    EXPECT_EQ(context.measureText(""), 0);
}
