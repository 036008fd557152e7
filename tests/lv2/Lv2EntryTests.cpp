// The LV2 entry against the VST 2.4 entry it wraps: same samples for the same settings, and no
// harm from a careless host.
#include <gtest/gtest.h>
#include <xmmintrin.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "effect/ParameterText.h"
#include "effect/lv2/Lv2Plugin.h"
#include "lv2/AllocationCount.h"
#include "lv2/Lv2TestSupport.h"

using lv2test::Instance;
using lv2test::Stereo;
using namespace talonLv2;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kTopDecibels = 6.0206f;

// A plug-in instance with all six ports connected to its own buffers.
class Lv2Fixture : public ::testing::Test {
  protected:
    void connectAll(Instance& plugin, Stereo& in, Stereo& out) {
        plugin.connect(kPortInLeft, in.left.data());
        plugin.connect(kPortInRight, in.right.data());
        plugin.connect(kPortOutLeft, out.left.data());
        plugin.connect(kPortOutRight, out.right.data());
        plugin.connect(kPortExpansion, &percent);
        plugin.connect(kPortOutput, &decibels);
    }

    // One block through a fresh instance at the given control values.
    Stereo render(float percentValue, float decibelValue, std::size_t frames = 512) {
        Instance plugin(descriptor(0), 48000.0);
        Stereo in(frames, 7), out(frames, 8);
        connectAll(plugin, in, out);
        percent = percentValue;
        decibels = decibelValue;
        plugin.run(static_cast<std::uint32_t>(frames));
        return out;
    }

    float percent = 50.0f;
    float decibels = 0.0f;
};

// The VST entry with its parameters set as a user typing the texts sets them.
class VstReference {
  public:
    VstReference(float expansion, float output) : core(lv2test::versionOnlyHost) {
        core.setParameter(kParamExpansion, expansion);
        core.setParameter(kParamOutput, output);
    }
    void process(Stereo& in, Stereo& out, std::size_t frames, std::size_t offset) {
        float* inputs[2] = {in.left.data() + offset, in.right.data() + offset};
        float* outputs[2] = {out.left.data() + offset, out.right.data() + offset};
        core.processReplacing(inputs, outputs, static_cast<int32>(frames));
    }

  private:
    PluginCore core;
};

struct Setting {
    float percent;
    float decibels;
    float expansion;
    float output;
};

}  // namespace

TEST_F(Lv2Fixture, RunEqualsTheVstEntryBitForBitAtEveryBlockSize) {
    const Setting settings[] = {
        {50.0f, 0.0f, expansionFromText("50"), outputFromText("0")},
        {37.0f, -3.0f, expansionFromText("37"), outputFromText("-3")},
        {100.0f, 6.0f, expansionFromText("100"), outputFromText("6")},
        {73.0f, -12.5f, expansionFromText("73"), outputFromText("-12.5")},
        {0.0f, kSilenceDecibels, 0.0f, 0.0f},
    };
    const std::size_t blocks[] = {0, 1, 3, 8, 13, 512, 4096, 0, 7};
    std::size_t total = 0;
    for (std::size_t block : blocks) total += block;
    for (const Setting& setting : settings) {
        Instance plugin(descriptor(0), 44100.0);
        VstReference vst(setting.expansion, setting.output);
        Stereo in(total, 1), lv2Out(total, 2), vstOut(total, 2);
        percent = setting.percent;
        decibels = setting.decibels;
        std::size_t at = 0;
        for (std::size_t block : blocks) {
            plugin.connect(kPortInLeft, in.left.data() + at);
            plugin.connect(kPortInRight, in.right.data() + at);
            plugin.connect(kPortOutLeft, lv2Out.left.data() + at);
            plugin.connect(kPortOutRight, lv2Out.right.data() + at);
            plugin.connect(kPortExpansion, &percent);
            plugin.connect(kPortOutput, &decibels);
            plugin.run(static_cast<std::uint32_t>(block));
            vst.process(in, vstOut, block, at);
            at += block;
        }
        EXPECT_TRUE(lv2Out.sameBits(vstOut)) << setting.percent << " % " << setting.decibels;
    }
}

// A generic UI's number is the VST display's number: each port value gives the parameter value
// whose display shows it.
TEST(Lv2Controls, PortValuesShowAsTheVstDisplay) {
    PluginCore core(lv2test::versionOnlyHost);
    char text[kVstMaxParamStrLen + 1];
    char expected[32];
    for (int percent = 0; percent <= 100; ++percent) {
        core.setParameter(kParamExpansion, expansionFromPercent(static_cast<float>(percent)));
        core.getParameterDisplay(kParamExpansion, text);
        EXPECT_STREQ(text, std::to_string(percent).c_str());
    }
    for (int tenths = -899; tenths <= 60; ++tenths) {
        const float decibels = static_cast<float>(tenths) / 10.0f;
        core.setParameter(kParamOutput, outputFromDecibels(decibels));
        core.getParameterDisplay(kParamOutput, text);
        std::snprintf(expected, sizeof expected, "%.1f", tenths / 10.0);
        EXPECT_STREQ(text, expected) << decibels;
    }
    const std::pair<float, const char*> ends[] = {
        {kSilenceDecibels, "-oo"}, {kTopDecibels, "6.0"}, {0.0f, "0.0"}};
    for (const auto& [decibels, shown] : ends) {
        core.setParameter(kParamOutput, outputFromDecibels(decibels));
        core.getParameterDisplay(kParamOutput, text);
        EXPECT_STREQ(text, shown);
    }
    EXPECT_EQ(outputFromDecibels(0.0f), kDefaultParameterValue);
    EXPECT_EQ(expansionFromPercent(50.0f), kDefaultParameterValue);
}

// Values past the range end at its ends; NaN keeps the value before, as setParameter does.
TEST_F(Lv2Fixture, ControlValuesOutOfRangeAreBounded) {
    EXPECT_TRUE(render(150.0f, 0.0f).sameBits(render(100.0f, 0.0f)));
    EXPECT_TRUE(render(-20.0f, 0.0f).sameBits(render(0.0f, 0.0f)));
    EXPECT_TRUE(render(kInf, 0.0f).sameBits(render(100.0f, 0.0f)));
    EXPECT_TRUE(render(50.0f, 12.0f).sameBits(render(50.0f, kTopDecibels)));
    EXPECT_TRUE(render(50.0f, kInf).sameBits(render(50.0f, kTopDecibels)));
    EXPECT_TRUE(render(50.0f, -kInf).sameBits(render(50.0f, -400.0f)));
    const Stereo silent = render(50.0f, -kInf);
    for (float sample : silent.left) ASSERT_EQ(sample, 0.0f);

    Instance plugin(descriptor(0), 48000.0);
    Stereo in(512, 7), out(512, 8);
    connectAll(plugin, in, out);
    percent = 37.0f;
    decibels = -3.0f;
    plugin.run(512);
    percent = kNaN;
    decibels = kNaN;
    plugin.run(512);
    EXPECT_TRUE(out.sameBits(render(37.0f, -3.0f)));
}

TEST_F(Lv2Fixture, MissingPortsLeaveNothingUnwrittenOrOutOfBounds) {
    constexpr std::size_t kFrames = 64, kGuard = 16;
    for (unsigned mask = 0; mask < (1u << kPortCount); ++mask) {
        Instance plugin(descriptor(0), 48000.0);
        Stereo in(kFrames, 1), out(kFrames + kGuard, 2);
        const Stereo before = out;
        void* buffers[kPortCount] = {in.left.data(),   in.right.data(), out.left.data(),
                                     out.right.data(), &percent,        &decibels};
        for (std::uint32_t port = 0; port < kPortCount; ++port)
            if (mask & (1u << port)) plugin.connect(port, buffers[port]);
        plugin.connect(kPortCount, in.left.data());  // no such port: ignored
        plugin.run(kFrames);
        const bool allAudio = (mask & 0xF) == 0xF;
        for (std::size_t i = 0; i < kFrames + kGuard; ++i) {
            const bool inBlock = i < kFrames;
            if (!inBlock || !(mask & (1u << kPortOutLeft))) {
                ASSERT_EQ(out.left[i], before.left[i]) << mask << " " << i;
            } else if (!allAudio) {
                ASSERT_EQ(out.left[i], 0.0f) << mask << " " << i;
            }
        }
    }
}

TEST_F(Lv2Fixture, RunWithNoFramesWritesNothingAndAPortConnectedTwiceUsesTheLastBuffer) {
    Instance plugin(descriptor(0), 48000.0);
    Stereo in(256, 7), other(256, 9), out(256, 8);
    const Stereo before = out;
    connectAll(plugin, other, out);
    plugin.run(0);
    EXPECT_TRUE(out.sameBits(before));
    connectAll(plugin, in, out);
    percent = 37.0f;
    decibels = -3.0f;
    plugin.run(256);
    EXPECT_TRUE(out.sameBits(render(37.0f, -3.0f, 256)));
}

TEST(Lv2Instantiate, TakesEveryUsableRateAndRefusesTheRest) {
    for (double rate : {8000.0, 22050.0, 44100.0, 96000.0, 192000.0, 384000.0})
        EXPECT_TRUE(Instance(descriptor(0), rate).valid()) << rate;
    for (double rate : {0.0, -44100.0, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(Instance(descriptor(0), rate).valid()) << rate;
    ASSERT_NE(descriptor(0), nullptr);
    EXPECT_STREQ(descriptor(0)->URI, "urn:mirevox:talon5800");
    EXPECT_EQ(descriptor(1), nullptr);
}

// Subnormal input comes out as zero, and the host's own floating-point mode is left as it was.
TEST_F(Lv2Fixture, SubnormalsAreFlushedAndTheHostModeKept) {
    Instance plugin(descriptor(0), 48000.0);
    Stereo in(256, 1), out(256, 2);
    for (float& sample : in.left) sample = 1.0e-40f;
    for (float& sample : in.right) sample = -3.0e-41f;
    connectAll(plugin, in, out);
    const unsigned mode = _mm_getcsr();
    _mm_setcsr(mode & ~0x8040u);
    plugin.run(256);
    const unsigned after = _mm_getcsr();
    _mm_setcsr(mode);
    EXPECT_EQ(after, mode & ~0x8040u);
    for (std::size_t i = 0; i < 256; ++i) {
        ASSERT_EQ(std::fpclassify(out.left[i]), FP_ZERO) << i;
        ASSERT_EQ(std::fpclassify(out.right[i]), FP_ZERO) << i;
    }
}

// Real-time safe: no allocation in run(), whatever the controls do between blocks.
TEST_F(Lv2Fixture, RunAllocatesNothing) {
    Instance plugin(descriptor(0), 48000.0);
    Stereo in(4096, 7), out(4096, 8);
    connectAll(plugin, in, out);
    const float values[][2] = {{37.0f, -3.0f}, {kNaN, kInf}, {150.0f, -kInf}, {0.0f, 6.0f}};
    allocationCount::start();
    for (const auto& value : values) {
        percent = value[0];
        decibels = value[1];
        plugin.run(4096);
        plugin.run(0);
        plugin.run(13);
    }
    EXPECT_EQ(allocationCount::stop(), 0);
}
