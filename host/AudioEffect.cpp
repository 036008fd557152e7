#include "host/AudioEffect.h"

#include <cstring>

#include "host/AEffEditor.h"
#include "host/BoundedText.h"

namespace {

constexpr float kDefaultSampleRate = 44100.0f;
constexpr int32 kDefaultBlockSize = 1024;
constexpr int32 kRecordVersion = 1;
constexpr int32 kDefaultInputs = 1;
constexpr int32 kDefaultOutputs = 2;

// The record's entry points: each finds the object behind the record and forwards to it.

intptr VSTCALLBACK dispatchEntry(AEffect* effect, int32 opcode, int32 index, intptr value,
                                 void* ptr, float opt) {
    AudioEffect* object = effectOfRecord(effect);
    if (!object) return 0;
    const intptr result = object->dispatcher(opcode, index, value, ptr, opt);
    if (opcode == effClose) {
        delete object;
        return 1;
    }
    return result;
}

void VSTCALLBACK processEntry(AEffect* effect, float** inputs, float** outputs, int32 frames) {
    if (AudioEffect* object = effectOfRecord(effect)) object->process(inputs, outputs, frames);
}

void VSTCALLBACK setParameterEntry(AEffect* effect, int32 index, float value) {
    if (AudioEffect* object = effectOfRecord(effect)) object->setParameter(index, value);
}

float VSTCALLBACK getParameterEntry(AEffect* effect, int32 index) {
    AudioEffect* object = effectOfRecord(effect);
    return object ? object->getParameter(index) : 0.0f;
}

void VSTCALLBACK processReplacingEntry(AEffect* effect, float** inputs, float** outputs,
                                       int32 frames) {
    if (AudioEffect* object = effectOfRecord(effect))
        object->processReplacing(inputs, outputs, frames);
}

void VSTCALLBACK processDoubleReplacingEntry(AEffect* effect, double** inputs, double** outputs,
                                             int32 frames) {
    if (AudioEffect* object = effectOfRecord(effect))
        object->processDoubleReplacing(inputs, outputs, frames);
}

}  // namespace

AudioEffect* effectOfRecord(AEffect* effect) {
    return effect ? static_cast<AudioEffect*>(effect->object) : nullptr;
}

AudioEffect::AudioEffect(audioMasterCallback audioMaster, int32 numPrograms, int32 numParams)
    : audioMaster(audioMaster),
      editor(nullptr),
      sampleRate(kDefaultSampleRate),
      blockSize(kDefaultBlockSize),
      numPrograms(numPrograms),
      numParams(numParams),
      curProgram(0),
      cEffect() {
    fillRecord();
}

AudioEffect::~AudioEffect() { delete editor; }

void AudioEffect::fillRecord() {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = dispatchEntry;
    cEffect.process = processEntry;
    cEffect.setParameter = setParameterEntry;
    cEffect.getParameter = getParameterEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = kDefaultInputs;
    cEffect.numOutputs = kDefaultOutputs;
    cEffect.flags = effFlagsCanReplacing;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = kNoEffectId;
    cEffect.version = kRecordVersion;
    cEffect.processReplacing = processReplacingEntry;
    cEffect.processDoubleReplacing = processDoubleReplacingEntry;
}

void AudioEffect::setEditor(AEffEditor* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void AudioEffect::setFlag(int32 flag, bool state) {
    if (state)
        cEffect.flags |= flag;
    else
        cEffect.flags &= ~flag;
}

intptr AudioEffect::callHost(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    return audioMaster ? audioMaster(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void AudioEffect::processDoubleReplacing(double**, double**, int32) {}
void AudioEffect::process(float**, float**, int32) {}
void AudioEffect::setParameter(int32, float) {}
float AudioEffect::getParameter(int32) { return 0.0f; }

// The host records what the effect stored, which stays within the parameter's bounds whatever
// value came in.
void AudioEffect::setParameterAutomated(int32 index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, getParameter(index));
}

void AudioEffect::setProgramName(char*) {}
void AudioEffect::getProgramName(char* name) { writeText(name, ""); }
void AudioEffect::getParameterLabel(int32, char* label) { writeText(label, ""); }
void AudioEffect::getParameterDisplay(int32, char* text) { writeText(text, ""); }
void AudioEffect::getParameterName(int32, char* text) { writeText(text, ""); }
int32 AudioEffect::getChunk(void**, bool) { return 0; }
int32 AudioEffect::setChunk(void*, int32, bool) { return 0; }

int32 AudioEffect::getMasterVersion() {
    const auto version = static_cast<int32>(callHost(audioMasterVersion));
    return version != 0 ? version : 1;
}

int32 AudioEffect::getCurrentUniqueId() {
    return static_cast<int32>(callHost(audioMasterCurrentId));
}

void AudioEffect::masterIdle() { callHost(audioMasterIdle); }

// The host answers 0 for a connected pin.
bool AudioEffect::isInputConnected(int32 input) {
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool AudioEffect::isOutputConnected(int32 output) {
    return callHost(audioMasterPinConnected, output, 1) == 0;
}
