// Arithmetic the display controls share: conversions that stay defined for any float a host or
// a caller may hand in, and the steps of the arrow keys and the wheel.
#pragma once

#include <cstdint>
#include <limits>

#include "gui/draw/CDrawContext.h"
#include "host/aeffect.h"

namespace gui {

// Truncation toward zero; NaN gives 0 and values beyond 32 bits the nearest limit.
inline std::int32_t truncatedToInt(double x) {
    if (!(x == x)) return 0;
    if (x >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (x <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(x);
}

inline std::int32_t saturatedInt(std::int64_t x) {
    if (x > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (x < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(x);
}

// Keyboard and wheel steps shrink to this share of the wheel increment with Shift.
constexpr float kFineStepShare = 0.1f;

// The host's arrow keys: LEFT and DOWN step down, UP and RIGHT up, a tenth of the increment with
// Shift. False for any other key.
inline bool arrowKeyStep(const VstKeyCode& key, float increment, float& step) {
    const bool decrease = key.virt == VKEY_LEFT || key.virt == VKEY_DOWN;
    const bool increase = key.virt == VKEY_UP || key.virt == VKEY_RIGHT;
    if (!decrease && !increase) return false;
    step = (key.modifier & MODIFIER_SHIFT) ? kFineStepShare * increment : increment;
    if (decrease) step = -step;
    return true;
}

// The arrows as above, Home to the minimum and End to the maximum; false for any other key.
inline bool keyMovesValue(const VstKeyCode& key, float increment, float minimum, float maximum,
                          float& value) {
    float step = 0.0f;
    if (key.virt == VKEY_HOME)
        value = minimum;
    else if (key.virt == VKEY_END)
        value = maximum;
    else if (arrowKeyStep(key, increment, step))
        value += step;
    else
        return false;
    return true;
}

// The change a wheel distance makes, a tenth of it with Shift held.
inline float wheelStep(ButtonState buttons, float distance, float increment) {
    if (buttons & kModifierShift) return distance * kFineStepShare * increment;
    return distance * increment;
}

}  // namespace gui
