// The stereo signal processed when no input file is given: parts that a stereo widener treats
// differently, so its effect shows in the mid and side levels.
#pragma once

#include <cstdint>

#include "tools/host/StereoAudio.h"

constexpr std::uint32_t kTestSignalSampleRate = 44100;
constexpr double kTestSignalSeconds = 3.0;

// Equal on both channels (pure mid).
constexpr double kCommonToneHz = 220.0;
constexpr double kCommonToneAmplitude = 0.25;
// Inverted between the channels, L = +s and R = -s (pure side).
constexpr double kOppositeToneHz = 330.0;
constexpr double kOppositeToneAmplitude = 0.15;
// Present on one channel only.
constexpr double kLeftToneHz = 550.0;
constexpr double kRightToneHz = 770.0;
constexpr double kOneSidedToneAmplitude = 0.1;

StereoAudio makeTestSignal(std::uint32_t sampleRate = kTestSignalSampleRate,
                           double seconds = kTestSignalSeconds);
