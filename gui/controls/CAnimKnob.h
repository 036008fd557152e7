// A knob drawn as one frame of a vertical film strip, its background bitmap.
#pragma once

#include <cstdint>

#include "gui/controls/CKnob.h"

namespace gui {

class CAnimKnob : public CKnob {
  public:
    // frameCount frames of frameHeight pixels each, top to bottom. offset is kept for the knob
    // base; the strip is always read from its left edge.
    CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
              std::int32_t frameCount, std::int32_t frameHeight, CBitmap* background,
              const CPosition& offset);
    // Frames as high as the control, as many as fit in the strip.
    CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
              CBitmap* background, const CPosition& offset);
    ~CAnimKnob() override;

    void draw(CDrawContext* context) override;
    // A value change that lands on the frame already shown needs no drawing.
    bool isDirty() override;
    bool isTypeOf(const char* className) override;

    // The top row, inside the strip, of the frame for the current value.
    std::int32_t frameOffset();

  protected:
    std::int32_t frameCount;
    std::int32_t frameHeight;
    CPosition lastDrawnPoint;

  private:
    // The frame drawn last; a value can move to the next frame without moving the handle point.
    std::int32_t lastDrawnFrame = kNeverDrawn;
    static constexpr std::int32_t kNeverDrawn = -1;
};

}  // namespace gui
