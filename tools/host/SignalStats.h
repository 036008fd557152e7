// Levels of a stereo signal, including its mid (L+R)/2 and side (L-R)/2 parts.
#pragma once

#include <cstddef>

#include "tools/host/StereoAudio.h"

struct StereoStats {
    double rmsLeft = 0.0;
    double rmsRight = 0.0;
    double rmsMid = 0.0;
    double rmsSide = 0.0;
    double peak = 0.0;  // largest magnitude on either channel
    // NaN or infinite samples; they are left out of the levels above.
    std::size_t nonFiniteSamples = 0;
};

StereoStats measureStereo(const StereoAudio& audio);

// 20*log10(amplitude); minus infinity for silence.
double amplitudeToDb(double amplitude);

// Side level relative to mid level in dB: +inf for pure side, -inf for pure mid, NaN for silence.
double sideToMidDb(const StereoStats& stats);
