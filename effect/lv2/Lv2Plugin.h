// The effect as an LV2 plug-in: the ports, their conversion to the effect's parameters, and the
// descriptor that the bundle's shared object hands to hosts.
#pragma once

#include <lv2/core/lv2.h>

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

// Port values to the effect's parameter values, the same numbers as the texts a user types into
// the VST editor give: 37 (%) gives what "37" gives, -3 (dB) what "-3" gives. Out of range values
// go past 0 or 1 and NaN stays NaN, so that the effect bounds them exactly as it does a host's.
float expansionFromPercent(float percent);
float outputFromDecibels(float decibels);

// The plug-in's descriptor for index 0, null for any other.
const LV2_Descriptor* descriptor(std::uint32_t index);

}  // namespace talonLv2
