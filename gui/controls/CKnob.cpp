#include "gui/controls/CKnob.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "gui/controls/ControlMath.h"
#include "gui/draw/CBitmap.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

// 5π/4 and -3π/2 as the floats 0x407B53D1 and 0xC096CBE4: lower left, then clockwise over the
// top to lower right.
constexpr float kDefaultStartAngle = 0x1.f6a7a2p+1f;
constexpr float kDefaultRangeAngle = -0x1.2d97c8p+2f;
constexpr float kTwoPi = 6.2831855f;
constexpr double kTwoPiExact = 6.283185307179586;
constexpr std::int32_t kInsetWithoutHandleBitmap = 3;
constexpr float kDefaultFineFactor = 1.5f;
// Pixels of movement for a full sweep of the range in linear mode.
constexpr float kLinearTravel = 200.0f;
// The host's knob mode that makes the knobs linear.
constexpr std::int32_t kLinearKnobMode = 2;
std::int32_t insetFor(const CBitmap& handle) {
    return static_cast<std::int32_t>(0.5 * handle.getWidth() + 2.5);
}

// Once into 0 to 2π, for angles at most one turn outside.
float wrappedOnce(float angle) {
    if (angle < 0.0f) return angle + kTwoPi;
    if (angle > kTwoPiExact) return angle - kTwoPi;
    return angle;
}

}  // namespace

struct CKnob::Drag {
    Drag(CKnob& knob, const CPosition& click, ButtonState buttons)
        : knob(knob),
          linear(knob.linearModeFor(buttons)),
          range(knob.maxValue - knob.minValue),
          first(click),
          start(knob.value),
          previousButtons(buttons) {
        coefficient = coefficientFor(buttons);
        if (!linear)
            previous =
                knob.valueFromPoint(CPosition(click.h - knob.size.left, click.v - knob.size.top));
    }

    float coefficientFor(ButtonState buttons) const {
        float factor = kLinearTravel;
        // A factor that cannot divide leaves the movement whole.
        if ((buttons & kModifierShift) && knob.fineFactor > 0.0f) factor *= knob.fineFactor;
        return range / factor;
    }

    // Right and up increase; a change of the buttons rebases the start so that the value does
    // not jump when Shift goes down or up.
    void followLinear(const CPosition& point, ButtonState buttons) {
        const auto distance = static_cast<float>((static_cast<std::int64_t>(point.h) - first.h) +
                                                 (first.v - static_cast<std::int64_t>(point.v)));
        if (buttons != previousButtons) {
            const float newCoefficient = coefficientFor(buttons);
            start += distance * (coefficient - newCoefficient);
            coefficient = newCoefficient;
            previousButtons = buttons;
        }
        knob.value = start + distance * coefficient;
        knob.clampValue();
    }

    // A jump of more than half the range in one step crossed the dead arc: the value sticks to
    // the end it was approaching.
    void followCircular(CPosition& point) {
        point.h -= knob.size.left;
        point.v -= knob.size.top;
        const float pointed = knob.valueFromPoint(point);
        const float halfRange = range * 0.5f;
        knob.value = pointed;
        if (previous - pointed > halfRange)
            knob.value = knob.maxValue;
        else if (pointed - previous > halfRange)
            knob.value = knob.minValue;
        else
            previous = pointed;
    }

    CKnob& knob;
    const bool linear;
    const float range;
    const CPosition first;
    float start;
    ButtonState previousButtons;
    float coefficient = 0.0f;
    float previous = 0.0f;
};

CKnob::CKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
             CBitmap* background, CBitmap* handleBitmap, const CPosition& offset)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      handleColor(kWhiteColor),
      handleShadowColor(kGreyColor),
      handleBitmap(handleBitmap),
      inset(handleBitmap ? insetFor(*handleBitmap) : kInsetWithoutHandleBitmap),
      knobRadius(0.5f * static_cast<float>(size.getWidth())),
      fineFactor(kDefaultFineFactor) {
    if (handleBitmap) handleBitmap->retain();
    rangeAngle = 1.0f;
    startAngle = kDefaultStartAngle;
    compute();
    rangeAngle = kDefaultRangeAngle;
    compute();
    wantsFocusFlag = true;
}

CKnob::~CKnob() {
    if (handleBitmap) handleBitmap->release();
}

void CKnob::compute() {
    angleScale = (maxValue - minValue) / rangeAngle;
    angleOffset = minValue - angleScale * startAngle;
    halfDeadAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
    setDirty(true);
}

void CKnob::draw(CDrawContext* context) {
    if (!context) return;
    if (background) {
        if (transparency)
            background->drawKeyed(context, size, bitmapOffset);
        else
            background->draw(context, size, bitmapOffset);
    }
    drawHandle(context);
    setDirty(false);
}

void CKnob::drawHandle(CDrawContext* context) {
    if (!context) return;
    CPosition point;
    pointFromValue(point);
    if (handleBitmap) {
        const std::int32_t width = handleBitmap->getWidth();
        const std::int32_t height = handleBitmap->getHeight();
        const CPosition corner(size.left + point.h - width / 2, size.top + point.v - height / 2);
        handleBitmap->drawKeyed(
            context, CRectangle(corner.h, corner.v, corner.h + width, corner.v + height));
        return;
    }
    CPosition centre(size.left - 1 + size.getWidth() / 2, size.top + size.getHeight() / 2);
    CPosition tip(size.left - 1 + point.h, size.top + point.v);
    context->setLineColor(handleShadowColor);
    context->moveTo(tip);
    context->lineTo(centre);
    // The bright line sits one pixel up and to the right of its shadow.
    tip.h += 1;
    tip.v -= 1;
    centre.h += 1;
    centre.v -= 1;
    context->setLineColor(handleColor);
    context->moveTo(tip);
    context->lineTo(centre);
}

bool CKnob::linearModeFor(ButtonState buttons) {
    const bool hostWantsLinear = parentFrame && parentFrame->getKnobMode() == kLinearKnobMode;
    const bool alt = (buttons & kModifierAlt) != 0;
    return hostWantsLinear != alt;
}

void CKnob::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = context ? context->getButtonState() : 0;
    if (!(buttons & kButtonLeft)) return;
    if (modifierClickTaken(context, buttons) || resetToDefaultOnClick(context, buttons)) return;
    // Tracking reads the mouse through the context.
    if (!context) return;
    // The loop's idle cycle may close the editor: the knob stays alive to the end of the loop
    // and stops when it has left its frame.
    retain();
    const bool framed = parentFrame != nullptr;
    Drag drag(*this, where, buttons);
    beginEdit();
    CPosition last(-1, -1);
    for (;;) {
        const ButtonState now = context->getButtonState();
        const CPosition read = where;
        if (where != last) {
            if (drag.linear)
                drag.followLinear(where, now);
            else
                drag.followCircular(where);
            notifyIfDirty(context);
        }
        getMousePoint(context, where);
        runIdle();
        last = read;
        if (!(now & kButtonLeft) || (framed && !parentFrame)) break;
    }
    endEdit();
    release();
}

std::int32_t CKnob::onKeyDown(VstKeyCode& key) {
    if (!keyMovesValue(key, wheelIncrement, minValue, maxValue, value)) return kKeyNotHandled;
    clampValue();
    notifyAsGesture(nullptr);
    return 1;
}

bool CKnob::onWheel(CDrawContext* context, const CPosition&, float distance) {
    if (!getMouseEnabled() || !std::isfinite(distance)) return false;
    const ButtonState buttons = context ? context->getButtonState() : 0;
    value += wheelStep(buttons, distance, wheelIncrement);
    clampValue();
    notifyAsGesture(context);
    return true;
}

bool CKnob::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CKnob") == 0) || CControl::isTypeOf(className);
}

void CKnob::setStartAngle(float angle) {
    startAngle = angle;
    compute();
}

void CKnob::setRangeAngle(float angle) {
    rangeAngle = angle;
    compute();
}

void CKnob::pointFromValue(CPosition& point) {
    const float angle = (value - angleOffset) / angleScale;
    const float reach = knobRadius - static_cast<float>(inset);
    point.h = truncatedToInt(knobRadius + std::cos(angle) * reach + 0.5);
    point.v = truncatedToInt(knobRadius - std::sin(angle) * reach + 0.5);
}

float CKnob::valueFromPoint(const CPosition& point) {
    const float up = knobRadius - static_cast<float>(point.v);
    const float right = static_cast<float>(point.h) - knobRadius;
    auto alpha = static_cast<float>(std::atan2(up, right));
    if (alpha < 0.0f) alpha += kTwoPi;
    float a = alpha - startAngle;
    if (rangeAngle >= 0.0f) {
        const float w = wrappedOnce(a);
        // The far half of the dead arc belongs to the start.
        if (w > rangeAngle + halfDeadAngle) return minValue;
        if (w > rangeAngle) return maxValue;
        if (a > rangeAngle + halfDeadAngle)
            a -= kTwoPi;
        else if (a < -halfDeadAngle)
            a += kTwoPi;
        return a * angleScale + minValue;
    }
    float b = a - rangeAngle;
    const float w = wrappedOnce(b);
    if (w > halfDeadAngle - rangeAngle) return maxValue;
    if (w > -rangeAngle) return minValue;
    if (b > halfDeadAngle - rangeAngle)
        b -= kTwoPi;
    else if (b < -halfDeadAngle)
        b += kTwoPi;
    return b * angleScale + maxValue;
}

void CKnob::setHandleShadowColor(CColorValue color) {
    handleShadowColor = color;
    setDirty(true);
}

void CKnob::setHandleColor(CColorValue color) {
    handleColor = color;
    setDirty(true);
}

void CKnob::setHandleBitmap(CBitmap* bitmap) {
    // Retain first: the bitmap already held may be handed in again.
    if (bitmap) bitmap->retain();
    if (handleBitmap) handleBitmap->release();
    handleBitmap = bitmap;
    if (bitmap) inset = insetFor(*bitmap);
}

}  // namespace gui
