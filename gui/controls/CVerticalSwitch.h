// A switch of several positions stacked top to bottom, mapped onto 0 to 1; the strip holds one
// frame per position from the top.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CVerticalSwitch : public CControl {
  public:
    // Frames as high as the control, one position for each frame the strip holds.
    CVerticalSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                    CBitmap* background, const CPosition& offset);
    // maxPositions positions over frameHeight pixels of the control. offset is kept; the strip
    // is always read from its top-left.
    CVerticalSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                    std::int32_t frameCount, std::int32_t frameHeight, std::int32_t maxPositions,
                    CBitmap* background, const CPosition& offset);
    ~CVerticalSwitch() override;

    void draw(CDrawContext* context) override;
    // Left button: Control+click resets; otherwise the position under the mouse until the
    // buttons or modifiers change. A switch of fewer than two positions ignores the mouse.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    bool isTypeOf(const char* className) override;

  protected:
    CPosition bitmapOffset;
    std::int32_t frameCount;
    std::int32_t frameHeight;
    std::int32_t maxPositions;
};

}  // namespace gui
