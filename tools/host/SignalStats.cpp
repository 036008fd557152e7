#include "tools/host/SignalStats.h"

#include <algorithm>
#include <cmath>
#include <limits>

StereoStats measureStereo(const StereoAudio& audio) {
    double sumLeft = 0.0, sumRight = 0.0, sumMid = 0.0, sumSide = 0.0;
    std::size_t counted = 0;
    StereoStats stats;
    for (std::size_t frame = 0; frame < audio.frames(); ++frame) {
        const double left = audio.left[frame];
        const double right = audio.right[frame];
        if (!std::isfinite(left) || !std::isfinite(right)) {
            stats.nonFiniteSamples += !std::isfinite(left) + !std::isfinite(right);
            continue;
        }
        const double mid = 0.5 * (left + right);
        const double side = 0.5 * (left - right);
        sumLeft += left * left;
        sumRight += right * right;
        sumMid += mid * mid;
        sumSide += side * side;
        stats.peak = std::max({stats.peak, std::fabs(left), std::fabs(right)});
        ++counted;
    }
    if (counted > 0) {
        stats.rmsLeft = std::sqrt(sumLeft / counted);
        stats.rmsRight = std::sqrt(sumRight / counted);
        stats.rmsMid = std::sqrt(sumMid / counted);
        stats.rmsSide = std::sqrt(sumSide / counted);
    }
    return stats;
}

double amplitudeToDb(double amplitude) {
    if (amplitude <= 0.0) return -std::numeric_limits<double>::infinity();
    return 20.0 * std::log10(amplitude);
}

double sideToMidDb(const StereoStats& stats) {
    if (stats.rmsMid <= 0.0 && stats.rmsSide <= 0.0)
        return std::numeric_limits<double>::quiet_NaN();
    if (stats.rmsMid <= 0.0) return std::numeric_limits<double>::infinity();
    return amplitudeToDb(stats.rmsSide / stats.rmsMid);
}
