// The extended half of the plug-in interface: opcodes 25 to 79, queries with neutral defaults,
// typed host calls, speaker arrangements and the interface's capability strings.
#pragma once

#include "host/AudioEffect.h"

// Capability strings an effect may answer in canDo.
namespace EffectCanDo {
inline constexpr const char* sendVstEvents = "sendVstEvents";
inline constexpr const char* sendVstMidiEvent = "sendVstMidiEvent";
inline constexpr const char* receiveVstEvents = "receiveVstEvents";
inline constexpr const char* receiveVstMidiEvent = "receiveVstMidiEvent";
inline constexpr const char* receiveVstTimeInfo = "receiveVstTimeInfo";
inline constexpr const char* offline = "offline";
inline constexpr const char* midiProgramNames = "midiProgramNames";
inline constexpr const char* bypass = "bypass";
}  // namespace EffectCanDo

// Capability strings an effect may ask the host about with canHostDo.
namespace HostCanDo {
inline constexpr const char* sendVstEvents = "sendVstEvents";
inline constexpr const char* sendVstMidiEvent = "sendVstMidiEvent";
inline constexpr const char* sendVstTimeInfo = "sendVstTimeInfo";
inline constexpr const char* receiveVstEvents = "receiveVstEvents";
inline constexpr const char* receiveVstMidiEvent = "receiveVstMidiEvent";
inline constexpr const char* reportConnectionChanges = "reportConnectionChanges";
inline constexpr const char* acceptIOChanges = "acceptIOChanges";
inline constexpr const char* sizeWindow = "sizeWindow";
inline constexpr const char* offline = "offline";
inline constexpr const char* openFileSelector = "openFileSelector";
inline constexpr const char* closeFileSelector = "closeFileSelector";
inline constexpr const char* startStopProcess = "startStopProcess";
inline constexpr const char* shellCategory = "shellCategory";
inline constexpr const char* sendVstMidiEventFlagIsRealtime = "sendVstMidiEventFlagIsRealtime";
}  // namespace HostCanDo

class AudioEffectX : public AudioEffect {
  public:
    AudioEffectX(audioMasterCallback audioMaster, int32 numPrograms, int32 numParams)
        : AudioEffect(audioMaster, numPrograms, numParams) {}

    // UI thread: opcodes 25 to 79; the rest go to the base dispatcher.
    intptr dispatcher(int32 opcode, int32 index, intptr value, void* ptr, float opt) override;
    // UI thread, before processing: asks the host for events when the effect takes MIDI.
    void resume() override;

    // UI thread, any state unless noted.
    virtual bool canParameterBeAutomated(int32 index);
    virtual bool string2parameter(int32 index, char* text);
    virtual bool getParameterProperties(int32 index, VstParameterProperties* properties);
    virtual bool beginEdit(int32 index);  // UI thread, user starts a gesture
    virtual bool endEdit(int32 index);    // UI thread, user ends a gesture
    virtual bool getProgramNameIndexed(int32 category, int32 index, char* text);
    virtual bool beginSetProgram();
    virtual bool endSetProgram();
    virtual int32 beginLoadBank(VstPatchChunkInfo* info);
    virtual int32 beginLoadProgram(VstPatchChunkInfo* info);
    virtual bool ioChanged();
    virtual float updateSampleRate();
    virtual int32 updateBlockSize();
    virtual int32 getInputLatency();
    virtual int32 getOutputLatency();
    virtual bool getInputProperties(int32 index, VstPinProperties* properties);
    virtual bool getOutputProperties(int32 index, VstPinProperties* properties);
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output);
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input,
                                       VstSpeakerArrangement** output);
    virtual bool setBypass(bool onOff);
    virtual bool setPanLaw(int32 type, float value);
    virtual bool setProcessPrecision(int32 precision);
    virtual int32 getNumMidiInputChannels();
    virtual int32 getNumMidiOutputChannels();
    virtual VstTimeInfo* getTimeInfo(int32 filter);  // audio thread
    virtual int32 getCurrentProcessLevel();
    virtual int32 getAutomationState();
    virtual int32 processEvents(VstEvents* events);  // audio thread
    virtual int32 startProcess();
    virtual int32 stopProcess();
    virtual bool processVariableIo(VstVariableIo* io);
    virtual int32 setTotalSampleToProcess(int32 value);
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual int32 getHostVendorVersion();
    virtual intptr hostVendorSpecific(int32 arg1, intptr arg2, void* ptr, float arg3);
    virtual int32 canHostDo(char* text);
    virtual int32 getHostLanguage();
    virtual void isSynth(bool state);
    virtual void noTail(bool state);
    virtual int32 getGetTailSize();
    virtual void* getDirectory();
    virtual bool getEffectName(char* name);
    virtual bool getVendorString(char* text);
    virtual bool getProductString(char* text);
    virtual int32 getVendorVersion();
    virtual intptr vendorSpecific(int32 index, intptr value, void* ptr, float opt);
    virtual intptr canDo(char* text);
    virtual int32 getVstVersion();
    virtual int32 getPlugCategory();
    virtual int32 getMidiProgramName(int32 channel, MidiProgramName* name);
    virtual int32 getCurrentMidiProgram(int32 channel, MidiProgramName* current);
    virtual int32 getMidiProgramCategory(int32 channel, MidiProgramCategory* category);
    virtual bool hasMidiProgramsChanged(int32 channel);
    virtual bool getMidiKeyName(int32 channel, MidiKeyName* keyName);
    virtual bool updateDisplay();
    virtual bool sizeWindow(int32 width, int32 height);  // UI thread, editor open
    virtual bool openFileSelector(VstFileSelect* select);
    virtual bool closeFileSelector(VstFileSelect* select);
    virtual int32 getNextShellPlugin(char* name);
    virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, int32 channels);
    virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from);
    virtual bool matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from);
    virtual bool offlineRead(VstOfflineTask* offline, int32 option, bool readSource);
    virtual bool offlineWrite(VstOfflineTask* offline, int32 option);
    virtual bool offlineStart(VstAudioFile* files, int32 numAudioFiles, int32 numNewAudioFiles);
    virtual int32 offlineGetCurrentPass();
    virtual int32 offlineGetCurrentMetaPass();
    virtual bool offlineNotify(VstAudioFile* files, int32 numAudioFiles, bool start);
    virtual bool offlinePrepare(VstOfflineTask* offline, int32 count);
    virtual bool offlineRun(VstOfflineTask* offline, int32 count);
    virtual int32 offlineGetNumPasses();
    virtual int32 offlineGetNumMetaPasses();
    virtual int32 wantEvents(int32 filter);
    virtual int32 tempoAt(int32 pos);
    virtual int32 getNumAutomatableParameters();
    virtual int32 getParameterQuantization();
    virtual int32 getNumCategories();
    virtual bool copyProgram(int32 destination);
    virtual bool needIdle();
    virtual AEffect* getPreviousPlug(int32 input);
    virtual AEffect* getNextPlug(int32 output);
    virtual void inputConnected(int32 index, bool state);
    virtual void outputConnected(int32 index, bool state);
    virtual int32 willProcessReplacing();
    virtual void wantAsyncOperation(bool state);
    virtual void hasExternalBuffer(bool state);
    virtual int32 reportCurrentPosition();
    virtual float* reportDestinationBuffer();
    virtual void setOutputSamplerate(float samplerate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual void* openWindow(VstWindow* window);
    virtual bool closeWindow(VstWindow* window);
    virtual void setBlockSizeAndSampleRate(int32 newBlockSize, float newSampleRate);
    virtual bool getErrorText(char* text);
    virtual void* getIcon();
    virtual bool setViewPosition(int32 x, int32 y);
    virtual int32 fxIdle();
    virtual bool keysRequired();
    virtual bool getChunkFile(void* nativePath);

    // Audio thread: true only when the host answers exactly 1.
    bool sendVstEventsToHost(VstEvents* events);

  private:
    intptr dispatchEditorKeys(int32 opcode, int32 index, intptr value, float opt);
    bool callHostBool(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
};

// The key record for effEditKeyDown and effEditKeyUp: index is the character, the low byte of
// value the virtual key, and opt truncated to a 16-bit integer gives the modifier in its low byte.
VstKeyCode keyCodeFromDispatch(int32 index, intptr value, float opt);
