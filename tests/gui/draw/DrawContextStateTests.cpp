#include <gtest/gtest.h>

#include <cstring>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/DrawContextTestSupport.h"
#include "gui/draw/FakeFrame.h"

using namespace gui;
using namespace drawtest;

namespace {

class DrawContextState : public ::testing::Test {
  protected:
    DrawContextState() { surface.fill(kBackground); }

    PixelSurface surface{80, 60};
};

}  // namespace

TEST_F(DrawContextState, RecordsTheDefaultState) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    EXPECT_EQ(context.getLineColor(), kWhiteColor);
    EXPECT_EQ(context.getLineWidth(), 1);
    EXPECT_EQ(context.getLineStyle(), kSolidLine);
    EXPECT_EQ(context.getFillColor(), kBlackColor);
    EXPECT_EQ(context.getFontColor(), kWhiteColor);
    EXPECT_EQ(context.getFontId(), kFontSystem);
    EXPECT_EQ(context.getFontSize(), 12);
    EXPECT_EQ(context.getFontStyle(), kNormalFace);
    EXPECT_EQ(context.getDrawMode(), kDrawCopy);
    EXPECT_EQ(context.getDevice(), surface.device());
    EXPECT_EQ(context.getWindow(), nullptr);
    EXPECT_EQ(context.getFrame(), nullptr);
    EXPECT_EQ(context.offset, CPosition(0, 0));
    EXPECT_EQ(context.windowOrigin, CPosition(0, 0));
}

TEST_F(DrawContextState, SelectsTheDefaultStateIntoTheDevice) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    const LOGPEN pen = currentPen(device);
    EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.lopnWidth.x, 1);
    EXPECT_EQ(pen.lopnColor, RGB(255, 255, 255));
    const LOGBRUSH brush = currentBrush(device);
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(0, 0, 0));
    const LOGFONTA font = currentFont(device);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, "Arial");
    EXPECT_EQ(GetBkMode(device), TRANSPARENT);
    EXPECT_EQ(GetBkColor(device), RGB(0, 0, 0));
    EXPECT_EQ(GetTextColor(device), RGB(255, 255, 255));
    EXPECT_EQ(GetROP2(device), R2_COPYPEN);
}

TEST_F(DrawContextState, DefaultPenDrawsOneWhitePixelWideAndBrushFillsBlack) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    context.moveTo(CPosition(2, 5));
    context.lineTo(CPosition(12, 5));
    EXPECT_EQ(surface.count(rgbOf(255, 255, 255), 0, 0, 80, 60), 10);
    EXPECT_EQ(surface.count(rgbOf(255, 255, 255), 2, 5, 12, 6), 10);
    context.fillRectangle(CRectangle(20, 20, 30, 30));
    EXPECT_EQ(surface.count(0, 0, 0, 80, 60), 81);
}

TEST_F(DrawContextState, SameLineColorKeepsThePenButAlphaAloneReplacesIt) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    const CColorValue red{255, 0, 0, 255};
    context.setLineColor(red);
    HGDIOBJ redPen = GetCurrentObject(device, OBJ_PEN);
    context.setLineColor(red);
    EXPECT_EQ(GetCurrentObject(device, OBJ_PEN), redPen);
    context.setLineColor(CColorValue{255, 0, 0, 254});
    EXPECT_NE(GetCurrentObject(device, OBJ_PEN), redPen);
    EXPECT_EQ(context.getLineColor(), (CColorValue{255, 0, 0, 254}));
    EXPECT_EQ(currentPen(device).lopnColor, RGB(255, 0, 0));
}

TEST_F(DrawContextState, SameFillColorKeepsTheBrushButAlphaAloneReplacesIt) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    HGDIOBJ blackBrush = GetCurrentObject(device, OBJ_BRUSH);
    context.setFillColor(kBlackColor);
    EXPECT_EQ(GetCurrentObject(device, OBJ_BRUSH), blackBrush);
    context.setFillColor(CColorValue{0, 0, 0, 0});
    EXPECT_NE(GetCurrentObject(device, OBJ_BRUSH), blackBrush);
    context.setFillColor(CColorValue{10, 20, 30, 255});
    EXPECT_EQ(currentBrush(device).lbColor, RGB(10, 20, 30));
    EXPECT_EQ(GetBkColor(device), RGB(10, 20, 30));
}

TEST_F(DrawContextState, WidthAndStyleReplaceThePenOnlyWhenTheyChange) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    context.setLineWidth(3);
    HGDIOBJ widePen = GetCurrentObject(device, OBJ_PEN);
    EXPECT_EQ(currentPen(device).lopnWidth.x, 3);
    context.setLineWidth(3);
    context.setLineStyle(kSolidLine);
    EXPECT_EQ(GetCurrentObject(device, OBJ_PEN), widePen);
    context.setLineStyle(kDottedLine);
    EXPECT_EQ(currentPen(device).lopnStyle, static_cast<UINT>(PS_DOT));
    context.setLineStyle(static_cast<CLinePattern>(5));
    EXPECT_EQ(currentPen(device).lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(context.getLineStyle(), static_cast<CLinePattern>(5));
}

TEST_F(DrawContextState, FontIdOutsideTheTableSelectsTheSystemFont) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    HGDIOBJ systemFont = GetCurrentObject(device, OBJ_FONT);
    context.setFont(9, 0, 0);
    EXPECT_EQ(GetCurrentObject(device, OBJ_FONT), systemFont);
    context.setFont(kFontHuge);
    context.setFont(-1, 0, 0);
    EXPECT_EQ(context.getFontId(), kFontSystem);
    EXPECT_EQ(context.getFontSize(), 12);
    const LOGFONTA font = currentFont(device);
    EXPECT_EQ(font.lfHeight, -12);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, "Arial");
}

TEST_F(DrawContextState, DefaultSizeEqualToTheCurrentSizeCreatesNoFont) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    context.setFont(kFontNormal, 12, kTextItalic);
    HGDIOBJ italic = GetCurrentObject(device, OBJ_FONT);
    context.setFont(kFontNormal, 0, kTextItalic);
    EXPECT_EQ(GetCurrentObject(device, OBJ_FONT), italic);
    context.setFont(kFontNormal, 13, kTextItalic);
    EXPECT_NE(GetCurrentObject(device, OBJ_FONT), italic);
    EXPECT_EQ(context.getFontSize(), 13);
}

TEST_F(DrawContextState, FontDescriptionFollowsIdSizeAndStyle) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    context.setFont(kFontNormal, 20, kTextBold | kTextItalic | kTextUnderline);
    LOGFONTA font = currentFont(device);
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfItalic, 1);
    EXPECT_EQ(font.lfUnderline, 1);
    EXPECT_EQ(font.lfPitchAndFamily, VARIABLE_PITCH | FF_SWISS);
    EXPECT_EQ(font.lfOutPrecision, OUT_STRING_PRECIS);
    EXPECT_EQ(font.lfClipPrecision, CLIP_STROKE_PRECIS);

    context.setFont(kFontTiny, 0, kNormalFace);
    font = currentFont(device);
    EXPECT_EQ(font.lfHeight, -9);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_EQ(font.lfItalic, 0);

    context.setFont(kFontSymbol, 0, kNormalFace);
    font = currentFont(device);
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(font.lfPitchAndFamily, FF_DECORATIVE);
    EXPECT_STREQ(font.lfFaceName, "Symbol");
}

TEST_F(DrawContextState, DrawModeSelectsTheRasterOperation) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    HDC device = surface.device();
    context.setDrawMode(kDrawOr);
    EXPECT_EQ(GetROP2(device), R2_MERGEPEN);
    context.setDrawMode(kDrawXor);
    EXPECT_EQ(GetROP2(device), R2_NOTXORPEN);
    context.setDrawMode(static_cast<CRasterMode>(7));
    EXPECT_EQ(GetROP2(device), R2_COPYPEN);
    EXPECT_EQ(context.getDrawMode(), static_cast<CRasterMode>(7));
}

TEST_F(DrawContextState, MergeModeCombinesPenWithPixels) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    surface.fill(rgbOf(0, 0, 255));
    context.setLineColor(CColorValue{255, 0, 0, 255});
    context.setDrawMode(kDrawOr);
    context.moveTo(CPosition(0, 3));
    context.lineTo(CPosition(10, 3));
    EXPECT_EQ(surface.rgb(4, 3), rgbOf(255, 0, 255));
}

TEST_F(DrawContextState, DestructionGivesTheDeviceItsObjectsBack) {
    HDC device = surface.device();
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(1, 2, 3));
    HBRUSH brush = CreateSolidBrush(RGB(4, 5, 6));
    HFONT font = CreateFontA(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    SelectObject(device, pen);
    SelectObject(device, brush);
    SelectObject(device, font);
    {
        CDrawContext context(nullptr, device, nullptr);
        context.setFont(kFontLarge);
        EXPECT_NE(GetCurrentObject(device, OBJ_PEN), pen);
        EXPECT_NE(GetCurrentObject(device, OBJ_BRUSH), brush);
        EXPECT_NE(GetCurrentObject(device, OBJ_FONT), font);
    }
    EXPECT_EQ(GetCurrentObject(device, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(device, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(device, OBJ_FONT), font);
    SelectObject(device, GetStockObject(BLACK_PEN));
    SelectObject(device, GetStockObject(WHITE_BRUSH));
    SelectObject(device, GetStockObject(SYSTEM_FONT));
    DeleteObject(pen);
    DeleteObject(brush);
    DeleteObject(font);
}

TEST_F(DrawContextState, ClipRectangleStartsAtTheFrameSize) {
    CFrame frame(CRectangle(0, 0, 300, 200), nullptr);
    CDrawContext framed(&frame, surface.device(), nullptr);
    EXPECT_EQ(framed.getClipRectangle(), CRectangle(0, 0, 300, 200));
    EXPECT_EQ(framed.getFrame(), &frame);
    CDrawContext unframed(nullptr, surface.device(), nullptr);
    EXPECT_EQ(unframed.getClipRectangle(), CRectangle(0, 0, 1000, 1000));
}

TEST_F(DrawContextState, ClipRectangleIsStoredWithTheOffset) {
    CDrawContext context(nullptr, surface.device(), nullptr);
    context.offset = CPosition(10, 10);
    context.setClipRectangle(CRectangle(0, 0, 20, 20));
    EXPECT_EQ(context.getClipRectangle(), CRectangle(0, 0, 20, 20));
    context.setFillColor(CColorValue{0, 255, 0, 255});
    context.drawRectangle(CRectangle(-10, -10, 70, 50), kFillOnly);
    EXPECT_EQ(surface.count(rgbOf(0, 255, 0), 0, 0, 80, 60), 400);
    EXPECT_EQ(surface.count(rgbOf(0, 255, 0), 10, 10, 30, 30), 400);
    context.offset = CPosition(0, 0);
    EXPECT_EQ(context.getClipRectangle(), CRectangle(10, 10, 30, 30));
}

TEST_F(DrawContextState, ResetClipRectangleReturnsToTheFrameSize) {
    CFrame frame(CRectangle(0, 0, 300, 200), nullptr);
    CDrawContext context(&frame, surface.device(), nullptr);
    context.setClipRectangle(CRectangle(0, 0, 10, 10));
    context.resetClipRectangle();
    EXPECT_EQ(context.getClipRectangle(), CRectangle(0, 0, 300, 200));
    context.drawRectangle(CRectangle(0, 0, 80, 60), kFillOnly);
    EXPECT_EQ(surface.count(0, 0, 0, 80, 60), 80 * 60);
}

TEST_F(DrawContextState, NullDeviceContextKeepsStateWithoutDrawing) {
    CDrawContext context(nullptr, nullptr, nullptr);
    context.setLineColor(kRedColor);
    context.setFont(kFontSmall, 0, kTextBold);
    context.drawRectangle(CRectangle(0, 0, 10, 10), kFillAndFrame);
    context.drawText("text", CRectangle(0, 0, 50, 20), 1, kAlignCenter);
    EXPECT_EQ(context.getDevice(), nullptr);
    EXPECT_EQ(context.getLineColor(), kRedColor);
    EXPECT_EQ(context.getFontSize(), 11);
    EXPECT_EQ(context.measureText("text"), 0);
}
