#include "gui/controls/CParamDisplay.h"

#include <cstdio>
#include <cstring>

#include "gui/draw/CBitmap.h"

namespace gui {

namespace {

constexpr std::int32_t kNoTag = 0;
constexpr std::int32_t kEdgeWidth = 1;
// Both 3D edges are open polylines of three points.
constexpr std::int32_t kEdgePoints = 3;
// How far the shadow lies right of and below the text.
constexpr std::int32_t kShadowShift = 1;
// The text of a display without a converter.
constexpr char kValueFormat[] = "%2.2f";

template <typename T>
bool storeChanged(T& field, const T& value) {
    if (field == value) return false;
    field = value;
    return true;
}

}  // namespace

CParamDisplay::CParamDisplay(const CRectangle& size, CBitmap* background, std::int32_t style)
    : CControl(size, nullptr, kNoTag, background), style(style) {
    // A display that never draws must never ask to be drawn either.
    if (style & noDraw) setDirty(false);
}

CParamDisplay::~CParamDisplay() = default;

void CParamDisplay::draw(CDrawContext* context) {
    char text[kDisplayTextSize];
    valueText(text);
    drawDisplay(context, text);
}

bool CParamDisplay::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CParamDisplay") == 0) ||
           CControl::isTypeOf(className);
}

void CParamDisplay::setFont(std::int32_t id) {
    if (storeChanged(fontId, id)) setDirty(true);
}

void CParamDisplay::setFontColor(CColorValue color) {
    if (storeChanged(fontColor, color)) setDirty(true);
}

void CParamDisplay::setBackColor(CColorValue color) {
    if (storeChanged(backColor, color)) setDirty(true);
}

void CParamDisplay::setFrameColor(CColorValue color) {
    if (storeChanged(frameColor, color)) setDirty(true);
}

void CParamDisplay::setShadowColor(CColorValue color) {
    if (storeChanged(shadowColor, color)) setDirty(true);
}

void CParamDisplay::setHorizontalAlign(std::int32_t align) {
    if (storeChanged(horizontalAlign, align)) setDirty(true);
}

void CParamDisplay::setValueToTextWithData(ValueToTextWithDataFunction function, void* data) {
    valueToTextWithData = function;
    userData = data;
}

void CParamDisplay::setStyle(std::int32_t newStyle) {
    if (storeChanged(style, newStyle)) setDirty(true);
}

void CParamDisplay::setFontStyle(std::int32_t newStyle) {
    if (storeChanged(fontStyle, newStyle)) setDirty(true);
}

void CParamDisplay::valueText(char* text) {
    text[0] = '\0';
    if (valueToTextWithData)
        valueToTextWithData(value, text, userData);
    else if (valueToText)
        valueToText(value, text);
    else
        std::snprintf(text, kDisplayTextSize, kValueFormat, static_cast<double>(value));
    // A converter that fills the whole buffer still leaves a terminated text.
    text[kDisplayTextSize - 1] = '\0';
}

void CParamDisplay::drawDisplay(CDrawContext* context, const char* text, CBitmap* replacement) {
    setDirty(false);
    if ((style & noDraw) || !context) return;
    drawBackground(context, replacement);
    if (style & (sunken3D | raised3D)) drawEdge(context);
    if (!(style & noText) && text) drawString(context, text);
}

void CParamDisplay::drawBackground(CDrawContext* context, CBitmap* replacement) {
    CBitmap* const bitmap = replacement ? replacement : background;
    if (bitmap) {
        if (transparency)
            bitmap->drawKeyed(context, size, backgroundOffset);
        else
            bitmap->draw(context, size, backgroundOffset);
        return;
    }
    // A transparent display without a bitmap lets what lies behind it show.
    if (transparency) return;
    context->setFillColor(backColor);
    context->fillRectangle(size);
    if (!(style & (noFrame | sunken3D | raised3D))) {
        context->setLineColor(frameColor);
        context->drawRectangle(size, kFrameOnly);
    }
}

void CParamDisplay::drawEdge(CDrawContext* context) {
    const bool sunken = (style & sunken3D) != 0;
    const CColorValue& topLeft = sunken ? backColor : frameColor;
    const CColorValue& bottomRight = sunken ? frameColor : backColor;
    const CPosition upperEdge[kEdgePoints] = {CPosition(size.left, size.bottom - 1),
                                              CPosition(size.left, size.top + 1),
                                              CPosition(size.right - 1, size.top + 1)};
    const CPosition lowerEdge[kEdgePoints] = {CPosition(size.right - 1, size.top + 1),
                                              CPosition(size.right - 1, size.bottom - 1),
                                              CPosition(size.left, size.bottom - 1)};
    context->setLineWidth(kEdgeWidth);
    context->setLineColor(topLeft);
    context->drawPolyline(upperEdge, kEdgePoints);
    context->setLineColor(bottomRight);
    context->drawPolyline(lowerEdge, kEdgePoints);
}

void CParamDisplay::drawString(CDrawContext* context, const char* text) {
    const CRectangle savedClip = context->getClipRectangle();
    context->setClipRectangle(CRectangle(size).bound(savedClip));
    context->setFont(fontId, 0, fontStyle);
    const std::int32_t opaque = textTransparent ? 0 : 1;
    const auto align = static_cast<CTextAlign>(horizontalAlign);
    if (style & shadowText) {
        context->setFontColor(shadowColor);
        context->drawText(text, CRectangle(size).offset(kShadowShift, kShadowShift), opaque, align);
    }
    context->setFontColor(fontColor);
    context->drawText(text, size, opaque, align);
    context->setClipRectangle(savedClip);
}

}  // namespace gui
