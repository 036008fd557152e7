// A rotary control: its value is an angle on an arc, drawn as a handle over a background, and
// the mouse turns it by angle (circular) or by distance (linear).
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CKnob : public CControl {
  public:
    // handleBitmap may be null: the handle is then a two-colour line. offset is where the
    // background is read from.
    CKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag, CBitmap* background,
          CBitmap* handleBitmap, const CPosition& offset);
    ~CKnob() override;

    void draw(CDrawContext* context) override;
    // Left button: Control+click resets; otherwise tracks the mouse until the button is up.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    // Arrow keys step by the wheel increment, a tenth of it with Shift.
    std::int32_t onKeyDown(VstKeyCode& key) override;
    bool onWheel(CDrawContext* context, const CPosition& where, float distance) override;
    bool isTypeOf(const char* className) override;

    virtual void drawHandle(CDrawContext* context);
    // Radians counter-clockwise from three o'clock; a negative range turns clockwise.
    virtual void setStartAngle(float angle);
    virtual float getStartAngle() { return startAngle; }
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle() { return rangeAngle; }
    // The handle point for the current value, relative to the control.
    virtual void pointFromValue(CPosition& point);
    // A point relative to the control; points in the dead arc snap to the nearer end.
    virtual float valueFromPoint(const CPosition& point);
    virtual void setInset(std::int32_t newInset) { inset = newInset; }
    virtual void setHandleShadowColor(CColorValue color);
    virtual void setHandleColor(CColorValue color);
    virtual void setHandleBitmap(CBitmap* bitmap);
    virtual void setFineFactor(float factor) { fineFactor = factor; }
    virtual float getFineFactor() { return fineFactor; }

  protected:
    void compute();

    CPosition bitmapOffset;
    CColorValue handleColor;
    CColorValue handleShadowColor;
    CBitmap* handleBitmap = nullptr;
    std::int32_t inset;
    float startAngle = 0.0f;
    float rangeAngle = 0.0f;
    float halfDeadAngle = 0.0f;
    float angleScale = 0.0f;
    float angleOffset = 0.0f;
    float knobRadius;
    float fineFactor;

  private:
    // One mouse gesture's state between passes of the tracking loop.
    struct Drag;
    bool linearModeFor(ButtonState buttons);
};

}  // namespace gui
