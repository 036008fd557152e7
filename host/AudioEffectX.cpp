#include "host/AudioEffectX.h"

#include <cmath>
#include <cstring>

#include "host/AEffEditor.h"

namespace {
constexpr int32 kVstVersion = 2400;
constexpr float kInt16Limit = 32768.0f;
inline intptr asBool(bool answer) { return answer ? 1 : 0; }
}  // namespace

VstKeyCode keyCodeFromDispatch(int32 index, intptr value, float opt) {
    VstKeyCode key{};
    key.character = index;
    key.virt = static_cast<unsigned char>(value & 0xFF);
    // Out-of-range or NaN modifiers read as 0 instead of an undefined conversion.
    const bool fits = std::isfinite(opt) && opt > -kInt16Limit && opt < kInt16Limit;
    const auto truncated = static_cast<std::int16_t>(fits ? static_cast<int>(opt) : 0);
    key.modifier = static_cast<unsigned char>(truncated & 0xFF);
    return key;
}

intptr AudioEffectX::dispatcher(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effProcessEvents: return processEvents(static_cast<VstEvents*>(ptr));
        case effCanBeAutomated: return asBool(canParameterBeAutomated(index));
        case effString2Parameter: return asBool(string2parameter(index, text));
        case effGetProgramNameIndexed:
            return asBool(getProgramNameIndexed(static_cast<int32>(value), index, text));
        case effGetInputProperties:
            return asBool(getInputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetOutputProperties:
            return asBool(getOutputProperties(index, static_cast<VstPinProperties*>(ptr)));
        case effGetPlugCategory: return getPlugCategory();
        case effOfflineNotify:
            return asBool(offlineNotify(static_cast<VstAudioFile*>(ptr), static_cast<int32>(value),
                                        index != 0));
        case effOfflinePrepare:
            return asBool(
                offlinePrepare(static_cast<VstOfflineTask*>(ptr), static_cast<int32>(value)));
        case effOfflineRun:
            return asBool(offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<int32>(value)));
        case effProcessVarIo: return asBool(processVariableIo(static_cast<VstVariableIo*>(ptr)));
        case effSetSpeakerArrangement:
            return asBool(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                                static_cast<VstSpeakerArrangement*>(ptr)));
        case effSetBypass: return asBool(setBypass(value != 0));
        case effGetEffectName: return asBool(getEffectName(text));
        case effGetVendorString: return asBool(getVendorString(text));
        case effGetProductString: return asBool(getProductString(text));
        case effGetVendorVersion: return getVendorVersion();
        case effVendorSpecific: return vendorSpecific(index, value, ptr, opt);
        case effCanDo: return canDo(text);
        case effGetTailSize: return getGetTailSize();
        case effGetParameterProperties:
            return asBool(getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)));
        case effGetVstVersion: return getVstVersion();
        case effEditKeyDown:
        case effEditKeyUp:
        case effSetEditKnobMode: return dispatchEditorKeys(opcode, index, value, opt);
        case effGetMidiProgramName:
            return getMidiProgramName(index, static_cast<MidiProgramName*>(ptr));
        case effGetCurrentMidiProgram:
            return getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr));
        case effGetMidiProgramCategory:
            return getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr));
        case effHasMidiProgramsChanged: return asBool(hasMidiProgramsChanged(index));
        case effGetMidiKeyName:
            return asBool(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr)));
        case effBeginSetProgram: return asBool(beginSetProgram());
        case effEndSetProgram: return asBool(endSetProgram());
        case effGetSpeakerArrangement:
            return asBool(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                                static_cast<VstSpeakerArrangement**>(ptr)));
        case effShellGetNextPlugin: return getNextShellPlugin(text);
        case effStartProcess: return startProcess();
        case effStopProcess: return stopProcess();
        case effSetTotalSampleToProcess: return setTotalSampleToProcess(static_cast<int32>(value));
        case effSetPanLaw: return asBool(setPanLaw(static_cast<int32>(value), opt));
        case effBeginLoadBank: return beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr));
        case effBeginLoadProgram: return beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr));
        case effSetProcessPrecision: return asBool(setProcessPrecision(static_cast<int32>(value)));
        case effGetNumMidiInputChannels: return getNumMidiInputChannels();
        case effGetNumMidiOutputChannels: return getNumMidiOutputChannels();
        default: return AudioEffect::dispatcher(opcode, index, value, ptr, opt);
    }
}

intptr AudioEffectX::dispatchEditorKeys(int32 opcode, int32 index, intptr value, float opt) {
    if (!editor) return 0;
    if (opcode == effSetEditKnobMode) return asBool(editor->setKnobMode(static_cast<int32>(value)));
    VstKeyCode key = keyCodeFromDispatch(index, value, opt);
    return asBool(opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key));
}

void AudioEffectX::resume() {
    if (cEffect.flags & effFlagsIsSynth) {
        wantEvents(1);
        return;
    }
    char capability[32];
    std::strcpy(capability, EffectCanDo::receiveVstMidiEvent);
    if (canDo(capability) == 1) wantEvents(1);
}

// Neutral defaults of the queries an effect may override.
bool AudioEffectX::canParameterBeAutomated(int32) { return true; }
bool AudioEffectX::string2parameter(int32, char*) { return false; }
bool AudioEffectX::getParameterProperties(int32, VstParameterProperties*) { return false; }
bool AudioEffectX::getProgramNameIndexed(int32, int32, char*) { return false; }
bool AudioEffectX::beginSetProgram() { return false; }
bool AudioEffectX::endSetProgram() { return false; }
int32 AudioEffectX::beginLoadBank(VstPatchChunkInfo*) { return 0; }
int32 AudioEffectX::beginLoadProgram(VstPatchChunkInfo*) { return 0; }
bool AudioEffectX::getInputProperties(int32, VstPinProperties*) { return false; }
bool AudioEffectX::getOutputProperties(int32, VstPinProperties*) { return false; }
bool AudioEffectX::setSpeakerArrangement(VstSpeakerArrangement*, VstSpeakerArrangement*) {
    return false;
}
bool AudioEffectX::getSpeakerArrangement(VstSpeakerArrangement** input,
                                         VstSpeakerArrangement** output) {
    if (input) *input = nullptr;
    if (output) *output = nullptr;
    return false;
}
bool AudioEffectX::setBypass(bool) { return false; }
bool AudioEffectX::setPanLaw(int32, float) { return false; }
bool AudioEffectX::setProcessPrecision(int32) { return false; }
int32 AudioEffectX::getNumMidiInputChannels() { return 0; }
int32 AudioEffectX::getNumMidiOutputChannels() { return 0; }
int32 AudioEffectX::processEvents(VstEvents*) { return 0; }
int32 AudioEffectX::startProcess() { return 0; }
int32 AudioEffectX::stopProcess() { return 0; }
bool AudioEffectX::processVariableIo(VstVariableIo*) { return false; }
int32 AudioEffectX::setTotalSampleToProcess(int32 value) { return value; }
void AudioEffectX::isSynth(bool state) { setFlag(effFlagsIsSynth, state); }
void AudioEffectX::noTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
int32 AudioEffectX::getGetTailSize() { return 0; }
bool AudioEffectX::getEffectName(char*) { return false; }
bool AudioEffectX::getVendorString(char*) { return false; }
bool AudioEffectX::getProductString(char*) { return false; }
int32 AudioEffectX::getVendorVersion() { return 0; }
intptr AudioEffectX::vendorSpecific(int32, intptr, void*, float) { return 0; }
intptr AudioEffectX::canDo(char*) { return 0; }
int32 AudioEffectX::getVstVersion() { return kVstVersion; }
int32 AudioEffectX::getPlugCategory() {
    return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
}
int32 AudioEffectX::getMidiProgramName(int32, MidiProgramName*) { return 0; }
int32 AudioEffectX::getCurrentMidiProgram(int32, MidiProgramName*) { return -1; }
int32 AudioEffectX::getMidiProgramCategory(int32, MidiProgramCategory*) { return 0; }
bool AudioEffectX::hasMidiProgramsChanged(int32) { return false; }
bool AudioEffectX::getMidiKeyName(int32, MidiKeyName*) { return false; }
int32 AudioEffectX::getNextShellPlugin(char*) { return 0; }
bool AudioEffectX::offlineNotify(VstAudioFile*, int32, bool) { return false; }
bool AudioEffectX::offlinePrepare(VstOfflineTask*, int32) { return false; }
bool AudioEffectX::offlineRun(VstOfflineTask*, int32) { return false; }
int32 AudioEffectX::offlineGetNumPasses() { return 0; }
int32 AudioEffectX::offlineGetNumMetaPasses() { return 0; }
int32 AudioEffectX::getNumCategories() { return 1; }
bool AudioEffectX::copyProgram(int32) { return false; }
void AudioEffectX::inputConnected(int32, bool) {}
void AudioEffectX::outputConnected(int32, bool) {}
void AudioEffectX::wantAsyncOperation(bool state) { setFlag(effFlagsExtIsAsync, state); }
void AudioEffectX::hasExternalBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }
int32 AudioEffectX::reportCurrentPosition() { return 0; }
float* AudioEffectX::reportDestinationBuffer() { return nullptr; }
void AudioEffectX::setBlockSizeAndSampleRate(int32 newBlockSize, float newSampleRate) {
    blockSize = newBlockSize;
    sampleRate = newSampleRate;
}
bool AudioEffectX::getErrorText(char*) { return false; }
void* AudioEffectX::getIcon() { return nullptr; }
bool AudioEffectX::setViewPosition(int32, int32) { return false; }
int32 AudioEffectX::fxIdle() { return 0; }
bool AudioEffectX::keysRequired() { return false; }
