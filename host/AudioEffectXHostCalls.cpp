// Typed calls into the host. Each answers neutrally when there is no callback (callHost gives 0).
#include "host/AudioEffectX.h"

bool AudioEffectX::callHostBool(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    return callHost(opcode, index, value, ptr, opt) != 0;
}

bool AudioEffectX::beginEdit(int32 index) { return callHostBool(audioMasterBeginEdit, index); }
bool AudioEffectX::endEdit(int32 index) { return callHostBool(audioMasterEndEdit, index); }
bool AudioEffectX::ioChanged() { return callHostBool(audioMasterIOChanged); }

float AudioEffectX::updateSampleRate() {
    const intptr answer = callHost(audioMasterGetSampleRate);
    if (answer > 0) sampleRate = static_cast<float>(answer);
    return sampleRate;
}

int32 AudioEffectX::updateBlockSize() {
    const intptr answer = callHost(audioMasterGetBlockSize);
    if (answer > 0) blockSize = static_cast<int32>(answer);
    return blockSize;
}

int32 AudioEffectX::getInputLatency() {
    return static_cast<int32>(callHost(audioMasterGetInputLatency));
}
int32 AudioEffectX::getOutputLatency() {
    return static_cast<int32>(callHost(audioMasterGetOutputLatency));
}
VstTimeInfo* AudioEffectX::getTimeInfo(int32 filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}
int32 AudioEffectX::getCurrentProcessLevel() {
    return static_cast<int32>(callHost(audioMasterGetCurrentProcessLevel));
}
int32 AudioEffectX::getAutomationState() {
    return static_cast<int32>(callHost(audioMasterGetAutomationState));
}
bool AudioEffectX::getHostVendorString(char* text) {
    return callHostBool(audioMasterGetVendorString, 0, 0, text);
}
bool AudioEffectX::getHostProductString(char* text) {
    return callHostBool(audioMasterGetProductString, 0, 0, text);
}
int32 AudioEffectX::getHostVendorVersion() {
    return static_cast<int32>(callHost(audioMasterGetVendorVersion));
}
intptr AudioEffectX::hostVendorSpecific(int32 arg1, intptr arg2, void* ptr, float arg3) {
    return callHost(audioMasterVendorSpecific, arg1, arg2, ptr, arg3);
}
// Hosts answer 1 for "can", -1 for "cannot" and 0 for "don't know"; only a positive answer is a
// yes.
int32 AudioEffectX::canHostDo(char* text) {
    return callHost(audioMasterCanDo, 0, 0, text) > 0 ? 1 : 0;
}
int32 AudioEffectX::getHostLanguage() {
    return static_cast<int32>(callHost(audioMasterGetLanguage));
}
void* AudioEffectX::getDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}
bool AudioEffectX::updateDisplay() { return callHostBool(audioMasterUpdateDisplay); }
bool AudioEffectX::sizeWindow(int32 width, int32 height) {
    return callHostBool(audioMasterSizeWindow, width, height);
}

// The host must not be handed a null record pointer for these.
bool AudioEffectX::openFileSelector(VstFileSelect* select) {
    return select && callHostBool(audioMasterOpenFileSelector, 0, 0, select);
}
bool AudioEffectX::closeFileSelector(VstFileSelect* select) {
    return select && callHostBool(audioMasterCloseFileSelector, 0, 0, select);
}
bool AudioEffectX::getChunkFile(void* nativePath) {
    return nativePath && callHostBool(audioMasterGetChunkFile, 0, 0, nativePath);
}

bool AudioEffectX::offlineRead(VstOfflineTask* offline, int32 option, bool readSource) {
    return callHostBool(audioMasterOfflineRead, readSource ? 1 : 0, option, offline);
}
bool AudioEffectX::offlineWrite(VstOfflineTask* offline, int32 option) {
    return callHostBool(audioMasterOfflineWrite, 0, option, offline);
}
bool AudioEffectX::offlineStart(VstAudioFile* files, int32 numAudioFiles, int32 numNewAudioFiles) {
    return callHostBool(audioMasterOfflineStart, numNewAudioFiles, numAudioFiles, files);
}
int32 AudioEffectX::offlineGetCurrentPass() {
    return callHostBool(audioMasterOfflineGetCurrentPass) ? 1 : 0;
}
int32 AudioEffectX::offlineGetCurrentMetaPass() {
    return callHostBool(audioMasterOfflineGetCurrentMetaPass) ? 1 : 0;
}
int32 AudioEffectX::wantEvents(int32 filter) {
    return static_cast<int32>(callHost(audioMasterWantMidi, 0, filter));
}
int32 AudioEffectX::tempoAt(int32 pos) {
    return static_cast<int32>(callHost(audioMasterTempoAt, 0, pos));
}
int32 AudioEffectX::getNumAutomatableParameters() {
    return static_cast<int32>(callHost(audioMasterGetNumAutomatableParameters));
}
int32 AudioEffectX::getParameterQuantization() {
    return static_cast<int32>(callHost(audioMasterGetParameterQuantization));
}
bool AudioEffectX::needIdle() { return callHostBool(audioMasterNeedIdle); }

// The interface passes no argument for these two; the pin number stays with the effect.
AEffect* AudioEffectX::getPreviousPlug(int32) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug));
}
AEffect* AudioEffectX::getNextPlug(int32) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug));
}
int32 AudioEffectX::willProcessReplacing() {
    return static_cast<int32>(callHost(audioMasterWillReplaceOrAccumulate));
}
void AudioEffectX::setOutputSamplerate(float samplerate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, samplerate);
}
VstSpeakerArrangement* AudioEffectX::getInputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(
        callHost(audioMasterGetInputSpeakerArrangement));
}
VstSpeakerArrangement* AudioEffectX::getOutputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(
        callHost(audioMasterGetOutputSpeakerArrangement));
}
void* AudioEffectX::openWindow(VstWindow* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}
bool AudioEffectX::closeWindow(VstWindow* window) {
    return callHostBool(audioMasterCloseWindow, 0, 0, window);
}
bool AudioEffectX::sendVstEventsToHost(VstEvents* events) {
    return callHost(audioMasterProcessEvents, 0, 0, events) == 1;
}
