// The values the gallery's controls start with, so that its screenshot shows known frames.
// Each lies well away from the halfway point between two frames, so that no rounding decides
// which frame a strip shows.
#pragma once

namespace gallery {

constexpr float kKnobLineValue = 0.375f;
constexpr float kKnobDotValue = 0.8125f;
constexpr float kAnimKnobValue = 0.3125f;
constexpr float kVerticalSliderValue = 0.75f;
constexpr float kHorizontalSliderValue = 0.625f;
// The digits show the film-strip knob's value in thousandths, rounded.
constexpr float kDigitsValue = 313.0f;
constexpr float kSpinnerFrame = 3.0f;
constexpr float kOnOffValue = 1.0f;
constexpr float kLatchValue = 1.0f;
constexpr float kVerticalSwitchValue = 2.0f / 3.0f;
constexpr float kHorizontalSwitchValue = 1.0f / 3.0f;
// "Triangle": entry 2 after the title.
constexpr float kOptionMenuValue = 2.0f;

}  // namespace gallery
