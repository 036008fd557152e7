// A toggle that previews its new state while pressed: released over the button it switches,
// released off it it stays. The strip holds the off frame above the on frame.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CMovieButton : public CControl {
  public:
    // Frames as high as the control.
    CMovieButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 CBitmap* background, const CPosition& offset);
    // offset is kept; the strip is always read from its top-left.
    CMovieButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 std::int32_t frameHeight, CBitmap* background, const CPosition& offset);
    ~CMovieButton() override;

    // Bounds the value first; any value but 0 shows the on frame.
    void draw(CDrawContext* context) override;
    // Left button: tracks until the buttons or modifiers change; a press already over when it
    // arrives toggles at once.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    bool isTypeOf(const char* className) override;

  protected:
    CPosition bitmapOffset;
    std::int32_t frameHeight;
};

}  // namespace gui
