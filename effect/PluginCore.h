// The Talon 5800 effect: 16 programs, two parameters and the stereo expansion stage.
#pragma once

#include <atomic>
#include <memory>

#include "host/AudioEffectX.h"

class PluginEditor;

// One stored program.
struct ProgramRecord {
    float expansion;
    float output;
    char name[24];
};
static_assert(sizeof(ProgramRecord) == 32 && offsetof(ProgramRecord, name) == 8);

// Live parameter values are read by the audio thread while another thread writes them; a
// relaxed atomic float is still one plain 32-bit load or store.
static_assert(sizeof(std::atomic<float>) == sizeof(float) &&
              std::atomic<float>::is_always_lock_free);

enum : int32 {
    kParamExpansion = 0,
    kParamOutput = 1,
    kNumParams = 2,
    kNumPrograms = 16,
    kNumChannels = 2,
};

constexpr float kDefaultParameterValue = 0.5f;
constexpr int32 kTalonUniqueId = fourCharCode('T', 'l', '5', '8');
// The host's wheel message through effVendorSpecific.
constexpr int32 kWheelIndex = fourCharCode('s', 't', 'C', 'A');
constexpr int32 kWheelValue = fourCharCode('W', 'h', 'e', 'e');
// The host's scale for the editor, the factor in opt.
constexpr int32 kHostScaleIndex = fourCharCode('P', 'r', 'e', 'S');
constexpr int32 kHostScaleValue = fourCharCode('A', 'e', 'C', 's');

class PluginCore : public AudioEffectX {
  public:
    explicit PluginCore(audioMasterCallback audioMaster);
    ~PluginCore() override;

    // UI thread, before processing starts.
    void resume() override;

    // Audio thread, resumed.
    void processReplacing(float** inputs, float** outputs, int32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, int32 sampleFrames) override;

    // Any thread: host automation or the editor.
    void setParameter(int32 index, float value) override;
    float getParameter(int32 index) override;

    // UI thread.
    void setProgram(int32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(int32 index, char* label) override;
    void getParameterDisplay(int32 index, char* text) override;
    void getParameterName(int32 index, char* text) override;
    bool getProgramNameIndexed(int32 category, int32 index, char* text) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32 getVendorVersion() override;
    intptr vendorSpecific(int32 index, intptr value, void* ptr, float opt) override;
    int32 getPlugCategory() override;

  private:
    ProgramRecord& currentProgram() { return programs[curProgram]; }

    std::unique_ptr<ProgramRecord[]> programs;
    std::atomic<float> expansion;
    std::atomic<float> output;
    // The editor as its own type, for parameter changes; owned through the base's editor. Builds
    // made with TALON_NO_EDITOR have no panel and leave it null.
    PluginEditor* panel = nullptr;
};
