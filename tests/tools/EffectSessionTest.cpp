#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <utility>

#include "tests/tools/FakeEffect.h"
#include "tools/host/EffectSession.h"
#include "tools/host/HostCallback.h"
#include "tools/host/HostError.h"
#include "tools/host/OpcodeNames.h"
#include "tools/host/Report.h"

namespace {

struct FakeSession : ::testing::Test {
    FakeEffect fake;
    void SetUp() override { initFakeEffect(fake, FakeEffectOptions{}); }

    std::size_t count(int32 opcode) const {
        return static_cast<std::size_t>(
            std::count(fake.opcodes.begin(), fake.opcodes.end(), opcode));
    }
    std::size_t position(int32 opcode) const {
        return static_cast<std::size_t>(
            std::find(fake.opcodes.begin(), fake.opcodes.end(), opcode) - fake.opcodes.begin());
    }
};

StereoAudio ramp(std::size_t frames) {
    StereoAudio audio;
    audio.resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        audio.left[i] = static_cast<float>(i) / 1024.0f;
        audio.right[i] = -static_cast<float>(i) / 2048.0f;
    }
    return audio;
}

TEST_F(FakeSession, RunsTheLifecycleInHostOrder) {
    {
        EffectSession session(&fake.effect, nullptr);
        session.open(48000.0, 256);
        session.resume(false);
        session.process(ramp(10), 256);
        session.close();
    }
    const std::vector<int32> expected = {
        effOpen,         effSetSampleRate, effSetBlockSize, effSetProcessPrecision,
        effMainsChanged, effMainsChanged,  effClose};
    EXPECT_EQ(fake.opcodes, expected);
    EXPECT_EQ(fake.sampleRate, 48000.0f);
    EXPECT_EQ(fake.blockSize, 256);
    EXPECT_EQ(fake.precision, 0);
    EXPECT_FALSE(fake.resumed);
    EXPECT_FALSE(fake.processedWhileSuspended);
}

TEST_F(FakeSession, SuspendsAndClosesWhenLeftEarly) {
    {
        EffectSession session(&fake.effect, nullptr);
        session.open(44100.0, 64);
        session.resume(true);
    }
    EXPECT_FALSE(fake.resumed);
    ASSERT_GE(fake.opcodes.size(), 2u);
    EXPECT_EQ(fake.opcodes.back(), effClose);
    EXPECT_EQ(count(effMainsChanged), 2u);
    EXPECT_EQ(count(effClose), 1u);
}

TEST_F(FakeSession, ProcessesEveryFrameInBlocksThroughSeparateBuffers) {
    for (bool useDouble : {false, true}) {
        FakeEffect fresh;
        initFakeEffect(fresh, FakeEffectOptions{});
        fresh.parameters[kFakeLevel] = 0.25f;  // gain 0.5
        EffectSession session(&fresh.effect, nullptr);
        session.open(44100.0, 256);
        session.resume(useDouble);
        const StereoAudio input = ramp(1000);
        const StereoAudio output = session.process(input, 256);
        ASSERT_EQ(output.frames(), input.frames());
        for (std::size_t i = 0; i < input.frames(); ++i) {
            ASSERT_EQ(output.left[i], 0.5f * input.right[i]) << i;
            ASSERT_EQ(output.right[i], 0.5f * input.left[i]) << i;
        }
        EXPECT_EQ(fresh.processCalls, 4);  // 3 full blocks and 232 frames
        EXPECT_EQ(fresh.largestBlock, 256);
        EXPECT_TRUE(fresh.inputsAndOutputsWereSeparate);
        EXPECT_EQ(fresh.precision, useDouble ? 1 : 0);
    }
}

TEST_F(FakeSession, RefusesPrecisionsTheEffectLacks) {
    FakeEffectOptions options;
    options.canDouble = false;
    initFakeEffect(fake, options);
    EffectSession session(&fake.effect, nullptr);
    session.open(44100.0, 64);
    EXPECT_THROW(session.resume(true), HostError);
    EXPECT_EQ(count(effMainsChanged), 0u);
    EXPECT_THROW(session.process(ramp(4), 64), HostError);  // never resumed
    fake.effect.processReplacing = nullptr;
    EXPECT_THROW(session.resume(false), HostError);
}

TEST_F(FakeSession, ReadsIdentityThroughZeroedTextBuffers) {
    EffectSession session(&fake.effect, nullptr);
    session.open(44100.0, 64);
    const EffectIdentity identity = session.identity();
    EXPECT_EQ(identity.effectName, "Fake Widener");
    EXPECT_EQ(identity.vendor, "Test Bench");
    EXPECT_EQ(identity.product, "Fake Product");
    EXPECT_EQ(identity.vendorVersion, 1234);
    EXPECT_EQ(identity.uniqueId, kFakeUniqueId);
    EXPECT_EQ(identity.category, kPlugCategEffect);
    EXPECT_EQ(identity.vstVersion, 2400);
    EXPECT_EQ(identity.numPrograms, kFakeProgramCount);
    EXPECT_EQ(formatUniqueId(identity.uniqueId), "'Fake' (0x46616B65)");

    const std::vector<ParameterInfo> parameters = session.parameters();
    ASSERT_EQ(parameters.size(), 2u);
    EXPECT_EQ(describeParameter(parameters[0]), "Width = 50 % (normalized 0.500000)");
    std::ostringstream table;
    printParameters(table, parameters);
    EXPECT_NE(table.str().find("[1] name \"Level\"  display \"0.0\"  label \"dB\"  normalized 0.5"),
              std::string::npos);
    EXPECT_EQ(session.programNames(),
              (std::vector<std::string>{"Plain", "Wide", "Wider", "Widest"}));
    EXPECT_TRUE(fake.textBuffersWereZeroed);
}

TEST_F(FakeSession, SetsParametersByDisplayValueOrNormalizedValue) {
    EffectSession session(&fake.effect, nullptr);
    session.open(44100.0, 64);
    EXPECT_EQ(session.apply({"width", 75.0, false}).display, "75");
    EXPECT_NEAR(fake.parameters[kFakeWidth], 0.75f, 0.001f);
    EXPECT_EQ(session.apply({" LEVEL ", -3.0, false}).display, "-3.0");
    const ParameterInfo silent = session.apply({"Level", 0.0, true});
    EXPECT_EQ(silent.display, "-oo");
    EXPECT_EQ(fake.parameters[kFakeLevel], 0.0f);
    try {
        session.apply({"Depth", 1.0, false});
        FAIL() << "an unknown parameter was accepted";
    } catch (const UsageError& error) {
        EXPECT_NE(std::string(error.what()).find("Width, Level"), std::string::npos);
    }
}

TEST_F(FakeSession, SelectsOnlyExistingPrograms) {
    EffectSession session(&fake.effect, nullptr);
    session.open(44100.0, 64);
    session.selectProgram(2);
    EXPECT_EQ(session.currentProgram(), 2);
    EXPECT_THROW(session.selectProgram(kFakeProgramCount), UsageError);
    EXPECT_THROW(session.selectProgram(-1), UsageError);
    EXPECT_EQ(fake.program, 2);
}

TEST_F(FakeSession, LogsDispatcherCallsWhenVerbose) {
    std::ostringstream log;
    EffectSession session(&fake.effect, &log);
    session.open(44100.0, 64);
    EXPECT_NE(log.str().find("dispatch: effSetBlockSize (11) index=0 value=64"), std::string::npos);
}

TEST_F(FakeSession, EditorNeedsTheFlagAndAUsableRectangle) {
    EffectSession session(&fake.effect, nullptr);
    EXPECT_THROW(session.editorSize(), HostError);
    EXPECT_EQ(count(effEditGetRect), 0u);  // not asked without the flag

    fake.options.hasEditor = true;
    fake.effect.flags |= effFlagsHasEditor;
    fake.options.editorRect = {10, 20, 90, 772};  // top, left, bottom, right
    const EditorSize size = session.editorSize();
    EXPECT_EQ(size.width, 752);
    EXPECT_EQ(size.height, 80);
    for (const ERect& rect :
         {ERect{10, 20, 10, 772}, ERect{90, 20, 10, 772}, ERect{0, 0, 80, 9000}}) {
        fake.options.editorRect = rect;
        EXPECT_THROW(session.editorSize(), HostError) << rect.bottom << " " << rect.right;
    }
    fake.options.giveEditorRect = false;
    EXPECT_THROW(session.editorSize(), HostError);
}

TEST_F(FakeSession, EditorReportsTheScaledSizeOnceItTakesTheFactor) {
    fake.options.hasEditor = fake.options.takesScale = true;
    fake.effect.flags |= effFlagsHasEditor;
    EffectSession session(&fake.effect, nullptr);
    EXPECT_TRUE(session.setEditorScale(2.5));
    const EditorSize size = session.editorSize();
    EXPECT_EQ(size.width, 300);  // 120 x 40 scaled
    EXPECT_EQ(size.height, 100);
    EXPECT_LT(position(effVendorSpecific), position(effEditGetRect));
    fake.options.takesScale = false;
    EXPECT_FALSE(session.setEditorScale(3.0));
    EXPECT_EQ(fake.editorScale, 2.5f);
}

TEST(CheckStereoEffect, RejectsWhatAHostCannotUse) {
    EXPECT_THROW(checkStereoEffect(nullptr), HostError);

    FakeEffect wrongMagic;
    FakeEffectOptions badMagic;
    badMagic.magic = 0;
    initFakeEffect(wrongMagic, badMagic);
    EXPECT_THROW(checkStereoEffect(&wrongMagic.effect), HostError);

    FakeEffect mono;
    FakeEffectOptions monoOptions;
    monoOptions.numInputs = monoOptions.numOutputs = 1;
    initFakeEffect(mono, monoOptions);
    EXPECT_THROW(checkStereoEffect(&mono.effect), HostError);
    EXPECT_EQ(mono.opcodes, std::vector<int32>{effClose});  // a valid instance is released

    FakeEffect stereo;
    initFakeEffect(stereo, FakeEffectOptions{});
    EXPECT_NO_THROW(checkStereoEffect(&stereo.effect));
}

TEST(HostCallback, AnswersWhatEffectsAsk) {
    std::ostringstream log;
    configureHostCallback({96000.0, 128, &log});
    EXPECT_EQ(hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f), 2400);
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetSampleRate, 0, 0, nullptr, 0.0f), 96000);
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetBlockSize, 0, 0, nullptr, 0.0f), 128);
    EXPECT_EQ(hostCallback(nullptr, audioMasterCurrentId, 0, 0, nullptr, 0.0f), 0);
    char canDo[] = "sendVstEvents";
    EXPECT_EQ(hostCallback(nullptr, audioMasterCanDo, 0, 0, canDo, 0.0f), 0);
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetTime, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(hostCallback(nullptr, 9999, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetVendorString, 0, 0, nullptr, 0.0f), 0);

    char vendor[100];
    std::memset(vendor, 'x', sizeof vendor);
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetVendorString, 0, 0, vendor, 0.0f), 1);
    EXPECT_STREQ(vendor, kHostVendorName);
    EXPECT_EQ(vendor[kVstMaxNameLen + 1], 'x');  // nothing written past name and terminator
    char product[kVstMaxNameLen + 1];
    EXPECT_EQ(hostCallback(nullptr, audioMasterGetProductString, 0, 0, product, 0.0f), 1);
    EXPECT_STREQ(product, kHostProductName);

    EXPECT_NE(
        log.str().find("host call: audioMasterGetSampleRate (16) index=0 value=0 opt=0 -> 96000"),
        std::string::npos);
    EXPECT_NE(log.str().find("\"sendVstEvents\""), std::string::npos);
    configureHostCallback({});
}

TEST(HostCallback, SizeWindowResizesTheOpenEditorWithinLimits) {
    const auto askSize = [](int32 width, intptr height) {
        return hostCallback(nullptr, audioMasterSizeWindow, width, height, nullptr, 0.0f);
    };
    char sizeWindow[] = "sizeWindow";
    EXPECT_EQ(hostCallback(nullptr, audioMasterCanDo, 0, 0, sizeWindow, 0.0f), 1);
    std::vector<std::pair<int, int>> sizes;
    {
        EditorResizeHandler handler([&sizes](int width, int height) {
            sizes.emplace_back(width, height);
            return width != 400;  // the window refuses this one
        });
        EXPECT_EQ(askSize(300, 100), 1);
        EXPECT_EQ(askSize(8192, 8192), 1);
        EXPECT_EQ(askSize(400, 50), 0);
        EXPECT_EQ(askSize(0, 100), 0);
        EXPECT_EQ(askSize(300, -1), 0);
        EXPECT_EQ(askSize(8193, 100), 0);
    }
    EXPECT_EQ(askSize(300, 100), 0);  // no editor open
    EXPECT_EQ(sizes, (std::vector<std::pair<int, int>>{{300, 100}, {8192, 8192}, {400, 50}}));
}

TEST(OpcodeNames, NameTheOpcodesTheyStandFor) {
    EXPECT_STREQ(effectOpcodeName(effOpen), "effOpen");
    EXPECT_STREQ(effectOpcodeName(effGetPlugCategory), "effGetPlugCategory");
    EXPECT_STREQ(effectOpcodeName(effGetVstVersion), "effGetVstVersion");
    EXPECT_STREQ(effectOpcodeName(effGetNumMidiOutputChannels), "effGetNumMidiOutputChannels");
    EXPECT_STREQ(effectOpcodeName(-1), "unknown");
    EXPECT_STREQ(effectOpcodeName(effGetNumMidiOutputChannels + 1), "unknown");
    EXPECT_STREQ(hostOpcodeName(audioMasterGetProductString), "audioMasterGetProductString");
    EXPECT_STREQ(hostOpcodeName(5), "unknown");
}

}  // namespace
