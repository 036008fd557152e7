// A control that shows its value as text over a background, a frame or a 3D edge; the owner may
// supply the conversion from value to text.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

// Bits of a display's style.
enum CParamDisplayStyle : std::int32_t {
    shadowText = 0x4,            // the text is first drawn one pixel right and down
    sunken3D = 0x80,             // top and left edges in the back colour, the others in the frame's
    raised3D = 0x100,            // the same with the two colours swapped
    noText = 0x800,              // no text is drawn
    noDraw = 0x1000,             // nothing is drawn, and construction leaves the control clean
    editOnDoubleClick = 0x2000,  // a text entry opens only on a double click
    noFrame = 0x4000,            // no outline around the filled background
};

// Every text a display converts or shows fits this, terminator included.
constexpr std::int32_t kDisplayTextSize = 256;

// The converters write at most kDisplayTextSize bytes, terminator included.
using ValueToTextFunction = void (*)(float value, char* text);
using ValueToTextWithDataFunction = void (*)(float value, char* text, void* userData);

class CParamDisplay : public CControl {
  public:
    // background may be null. The display has no listener and tag 0.
    explicit CParamDisplay(const CRectangle& size, CBitmap* background = nullptr,
                           std::int32_t style = 0);
    ~CParamDisplay() override;

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) override;
    // The text shown, unless the owner gave a spoken form.
    bool accessibleValue(char* text) override;

    // Each setter that changes what is drawn marks the display dirty when the value differs.
    virtual void setFont(std::int32_t id);
    virtual void setFontColor(CColorValue color);
    virtual void setBackColor(CColorValue color);
    virtual void setFrameColor(CColorValue color);
    virtual void setShadowColor(CColorValue color);
    // 0 left, 1 centre, 2 right.
    virtual void setHorizontalAlign(std::int32_t align);
    virtual void setValueToText(ValueToTextFunction function) { valueToText = function; }
    // Preferred over the plain function when both are set; userData is shared with the text
    // entry's with-data function.
    virtual void setValueToTextWithData(ValueToTextWithDataFunction function, void* data);
    virtual void setStyle(std::int32_t newStyle);
    // Bold 1, italic 2, underline 4.
    virtual void setFontStyle(std::int32_t newStyle);
    // Takes effect at the next draw: nothing is marked dirty.
    virtual void setTransparentText(bool value) { textTransparent = value; }

    std::int32_t getFont() const { return fontId; }
    CColorValue getFontColor() const { return fontColor; }
    CColorValue getBackColor() const { return backColor; }
    CColorValue getFrameColor() const { return frameColor; }
    CColorValue getShadowColor() const { return shadowColor; }
    std::int32_t getHorizontalAlign() const { return horizontalAlign; }
    std::int32_t getStyle() const { return style; }
    std::int32_t getFontStyle() const { return fontStyle; }
    bool getTransparentText() const { return textTransparent; }

    // Background, edge and text; replacement, when given, is drawn instead of the background.
    // text may be null: then no text is drawn.
    void drawDisplay(CDrawContext* context, const char* text, CBitmap* replacement = nullptr);

  protected:
    // The text for the current value, through the owner's converter when there is one.
    void valueText(char* text);

    ValueToTextFunction valueToText = nullptr;
    ValueToTextWithDataFunction valueToTextWithData = nullptr;
    void* userData = nullptr;
    std::int32_t horizontalAlign = kAlignCenter;
    std::int32_t style;
    std::int32_t fontId = kFontNormal;
    std::int32_t fontStyle = kNormalFace;
    CColorValue fontColor = kWhiteColor;
    CColorValue backColor = kBlackColor;
    CColorValue frameColor = kBlackColor;
    CColorValue shadowColor = kRedColor;
    bool textTransparent = true;

  private:
    void drawBackground(CDrawContext* context, CBitmap* replacement);
    void drawEdge(CDrawContext* context);
    void drawString(CDrawContext* context, const char* text);
};

}  // namespace gui
