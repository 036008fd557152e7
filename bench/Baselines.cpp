#include "bench/Baselines.h"

#include <cstring>

namespace {

template <typename Sample>
void copyBoth(Sample** inputs, Sample** outputs, int32 frames) {
    const std::size_t bytes = sizeof(Sample) * static_cast<std::size_t>(frames);
    std::memcpy(outputs[0], inputs[0], bytes);
    std::memcpy(outputs[1], inputs[1], bytes);
}

}  // namespace

// The straight loops promise the compiler that no channel overlaps another, so they show what it
// can make of the formula. GCC's default cost model at -O2 vectorises no loop of unknown length;
// the cheap model, which -O3 would also use, does.
#define TALON_VECTORISED __attribute__((optimize("vect-cost-model=cheap")))

void copyChannels(float** inputs, float** outputs, int32 frames) {
    copyBoth(inputs, outputs, frames);
}

void copyChannels(double** inputs, double** outputs, int32 frames) {
    copyBoth(inputs, outputs, frames);
}

TALON_VECTORISED void straightLoop(float** inputs, float** outputs, int32 frames,
                                   const BlockParameters& parameters) {
    const float k = parameters.expansion * 0.25f + 0.25f;
    const float g = parameters.output;
    const float* __restrict inLeft = inputs[0];
    const float* __restrict inRight = inputs[1];
    float* __restrict outLeft = outputs[0];
    float* __restrict outRight = outputs[1];
    for (int32 i = 0; i < frames; ++i) {
        const float left = inLeft[i];
        const float right = inRight[i];
        outLeft[i] = (left - k * right) * g * 2.0f;
        outRight[i] = (right - k * left) * g * 2.0f;
    }
}

TALON_VECTORISED void straightLoop(double** inputs, double** outputs, int32 frames,
                                   const BlockParameters& parameters) {
    const double k = static_cast<double>(parameters.expansion) * 0.25 + 0.25;
    const double g = parameters.output;
    const double* __restrict inLeft = inputs[0];
    const double* __restrict inRight = inputs[1];
    double* __restrict outLeft = outputs[0];
    double* __restrict outRight = outputs[1];
    for (int32 i = 0; i < frames; ++i) {
        const double left = inLeft[i];
        const double right = inRight[i];
        outLeft[i] = (left + k * right) * g * 2.0;
        outRight[i] = (right + k * left) * g * 2.0;
    }
}
