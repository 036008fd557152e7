#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>

#include "effect/PluginCore.h"
#include "host/AEffEditor.h"
#include "support/RecordingHost.h"

namespace {

class PluginCoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.answer(audioMasterVersion, kHostVersion);
        core = std::make_unique<PluginCore>(FakeHost::callback);
    }
    intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                    float opt = 0.0f) {
        AEffect* record = core->getAeffect();
        return record->dispatcher(record, opcode, index, value, ptr, opt);
    }
    std::string textOf(int32 opcode, int32 index = 0) {
        char text[64];
        std::memset(text, 0x7F, sizeof(text));
        dispatch(opcode, index, 0, text);
        return std::string(text, strnlen(text, sizeof(text)));
    }
    FakeHost host;
    std::unique_ptr<PluginCore> core;
};

// Editor double that answers the host's wheel message.
class WheelEditor : public AEffEditor {
  public:
    explicit WheelEditor(AudioEffect* effect) : AEffEditor(effect) {}
    bool onWheel(float distance) override {
        lastDistance = distance;
        return answer;
    }
    bool answer = true;
    float lastDistance = 0.0f;
};

}  // namespace

TEST_F(PluginCoreTest, RecordShowsTheEffectIdentity) {
    const AEffect* record = core->getAeffect();
    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_EQ(record->numPrograms, 16);
    EXPECT_EQ(record->numParams, 2);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
#if defined(TALON_NO_EDITOR)
    EXPECT_EQ(record->flags, 0x1010);  // no panel in this build: no editor flag
#else
    EXPECT_EQ(record->flags, 0x1011);
#endif
    EXPECT_EQ(record->initialDelay, 0);
    EXPECT_EQ(record->version, 1);
    EXPECT_FLOAT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->uniqueID, kTalonUniqueId);
    for (int shift = 0; shift < 32; shift += 8) {
        const int character = (record->uniqueID >> shift) & 0xFF;
        EXPECT_TRUE(character >= 0x20 && character < 0x7F) << "byte " << shift / 8;
    }
}

TEST_F(PluginCoreTest, StartsOnProgramZeroWithBothParametersAtHalf) {
    EXPECT_EQ(dispatch(effGetProgram), 0);
    EXPECT_FLOAT_EQ(core->getParameter(kParamExpansion), 0.5f);
    EXPECT_FLOAT_EQ(core->getParameter(kParamOutput), 0.5f);
    EXPECT_FLOAT_EQ(core->getSampleRate(), 44100.0f);
    EXPECT_EQ(core->getBlockSize(), 1024);
    EXPECT_TRUE(host.calls().empty()) << "construction must not call the host";
}

TEST_F(PluginCoreTest, IdentityTextsHaveExactLengths) {
    char text[32];
    std::memset(text, 0x7F, sizeof(text));
    EXPECT_EQ(dispatch(effGetEffectName, 0, 0, text), 1);
    EXPECT_STREQ(text, "Talon 5800");
    EXPECT_EQ(text[11], 0x7F);
    std::memset(text, 0x7F, sizeof(text));
    EXPECT_EQ(dispatch(effGetProductString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Talon 5800");
    EXPECT_EQ(text[11], 0x7F);
    std::memset(text, 0x7F, sizeof(text));
    EXPECT_EQ(dispatch(effGetVendorString, 0, 0, text), 1);
    EXPECT_STREQ(text, "Mirevox");
    EXPECT_EQ(text[8], 0x7F);
    EXPECT_EQ(dispatch(effGetVendorVersion), 1000);
    EXPECT_EQ(dispatch(effGetPlugCategory), 5);
    EXPECT_EQ(dispatch(effGetVstVersion), 2400);
}

TEST_F(PluginCoreTest, AnswersNoCapability) {
    char midi[] = "receiveVstMidiEvent";
    char bypass[] = "bypass";
    EXPECT_EQ(dispatch(effCanDo, 0, 0, midi), 0);
    EXPECT_EQ(dispatch(effCanDo, 0, 0, bypass), 0);
    EXPECT_EQ(dispatch(effCanDo, 0, 0, nullptr), 0);
}

TEST_F(PluginCoreTest, ResumingMakesNoHostCall) {
    dispatch(effMainsChanged, 0, 1);
    dispatch(effMainsChanged, 0, 0);
    EXPECT_TRUE(host.calls().empty());
}

TEST_F(PluginCoreTest, ParameterNamesLabelsAndDisplays) {
    EXPECT_EQ(textOf(effGetParamName, 0), "StEx");
    EXPECT_EQ(textOf(effGetParamName, 1), "Output");
    EXPECT_EQ(textOf(effGetParamLabel, 0), "");
    EXPECT_EQ(textOf(effGetParamLabel, 7), "");
    EXPECT_EQ(textOf(effGetParamDisplay, 0), "50");
    EXPECT_EQ(textOf(effGetParamDisplay, 1), "0.0");
    core->setParameter(kParamOutput, 0.0f);
    EXPECT_EQ(textOf(effGetParamDisplay, 1), "-oo");
}

TEST_F(PluginCoreTest, UnknownParameterIndexesLeaveEverythingUntouched) {
    core->setParameter(5, 0.3f);
    core->setParameter(-1, 0.3f);
    EXPECT_FLOAT_EQ(core->getParameter(kParamExpansion), 0.5f);
    EXPECT_FLOAT_EQ(core->getParameter(kParamOutput), 0.5f);
    EXPECT_FLOAT_EQ(core->getParameter(5), 0.0f);
    char text[16];
    std::memset(text, 0x7F, sizeof(text));
    dispatch(effGetParamName, 2, 0, text);
    dispatch(effGetParamDisplay, -3, 0, text);
    EXPECT_EQ(text[0], 0x7F);
}

TEST_F(PluginCoreTest, ParameterChangesAreStoredInTheCurrentProgram) {
    dispatch(effSetProgram, 0, 3);
    core->setParameter(kParamExpansion, 0.8f);
    dispatch(effSetProgram, 0, 4);
    EXPECT_FLOAT_EQ(core->getParameter(kParamExpansion), 0.5f);
    dispatch(effSetProgram, 0, 3);
    EXPECT_FLOAT_EQ(core->getParameter(kParamExpansion), 0.8f);
    EXPECT_FLOAT_EQ(core->getParameter(kParamOutput), 0.5f);
}

TEST_F(PluginCoreTest, ProgramNumbersOutsideTheBankAreDropped) {
    dispatch(effSetProgram, 0, 2);
    dispatch(effSetProgram, 0, 16);
    dispatch(effSetProgram, 0, -1);
    dispatch(effSetProgram, 0, std::numeric_limits<int32>::min());
    EXPECT_EQ(dispatch(effGetProgram), 2);
    core->setProgram(99);
    core->setProgram(-5);
    EXPECT_EQ(core->getProgram(), 2);
}

TEST_F(PluginCoreTest, ProgramNamesAreBoundedToTwentyThreeCharacters) {
    EXPECT_EQ(textOf(effGetProgramName), "Default");
    char longName[] = "A name far longer than any host allows for a program";
    dispatch(effSetProgramName, 0, 0, longName);
    EXPECT_EQ(textOf(effGetProgramName), std::string(longName, 23));
    dispatch(effSetProgramName, 0, 0, nullptr);
    EXPECT_EQ(textOf(effGetProgramName), std::string(longName, 23));
}

TEST_F(PluginCoreTest, IndexedProgramNames) {
    dispatch(effSetProgram, 0, 15);
    char name[] = "Wide";
    dispatch(effSetProgramName, 0, 0, name);
    char text[32];
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 15, 7, text), 1);
    EXPECT_STREQ(text, "Wide");
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 0, 0, text), 1);
    EXPECT_STREQ(text, "Default");
    std::memset(text, 0x7F, sizeof(text));
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, 16, 0, text), 0);
    EXPECT_EQ(dispatch(effGetProgramNameIndexed, -1, 0, text), 0);
    EXPECT_EQ(text[0], 0x7F);
}

TEST_F(PluginCoreTest, ParameterValuesAreKeptWithinZeroToOne) {
    core->setParameter(kParamExpansion, 1.7f);
    EXPECT_FLOAT_EQ(core->getParameter(kParamExpansion), 1.0f);
    core->setParameter(kParamOutput, -std::numeric_limits<float>::infinity());
    EXPECT_FLOAT_EQ(core->getParameter(kParamOutput), 0.0f);
    core->setParameter(kParamOutput, 0.3f);
    core->setParameter(kParamOutput, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(core->getParameter(kParamOutput), 0.3f);
    // The stored program follows the live value.
    dispatch(effSetProgram, 0, 1);
    dispatch(effSetProgram, 0, 0);
    EXPECT_FLOAT_EQ(core->getParameter(kParamOutput), 0.3f);
    EXPECT_FLOAT_EQ(core->getParameter(kParamExpansion), 1.0f);
}

TEST_F(PluginCoreTest, AutomationFromTheEditorTellsTheHostAfterStoring) {
    core->setParameterAutomated(kParamOutput, 0.25f);
    EXPECT_FLOAT_EQ(core->getParameter(kParamOutput), 0.25f);
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterAutomate);
    EXPECT_EQ(host.calls()[0].index, kParamOutput);
    EXPECT_FLOAT_EQ(host.calls()[0].opt, 0.25f);
    EXPECT_EQ(host.calls()[0].effect, core->getAeffect());
}

TEST_F(PluginCoreTest, AutomationTellsTheHostTheValueStoredNotTheOneHandedIn) {
    core->setParameter(kParamOutput, 0.3f);
    core->setParameterAutomated(kParamOutput, std::numeric_limits<float>::quiet_NaN());
    core->setParameterAutomated(kParamExpansion, 1.7f);
    ASSERT_EQ(host.calls().size(), 2u);
    EXPECT_FLOAT_EQ(host.calls()[0].opt, 0.3f);
    EXPECT_FLOAT_EQ(host.calls()[1].opt, 1.0f);
}

TEST_F(PluginCoreTest, WheelMessageNeedsAnEditorAndBothCodes) {
    EXPECT_EQ(dispatch(effVendorSpecific, kWheelIndex, kWheelValue, nullptr, 1.0f), 0);
    auto* editor = new WheelEditor(core.get());
    core->setEditor(editor);
    EXPECT_EQ(core->getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(dispatch(effVendorSpecific, kWheelIndex, kWheelValue, nullptr, -1.0f), 1);
    EXPECT_FLOAT_EQ(editor->lastDistance, -1.0f);
    editor->answer = false;
    EXPECT_EQ(dispatch(effVendorSpecific, kWheelIndex, kWheelValue, nullptr, 1.0f), 0);
    editor->answer = true;
    EXPECT_EQ(dispatch(effVendorSpecific, kWheelIndex, 0, nullptr, 1.0f), 0);
    EXPECT_EQ(dispatch(effVendorSpecific, 0, kWheelValue, nullptr, 1.0f), 0);
    EXPECT_EQ(kWheelIndex, 0x73744341);
    EXPECT_EQ(kWheelValue, 0x57686565);
}

TEST_F(PluginCoreTest, KeepsNoChunk) {
    void* data = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(dispatch(effGetChunk, 0, 0, &data), 0);
    EXPECT_EQ(dispatch(effSetChunk, 0, 16, &data), 0);
    EXPECT_EQ(core->getAeffect()->flags & effFlagsProgramChunks, 0);
}
