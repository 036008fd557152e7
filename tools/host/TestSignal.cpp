#include "tools/host/TestSignal.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwoPi = 6.283185307179586;
// Short fades keep the start and end free of clicks.
constexpr double kFadeSeconds = 0.01;

double tone(double frequencyHz, double amplitude, double time) {
    return amplitude * std::sin(kTwoPi * frequencyHz * time);
}

double fadeGain(std::size_t frame, std::size_t frames, std::size_t fadeFrames) {
    const std::size_t distanceToEdge = std::min(frame, frames - 1 - frame);
    if (fadeFrames == 0 || distanceToEdge >= fadeFrames) return 1.0;
    return static_cast<double>(distanceToEdge) / static_cast<double>(fadeFrames);
}

}  // namespace

StereoAudio makeTestSignal(std::uint32_t sampleRate, double seconds) {
    StereoAudio audio;
    audio.sampleRate = sampleRate;
    const auto frames = static_cast<std::size_t>(std::max(0.0, seconds) * sampleRate);
    const auto fadeFrames = static_cast<std::size_t>(kFadeSeconds * sampleRate);
    audio.resize(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const double time = static_cast<double>(frame) / sampleRate;
        const double common = tone(kCommonToneHz, kCommonToneAmplitude, time);
        const double opposite = tone(kOppositeToneHz, kOppositeToneAmplitude, time);
        const double leftOnly = tone(kLeftToneHz, kOneSidedToneAmplitude, time);
        const double rightOnly = tone(kRightToneHz, kOneSidedToneAmplitude, time);
        const double gain = fadeGain(frame, frames, fadeFrames);
        audio.left[frame] = static_cast<float>(gain * (common + opposite + leftOnly));
        audio.right[frame] = static_cast<float>(gain * (common - opposite + rightOnly));
    }
    return audio;
}
