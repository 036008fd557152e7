// The extended dispatcher: opcodes 25 to 79 as a host sends them through the record.
#include <cmath>
#include <limits>

#include "HostFakes.h"

using ExtendedDispatcherTest = HostLayerTest;

TEST_F(ExtendedDispatcherTest, NeutralQueriesGiveTheInterfaceDefaults) {
    EXPECT_EQ(effect.dispatch(effGetVstVersion), 2400);
    EXPECT_EQ(effect.dispatch(effGetCurrentMidiProgram), -1);
    EXPECT_EQ(effect.dispatch(effGetPlugCategory), 0);
    EXPECT_EQ(effect.dispatch(effSetTotalSampleToProcess, 0, 12345), 12345);
    for (int32 index : {0, 2, 999}) {
        EXPECT_EQ(effect.dispatch(effCanBeAutomated, index), 1) << "index " << index;
    }
}

TEST_F(ExtendedDispatcherTest, PlugCategoryIsSynthAfterIsSynth) {
    effect.isSynth(true);
    EXPECT_EQ(effect.dispatch(effGetPlugCategory), 2);
}

TEST_F(ExtendedDispatcherTest, CanDoPassesTheTextAndReturnsTheAnswerUnchanged) {
    char capability[] = "bypass";
    effect.canDoAnswer = 7;
    EXPECT_EQ(effect.dispatch(effCanDo, 0, 0, capability), 7);
    EXPECT_EQ(effect.lastCanDo, "bypass");
    effect.canDoAnswer = -1;
    EXPECT_EQ(effect.dispatch(effCanDo, 0, 0, capability), -1);
}

TEST_F(ExtendedDispatcherTest, OpcodesWithoutAnEffectSideAnswerZero) {
    char scratch[256] = {};
    const int32 opcodes[] = {effGetNumProgramCategories,
                             effCopyProgram,
                             effConnectInput,
                             effConnectOutput,
                             effGetCurrentPosition,
                             effGetDestinationBuffer,
                             effSetBlockSizeAndSampleRate,
                             effGetErrorText,
                             effIdle,
                             effGetIcon,
                             effSetViewPosition,
                             effKeysRequired};
    for (int32 opcode : opcodes) {
        EXPECT_EQ(effect.dispatch(opcode, 1, 1, scratch, 1.0f), 0) << "opcode " << opcode;
    }
}

TEST_F(ExtendedDispatcherTest, ProgramNameIndexedTakesCategoryFromValueAndIndexFromIndex) {
    char name[32] = {};
    EXPECT_EQ(effect.dispatch(effGetProgramNameIndexed, 5, 2, name), 1);
    EXPECT_EQ(effect.indexed.category, 2);
    EXPECT_EQ(effect.indexed.index, 5);
    EXPECT_EQ(effect.indexed.text, name);
}

TEST_F(ExtendedDispatcherTest, KeyOpcodesHandTheEditorCharacterVirtualKeyAndModifier) {
    auto* editor = new FakeEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.dispatch(effEditKeyDown, 65, 0x1FF, nullptr, 3.9f), 1);
    EXPECT_EQ(effect.dispatch(effEditKeyUp, 97, 0x10D, nullptr, 2.0f), 1);
    ASSERT_EQ(editor->keysDown.size(), 1u);
    ASSERT_EQ(editor->keysUp.size(), 1u);
    EXPECT_EQ(editor->keysDown[0].character, 65);
    EXPECT_EQ(editor->keysDown[0].virt, 0xFF);
    EXPECT_EQ(editor->keysDown[0].modifier, 3);
    EXPECT_EQ(editor->keysUp[0].character, 97);
    EXPECT_EQ(editor->keysUp[0].virt, 0x0D);
    EXPECT_EQ(editor->keysUp[0].modifier, 2);
}

TEST_F(ExtendedDispatcherTest, UnrepresentableModifierReadsAsZero) {
    auto* editor = new FakeEditor(&effect);
    effect.setEditor(editor);
    // Truncated to an integer, 40000 and 1000003 would have non-zero low bytes (0x40, 0x43).
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(), 40000.0f, -40000.0f, 1000003.0f,
                         std::numeric_limits<float>::infinity()};
    for (float opt : odd) effect.dispatch(effEditKeyDown, 65, 0x20, nullptr, opt);
    ASSERT_EQ(editor->keysDown.size(), 5u);
    for (const VstKeyCode& key : editor->keysDown) EXPECT_EQ(key.modifier, 0);
}

TEST_F(ExtendedDispatcherTest, KnobModeReachesTheEditor) {
    auto* editor = new FakeEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->knobMode, 2);
}

TEST_F(ExtendedDispatcherTest, EditorKeyOpcodesWithoutAnEditorAnswerZero) {
    EXPECT_EQ(effect.dispatch(effEditKeyDown, 65, 0x1FF, nullptr, 3.0f), 0);
    EXPECT_EQ(effect.dispatch(effEditKeyUp, 65, 0x1FF, nullptr, 3.0f), 0);
    EXPECT_EQ(effect.dispatch(effSetEditKnobMode, 0, 2), 0);
}

TEST_F(ExtendedDispatcherTest, DefaultSpeakerArrangementIsNoneForBothSides) {
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(
        effect.dispatch(effGetSpeakerArrangement, 0, reinterpret_cast<intptr>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
    EXPECT_EQ(effect.dispatch(effGetSpeakerArrangement, 0, 0, nullptr), 0);
}
