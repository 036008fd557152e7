// The stereo expansion stage: each output is its own input combined with the opposite input
// scaled by k = 0.25 x expansion + 0.25, times the gain 2 x output.
//
// Each entry has two loops with bit-identical results: a frame loop that is right for any
// buffers, and an SSE2 loop, several frames per step, for the usual case of output channels that
// share no memory with the inputs or with each other. Both do the same operations in the same
// order on every sample.
#include <emmintrin.h>

#include <cstdint>
#include <cstring>

#include "effect/PluginCore.h"

namespace {

constexpr unsigned kFlushToZero = 0x8000;
constexpr unsigned kDenormalsAreZero = 0x0040;
constexpr unsigned kFlushModes = kFlushToZero | kDenormalsAreZero;
constexpr int32 kFloatLanes = 4;
// Frames per parameter check: long runs for the bulk of a block, shorter ones for what is left.
constexpr int32 kFloatLongRun = 64 * kFloatLanes;
constexpr int32 kFloatMediumRun = 8 * kFloatLanes;
constexpr int32 kFloatShortRun = kFloatLanes;
constexpr int32 kDoubleLanes = 2;

// Subnormal samples would make every multiply take the slow path; the stage treats them as zero
// and never produces them. The host's own setting is restored when the block is done.
// Writing the mode costs more than a short block: hosts that run with both flags set already
// pay nothing.
class DenormalGuard {
  public:
    DenormalGuard() : saved(_mm_getcsr()) {
        if ((saved & kFlushModes) != kFlushModes) _mm_setcsr(saved | kFlushModes);
    }
    ~DenormalGuard() {
        if ((saved & kFlushModes) != kFlushModes) _mm_setcsr(saved);
    }
    DenormalGuard(const DenormalGuard&) = delete;
    DenormalGuard& operator=(const DenormalGuard&) = delete;

  private:
    unsigned saved;
};

template <typename Sample>
bool hasStereoBuffers(Sample** inputs, Sample** outputs, int32 frames) {
    return frames > 0 && inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1];
}

// Whether two channels of `frames` samples share any byte. Addresses are compared as 64-bit
// numbers, so the end of a channel cannot wrap around on the 32-bit target.
template <typename Sample>
bool overlap(const Sample* a, const Sample* b, int32 frames) {
    const std::uint64_t bytes = sizeof(Sample) * static_cast<std::uint64_t>(frames);
    const std::uint64_t first = reinterpret_cast<std::uintptr_t>(a);
    const std::uint64_t second = reinterpret_cast<std::uintptr_t>(b);
    return first < second + bytes && second < first + bytes;
}

// A step of several frames reads all its inputs before it writes, so any shared memory between
// an output and another channel would change what a later frame reads or what is left stored.
template <typename Sample>
bool separateOutputs(Sample** inputs, Sample** outputs, int32 frames) {
    for (int channel = 0; channel < kNumChannels; ++channel) {
        if (overlap(outputs[channel], inputs[0], frames) ||
            overlap(outputs[channel], inputs[1], frames))
            return false;
    }
    return !overlap(outputs[0], outputs[1], frames);
}

// The live parameters of the single-precision entry, read afresh for every output sample.
struct LiveParameters {
    const std::atomic<float>& expansion;
    const std::atomic<float>& output;

    float expansionNow() const { return expansion.load(std::memory_order_relaxed); }
    float outputNow() const { return output.load(std::memory_order_relaxed); }
};

// Both inputs of a frame are read before either output is written, so a host passing the same
// memory for input and output still gets the right result.
void floatFrames(const LiveParameters& live, float** inputs, float** outputs, int32 begin,
                 int32 end) {
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    for (int32 i = begin; i < end; ++i) {
        const float left = inLeft[i];
        const float right = inRight[i];

        float k = live.expansionNow() * 0.25f + 0.25f;
        float sample = (left - k * right) * live.outputNow();
        outLeft[i] = sample + sample;

        k = live.expansionNow() * 0.25f + 0.25f;
        sample = (right - k * left) * live.outputNow();
        outRight[i] = sample + sample;
    }
}

// A parameter's bits as read, so that reads compare exactly (signed zeros, NaNs).
std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Whether a run of frames may use the values the block started with. One read of each parameter
// stands for all the reads of the run: nothing orders them against the host's write, so the frame
// loop could equally have seen the same value in all of them. A change shows from the run that
// reads it on, through the frame loop.
bool unchangedForTheRun(const LiveParameters& live, std::uint32_t expansionBits,
                        std::uint32_t outputBits) {
    return ((bitsOf(live.expansionNow()) ^ expansionBits) |
            (bitsOf(live.outputNow()) ^ outputBits)) == 0;
}

// The block's values as four-lane vectors: k = expansion x 0.25 + 0.25, worked out once, is the
// k every frame's own multiply and add would give.
struct FloatLanes {
    __m128 k;
    __m128 output;
};

FloatLanes floatLanes(float expansionValue, float outputValue) {
    const __m128 quarter = _mm_set1_ps(0.25f);
    return {_mm_add_ps(_mm_mul_ps(_mm_set1_ps(expansionValue), quarter), quarter),
            _mm_set1_ps(outputValue)};
}

// (own - k x opposite) x output, doubled, for four frames.
__m128 floatCrossFeed(__m128 own, __m128 opposite, const FloatLanes& lanes) {
    const __m128 sample = _mm_mul_ps(_mm_sub_ps(own, _mm_mul_ps(lanes.k, opposite)), lanes.output);
    return _mm_add_ps(sample, sample);
}

// The four channels of a block whose outputs share no memory with anything else.
struct FloatChannels {
    const float* inLeft;
    const float* inRight;
    float* outLeft;
    float* outRight;
};

// Frames [begin, end) in steps of four; the count is a multiple of four.
void floatSteps(const FloatLanes& lanes, const FloatChannels& at, int32 begin, int32 end) {
#pragma GCC unroll 2
    for (int32 i = begin; i < end; i += kFloatLanes) {
        const __m128 left = _mm_loadu_ps(at.inLeft + i);
        const __m128 right = _mm_loadu_ps(at.inRight + i);
        _mm_storeu_ps(at.outLeft + i, floatCrossFeed(left, right, lanes));
        _mm_storeu_ps(at.outRight + i, floatCrossFeed(right, left, lanes));
    }
}

// Runs of frames, each after one read of both parameters, while every read gives the values the
// block started with: each time the longest run that fits in what is left. From the first run
// that sees a change, the frame loop does the rest with whatever it reads.
void floatSeparate(const LiveParameters& live, float** inputs, float** outputs, int32 frames) {
    const float expansionValue = live.expansionNow();
    const float outputValue = live.outputNow();
    const std::uint32_t expansionBits = bitsOf(expansionValue);
    const std::uint32_t outputBits = bitsOf(outputValue);
    const FloatLanes lanes = floatLanes(expansionValue, outputValue);
    const FloatChannels at{inputs[0], inputs[1], outputs[0], outputs[1]};
    int32 i = 0;
    for (;;) {
        const int32 left = frames - i;
        const int32 run = left >= kFloatLongRun     ? kFloatLongRun
                          : left >= kFloatMediumRun ? kFloatMediumRun
                                                    : kFloatShortRun;
        if (left < run || !unchangedForTheRun(live, expansionBits, outputBits)) break;
        floatSteps(lanes, at, i, i + run);
        i += run;
    }
    if (i < frames) floatFrames(live, inputs, outputs, i, frames);
}

// k and the gain of one double-precision block.
struct DoubleBlock {
    double k;
    double gain;
};

void doubleFrames(const DoubleBlock& block, double** inputs, double** outputs, int32 begin,
                  int32 end) {
    const double* inLeft = inputs[0];
    const double* inRight = inputs[1];
    double* outLeft = outputs[0];
    double* outRight = outputs[1];
    for (int32 i = begin; i < end; ++i) {
        const double left = inLeft[i];
        const double right = inRight[i];
        const double sampleLeft = (left + block.k * right) * block.gain;
        const double sampleRight = (right + block.k * left) * block.gain;
        outLeft[i] = sampleLeft + sampleLeft;
        outRight[i] = sampleRight + sampleRight;
    }
}

// Two frames of one channel: (own + k x opposite) x gain, doubled.
__m128d doubleCrossFeed(__m128d own, __m128d opposite, __m128d k, __m128d gain) {
    const __m128d sample = _mm_mul_pd(_mm_add_pd(own, _mm_mul_pd(k, opposite)), gain);
    return _mm_add_pd(sample, sample);
}

// Four frames per pass, as two independent steps, so that the loop's own overhead is paid half
// as often; the frame loop does the last three at most.
void doubleSeparate(const DoubleBlock& block, double** inputs, double** outputs, int32 frames) {
    const __m128d k = _mm_set1_pd(block.k);
    const __m128d gain = _mm_set1_pd(block.gain);
    const double* inLeft = inputs[0];
    const double* inRight = inputs[1];
    double* outLeft = outputs[0];
    double* outRight = outputs[1];
    const int32 passes = frames - frames % (2 * kDoubleLanes);
    for (int32 i = 0; i < passes; i += 2 * kDoubleLanes) {
        const __m128d left = _mm_loadu_pd(inLeft + i);
        const __m128d right = _mm_loadu_pd(inRight + i);
        const __m128d nextLeft = _mm_loadu_pd(inLeft + i + kDoubleLanes);
        const __m128d nextRight = _mm_loadu_pd(inRight + i + kDoubleLanes);
        _mm_storeu_pd(outLeft + i, doubleCrossFeed(left, right, k, gain));
        _mm_storeu_pd(outRight + i, doubleCrossFeed(right, left, k, gain));
        _mm_storeu_pd(outLeft + i + kDoubleLanes, doubleCrossFeed(nextLeft, nextRight, k, gain));
        _mm_storeu_pd(outRight + i + kDoubleLanes, doubleCrossFeed(nextRight, nextLeft, k, gain));
    }
    doubleFrames(block, inputs, outputs, passes, frames);
}

}  // namespace

// Reads the parameters afresh for every output sample, so a change from another thread takes
// effect within the block.
void PluginCore::processReplacing(float** inputs, float** outputs, int32 sampleFrames) {
    if (!hasStereoBuffers(inputs, outputs, sampleFrames)) return;
    DenormalGuard guard;
    const LiveParameters live{expansion, output};
    if (separateOutputs(inputs, outputs, sampleFrames))
        floatSeparate(live, inputs, outputs, sampleFrames);
    else
        floatFrames(live, inputs, outputs, 0, sampleFrames);
}

// Reads the parameters once: the whole block uses the same k and gain.
void PluginCore::processDoubleReplacing(double** inputs, double** outputs, int32 sampleFrames) {
    if (!hasStereoBuffers(inputs, outputs, sampleFrames)) return;
    DenormalGuard guard;
    const DoubleBlock block{
        static_cast<double>(expansion.load(std::memory_order_relaxed)) * 0.25 + 0.25,
        output.load(std::memory_order_relaxed)};
    if (separateOutputs(inputs, outputs, sampleFrames))
        doubleSeparate(block, inputs, outputs, sampleFrames);
    else
        doubleFrames(block, inputs, outputs, 0, sampleFrames);
}
