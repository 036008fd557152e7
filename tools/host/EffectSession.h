// Talks to a loaded effect through its AEffect record: identity, programs, parameters, the
// open/resume/process/suspend/close lifecycle. Needs no Win32, so tests drive it with fakes.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "host/aeffect.h"
#include "tools/host/CommandLine.h"
#include "tools/host/StereoAudio.h"

// Every text buffer handed to the effect has this size and starts zeroed.
constexpr std::size_t kTextBufferSize = 256;
constexpr int32 kStereoChannels = 2;

struct EffectIdentity {
    std::string effectName;
    std::string vendor;
    std::string product;
    intptr vendorVersion = 0;
    int32 uniqueId = 0;
    intptr category = 0;
    intptr vstVersion = 0;
    int32 numInputs = 0;
    int32 numOutputs = 0;
    int32 flags = 0;
    int32 initialDelay = 0;
    int32 numParams = 0;
    int32 numPrograms = 0;
};

struct ParameterInfo {
    int32 index = 0;
    std::string name;
    std::string display;
    std::string label;
    float normalized = 0.0f;
};

// Sides beyond this are not a real editor's; a window and a screenshot of it would be huge.
constexpr int kMaxEditorSide = 8192;

struct EditorSize {
    int width = 0;
    int height = 0;
};

// What the host accepts as an editor's size, from effEditGetRect or asked for while open.
bool isUsableEditorSize(long long width, long long height);

// The vendor call by which hosts announce an editor scale factor to 2.4 effects.
constexpr int32 kEditorScaleVendorIndex = fourCharCode('P', 'r', 'e', 'S');
constexpr intptr kEditorScaleVendorValue = fourCharCode('A', 'e', 'C', 's');

// Checks what the plug-in entry returned: not null, the right magic, two inputs and two
// outputs. Throws HostError otherwise, after closing an effect that is valid but unsuitable.
void checkStereoEffect(AEffect* effect);

class EffectSession {
  public:
    // log, if set, receives every dispatcher call.
    EffectSession(AEffect* effect, std::ostream* log);
    // Suspends and closes the effect if that has not happened yet.
    ~EffectSession();
    EffectSession(const EffectSession&) = delete;
    EffectSession& operator=(const EffectSession&) = delete;

    void open(double sampleRate, int32 blockSize);
    EffectIdentity identity();
    ParameterInfo parameter(int32 index);
    std::vector<ParameterInfo> parameters();
    std::vector<std::string> programNames();
    int32 currentProgram();

    // Throw UsageError for a program or parameter the effect does not have.
    void selectProgram(int32 program);
    int32 findParameter(const std::string& name);
    ParameterInfo apply(const ParameterAssignment& assignment);

    // Throws HostError if the effect cannot process in the requested precision.
    void resume(bool useDouble);
    // Runs processReplacing, or processDoubleReplacing if resumed for double precision.
    StereoAudio process(const StereoAudio& input, int32 blockSize);
    void suspend();
    // Closes an open editor first.
    void close();

    // Announces the editor's scale factor; true if the effect takes it. Must come before
    // editorSize, which then reports the scaled size.
    bool setEditorScale(double factor);
    // The editor's size from effEditGetRect; throws HostError if the effect has no editor or the
    // editor gives no usable rectangle.
    EditorSize editorSize();
    // Hands the editor its parent window; false if the effect says the editor did not open.
    // From here on closeEditor sends effEditClose, even after a failed open, in case the editor
    // made its window anyway: it must go before its parent does.
    bool openEditor(void* parentWindow);
    // The host's regular editor idle; counted, and logged only as a count when closing.
    void idleEditor();
    void closeEditor();

  private:
    intptr dispatch(int32 opcode, int32 index = 0, intptr value = 0, void* ptr = nullptr,
                    float opt = 0.0f);
    std::string queryText(int32 opcode, int32 index = 0);
    void setNormalized(int32 index, float value);

    AEffect* effect_;
    std::ostream* log_;
    bool resumed_ = false;
    bool useDouble_ = false;
    bool closed_ = false;
    bool editorOpen_ = false;
    long long editorIdles_ = 0;
};
