// One frame of a vertical film strip, chosen by the value; a display without mouse handling.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CMovieBitmap : public CControl {
  public:
    // Frames as high as the control, as many as fit in the strip below offset.
    CMovieBitmap(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 CBitmap* background, const CPosition& offset);
    // frameCount frames of frameHeight pixels each, top to bottom from offset.
    CMovieBitmap(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 std::int32_t frameCount, std::int32_t frameHeight, CBitmap* background,
                 const CPosition& offset);
    ~CMovieBitmap() override;

    // A value above 1 is stored back as 1; values at or below 0 show the first frame.
    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) override;

    // The frame the current value shows: the nearest one, never past the last the strip holds.
    std::int32_t frameIndex();

  protected:
    CPosition bitmapOffset;
    std::int32_t frameCount;
    std::int32_t frameHeight;
};

}  // namespace gui
