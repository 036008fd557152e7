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

void copyChannels(float** inputs, float** outputs, int32 frames) {
    copyBoth(inputs, outputs, frames);
}

void copyChannels(double** inputs, double** outputs, int32 frames) {
    copyBoth(inputs, outputs, frames);
}

void straightLoop(float** inputs, float** outputs, int32 frames,
                  const BlockParameters& parameters) {
    const float k = parameters.expansion * 0.25f + 0.25f;
    const float g = parameters.output;
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    for (int32 i = 0; i < frames; ++i) {
        const float left = inLeft[i];
        const float right = inRight[i];
        outLeft[i] = (left - k * right) * g * 2.0f;
        outRight[i] = (right - k * left) * g * 2.0f;
    }
}

void straightLoop(double** inputs, double** outputs, int32 frames,
                  const BlockParameters& parameters) {
    const double k = static_cast<double>(parameters.expansion) * 0.25 + 0.25;
    const double g = parameters.output;
    const double* inLeft = inputs[0];
    const double* inRight = inputs[1];
    double* outLeft = outputs[0];
    double* outRight = outputs[1];
    for (int32 i = 0; i < frames; ++i) {
        const double left = inLeft[i];
        const double right = inRight[i];
        outLeft[i] = (left + k * right) * g * 2.0;
        outRight[i] = (right + k * left) * g * 2.0;
    }
}
