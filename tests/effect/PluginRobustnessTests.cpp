// Odd and hostile host behaviour: the plug-in must neither crash nor leave its range.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <thread>
#include <vector>

#include "LoadedPlugin.h"

namespace {

class PluginRobustnessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.answer(audioMasterVersion, kHostVersion);
        ASSERT_TRUE(plugin.loaded());
        effect = plugin.create();
        ASSERT_NE(effect, nullptr);
    }
    void TearDown() override {
        if (effect) {
            EXPECT_EQ(dispatch(effect, effClose), 1);
        }
    }
    FakeHost host;
    LoadedPlugin plugin;
    AEffect* effect = nullptr;
};

template <typename Sample>
bool isCleanSample(Sample sample) {
    const int kind = std::fpclassify(sample);
    return kind == FP_NORMAL || kind == FP_ZERO;
}

// Noise blocks pushed through one entry; checks every output sample against the formula.
template <typename Sample>
void processNoise(AEffect* effect, std::mt19937& random, int32 frames, bool doubleEntry) {
    std::uniform_real_distribution<float> noise(-1.0f, 1.0f);
    std::vector<Sample> inLeft(frames), inRight(frames), outLeft(frames), outRight(frames);
    for (int32 i = 0; i < frames; ++i) {
        inLeft[i] = noise(random);
        inRight[i] = noise(random);
    }
    Sample* inputs[2] = {inLeft.data(), inRight.data()};
    Sample* outputs[2] = {outLeft.data(), outRight.data()};
    if constexpr (sizeof(Sample) == sizeof(double)) {
        if (doubleEntry) effect->processDoubleReplacing(effect, inputs, outputs, frames);
    } else {
        effect->processReplacing(effect, inputs, outputs, frames);
    }
    const double k = effect->getParameter(effect, 0) * 0.25 + 0.25;
    const double gain = 2.0 * effect->getParameter(effect, 1);
    const double sign = doubleEntry ? 1.0 : -1.0;
    for (int32 i = 0; i < frames; ++i) {
        ASSERT_TRUE(isCleanSample(outLeft[i]) && isCleanSample(outRight[i])) << "frame " << i;
        ASSERT_NEAR(outLeft[i], (inLeft[i] + sign * k * inRight[i]) * gain, 1e-5) << i;
        ASSERT_NEAR(outRight[i], (inRight[i] + sign * k * inLeft[i]) * gain, 1e-5) << i;
    }
}

}  // namespace

TEST_F(PluginRobustnessTest, RandomDispatcherCallsKeepTheEffectSound) {
    std::mt19937 random(5800);
    std::uniform_int_distribution<int32> opcodes(-3, 90);
    const intptr values[] = {0,
                             1,
                             -1,
                             15,
                             16,
                             255,
                             0x1FF,
                             std::numeric_limits<int32>::max(),
                             std::numeric_limits<int32>::min()};
    const float opts[] = {0.0f,
                          1.0f,
                          -3.5f,
                          44100.0f,
                          std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity()};
    alignas(16) char buffer[1024];
    alignas(16) char pointerSlots[64];
    for (int call = 0; call < 20000; ++call) {
        const int32 opcode = opcodes(random);
        if (opcode == effClose) continue;
        for (char& byte : buffer) byte = static_cast<char>(random() & 0x7F);
        std::memset(pointerSlots, 0, sizeof(pointerSlots));
        const int32 index = static_cast<int32>(values[random() % 9]);
        intptr value = values[random() % 9];
        // Speaker-arrangement opcodes read value as a pointer, so it must be a valid one.
        if (opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement)
            value = reinterpret_cast<intptr>(pointerSlots);
        void* ptr = (opcode == effGetSpeakerArrangement || opcode == effGetChunk)
                        ? static_cast<void*>(pointerSlots + 32)
                        : static_cast<void*>(buffer);
        dispatch(effect, opcode, index, value, ptr, opts[random() % 6]);
    }
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    const intptr program = dispatch(effect, effGetProgram);
    EXPECT_TRUE(program >= 0 && program < 16) << program;
    for (int32 parameter = 0; parameter < 2; ++parameter) {
        const float value = effect->getParameter(effect, parameter);
        EXPECT_TRUE(value >= 0.0f && value <= 1.0f) << value;
    }
    char name[64] = {};
    dispatch(effect, effGetProgramName, 0, 0, name);
    EXPECT_LE(std::strlen(name), 23u);
}

TEST_F(PluginRobustnessTest, NoiseAtEveryBlockSizeAndRateStaysFiniteAndCorrect) {
    std::mt19937 random(44100);
    std::uniform_int_distribution<int32> blockSizes(0, 8192);
    std::uniform_real_distribution<float> parameter(0.0f, 1.0f);
    for (const float rate : {44100.0f, 48000.0f, 96000.0f}) {
        dispatch(effect, effSetSampleRate, 0, 0, nullptr, rate);
        std::vector<int32> sizes = {1, 17, 2027};
        for (int i = 0; i < 6; ++i) sizes.push_back(blockSizes(random));
        for (const int32 frames : sizes) {
            dispatch(effect, effSetBlockSize, 0, frames);
            dispatch(effect, effMainsChanged, 0, 1);
            effect->setParameter(effect, 0, parameter(random));
            effect->setParameter(effect, 1, parameter(random));
            processNoise<float>(effect, random, frames, false);
            processNoise<double>(effect, random, frames, true);
            dispatch(effect, effMainsChanged, 0, 0);
        }
    }
}

TEST_F(PluginRobustnessTest, ParameterValuesOutsideTheRangeAreBounded) {
    std::mt19937 random(7);
    const float hostile[] = {-1.0f,
                             2.5f,
                             1e30f,
                             -1e30f,
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::denorm_min()};
    for (const float value : hostile) {
        for (int32 parameter = -1; parameter <= 2; ++parameter) {
            effect->setParameter(effect, parameter, value);
            const float stored = effect->getParameter(effect, parameter);
            EXPECT_TRUE(stored >= 0.0f && stored <= 1.0f) << value;
            char display[32];
            std::memset(display, 0x7F, sizeof(display));
            dispatch(effect, effGetParamDisplay, parameter, 0, display);
            if (parameter == 0 || parameter == 1) {
                EXPECT_LE(std::strlen(display), 6u) << value;
            }
        }
        processNoise<float>(effect, random, 64, false);
        processNoise<double>(effect, random, 64, true);
    }
}

TEST_F(PluginRobustnessTest, ParametersChangedByAnotherThreadWhileProcessing) {
    std::atomic<bool> running{true};
    std::thread automation([this, &running] {
        std::mt19937 random(1);
        std::uniform_real_distribution<float> value(-0.5f, 1.5f);
        while (running.load()) {
            effect->setParameter(effect, 0, value(random));
            effect->setParameter(effect, 1, value(random));
        }
    });
    std::vector<float> left(512, 0.5f), right(512, -0.25f), outLeft(512), outRight(512);
    float* inputs[2] = {left.data(), right.data()};
    float* outputs[2] = {outLeft.data(), outRight.data()};
    bool bounded = true;
    for (int block = 0; block < 2000 && bounded; ++block) {
        effect->processReplacing(effect, inputs, outputs, 512);
        // Any mix of parameter values keeps |out| within 2 x (|L| + 0.5 |R|).
        for (int i = 0; i < 512; ++i)
            bounded = bounded && std::isfinite(outLeft[i]) && std::fabs(outLeft[i]) <= 1.25f &&
                      std::isfinite(outRight[i]) && std::fabs(outRight[i]) <= 1.0f;
    }
    running = false;
    automation.join();
    EXPECT_TRUE(bounded);
}

TEST(PluginInstances, ManyCreatedAndClosedInAnyOrder) {
    FakeHost host;
    host.answer(audioMasterVersion, kHostVersion);
    LoadedPlugin plugin;
    ASSERT_TRUE(plugin.loaded());
    for (int round = 0; round < 20; ++round) {
        std::vector<AEffect*> effects;
        for (int i = 0; i < 50; ++i) {
            AEffect* effect = plugin.create();
            ASSERT_NE(effect, nullptr);
            effect->setParameter(effect, 0, static_cast<float>(i) / 50.0f);
            effects.push_back(effect);
        }
        // Instances are independent: each kept its own value.
        for (int i = 0; i < 50; ++i)
            ASSERT_FLOAT_EQ(effects[i]->getParameter(effects[i], 0), static_cast<float>(i) / 50.0f);
        for (int i = 0; i < 50; i += 2) ASSERT_EQ(dispatch(effects[i], effClose), 1);
        for (int i = 49; i > 0; i -= 2) ASSERT_EQ(dispatch(effects[i], effClose), 1);
    }
}
