#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
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
}
