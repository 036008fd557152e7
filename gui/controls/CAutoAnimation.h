// A film strip its owner steps frame by frame; a click shows or hides it. The value is a pixel
// offset into the strip, not a normalized value.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CAutoAnimation : public CControl {
  public:
    // Frames as high as the control, as many as fit in the strip.
    CAutoAnimation(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                   CBitmap* background, const CPosition& offset);
    CAutoAnimation(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                   std::int32_t frameCount, std::int32_t frameHeight, CBitmap* background,
                   const CPosition& offset);
    ~CAutoAnimation() override;

    // Draws the frame at the value's offset only while shown.
    void draw(CDrawContext* context) override;
    // Left button: shows a hidden animation (and tells the listener) or hides a shown one.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    bool isTypeOf(const char* className) override;

    virtual void showAnimation() { animationShown = true; }
    virtual void hideAnimation() { animationShown = false; }
    // Forward wraps to 0 before the frame that starts at totalHeight - frameHeight.
    virtual void nextFrame();
    // Backward wraps to one pixel above the start of the last frame.
    virtual void previousFrame();

    bool isAnimationShown() const { return animationShown; }

  protected:
    CPosition bitmapOffset;
    std::int32_t frameCount;
    std::int32_t frameHeight;
    std::int32_t totalHeight;
    bool animationShown = false;
};

}  // namespace gui
