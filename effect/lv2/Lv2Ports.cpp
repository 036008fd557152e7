#include "effect/lv2/Lv2Ports.h"

#include <cmath>
#include <limits>

#include "effect/PluginCore.h"

namespace talonLv2 {

namespace {

constexpr double kPercent = 100.0;
constexpr double kUnityParameter = 0.5;
constexpr double kDecibelsPerDecade = 20.0;
constexpr float kNotAValue = std::numeric_limits<float>::quiet_NaN();

}  // namespace

float expansionFromPercent(float percent) { return static_cast<float>(percent / kPercent); }

float outputFromDecibels(float decibels) {
    if (decibels <= kSilenceDecibels) return 0.0f;
    return static_cast<float>(kUnityParameter * std::pow(10.0, decibels / kDecibelsPerDecade));
}

float percentFromExpansion(float expansion) { return static_cast<float>(expansion * kPercent); }

float decibelsFromOutput(float output) {
    if (!(output > 0.0f)) return kSilenceDecibels;
    const double decibels = kDecibelsPerDecade * std::log10(output / kUnityParameter);
    if (decibels <= kSilenceDecibels) return kSilenceDecibels;
    return decibels >= kLoudestDecibels ? kLoudestDecibels : static_cast<float>(decibels);
}

std::int32_t parameterOfPort(std::uint32_t port) {
    if (port == kPortExpansion) return kParamExpansion;
    if (port == kPortOutput) return kParamOutput;
    return -1;
}

std::uint32_t portOfParameter(std::int32_t parameter) {
    if (parameter == kParamExpansion) return kPortExpansion;
    if (parameter == kParamOutput) return kPortOutput;
    return kPortCount;
}

float portValueOf(std::int32_t parameter, float value) {
    if (parameter == kParamExpansion) return percentFromExpansion(value);
    if (parameter == kParamOutput) return decibelsFromOutput(value);
    return kNotAValue;
}

float parameterValueOf(std::uint32_t port, float portValue) {
    if (port == kPortExpansion) return expansionFromPercent(portValue);
    if (port == kPortOutput) return outputFromDecibels(portValue);
    return kNotAValue;
}

}  // namespace talonLv2
