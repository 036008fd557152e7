// Base of every effect: owns the host-facing record, turns the host's calls through it into
// virtual operations with neutral defaults, and wraps the host callback.
#pragma once

#include "host/aeffect.h"

class AEffEditor;

class AudioEffect {
  public:
    AudioEffect(audioMasterCallback audioMaster, int32 numPrograms, int32 numParams);

    // UI thread; effClose through the record entry deletes the effect.
    virtual ~AudioEffect();
    // UI thread: every opcode up to effSetChunk; later opcodes answer 0.
    virtual intptr dispatcher(int32 opcode, int32 index, intptr value, void* ptr, float opt);

    virtual void open() {}     // UI thread, after creation
    virtual void close() {}    // UI thread, before deletion
    virtual void suspend() {}  // UI thread, processing stopped
    virtual void resume() {}   // UI thread, before processing starts
    virtual void setSampleRate(float rate) { sampleRate = rate; }  // UI thread, suspended
    virtual void setBlockSize(int32 size) { blockSize = size; }    // UI thread, suspended

    // Audio thread, resumed.
    virtual void processReplacing(float** inputs, float** outputs, int32 sampleFrames) = 0;
    virtual void processDoubleReplacing(double** inputs, double** outputs, int32 sampleFrames);

    // Any thread.
    virtual void setParameter(int32 index, float value);
    virtual float getParameter(int32 index);
    // UI thread: the user changed a parameter; the host is told after the effect.
    virtual void setParameterAutomated(int32 index, float value);

    // UI thread.
    virtual int32 getProgram() { return curProgram; }
    virtual void setProgram(int32 program) { curProgram = program; }
    virtual void setProgramName(char* name);
    virtual void getProgramName(char* name);
    virtual void getParameterLabel(int32 index, char* label);
    virtual void getParameterDisplay(int32 index, char* text);
    virtual void getParameterName(int32 index, char* text);
    virtual int32 getChunk(void** data, bool isPreset);
    virtual int32 setChunk(void* data, int32 byteSize, bool isPreset);

    // Construction-time setters of the record.
    virtual void setUniqueID(int32 id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(int32 inputs) { cEffect.numInputs = inputs; }
    virtual void setNumOutputs(int32 outputs) { cEffect.numOutputs = outputs; }
    virtual void canProcessReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void canDoubleReplacing(bool state) { setFlag(effFlagsCanDoubleReplacing, state); }
    virtual void programsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void setInitialDelay(int32 delay) { cEffect.initialDelay = delay; }

    virtual AEffEditor* getEditor() { return editor; }
    virtual AEffect* getAeffect() { return &cEffect; }
    virtual float getSampleRate() { return sampleRate; }
    virtual int32 getBlockSize() { return blockSize; }

    // Host queries; neutral answers without a callback.
    virtual int32 getMasterVersion();
    virtual int32 getCurrentUniqueId();
    virtual void masterIdle();

    // Number-to-text helpers: text receives at most maxLen characters and a terminator.
    virtual void dB2string(float value, char* text, int32 maxLen);
    virtual void Hz2string(float samples, char* text, int32 maxLen);
    virtual void ms2string(float samples, char* text, int32 maxLen);
    virtual void float2string(float value, char* text, int32 maxLen);
    virtual void int2string(int32 value, char* text, int32 maxLen);

    // Deprecated accumulating interface, kept for old hosts.
    virtual void process(float** inputs, float** outputs, int32 sampleFrames);
    virtual float getVu() { return 0.0f; }
    virtual void hasVu(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void hasClip(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void canMono(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void setRealtimeQualities(int32 qualities) { cEffect.realQualities = qualities; }
    virtual void setOfflineQualities(int32 qualities) { cEffect.offQualities = qualities; }
    virtual bool isInputConnected(int32 input);
    virtual bool isOutputConnected(int32 output);

    // Not virtual: the editor registers itself here; the flag tells the host it exists.
    void setEditor(AEffEditor* newEditor);

  protected:
    // Calls the host with this effect's record; answers 0 when there is no callback.
    intptr callHost(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
    void setFlag(int32 flag, bool state);

    audioMasterCallback audioMaster;
    AEffEditor* editor;
    float sampleRate;
    int32 blockSize;
    int32 numPrograms;
    int32 numParams;
    int32 curProgram;
    AEffect cEffect;

  private:
    void fillRecord();
    intptr dispatchEditor(int32 opcode, void* ptr);
};

// The object behind a record handed out by getAeffect(); null for a foreign record.
AudioEffect* effectOfRecord(AEffect* effect);
