// The record the host reads after construction, its entry points and the flag setters.
#include <algorithm>
#include <iterator>

#include "HostFakes.h"

using EffectRecordTest = HostLayerTest;

TEST_F(EffectRecordTest, HoldsTheConstructorCountsAndNeutralDefaults) {
    const AEffect& record = *effect.getAeffect();
    EXPECT_EQ(record.magic, 0x56737450);
    EXPECT_EQ(record.numPrograms, 4);
    EXPECT_EQ(record.numParams, 3);
    EXPECT_EQ(record.numInputs, 1);
    EXPECT_EQ(record.numOutputs, 2);
    EXPECT_EQ(record.flags, 0x10);
    EXPECT_EQ(record.ioRatio, 1.0f);
    EXPECT_EQ(record.object, static_cast<void*>(static_cast<AudioEffect*>(&effect)));
    EXPECT_EQ(record.user, nullptr);
    EXPECT_EQ(record.uniqueID, 0x4E6F4566);
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.initialDelay, 0);
    EXPECT_EQ(record.realQualities, 0);
    EXPECT_EQ(record.offQualities, 0);
    EXPECT_EQ(record.resvd1, 0);
    EXPECT_EQ(record.resvd2, 0);
    EXPECT_TRUE(std::all_of(std::begin(record.future), std::end(record.future),
                            [](char byte) { return byte == 0; }));
}

TEST_F(EffectRecordTest, EveryEntryPointReachesTheObject) {
    AEffect* record = effect.getAeffect();
    float* floats[2] = {};
    double* doubles[2] = {};
    record->process(record, floats, floats, 11);
    record->processReplacing(record, floats, floats, 12);
    record->processDoubleReplacing(record, doubles, doubles, 13);
    EXPECT_EQ(log.processedFrames, (std::vector<int32>{11, 12, 13}));

    record->setParameter(record, 1, 0.75f);
    EXPECT_EQ(record->getParameter(record, 1), 0.75f);
    EXPECT_EQ(record->dispatcher(record, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
}

namespace {

struct FlagSetter {
    const char* name;
    void (*set)(TestEffect& effect, bool state);
    int32 bit;
};

const FlagSetter kFlagSetters[] = {
    {"hasClip", [](TestEffect& e, bool on) { e.hasClip(on); }, 0x2},
    {"hasVu", [](TestEffect& e, bool on) { e.hasVu(on); }, 0x4},
    {"canMono", [](TestEffect& e, bool on) { e.canMono(on); }, 0x8},
    {"canProcessReplacing", [](TestEffect& e, bool on) { e.canProcessReplacing(on); }, 0x10},
    {"programsAreChunks", [](TestEffect& e, bool on) { e.programsAreChunks(on); }, 0x20},
    {"isSynth", [](TestEffect& e, bool on) { e.isSynth(on); }, 0x100},
    {"noTail", [](TestEffect& e, bool on) { e.noTail(on); }, 0x200},
    {"wantAsyncOperation", [](TestEffect& e, bool on) { e.wantAsyncOperation(on); }, 0x400},
    {"hasExternalBuffer", [](TestEffect& e, bool on) { e.hasExternalBuffer(on); }, 0x800},
    {"canDoubleReplacing", [](TestEffect& e, bool on) { e.canDoubleReplacing(on); }, 0x1000},
};

}  // namespace

TEST_F(EffectRecordTest, EachFlagSetterSetsAndClearsExactlyItsBit) {
    AEffect& record = *effect.getAeffect();
    for (const FlagSetter& setter : kFlagSetters) {
        SCOPED_TRACE(setter.name);
        record.flags = 0;
        setter.set(effect, true);
        EXPECT_EQ(record.flags, setter.bit);
        setter.set(effect, true);
        EXPECT_EQ(record.flags, setter.bit);
        record.flags = -1;
        setter.set(effect, false);
        EXPECT_EQ(record.flags, ~setter.bit);
    }
}

TEST_F(EffectRecordTest, SetEditorRaisesTheEditorBitOnlyForAnEditor) {
    AEffect& record = *effect.getAeffect();
    FakeEditor editor(&effect);
    effect.setEditor(&editor);
    EXPECT_EQ(record.flags, 0x11);
    EXPECT_EQ(effect.getEditor(), &editor);
    effect.setEditor(nullptr);
    EXPECT_EQ(record.flags, 0x10);
    EXPECT_EQ(effect.getEditor(), nullptr);
}
