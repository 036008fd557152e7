// The plug-in's LV2 ports and the conversion of their values to the effect's parameters and
// back, shared by the processing object and the UI object.
#pragma once

#include <cstdint>

namespace talonLv2 {

// In the order the plug-in's Turtle numbers them.
enum Port : std::uint32_t {
    kPortInLeft = 0,
    kPortInRight,
    kPortOutLeft,
    kPortOutRight,
    kPortExpansion,  // "StEx", percent
    kPortOutput,     // "Output", dB
    kPortCount,
};

// The "Output" port's minimum, which stands for the parameter's bottom, shown as "-oo": silence.
constexpr float kSilenceDecibels = -90.0f;
// The "Output" port's maximum: the parameter's top, twice the unity gain.
constexpr float kLoudestDecibels = 6.0206f;

// Port values to the effect's parameter values, the same numbers as the texts a user types into
// the VST editor give: 37 (%) gives what "37" gives, -3 (dB) what "-3" gives. Out of range values
// go past 0 or 1 and NaN stays NaN, so that the effect bounds them exactly as it does a host's.
float expansionFromPercent(float percent);
float outputFromDecibels(float decibels);

// The way back, for the values the panel's controls report: 0.37 gives 37 (%), the parameter's
// bottom and everything at or below it the port's minimum, the top the port's maximum.
float percentFromExpansion(float expansion);
float decibelsFromOutput(float output);

// The effect's parameter a control port drives; -1 for any other port.
std::int32_t parameterOfPort(std::uint32_t port);
// The control port of a parameter; kPortCount for none.
std::uint32_t portOfParameter(std::int32_t parameter);

// A parameter's value in its port's units and the reverse; NaN for a port that is not a control.
float portValueOf(std::int32_t parameter, float value);
float parameterValueOf(std::uint32_t port, float portValue);

}  // namespace talonLv2
