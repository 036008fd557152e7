// A handle bitmap moving along one axis over a background: dragged with the mouse (Shift for
// fine steps), stepped by the arrow keys and the wheel.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class COffscreenContext;

// Style bits. Without horizontalSlider a slider is vertical. valueTowardEnd: the value grows
// toward the right or the bottom; valueTowardStart: toward the left or the top. Each meaning has a
// second bit, the one vertical sliders have traditionally been given.
enum CSliderStyle : std::int32_t {
    horizontalSlider = 1,
    verticalSlider = 2,
    valueTowardEnd = 8,
    valueTowardStart = 16,
    valueTowardEndVertical = 32,
    valueTowardStartVertical = 64
};

class CSlider : public CControl {
  public:
    // The handle travels from firstPixel to lastPixel (in the coordinates of size) along the
    // axis. handle and background may be null; offset is where the background is read from.
    CSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
            std::int32_t firstPixel, std::int32_t lastPixel, CBitmap* handle, CBitmap* background,
            const CPosition& offset, std::int32_t style);
    // The handle starts at handleOrigin (relative to the control) and its far edge travels over
    // travel pixels.
    CSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
            const CPosition& handleOrigin, std::int32_t travel, CBitmap* handle,
            CBitmap* background, const CPosition& offset, std::int32_t style);
    ~CSlider() override;

    void draw(CDrawContext* context) override;
    // Left button: Control+click resets; otherwise the handle follows the mouse until the button
    // is up, a tenth as fast (fineFactor) while Shift is held.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    // Arrow keys step by the wheel increment, a tenth of it with Shift.
    std::int32_t onKeyDown(VstKeyCode& key) override;
    bool onWheel(CDrawContext* context, const CPosition& where, float distance) override;
    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    bool isTypeOf(const char* className) override;

    virtual void setTransparentHandle(bool value) { transparentHandle = value; }
    virtual void setJumpToClick(bool value) { jumpToClick = value; }
    virtual bool getJumpToClick() { return jumpToClick; }
    // Relative to the control's top-left; sets the handle's limits along the axis.
    virtual void setHandleOffset(const CPosition& origin);
    // Takes the new handle's size; null keeps the old size.
    virtual void setHandleBitmap(CBitmap* bitmap);
    virtual CBitmap* getHandleBitmap() { return handleBitmap; }
    virtual void setFineFactor(float factor) { fineFactor = factor; }
    virtual float getFineFactor() { return fineFactor; }

  protected:
    CPosition bitmapOffset;
    CPosition handleOffset;
    CBitmap* handleBitmap = nullptr;
    COffscreenContext* offscreen = nullptr;
    std::int32_t style;
    std::int32_t sliderWidth = 1;
    std::int32_t sliderHeight = 1;
    std::int32_t handleTravel = 0;
    std::int32_t minHandlePos = 0;
    std::int32_t maxHandlePos = 0;
    std::int32_t travelStart = 0;
    std::int32_t controlWidth;
    std::int32_t controlHeight;
    float fineFactor;
    bool transparentHandle = true;
    bool jumpToClick = true;

  private:
    CSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag, CBitmap* handle,
            CBitmap* background, const CPosition& offset, std::int32_t style);
    bool horizontal() const { return (style & horizontalSlider) != 0; }
    std::int32_t handleLength() const { return horizontal() ? sliderWidth : sliderHeight; }
    // The share of the travel the handle stands at: the value, or 1 - value for sliders whose
    // value grows toward the start.
    float handlePosition() const;
    // The handle's rectangle relative to the control, inside its limits.
    CRectangle handleRect() const;
    // The mouse coordinate that stands for the value 0; false for a click that misses the handle
    // of a slider that does not jump to clicks.
    bool grabOrigin(const CPosition& click, std::int32_t& origin) const;
    float valueAt(const CPosition& point, std::int32_t origin) const;
    void dropOffscreen();
};

// A slider along the vertical axis.
class CVerticalSlider : public CSlider {
  public:
    CVerticalSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                    std::int32_t firstPixel, std::int32_t lastPixel, CBitmap* handle,
                    CBitmap* background, const CPosition& offset, std::int32_t style);
    CVerticalSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                    const CPosition& handleOrigin, std::int32_t travel, CBitmap* handle,
                    CBitmap* background, const CPosition& offset, std::int32_t style);
};

// A slider along the horizontal axis.
class CHorizontalSlider : public CSlider {
  public:
    CHorizontalSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                      std::int32_t firstPixel, std::int32_t lastPixel, CBitmap* handle,
                      CBitmap* background, const CPosition& offset, std::int32_t style);
    CHorizontalSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                      const CPosition& handleOrigin, std::int32_t travel, CBitmap* handle,
                      CBitmap* background, const CPosition& offset, std::int32_t style);
};

}  // namespace gui
