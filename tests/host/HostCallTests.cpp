// The typed calls from the effect into the host.
#include <functional>

#include "HostFakes.h"

namespace {

// Addresses to pass where the interface takes a record this layer does not read.
char markerA;
char markerB;
template <typename Record>
Record* recordA() {
    return reinterpret_cast<Record*>(&markerA);
}

intptr asInt(const void* pointer) { return reinterpret_cast<intptr>(pointer); }

using E = TestEffect;

struct HostCallCase {
    std::function<intptr(E&)> call;  // the wrapper's result as an integer
    int32 opcode;
    int32 index = 0;
    intptr value = 0;
    void* ptr = nullptr;
    float opt = 0.0f;
    intptr withoutHost = 0;  // the result when the effect has no host callback
};

std::vector<HostCallCase> hostCallCases() {
    char* text = &markerB;
    void* a = &markerA;
    return {
        {[](E& e) { return e.setParameterAutomated(1, 0.25f), 0; }, audioMasterAutomate, 1, 0,
         nullptr, 0.25f},
        {[](E& e) { return e.getMasterVersion(); }, audioMasterVersion, 0, 0, nullptr, 0, 1},
        {[](E& e) { return e.getCurrentUniqueId(); }, audioMasterCurrentId},
        {[](E& e) { return e.masterIdle(), 0; }, audioMasterIdle},
        {[](E& e) { return e.isInputConnected(2); }, audioMasterPinConnected, 2, 0, nullptr, 0, 1},
        {[](E& e) { return e.isOutputConnected(2); }, audioMasterPinConnected, 2, 1, nullptr, 0, 1},
        {[](E& e) { return e.wantEvents(1); }, audioMasterWantMidi, 0, 1},
        {[](E& e) { return asInt(e.getTimeInfo(0x200)); }, audioMasterGetTime, 0, 0x200},
        {[](E& e) { return e.sendVstEventsToHost(recordA<VstEvents>()); }, audioMasterProcessEvents,
         0, 0, a},
        {[](E& e) { return e.tempoAt(4410); }, audioMasterTempoAt, 0, 4410},
        {[](E& e) { return e.getNumAutomatableParameters(); },
         audioMasterGetNumAutomatableParameters},
        {[](E& e) { return e.getParameterQuantization(); }, audioMasterGetParameterQuantization},
        {[](E& e) { return e.ioChanged(); }, audioMasterIOChanged},
        {[](E& e) { return e.needIdle(); }, audioMasterNeedIdle},
        {[](E& e) { return e.sizeWindow(640, 480); }, audioMasterSizeWindow, 640, 480},
        {[](E& e) { return static_cast<intptr>(e.updateSampleRate()); }, audioMasterGetSampleRate,
         0, 0, nullptr, 0, 44100},
        {[](E& e) { return e.updateBlockSize(); }, audioMasterGetBlockSize, 0, 0, nullptr, 0, 1024},
        {[](E& e) { return e.getInputLatency(); }, audioMasterGetInputLatency},
        {[](E& e) { return e.getOutputLatency(); }, audioMasterGetOutputLatency},
        {[](E& e) { return asInt(e.getPreviousPlug(3)); }, audioMasterGetPreviousPlug},
        {[](E& e) { return asInt(e.getNextPlug(3)); }, audioMasterGetNextPlug},
        {[](E& e) { return e.willProcessReplacing(); }, audioMasterWillReplaceOrAccumulate},
        {[](E& e) { return e.getCurrentProcessLevel(); }, audioMasterGetCurrentProcessLevel},
        {[](E& e) { return e.getAutomationState(); }, audioMasterGetAutomationState},
        {[](E& e) { return e.offlineStart(recordA<VstAudioFile>(), 3, 2); },
         audioMasterOfflineStart, 2, 3, a},
        {[](E& e) { return e.offlineRead(recordA<VstOfflineTask>(), 9, true); },
         audioMasterOfflineRead, 1, 9, a},
        {[](E& e) { return e.offlineRead(recordA<VstOfflineTask>(), 4, false); },
         audioMasterOfflineRead, 0, 4, a},
        {[](E& e) { return e.offlineWrite(recordA<VstOfflineTask>(), 7); }, audioMasterOfflineWrite,
         0, 7, a},
        {[](E& e) { return e.offlineGetCurrentPass(); }, audioMasterOfflineGetCurrentPass},
        {[](E& e) { return e.offlineGetCurrentMetaPass(); }, audioMasterOfflineGetCurrentMetaPass},
        {[](E& e) { return e.setOutputSamplerate(48000.0f), 0; }, audioMasterSetOutputSampleRate, 0,
         0, nullptr, 48000.0f},
        {[](E& e) { return asInt(e.getOutputSpeakerArrangement()); },
         audioMasterGetOutputSpeakerArrangement},
        {[text](E& e) { return e.getHostVendorString(text); }, audioMasterGetVendorString, 0, 0,
         text},
        {[text](E& e) { return e.getHostProductString(text); }, audioMasterGetProductString, 0, 0,
         text},
        {[](E& e) { return e.getHostVendorVersion(); }, audioMasterGetVendorVersion},
        {[a](E& e) { return e.hostVendorSpecific(5, 6, a, 0.5f); }, audioMasterVendorSpecific, 5, 6,
         a, 0.5f},
        {[text](E& e) { return e.canHostDo(text); }, audioMasterCanDo, 0, 0, text},
        {[](E& e) { return e.getHostLanguage(); }, audioMasterGetLanguage},
        {[](E& e) { return asInt(e.openWindow(recordA<VstWindow>())); }, audioMasterOpenWindow, 0,
         0, a},
        {[](E& e) { return e.closeWindow(recordA<VstWindow>()); }, audioMasterCloseWindow, 0, 0, a},
        {[](E& e) { return asInt(e.getDirectory()); }, audioMasterGetDirectory},
        {[](E& e) { return e.updateDisplay(); }, audioMasterUpdateDisplay},
        {[](E& e) { return e.beginEdit(3); }, audioMasterBeginEdit, 3},
        {[](E& e) { return e.endEdit(3); }, audioMasterEndEdit, 3},
        {[](E& e) { return e.openFileSelector(recordA<VstFileSelect>()); },
         audioMasterOpenFileSelector, 0, 0, a},
        {[](E& e) { return e.closeFileSelector(recordA<VstFileSelect>()); },
         audioMasterCloseFileSelector, 0, 0, a},
        {[a](E& e) { return e.getChunkFile(a); }, audioMasterGetChunkFile, 0, 0, a},
        {[](E& e) { return asInt(e.getInputSpeakerArrangement()); },
         audioMasterGetInputSpeakerArrangement},
    };
}

}  // namespace

using HostCallTest = HostLayerTest;

TEST_F(HostCallTest, EachWrapperSendsItsOpcodeAndArgumentsWithTheRecord) {
    for (const HostCallCase& expected : hostCallCases()) {
        SCOPED_TRACE(testing::Message() << "opcode " << expected.opcode);
        host.clear();
        expected.call(effect);
        ASSERT_EQ(host.calls().size(), 1u);
        const HostCall& call = host.calls()[0];
        EXPECT_EQ(call.effect, effect.getAeffect());
        EXPECT_EQ(call.opcode, expected.opcode);
        EXPECT_EQ(call.index, expected.index);
        EXPECT_EQ(call.value, expected.value);
        EXPECT_EQ(call.ptr, expected.ptr);
        EXPECT_EQ(call.opt, expected.opt);
    }
}

TEST(HostCallWithoutHost, EveryWrapperAnswersNeutrally) {
    EffectLog log;
    TestEffect effect(nullptr, log);
    for (const HostCallCase& expected : hostCallCases()) {
        EXPECT_EQ(expected.call(effect), expected.withoutHost) << "opcode " << expected.opcode;
    }
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
}

TEST_F(HostCallTest, MasterVersionIsOneWhenTheHostAnswersZero) {
    EXPECT_EQ(effect.getMasterVersion(), 1);
    host.answer(audioMasterVersion, 2400);
    EXPECT_EQ(effect.getMasterVersion(), 2400);
}

TEST_F(HostCallTest, PinIsConnectedWhenTheHostAnswersZero) {
    EXPECT_TRUE(effect.isInputConnected(0));
    EXPECT_TRUE(effect.isOutputConnected(0));
    host.answer(audioMasterPinConnected, 1);
    EXPECT_FALSE(effect.isInputConnected(0));
    EXPECT_FALSE(effect.isOutputConnected(0));
}

TEST_F(HostCallTest, SetParameterAutomatedSetsTheParameterBeforeTellingTheHost) {
    effect.setParameterAutomated(1, 0.25f);
    EXPECT_EQ(log.hostCallsAtSetParameter, 0u);
    EXPECT_EQ(effect.getParameter(1), 0.25f);
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterAutomate);
}

TEST_F(HostCallTest, UpdateSampleRateAndBlockSizeKeepOnlyPositiveAnswers) {
    host.answer(audioMasterGetSampleRate, 48000);
    host.answer(audioMasterGetBlockSize, 512);
    EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
    EXPECT_EQ(effect.updateBlockSize(), 512);
    for (intptr answer : {0, -1}) {
        host.answer(audioMasterGetSampleRate, answer);
        host.answer(audioMasterGetBlockSize, answer);
        EXPECT_EQ(effect.updateSampleRate(), 48000.0f) << "answer " << answer;
        EXPECT_EQ(effect.updateBlockSize(), 512) << "answer " << answer;
    }
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 512);
}

TEST_F(HostCallTest, SendVstEventsSucceedsOnlyOnAnAnswerOfExactlyOne) {
    auto* events = recordA<VstEvents>();
    host.answer(audioMasterProcessEvents, 1);
    EXPECT_TRUE(effect.sendVstEventsToHost(events));
    host.answer(audioMasterProcessEvents, 2);
    EXPECT_FALSE(effect.sendVstEventsToHost(events));
}

TEST_F(HostCallTest, CanHostDoAnswersZeroOrOne) {
    char capability[] = "sizeWindow";
    EXPECT_EQ(effect.canHostDo(capability), 0);
    host.answer(audioMasterCanDo, 1);
    EXPECT_EQ(effect.canHostDo(capability), 1);
    host.answer(audioMasterCanDo, 5);
    EXPECT_EQ(effect.canHostDo(capability), 1);
}

// A host answers 1 for "can do", -1 for "cannot" and 0 for "does not know".
TEST_F(HostCallTest, CanHostDoReadsMinusOneAsCannot) {
    char capability[] = "sizeWindow";
    host.answer(audioMasterCanDo, -1);
    EXPECT_EQ(effect.canHostDo(capability), 0);
}

TEST_F(HostCallTest, FileCallsWithANullRecordDoNotReachTheHost) {
    host.answer(audioMasterOpenFileSelector, 1);
    host.answer(audioMasterCloseFileSelector, 1);
    host.answer(audioMasterGetChunkFile, 1);
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_FALSE(effect.closeFileSelector(nullptr));
    EXPECT_FALSE(effect.getChunkFile(nullptr));
    EXPECT_TRUE(host.calls().empty());
}

TEST_F(HostCallTest, ResumeAsksForMidiOnlyWhenTheEffectReceivesMidiEvents) {
    effect.canDoAnswer = 2;
    effect.resume();
    EXPECT_EQ(effect.lastCanDo, "receiveVstMidiEvent");
    EXPECT_TRUE(host.calls().empty());

    effect.canDoAnswer = 1;
    effect.resume();
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls()[0].value, 1);
}

TEST_F(HostCallTest, ResumeOfASynthAlwaysAsksForMidi) {
    effect.isSynth(true);
    effect.canDoAnswer = 0;
    effect.resume();
    ASSERT_EQ(host.calls().size(), 1u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterWantMidi);
    EXPECT_EQ(host.calls()[0].value, 1);
}
