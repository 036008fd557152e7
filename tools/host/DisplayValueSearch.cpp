#include "tools/host/DisplayValueSearch.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "tools/host/HostError.h"

namespace {

constexpr int kScanSteps = 100;
constexpr int kBisectionSteps = 32;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct Sample {
    float position;
    std::optional<double> shown;
};

double distance(const std::optional<double>& shown, double target) {
    if (!shown) return kInfinity;
    if (*shown == target) return 0.0;
    return std::fabs(*shown - target);  // infinite when only one side is infinite
}

// Whether a shows a value nearer the target than b; for an infinite target, the value furthest
// in its direction is nearest.
bool closer(const Sample& a, const Sample& b, double target) {
    if (!a.shown || !b.shown) return a.shown.has_value() && !b.shown;
    if (std::isinf(target) && *a.shown != target && *b.shown != target) {
        return target < 0 ? *a.shown < *b.shown : *a.shown > *b.shown;
    }
    return distance(a.shown, target) < distance(b.shown, target);
}

bool shows(const Sample& sample, double target) { return sample.shown && *sample.shown == target; }

// Given a position that shows the target and one that does not, closes in on the edge between
// them; returns the outermost position found that still shows the target.
float edgeOfMatch(const DisplayProbe& probe, double target, float matching, float other) {
    for (int step = 0; step < kBisectionSteps; ++step) {
        const float middle = 0.5f * (matching + other);
        if (middle == matching || middle == other) break;
        const std::optional<double> shown = probe(middle);
        if (shown && *shown == target) {
            matching = middle;
        } else {
            other = middle;
        }
    }
    return matching;
}

// Bisects a segment whose ends show values on either side of target; returns the best position.
float bisectSegment(const DisplayProbe& probe, double target, Sample low, Sample high) {
    Sample best = closer(high, low, target) ? high : low;
    const bool lowIsBelow = *low.shown < target;
    for (int step = 0; step < kBisectionSteps; ++step) {
        const float middle = 0.5f * (low.position + high.position);
        if (middle == low.position || middle == high.position) break;
        const Sample probed{middle, probe(middle)};
        if (!probed.shown) break;
        if (closer(probed, best, target)) best = probed;
        if (*probed.shown == target) {
            const float lowEdge = edgeOfMatch(probe, target, middle, low.position);
            const float highEdge = edgeOfMatch(probe, target, middle, high.position);
            return 0.5f * (lowEdge + highEdge);
        }
        ((*probed.shown < target) == lowIsBelow ? low : high) = probed;
    }
    return best.position;
}

std::vector<Sample> scan(const DisplayProbe& probe) {
    std::vector<Sample> samples;
    for (int step = 0; step <= kScanSteps; ++step) {
        const float position = static_cast<float>(step) / kScanSteps;
        samples.push_back({position, probe(position)});
    }
    return samples;
}

bool brackets(const Sample& a, const Sample& b, double target) {
    return a.shown && b.shown && ((*a.shown < target) != (*b.shown < target));
}

// Scan points from first on show the target: settles in the middle of the range that shows it,
// or at the end of 0..1 that range touches.
float middleOfMatchingRun(const DisplayProbe& probe, double target,
                          const std::vector<Sample>& samples, std::size_t first) {
    const std::size_t last = samples.size() - 1;
    std::size_t end = first;
    while (end < last && shows(samples[end + 1], target)) ++end;
    if (first == 0) return samples.front().position;
    if (end == last) return samples.back().position;
    const float lowEdge =
        edgeOfMatch(probe, target, samples[first].position, samples[first - 1].position);
    const float highEdge =
        edgeOfMatch(probe, target, samples[end].position, samples[end + 1].position);
    return 0.5f * (lowEdge + highEdge);
}

}  // namespace

std::optional<double> parseDisplayNumber(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    const std::string trimmed = text.substr(start);
    if (trimmed.compare(0, 3, "-oo") == 0 || trimmed.compare(0, 4, "-inf") == 0) return -kInfinity;
    if (trimmed.compare(0, 3, "+oo") == 0 || trimmed.compare(0, 2, "oo") == 0) return kInfinity;
    const char* begin = trimmed.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || !std::isfinite(value)) return std::nullopt;
    return value;
}

float findNormalizedForDisplay(const DisplayProbe& probe, double target) {
    const std::vector<Sample> samples = scan(probe);
    const std::size_t last = samples.size() - 1;
    std::size_t closest = 0;
    for (std::size_t index = 1; index <= last; ++index) {
        if (closer(samples[index], samples[closest], target)) closest = index;
    }
    if (!samples[closest].shown) throw UsageError("the parameter's display text is not a number");

    if (shows(samples[closest], target)) {
        return middleOfMatchingRun(probe, target, samples, closest);
    }
    for (std::size_t index = 0; index < last; ++index) {
        if (brackets(samples[index], samples[index + 1], target)) {
            return bisectSegment(probe, target, samples[index], samples[index + 1]);
        }
    }
    return samples[closest].position;
}
