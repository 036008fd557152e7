// The stereo expansion stage: each output is its own input combined with the opposite input
// scaled by k = 0.25 x expansion + 0.25, times the gain 2 x output.
#include <xmmintrin.h>

#include "effect/PluginCore.h"

namespace {

constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;

// Subnormal samples would make every multiply take the slow path; the stage treats them as zero
// and never produces them. The host's own setting is restored when the block is done.
class DenormalGuard {
  public:
    DenormalGuard() : saved(_mm_getcsr()) { _mm_setcsr(saved | kFlushToZero | kDenormalsAreZero); }
    ~DenormalGuard() { _mm_setcsr(saved); }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

  private:
    unsigned saved;
};

template <typename Sample>
bool hasStereoBuffers(Sample** inputs, Sample** outputs, int32 frames) {
    return frames > 0 && inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1];
}

}  // namespace

// Reads the parameters afresh for every output sample, so a change from another thread takes
// effect within the block. Both inputs of a frame are read before either output is written, so a
// host passing the same memory for input and output still gets the right result.
void PluginCore::processReplacing(float** inputs, float** outputs, int32 sampleFrames) {
    if (!hasStereoBuffers(inputs, outputs, sampleFrames)) return;
    DenormalGuard guard;
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    for (int32 i = 0; i < sampleFrames; ++i) {
        const float left = inLeft[i];
        const float right = inRight[i];

        float k = expansion.load(std::memory_order_relaxed) * 0.25f + 0.25f;
        float sample = (left - k * right) * output.load(std::memory_order_relaxed);
        outLeft[i] = sample + sample;

        k = expansion.load(std::memory_order_relaxed) * 0.25f + 0.25f;
        sample = (right - k * left) * output.load(std::memory_order_relaxed);
        outRight[i] = sample + sample;
    }
}

// Reads the parameters once: the whole block uses the same k and gain.
void PluginCore::processDoubleReplacing(double** inputs, double** outputs, int32 sampleFrames) {
    if (!hasStereoBuffers(inputs, outputs, sampleFrames)) return;
    DenormalGuard guard;
    const double k = static_cast<double>(expansion.load(std::memory_order_relaxed)) * 0.25 + 0.25;
    const double gain = output.load(std::memory_order_relaxed);
    const double* inLeft = inputs[0];
    const double* inRight = inputs[1];
    double* outLeft = outputs[0];
    double* outRight = outputs[1];
    for (int32 i = 0; i < sampleFrames; ++i) {
        const double left = inLeft[i];
        const double right = inRight[i];
        const double sampleLeft = (left + k * right) * gain;
        const double sampleRight = (right + k * left) * gain;
        outLeft[i] = sampleLeft + sampleLeft;
        outRight[i] = sampleRight + sampleRight;
    }
}
