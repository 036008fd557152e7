#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tools/host/SignalStats.h"
#include "tools/host/TestSignal.h"

namespace {

constexpr double kPi = 3.141592653589793;

StereoAudio makeStereo(std::size_t frames, double (*left)(std::size_t),
                       double (*right)(std::size_t)) {
    StereoAudio audio;
    audio.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        audio.left[i] = static_cast<float>(left(i));
        audio.right[i] = static_cast<float>(right(i));
    }
    return audio;
}

// A 1 kHz full-scale sine at 48 kHz: exactly 48 samples per period.
double fullScaleSine(std::size_t i) { return std::sin(2.0 * kPi * static_cast<double>(i) / 48.0); }
double invertedSine(std::size_t i) { return -fullScaleSine(i); }
double halfSine(std::size_t i) { return 0.5 * fullScaleSine(i); }

TEST(SignalStats, FullScaleSineHasRmsOfOneOverSqrtTwo) {
    const StereoStats stats = measureStereo(makeStereo(4800, fullScaleSine, fullScaleSine));
    EXPECT_NEAR(stats.rmsLeft, 1.0 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(stats.rmsRight, 1.0 / std::sqrt(2.0), 1e-6);
    EXPECT_NEAR(stats.peak, 1.0, 1e-6);
    EXPECT_NEAR(amplitudeToDb(stats.rmsLeft), -3.0103, 1e-3);
}

TEST(SignalStats, PureMidHasNoSideAndPureSideHasNoMid) {
    const StereoStats mid = measureStereo(makeStereo(4800, fullScaleSine, fullScaleSine));
    EXPECT_EQ(mid.rmsSide, 0.0);
    EXPECT_NEAR(mid.rmsMid, mid.rmsLeft, 1e-9);
    EXPECT_EQ(sideToMidDb(mid), -std::numeric_limits<double>::infinity());

    const StereoStats side = measureStereo(makeStereo(4800, fullScaleSine, invertedSine));
    EXPECT_EQ(side.rmsMid, 0.0);
    EXPECT_NEAR(side.rmsSide, side.rmsLeft, 1e-9);
    EXPECT_EQ(sideToMidDb(side), std::numeric_limits<double>::infinity());
}

TEST(SignalStats, SideToMidRatioOfAKnownMix) {
    // L = s, R = s/2: mid = 3s/4, side = s/4, so side is a third of mid (-9.54 dB).
    const StereoStats stats = measureStereo(makeStereo(4800, fullScaleSine, halfSine));
    EXPECT_NEAR(stats.rmsMid / stats.rmsSide, 3.0, 1e-6);
    EXPECT_NEAR(sideToMidDb(stats), 20.0 * std::log10(1.0 / 3.0), 1e-6);
}

TEST(SignalStats, SilenceAndBrokenSamples) {
    const StereoStats empty = measureStereo(StereoAudio{});
    EXPECT_EQ(empty.rmsLeft, 0.0);
    EXPECT_TRUE(std::isnan(sideToMidDb(empty)));
    EXPECT_EQ(amplitudeToDb(0.0), -std::numeric_limits<double>::infinity());

    StereoAudio audio;
    audio.left = {1.0f, std::numeric_limits<float>::quiet_NaN(), 1.0f};
    audio.right = {1.0f, 1.0f, std::numeric_limits<float>::infinity()};
    const StereoStats stats = measureStereo(audio);
    EXPECT_EQ(stats.nonFiniteSamples, 2u);
    EXPECT_DOUBLE_EQ(stats.rmsLeft, 1.0);  // only the intact frame counts
    EXPECT_DOUBLE_EQ(stats.peak, 1.0);
}

// Correlates a channel with a sine of the given frequency; returns the sine's amplitude in it.
double amplitudeOf(const std::vector<double>& samples, double frequencyHz, double sampleRate) {
    double sine = 0.0, cosine = 0.0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double phase = 2.0 * kPi * frequencyHz * static_cast<double>(i) / sampleRate;
        sine += samples[i] * std::sin(phase);
        cosine += samples[i] * std::cos(phase);
    }
    return 2.0 * std::hypot(sine, cosine) / static_cast<double>(samples.size());
}

TEST(TestSignal, HasCommonOppositeAndOneSidedParts) {
    const StereoAudio signal = makeTestSignal();
    EXPECT_EQ(signal.sampleRate, 44100u);
    ASSERT_EQ(signal.frames(), 3u * 44100u);
    ASSERT_EQ(signal.right.size(), signal.frames());

    std::vector<double> mid, side, left, right;
    for (std::size_t i = 0; i < signal.frames(); ++i) {
        left.push_back(signal.left[i]);
        right.push_back(signal.right[i]);
        mid.push_back(0.5 * (signal.left[i] + signal.right[i]));
        side.push_back(0.5 * (signal.left[i] - signal.right[i]));
    }
    const double rate = signal.sampleRate;
    // The common tone lives only in mid, the opposite one only in side.
    EXPECT_NEAR(amplitudeOf(mid, kCommonToneHz, rate), kCommonToneAmplitude, 0.01);
    EXPECT_LT(amplitudeOf(side, kCommonToneHz, rate), 0.001);
    EXPECT_NEAR(amplitudeOf(side, kOppositeToneHz, rate), kOppositeToneAmplitude, 0.01);
    EXPECT_LT(amplitudeOf(mid, kOppositeToneHz, rate), 0.001);
    // Left and right differ beyond polarity: each has a tone the other lacks.
    EXPECT_GT(amplitudeOf(left, kLeftToneHz, rate), 0.09);
    EXPECT_LT(amplitudeOf(right, kLeftToneHz, rate), 0.001);
    EXPECT_GT(amplitudeOf(right, kRightToneHz, rate), 0.09);
    EXPECT_LT(amplitudeOf(left, kRightToneHz, rate), 0.001);

    const StereoStats stats = measureStereo(signal);
    EXPECT_GT(stats.peak, 0.3);
    EXPECT_LT(stats.peak, 0.7);            // well below full scale, so widening does not clip
    EXPECT_EQ(signal.left.front(), 0.0f);  // faded in
}

}  // namespace
