// Base of every value-carrying view: a value with bounds and a default, a tag, a listener, the
// dirty rule, edit gestures that reach the host, the reset gesture and double-click detection.
#pragma once

#include <cstdint>

#include "gui/controls/CControlListener.h"
#include "gui/draw/CDrawContext.h"
#include "gui/views/CView.h"

namespace gui {

// A fourth modifier some platforms report; this one never does, but handlers honour it.
constexpr ButtonState kModifierExtra = 64;
// Any of these in a click offers it to the listener's modifierClicked first.
constexpr ButtonState kModifierBits =
    kModifierShift | kModifierControl | kModifierAlt | kModifierExtra;
// The one state that resets a control: left button and Control, nothing else.
constexpr ButtonState kResetClick = kButtonLeft | kModifierControl;

// The system's double-click time is raised to at least this.
constexpr std::int32_t kMinDoubleClickDelta = 250;
std::int32_t boundedDoubleClickDelta(std::uint32_t systemMilliseconds);

// The value as a person would say it, at most kAccessibleTextSize bytes with the terminator.
using SpokenValueFunction = void (*)(float value, char* text);
// A value typed as text, as the owner reads it.
using TextToValueFunction = float (*)(const char* text);

class CControl : public CView {
  public:
    CControl(const CRectangle& size, CControlListener* listener, std::int32_t tag,
             CBitmap* background = nullptr);
    ~CControl() override;

    // Every draw ends with setDirty(false).
    void draw(CDrawContext* context) override = 0;
    // Dirty while the value differs from the one last drawn, or when marked.
    bool isDirty() override;
    void setDirty(bool value = true) override;
    bool isTypeOf(const char* className) override;
    // UI thread, asked by assistive technology. By class (ControlAccessibility.cpp): the role, the
    // states, the spoken value (through the owner's function when set, else the share of the range
    // in per cent) and, for sliders and switches, a value typed as text.
    AccessibleRole accessibleRole() override;
    std::uint32_t accessibleStates() override;
    bool accessibleValue(char* text) override;
    bool accessibleSetValue(const char* text) override;
    float accessibleValueKey() override { return value; }
    void setSpokenValue(SpokenValueFunction function) { spokenValue = function; }
    void setTextToValue(TextToValueFunction function) { textToValue = function; }
    // Leaving the tree mid-gesture (the editor closes while the mouse is held) ends the gesture
    // while the frame is still whole; the control then keeps no link to its old frame.
    bool removed(CView* parent) override;

    // Lets the panel repaint while a control tracks the mouse.
    virtual void runIdle();
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() { return value; }
    virtual void setMin(float newMin) { minValue = newMin; }
    virtual float getMin() { return minValue; }
    virtual void setMax(float newMax) { maxValue = newMax; }
    virtual float getMax() { return maxValue; }
    virtual void setOldValue(float newOldValue) { oldValue = newOldValue; }
    virtual float getOldValue() { return oldValue; }
    virtual void setDefaultValue(float newDefault) { defaultValue = newDefault; }
    virtual float getDefaultValue() { return defaultValue; }
    virtual void setTag(std::int32_t newTag) { tag = newTag; }
    virtual std::int32_t getTag() { return tag; }
    // Without a frame both do nothing. An end-edit reaches the host only for a begin-edit this
    // control sent, so hosts always see balanced gestures.
    virtual void beginEdit();
    virtual void endEdit();
    virtual void setBackgroundOffset(const CPosition& offset) { backgroundOffset = offset; }
    virtual void takeBackgroundOffsetFromSize();
    virtual void setWheelIncrement(float increment) { wheelIncrement = increment; }
    virtual float getWheelIncrement() { return wheelIncrement; }
    // A NaN value becomes the minimum.
    virtual void clampValue();
    // Control+left click sets the default value as one gesture; true when it did.
    virtual bool resetToDefaultOnClick(CDrawContext* context, ButtonState buttons);

    // True for the second of two clicks within the double-click time; a control without a frame
    // never sees one.
    bool detectDoubleClick();
    CControlListener* getListener() const { return listener; }

  protected:
    // beginEdit, then whether the control is still in the frame it was in. Taking the focus ends
    // an edit elsewhere, which reaches the host and the listeners: a host may close the editor
    // there, a listener may remove this control. The caller holds a reference on the control.
    bool beginEditKeepsFrame();
    // The modifier hook: true when the listener took a click with a modifier held.
    bool modifierClickTaken(CDrawContext* context, ButtonState buttons);
    // The last step of every user change.
    void notifyIfDirty(CDrawContext* context);
    // A single change from the keyboard or the wheel, bracketed as its own gesture.
    void notifyAsGesture(CDrawContext* context);

    CControlListener* listener;
    std::int32_t tag;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minValue = 0.0f;
    float maxValue = 1.0f;
    float wheelIncrement = 0.1f;
    std::int32_t lastClickTicks = -1;
    std::int32_t doubleClickDelta;
    CPosition backgroundOffset;
    SpokenValueFunction spokenValue = nullptr;
    TextToValueFunction textToValue = nullptr;

  private:
    // Begin-edits sent to the host and not yet ended.
    std::int32_t openEdits = 0;
};

}  // namespace gui
