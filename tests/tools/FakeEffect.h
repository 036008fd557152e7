// A small stereo effect for driving the host without the real plug-in. It swaps left and right
// (so channel mix-ups and shared input/output buffers show), scales by its Level parameter,
// and records what the host did to it.
#pragma once

#include <vector>

#include "host/aeffect.h"

struct FakeEffectOptions {
    int32 magic = kEffectMagic;
    int32 numInputs = 2;
    int32 numOutputs = 2;
    bool canDouble = true;
    bool deleteOnClose = false;  // what a real plug-in does; in-process tests keep the record
    bool hasEditor = false;
    bool giveEditorRect = true;  // effEditGetRect hands out editorRect
    ERect editorRect = {0, 0, 40, 120};
    bool editorOpens = true;   // the answer to effEditOpen
    bool takesScale = false;   // takes the host's editor scale factor and scales editorRect by it
    bool growsOnIdle = false;  // first idle: asks the host for kFakeGrownWidth x kFakeGrownHeight
};

constexpr int32 kFakeGrownWidth = 300;
constexpr int32 kFakeGrownHeight = 100;

enum FakeParameter : int32 {
    kFakeWidth,  // display "0".."100", label "%"
    kFakeLevel,  // display 20*log10(2*value) with one decimal, "-oo" at 0, label "dB"
    kFakeParameterCount
};

constexpr int32 kFakeProgramCount = 4;
constexpr int32 kFakeUniqueId = fourCharCode('F', 'a', 'k', 'e');

struct FakeEffect {
    AEffect effect{};  // effect.object points back here
    FakeEffectOptions options;
    audioMasterCallback host = nullptr;
    float editorScale = 1.0f;
    ERect scaledRect{};          // what effEditGetRect hands out
    std::vector<int32> opcodes;  // every dispatcher call in order
    float sampleRate = 0.0f;
    intptr blockSize = 0;
    intptr precision = -1;
    int32 program = 0;
    float parameters[kFakeParameterCount] = {0.5f, 0.5f};
    bool resumed = false;
    bool textBuffersWereZeroed = true;
    bool inputsAndOutputsWereSeparate = true;
    bool processedWhileSuspended = false;
    int32 largestBlock = 0;
    int processCalls = 0;
};

// Fills in the AEffect record; allocate with new when options.deleteOnClose is set.
void initFakeEffect(FakeEffect& fake, const FakeEffectOptions& options);
