#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "LoadedPlugin.h"

namespace {

class PluginDllTest : public ::testing::Test {
  protected:
    void SetUp() override {
        host.answer(audioMasterVersion, kHostVersion);
        ASSERT_TRUE(plugin.loaded()) << "Talon5800.dll must sit beside the test program";
    }
    FakeHost host;
    LoadedPlugin plugin;
};

}  // namespace

TEST_F(PluginDllTest, ExportsTheEntryUnderBothNames) {
    EXPECT_NE(plugin.entry("VSTPluginMain"), nullptr);
    EXPECT_EQ(plugin.entry("main"), plugin.entry("VSTPluginMain"));
    EXPECT_EQ(plugin.entry("_VSTPluginMain"), nullptr);
}

TEST_F(PluginDllTest, EntryAsksForTheHostVersionOnceBeforeCreating) {
    AEffect* effect = plugin.create();
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].effect, nullptr);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterVersion);
    EXPECT_EQ(host.calls()[0].index, 0);
    EXPECT_EQ(host.calls()[0].value, 0);
    EXPECT_EQ(host.calls()[0].ptr, nullptr);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST_F(PluginDllTest, HostAnsweringVersionZeroGetsNoEffect) {
    host.answer(audioMasterVersion, 0);
    EXPECT_EQ(plugin.create(), nullptr);
    EXPECT_EQ(plugin.entry("VSTPluginMain")(nullptr), nullptr);
}

TEST_F(PluginDllTest, HostSeesTheEffectAsDeclared) {
    AEffect* effect = plugin.create();
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->magic, kEffectMagic);
    EXPECT_EQ(effect->numPrograms, 16);
    EXPECT_EQ(effect->numParams, 2);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->flags, effFlagsHasEditor | effFlagsCanReplacing | effFlagsCanDoubleReplacing);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->getParameter(effect, 0), 0.5f);
    EXPECT_EQ(effect->getParameter(effect, 1), 0.5f);
    EXPECT_EQ(dispatch(effect, effIdentify), 0x4E764566);
    char text[64] = {};
    dispatch(effect, effGetEffectName, 0, 0, text);
    EXPECT_STREQ(text, "Talon 5800");
    // The panel's size is known before any window exists: some hosts size their window first.
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 80);
    EXPECT_EQ(rect->right, 752);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST_F(PluginDllTest, HostLifecycleProcessesAndCloses) {
    AEffect* effect = plugin.create();
    ASSERT_NE(effect, nullptr);
    dispatch(effect, effOpen);
    dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    dispatch(effect, effSetBlockSize, 0, 64);
    dispatch(effect, effMainsChanged, 0, 1);
    effect->setParameter(effect, 0, 1.0f);
    float left[64], right[64], outLeft[64], outRight[64];
    for (int i = 0; i < 64; ++i) {
        left[i] = 0.5f;
        right[i] = 0.5f;
    }
    float* inputs[2] = {left, right};
    float* outputs[2] = {outLeft, outRight};
    effect->processReplacing(effect, inputs, outputs, 64);
    EXPECT_FLOAT_EQ(outLeft[63], 0.25f);
    double dl[4] = {0.5, 0.5, 0.5, 0.5}, dr[4] = {0.5, 0.5, 0.5, 0.5}, dol[4], dor[4];
    double* dIn[2] = {dl, dr};
    double* dOut[2] = {dol, dor};
    effect->processDoubleReplacing(effect, dIn, dOut, 4);
    EXPECT_DOUBLE_EQ(dor[3], 0.75);
    dispatch(effect, effMainsChanged, 0, 0);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}

TEST_F(PluginDllTest, ProgramsAndTheirNamesThroughTheDispatcher) {
    AEffect* effect = plugin.create();
    ASSERT_NE(effect, nullptr);
    dispatch(effect, effSetProgram, 0, 7);
    effect->setParameter(effect, 1, 0.25f);
    char name[] = "Room";
    dispatch(effect, effSetProgramName, 0, 0, name);
    char display[64] = {};
    dispatch(effect, effGetParamDisplay, 1, 0, display);
    EXPECT_STREQ(display, "-6.0");
    dispatch(effect, effSetProgram, 0, 0);
    EXPECT_EQ(effect->getParameter(effect, 1), 0.5f);
    char text[64] = {};
    EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 7, 0, text), 1);
    EXPECT_STREQ(text, "Room");
    dispatch(effect, effSetProgram, 0, 7);
    EXPECT_EQ(effect->getParameter(effect, 1), 0.25f);
    EXPECT_EQ(dispatch(effect, effClose), 1);
}
