#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "effect/PluginCore.h"
#include "support/RecordingHost.h"

namespace {

// Two input and two output channels of one block, each with its own memory.
template <typename Sample>
struct StereoBlock {
    explicit StereoBlock(std::size_t frames)
        : inLeft(frames), inRight(frames), outLeft(frames, 99), outRight(frames, 99) {}
    Sample* inputs[2];
    Sample* outputs[2];
    Sample** in() {
        inputs[0] = inLeft.data();
        inputs[1] = inRight.data();
        return inputs;
    }
    Sample** out() {
        outputs[0] = outLeft.data();
        outputs[1] = outRight.data();
        return outputs;
    }
    std::vector<Sample> inLeft, inRight, outLeft, outRight;
};

class ProcessingTest : public ::testing::Test {
  protected:
    void setParameters(float expansion, float output) {
        core.setParameter(kParamExpansion, expansion);
        core.setParameter(kParamOutput, output);
    }
    FakeHost host;
    PluginCore core{FakeHost::callback};
};

}  // namespace

TEST_F(ProcessingTest, FloatEntrySubtractsAQuarterOfTheOppositeChannelAtNoExpansion) {
    setParameters(0.0f, 0.5f);
    StereoBlock<float> block(2);
    block.inLeft = {1.0f, 0.5f};
    block.inRight = {0.2f, -1.0f};
    core.processReplacing(block.in(), block.out(), 2);
    EXPECT_FLOAT_EQ(block.outLeft[0], 1.0f - 0.25f * 0.2f);
    EXPECT_FLOAT_EQ(block.outRight[0], 0.2f - 0.25f * 1.0f);
    EXPECT_FLOAT_EQ(block.outLeft[1], 0.5f + 0.25f);
    EXPECT_FLOAT_EQ(block.outRight[1], -1.0f - 0.125f);
}

TEST_F(ProcessingTest, FullExpansionHalvesMonoInFloatAndRaisesItInDouble) {
    setParameters(1.0f, 0.5f);
    StereoBlock<float> floats(1);
    floats.inLeft = {0.8f};
    floats.inRight = {0.8f};
    core.processReplacing(floats.in(), floats.out(), 1);
    EXPECT_FLOAT_EQ(floats.outLeft[0], 0.4f);
    EXPECT_FLOAT_EQ(floats.outRight[0], 0.4f);

    StereoBlock<double> doubles(1);
    doubles.inLeft = {0.8};
    doubles.inRight = {0.8};
    core.processDoubleReplacing(doubles.in(), doubles.out(), 1);
    EXPECT_DOUBLE_EQ(doubles.outLeft[0], 1.2);
    EXPECT_DOUBLE_EQ(doubles.outRight[0], 1.2);
}

TEST_F(ProcessingTest, DoubleEntryAddsTheOppositeChannel) {
    setParameters(1.0f, 0.5f);
    StereoBlock<double> block(1);
    block.inLeft = {0.3};
    block.inRight = {-0.1};
    core.processDoubleReplacing(block.in(), block.out(), 1);
    EXPECT_DOUBLE_EQ(block.outLeft[0], 0.3 + 0.5 * -0.1);
    EXPECT_DOUBLE_EQ(block.outRight[0], -0.1 + 0.5 * 0.3);
}

TEST_F(ProcessingTest, LeftOnlySignalLeaksWithOppositeSignsInTheTwoEntries) {
    setParameters(0.6f, 0.75f);
    const double k = 0.6 * 0.25 + 0.25;
    const double gain = 2 * 0.75;
    StereoBlock<float> floats(1);
    floats.inLeft = {0.5f};
    floats.inRight = {0.0f};
    core.processReplacing(floats.in(), floats.out(), 1);
    EXPECT_NEAR(floats.outLeft[0], 0.5 * gain, 1e-6);
    EXPECT_NEAR(floats.outRight[0], -k * 0.5 * gain, 1e-6);

    StereoBlock<double> doubles(1);
    doubles.inLeft = {0.5};
    doubles.inRight = {0.0};
    core.processDoubleReplacing(doubles.in(), doubles.out(), 1);
    EXPECT_NEAR(doubles.outLeft[0], 0.5 * gain, 1e-12);
    EXPECT_NEAR(doubles.outRight[0], k * 0.5 * gain, 1e-7);
}

TEST_F(ProcessingTest, GainZeroSilencesAndGainOneDoubles) {
    setParameters(0.0f, 0.0f);
    StereoBlock<float> block(1);
    block.inLeft = {0.7f};
    block.inRight = {-0.2f};
    core.processReplacing(block.in(), block.out(), 1);
    EXPECT_EQ(block.outLeft[0], 0.0f);
    EXPECT_EQ(block.outRight[0], 0.0f);
    setParameters(0.0f, 1.0f);
    core.processReplacing(block.in(), block.out(), 1);
    EXPECT_FLOAT_EQ(block.outLeft[0], 2.0f * (0.7f + 0.25f * 0.2f));
}

TEST_F(ProcessingTest, NoFramesWritesNothing) {
    StereoBlock<float> floats(4);
    floats.inLeft.assign(4, 1.0f);
    core.processReplacing(floats.in(), floats.out(), 0);
    core.processReplacing(floats.in(), floats.out(), -5);
    EXPECT_EQ(floats.outLeft, std::vector<float>(4, 99.0f));
    StereoBlock<double> doubles(4);
    core.processDoubleReplacing(doubles.in(), doubles.out(), 0);
    core.processDoubleReplacing(doubles.in(), doubles.out(), -1);
    EXPECT_EQ(doubles.outRight, std::vector<double>(4, 99.0));
}

TEST_F(ProcessingTest, MissingBuffersAreIgnored) {
    StereoBlock<float> block(4);
    float* missingChannel[2] = {block.inLeft.data(), nullptr};
    core.processReplacing(nullptr, block.out(), 4);
    core.processReplacing(missingChannel, block.out(), 4);
    core.processReplacing(block.in(), nullptr, 4);
    EXPECT_EQ(block.outLeft, std::vector<float>(4, 99.0f));
}

TEST_F(ProcessingTest, SharedInputAndOutputMemoryGivesTheSameResult) {
    setParameters(0.3f, 0.6f);
    StereoBlock<float> separate(3);
    separate.inLeft = {0.9f, -0.4f, 0.1f};
    separate.inRight = {-0.7f, 0.2f, 0.5f};
    core.processReplacing(separate.in(), separate.out(), 3);

    std::vector<float> left = separate.inLeft, right = separate.inRight;
    float* inPlace[2] = {left.data(), right.data()};
    core.processReplacing(inPlace, inPlace, 3);
    EXPECT_EQ(left, separate.outLeft);
    EXPECT_EQ(right, separate.outRight);

    StereoBlock<double> doubles(3);
    std::vector<double> dl = {0.9, -0.4, 0.1}, dr = {-0.7, 0.2, 0.5};
    doubles.inLeft = dl;
    doubles.inRight = dr;
    core.processDoubleReplacing(doubles.in(), doubles.out(), 3);
    double* doubleInPlace[2] = {dl.data(), dr.data()};
    core.processDoubleReplacing(doubleInPlace, doubleInPlace, 3);
    EXPECT_EQ(dl, doubles.outLeft);
    EXPECT_EQ(dr, doubles.outRight);
}

TEST_F(ProcessingTest, SubnormalInputComesOutAsZeroAndLeavesTheCallersModeAlone) {
    setParameters(0.5f, 0.5f);
    StereoBlock<float> floats(2);
    floats.inLeft = {FLT_TRUE_MIN * 8, 0.5f};
    floats.inRight = {-FLT_TRUE_MIN * 3, 0.25f};
    core.processReplacing(floats.in(), floats.out(), 2);
    EXPECT_EQ(std::fpclassify(floats.outLeft[0]), FP_ZERO);
    EXPECT_EQ(std::fpclassify(floats.outRight[0]), FP_ZERO);
    EXPECT_FLOAT_EQ(floats.outLeft[1], 0.5f - 0.375f * 0.25f);

    StereoBlock<double> doubles(1);
    doubles.inLeft = {DBL_TRUE_MIN * 5};
    doubles.inRight = {DBL_MIN / 4};
    core.processDoubleReplacing(doubles.in(), doubles.out(), 1);
    EXPECT_EQ(std::fpclassify(doubles.outLeft[0]), FP_ZERO);
    EXPECT_EQ(std::fpclassify(doubles.outRight[0]), FP_ZERO);

    // The host's floating-point mode is its own: subnormals still exist after the call.
    volatile float tiny = FLT_MIN;
    volatile float half = tiny / 2.0f;
    EXPECT_EQ(std::fpclassify(half), FP_SUBNORMAL);

    // A host that already flushes keeps its mode, and the block is flushed all the same.
    const unsigned hostMode = _mm_getcsr() | 0x8040;
    _mm_setcsr(hostMode);
    core.processReplacing(floats.in(), floats.out(), 2);
    const unsigned after = _mm_getcsr();
    _mm_setcsr(hostMode & ~0x8040u);
    EXPECT_EQ(after, hostMode);
    EXPECT_EQ(std::fpclassify(floats.outLeft[0]), FP_ZERO);
}

namespace {

// The control register's flush-to-zero and denormals-are-zero bits.
constexpr unsigned kFlushSubnormals = 0x8040;

// Where inLeft, inRight, outLeft and outRight start in one arena of 4n + 8 samples.
using Layout = std::array<std::size_t, 4>;
std::vector<Layout> layoutsFor(std::size_t n) {
    return {{0, n + 1, 2 * n + 2, 3 * n + 3},   // separate
            {0, 0, n + 1, 2 * n + 2},           // one input for both channels
            {0, n + 1, 0, n + 1},               // in place
            {0, n + 1, n + 1, 0},               // in place, swapped
            {0, n + 1, 1, 2 * n + 3},           // left output a sample ahead of its input
            {2, n + 3, 2 * n + 4, 0},           // right output two samples behind the left input
            {0, n + 1, 2 * n, 3 * n + 3},       // outLeft[0] is inRight[n - 1]
            {0, n + 1, 2 * n + 2, 2 * n + 3}};  // the outputs overlap
}

// Whether two arenas hold the same bits, a NaN matching any NaN: which of two NaNs an addition
// passes on is the compiler's choice of operand order.
template <typename Sample>
bool sameBits(const std::vector<Sample>& a, const std::vector<Sample>& b) {
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::memcmp(&a[i], &b[i], sizeof(Sample)) != 0 && !(a[i] != a[i] && b[i] != b[i]))
            return false;
    }
    return true;
}

// Runs `entry` on `expected` laid out as `at` and compares the whole arena with the frame loop
// run one frame after another, subnormals flushed. Subtracting k x opposite is exactly adding
// (-k) x opposite.
template <typename Sample, typename Entry>
void expectLayoutBits(Entry entry, std::vector<Sample> expected, const Layout& at, std::size_t n,
                      Sample crossFeed, Sample gain) {
    std::vector<Sample> actual = expected;
    Sample* inputs[2] = {&actual[at[0]], &actual[at[1]]};
    Sample* outputs[2] = {&actual[at[2]], &actual[at[3]]};
    entry(inputs, outputs, int32(n));

    const unsigned mode = _mm_getcsr();
    _mm_setcsr(mode | kFlushSubnormals);
    for (std::size_t i = 0; i < n; ++i) {
        const Sample left = expected[at[0] + i], right = expected[at[1] + i];
        const Sample sampleLeft = (left + crossFeed * right) * gain;
        expected[at[2] + i] = sampleLeft + sampleLeft;
        const Sample sampleRight = (right + crossFeed * left) * gain;
        expected[at[3] + i] = sampleRight + sampleRight;
    }
    _mm_setcsr(mode);
    EXPECT_TRUE(sameBits(expected, actual))
        << n << " frames, layout " << at[0] << " " << at[1] << " " << at[2] << " " << at[3];
}

template <typename Sample, typename Entry>
void expectFrameLoopBits(Entry entry, Sample crossFeed, Sample gain) {
    using Limits = std::numeric_limits<Sample>;
    const Sample special[] = {-Sample(0),           Limits::infinity(), -Limits::infinity(),
                              Limits::denorm_min(), Limits::max(),      Limits::min()};
    for (std::size_t n : {1, 4, 17, 2027}) {
        for (const Layout& at : layoutsFor(n)) {
            std::vector<Sample> arena(4 * n + 8);
            for (std::size_t i = 0; i < arena.size(); ++i)
                arena[i] = i % 5 == 4 ? special[i % 6] : Sample(std::sin(i * 1.7));
            expectLayoutBits(entry, arena, at, n, crossFeed, gain);
        }
    }
}

// The same channels through the block-wide loop (separate outputs) and the frame loop (in
// place): every bit the same, NaN payloads too.
void expectLoopsAgree(PluginCore& core, const std::vector<float>& arena, std::size_t n) {
    std::vector<float> separate(arena), inPlace(arena);
    float* inputs[2] = {&separate[0], &separate[n]};
    float* outputs[2] = {&separate[2 * n], &separate[3 * n]};
    core.processReplacing(inputs, outputs, int32(n));
    float* channels[2] = {&inPlace[0], &inPlace[n]};
    core.processReplacing(channels, channels, int32(n));
    EXPECT_EQ(std::memcmp(&separate[2 * n], &inPlace[0], sizeof(float) * 2 * n), 0) << n;
}

// A sample of any class: ordinary, subnormal, zero, infinite, the largest, or a quiet NaN.
template <typename Sample>
Sample anySample(std::mt19937& random) {
    using Limits = std::numeric_limits<Sample>;
    const Sample sign = random() % 2 ? Sample(1) : Sample(-1);
    std::uniform_real_distribution<Sample> unit(0, 1);
    switch (random() % 8) {
        case 0: return sign * Limits::min() * unit(random);
        case 1: return sign * Sample(0);
        case 2: return sign * Limits::infinity();
        case 3: return sign * Limits::max();
        case 4: return Limits::quiet_NaN();
        default: return sign * Sample(2) * unit(random);
    }
}

// A value a host may send for a parameter: anything, in range or not.
float anyParameter(std::mt19937& random) {
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    const float sent[] = {kNaN, kInf, -kInf, -0.0f, FLT_TRUE_MIN, FLT_MIN, 1.0f, 1.5f};
    const std::size_t pick = random() % (2 * std::size(sent));
    return pick < std::size(sent) ? sent[pick]
                                  : std::uniform_real_distribution<float>(0, 1)(random);
}

}  // namespace

TEST_F(ProcessingTest, BothEntriesGiveTheFrameLoopsBitsForAnyBufferLayoutAndLength) {
    setParameters(0.3f, 0.7f);
    expectFrameLoopBits<float>(
        [&](float** in, float** out, int32 n) { core.processReplacing(in, out, n); },
        -(0.3f * 0.25f + 0.25f), 0.7f);
    expectFrameLoopBits<double>(
        [&](double** in, double** out, int32 n) { core.processDoubleReplacing(in, out, n); },
        double(0.3f) * 0.25 + 0.25, double(0.7f));
}

// A writer flips the gain while blocks run: every left output must be one of the two gains (0.5
// in, nothing on the right), and a change must show inside a block.
TEST_F(ProcessingTest, FloatEntryUsesTheGainReadForEachSampleWhileItChanges) {
    constexpr std::size_t kFrames = 1 << 15;
    StereoBlock<float> block(kFrames);
    block.inLeft.assign(kFrames, 0.5f);
    core.setParameter(kParamOutput, 0.25f);
    std::atomic<bool> done{false}, writing{false};
    std::thread writer([&] {
        for (float gain = 0.75f; !done; gain = 1.0f - gain) {
            core.setParameter(kParamOutput, gain);
            writing = true;
        }
    });
    while (!writing) std::this_thread::yield();
    // A block takes microseconds: on a loaded machine the writer may get few of them, so many
    // passes may go by before one block sees it write.
    bool valid = true, mixed = false;
    for (int pass = 0; pass < 200000 && valid && !mixed; ++pass) {
        std::fill(block.outLeft.begin(), block.outLeft.end(), 99.0f);
        core.processReplacing(block.in(), block.out(), kFrames);
        const auto quarters = std::count(block.outLeft.begin(), block.outLeft.end(), 0.25f);
        const auto threeQuarters = std::count(block.outLeft.begin(), block.outLeft.end(), 0.75f);
        valid = std::size_t(quarters + threeQuarters) == kFrames;
        mixed = quarters > 0 && threeQuarters > 0;
    }
    done = true;
    writer.join();
    EXPECT_TRUE(valid);
    EXPECT_TRUE(mixed);
}

// Random lengths from none to several long runs with any tail, on every layout, with samples of
// every class and parameters from anything a host may send, subnormal ones included. The
// block-wide loop and the frame loop (in place) agree to the last bit, NaNs included.
TEST_F(ProcessingTest, BothEntriesGiveTheFrameLoopsBitsForRandomBlocksAndParameters) {
    constexpr int kBlocks = 150;
    constexpr std::size_t kLongestBlock = 1100;
    std::mt19937 random(5800);
    for (int block = 0; block < kBlocks; ++block) {
        setParameters(anyParameter(random), anyParameter(random));
        const float expansion = core.getParameter(kParamExpansion);
        const float output = core.getParameter(kParamOutput);
        // The entries work their k and gain out with subnormals flushed.
        const unsigned mode = _mm_getcsr();
        _mm_setcsr(mode | kFlushSubnormals);
        const float floatCrossFeed = -(expansion * 0.25f + 0.25f);
        const double doubleCrossFeed = double(expansion) * 0.25 + 0.25;
        const double doubleGain = output;
        _mm_setcsr(mode);
        const std::size_t n = random() % (kLongestBlock + 1);
        std::vector<float> floats(4 * n + 8);
        std::vector<double> doubles(4 * n + 8);
        for (const Layout& at : layoutsFor(n)) {
            for (float& sample : floats) sample = anySample<float>(random);
            for (double& sample : doubles) sample = anySample<double>(random);
            expectLayoutBits([&](float** in, float** out,
                                 int32 frames) { core.processReplacing(in, out, frames); },
                             floats, at, n, floatCrossFeed, output);
            expectLayoutBits([&](double** in, double** out,
                                 int32 frames) { core.processDoubleReplacing(in, out, frames); },
                             doubles, at, n, doubleCrossFeed, doubleGain);
        }
        expectLoopsAgree(core, floats, n);
    }
}
