// The dispatcher as a host drives it through the record: the base opcodes 0 to 24.
#include "HostFakes.h"

using DispatcherTest = HostLayerTest;

TEST_F(DispatcherTest, SetProgramAcceptsOnlyProgramsOfTheBank) {
    effect.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(effect.dispatch(effGetProgram), 3);
    effect.dispatch(effSetProgram, 0, 4);
    EXPECT_EQ(effect.dispatch(effGetProgram), 3);
    effect.dispatch(effSetProgram, 0, -1);
    EXPECT_EQ(effect.dispatch(effGetProgram), 3);
    if (sizeof(intptr) > sizeof(int32)) {
        // A value whose low 32 bits would name program 1.
        effect.dispatch(effSetProgram, 0, static_cast<intptr>(0x100000001LL));
        EXPECT_EQ(effect.dispatch(effGetProgram), 3);
    }
    effect.dispatch(effSetProgram, 0, 0);
    EXPECT_EQ(effect.dispatch(effGetProgram), 0);
}

TEST_F(DispatcherTest, SampleRateComesFromOptAndBlockSizeFromValue) {
    effect.dispatch(effSetSampleRate, 0, 96000, nullptr, 48000.0f);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    effect.dispatch(effSetBlockSize, 0, 256, nullptr, 99.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
}

TEST_F(DispatcherTest, MainsChangedSuspendsOnZeroAndResumesOtherwise) {
    effect.dispatch(effMainsChanged, 0, 0);
    EXPECT_EQ(log.suspends, 1);
    EXPECT_EQ(log.resumes, 0);
    effect.dispatch(effMainsChanged, 0, 1);
    effect.dispatch(effMainsChanged, 0, 5);
    EXPECT_EQ(log.suspends, 1);
    EXPECT_EQ(log.resumes, 2);
}

TEST_F(DispatcherTest, IdentifyAnswersTheSameWhateverTheArguments) {
    char text[8] = {};
    EXPECT_EQ(effect.dispatch(effIdentify), 0x4E764566);
    EXPECT_EQ(effect.dispatch(effIdentify, 7, -3, text, 2.5f), 0x4E764566);
}

TEST_F(DispatcherTest, CloseThroughTheRecordClosesDeletesAndAnswersOne) {
    EffectLog closing;
    auto* doomed = new TestEffect(FakeHost::callback, closing);
    EXPECT_EQ(doomed->dispatch(effClose), 1);
    EXPECT_TRUE(closing.destroyed);
    EXPECT_EQ(closing.closes, 1);
    EXPECT_EQ(closing.closesAtDestruction, 1);
}

TEST_F(DispatcherTest, EditorOpcodesWithoutAnEditorAnswerZero) {
    ERect* rect = nullptr;
    int window = 0;
    EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, &window), 0);
    EXPECT_EQ(effect.dispatch(effEditClose), 0);
    EXPECT_EQ(effect.dispatch(effEditIdle), 0);
}

TEST_F(DispatcherTest, EditorOpcodesReachTheEditorAndAnswerZeroOrOne) {
    auto* editor = new FakeEditor(&effect);
    effect.setEditor(editor);
    ERect* rect = nullptr;
    int window = 0;
    EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect, &editor->area);
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, &window), 1);
    EXPECT_EQ(editor->openedWith, &window);
    effect.dispatch(effEditIdle);
    effect.dispatch(effEditClose);
    EXPECT_EQ(editor->idles, 1);
    EXPECT_EQ(editor->closes, 1);

    editor->answer = false;
    EXPECT_EQ(effect.dispatch(effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(effect.dispatch(effEditOpen, 0, 0, &window), 0);
}

TEST_F(DispatcherTest, UnknownOpcodesAnswerZero) {
    for (int32 opcode : {effGetNumMidiOutputChannels + 1, 1000, -1}) {
        EXPECT_EQ(effect.dispatch(opcode, 1, 1, nullptr, 1.0f), 0) << "opcode " << opcode;
    }
}
