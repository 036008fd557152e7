// A switch of several positions side by side, left to right, mapped onto 0 to 1; the strip holds
// one frame per position from the top, and its width is the width of the positions.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CHorizontalSwitch : public CControl {
  public:
    // Frames as high as the control, one position for each frame the strip holds, side by side
    // across the strip's width.
    CHorizontalSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                      CBitmap* background, const CPosition& offset);
    // maxPositions positions across the width of background. offset is kept; the strip is
    // always read from its top-left.
    CHorizontalSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                      std::int32_t frameCount, std::int32_t frameHeight, std::int32_t maxPositions,
                      CBitmap* background, const CPosition& offset);
    ~CHorizontalSwitch() override;

    void draw(CDrawContext* context) override;
    // Left button: Control+click resets; otherwise the position under the mouse until the
    // buttons or modifiers change. A switch of fewer than two positions, or without a
    // background to measure, ignores the mouse.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    bool isTypeOf(const char* className) override;

  protected:
    CPosition bitmapOffset;
    std::int32_t frameCount;
    std::int32_t maxPositions;
    std::int32_t frameHeight;
};

}  // namespace gui
