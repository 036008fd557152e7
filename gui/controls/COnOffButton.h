// A toggle: a click switches the value between 0 and 1; the strip holds the off image above the
// on image.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class COnOffButton : public CControl {
  public:
    // When the listener hears of a click, relative to the button's repaint; any other style
    // repaints without telling the listener.
    static constexpr std::int32_t notifyAfterRedraw = 0;
    static constexpr std::int32_t notifyBeforeRedraw = 1;

    COnOffButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 CBitmap* background, std::int32_t style);
    ~COnOffButton() override;

    void draw(CDrawContext* context) override;
    // Left button: a value that truncates to 0 becomes 1, any other 0; no tracking.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    bool isTypeOf(const char* className) override;

    virtual std::int32_t getStyle() { return style; }
    // Takes effect at the next click; nothing is redrawn.
    virtual void setStyle(std::int32_t newStyle) { style = newStyle; }

  protected:
    std::int32_t style;

  private:
    // The click as its own gesture, without a dirty test: every toggle is news.
    void notifyClick(CDrawContext* context);
};

}  // namespace gui
