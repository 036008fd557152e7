#include "tests/tools/FakeEffect.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// The host promises zeroed text buffers of at least this size.
constexpr std::size_t kHostTextSize = 256;
constexpr float kLevelScale = 2.0f;

FakeEffect& fakeOf(AEffect* effect) { return *static_cast<FakeEffect*>(effect->object); }

void writeText(FakeEffect& fake, void* ptr, const char* text) {
    auto* buffer = static_cast<unsigned char*>(ptr);
    for (std::size_t i = 0; i < kHostTextSize; ++i) {
        if (buffer[i] != 0) fake.textBuffersWereZeroed = false;
    }
    std::strcpy(static_cast<char*>(ptr), text);
}

void writeDisplay(FakeEffect& fake, int32 index, void* ptr) {
    char text[32];
    const float value = fake.parameters[index];
    if (index == kFakeWidth) {
        std::snprintf(text, sizeof text, "%d", static_cast<int>(std::lround(value * 100.0f)));
    } else if (value <= 0.0f) {
        std::snprintf(text, sizeof text, "-oo");
    } else {
        std::snprintf(text, sizeof text, "%.1f", 20.0 * std::log10(kLevelScale * value));
    }
    writeText(fake, ptr, text);
}

intptr answerText(FakeEffect& fake, int32 opcode, int32 index, void* ptr) {
    static const char* const kParameterNames[] = {"Width", "Level"};
    static const char* const kParameterLabels[] = {"%", "dB"};
    static const char* const kProgramNames[] = {"Plain", "Wide", "Wider", "Widest"};
    const bool validParameter = index >= 0 && index < kFakeParameterCount;
    switch (opcode) {
        case effGetEffectName: writeText(fake, ptr, "Fake Widener"); return 1;
        case effGetVendorString: writeText(fake, ptr, "Test Bench"); return 1;
        case effGetProductString: writeText(fake, ptr, "Fake Product"); return 1;
        case effGetParamName:
            if (validParameter) writeText(fake, ptr, kParameterNames[index]);
            return 0;
        case effGetParamLabel:
            if (validParameter) writeText(fake, ptr, kParameterLabels[index]);
            return 0;
        case effGetParamDisplay:
            if (validParameter) writeDisplay(fake, index, ptr);
            return 0;
        case effGetProgramNameIndexed:
            if (index < 0 || index >= kFakeProgramCount) return 0;
            writeText(fake, ptr, kProgramNames[index]);
            return 1;
        default: return 0;
    }
}

intptr takeScale(FakeEffect& fake, int32 index, intptr value, float opt) {
    constexpr int32 kScaleIndex = fourCharCode('P', 'r', 'e', 'S');
    constexpr intptr kScaleValue = fourCharCode('A', 'e', 'C', 's');
    if (!fake.options.takesScale || index != kScaleIndex || value != kScaleValue) return 0;
    fake.editorScale = opt;
    return 1;
}

intptr giveEditorRect(FakeEffect& fake, void* ptr) {
    if (!fake.options.hasEditor || !fake.options.giveEditorRect || ptr == nullptr) return 0;
    const auto scaled = [&fake](std::int16_t side) {
        return static_cast<std::int16_t>(std::lround(side * fake.editorScale));
    };
    const ERect& rect = fake.options.editorRect;
    fake.scaledRect = {scaled(rect.top), scaled(rect.left), scaled(rect.bottom),
                       scaled(rect.right)};
    *static_cast<ERect**>(ptr) = &fake.scaledRect;
    return 1;
}

void growOnce(FakeEffect& fake) {
    fake.options.growsOnIdle = false;
    char sizeWindow[] = "sizeWindow";
    if (fake.host == nullptr ||
        fake.host(&fake.effect, audioMasterCanDo, 0, 0, sizeWindow, 0.0f) != 1) {
        return;
    }
    fake.host(&fake.effect, audioMasterSizeWindow, kFakeGrownWidth, kFakeGrownHeight, nullptr,
              0.0f);
}

intptr VSTCALLBACK fakeDispatcher(AEffect* effect, int32 opcode, int32 index, intptr value,
                                  void* ptr, float opt) {
    FakeEffect& fake = fakeOf(effect);
    fake.opcodes.push_back(opcode);
    switch (opcode) {
        case effSetSampleRate: fake.sampleRate = opt; return 0;
        case effSetBlockSize: fake.blockSize = value; return 0;
        case effSetProcessPrecision: fake.precision = value; return 1;
        case effMainsChanged: fake.resumed = value != 0; return 0;
        case effSetProgram: fake.program = static_cast<int32>(value); return 0;
        case effGetProgram: return fake.program;
        case effGetVendorVersion: return 1234;
        case effGetPlugCategory: return kPlugCategEffect;
        case effGetVstVersion: return 2400;
        case effEditGetRect: return giveEditorRect(fake, ptr);
        case effEditIdle:
            if (fake.options.growsOnIdle) growOnce(fake);
            return 0;
        case effVendorSpecific: return takeScale(fake, index, value, opt);
        case effEditOpen: return fake.options.hasEditor && fake.options.editorOpens ? 1 : 0;
        case effClose:
            if (fake.options.deleteOnClose) delete &fake;
            return 0;
        default: return answerText(fake, opcode, index, ptr);
    }
}

template <typename Sample>
void swapChannels(AEffect* effect, Sample** inputs, Sample** outputs, int32 frames) {
    FakeEffect& fake = fakeOf(effect);
    ++fake.processCalls;
    if (frames > fake.largestBlock) fake.largestBlock = frames;
    if (!fake.resumed) fake.processedWhileSuspended = true;
    for (Sample* input : {inputs[0], inputs[1]}) {
        if (input == outputs[0] || input == outputs[1]) fake.inputsAndOutputsWereSeparate = false;
    }
    const Sample gain = kLevelScale * fake.parameters[kFakeLevel];
    for (int32 i = 0; i < frames; ++i) {
        const Sample left = inputs[0][i], right = inputs[1][i];
        outputs[0][i] = gain * right;
        outputs[1][i] = gain * left;
    }
}

void VSTCALLBACK processFloat(AEffect* effect, float** inputs, float** outputs, int32 frames) {
    swapChannels(effect, inputs, outputs, frames);
}

void VSTCALLBACK processDouble(AEffect* effect, double** inputs, double** outputs, int32 frames) {
    swapChannels(effect, inputs, outputs, frames);
}

void VSTCALLBACK setParameter(AEffect* effect, int32 index, float value) {
    if (index >= 0 && index < kFakeParameterCount) fakeOf(effect).parameters[index] = value;
}

float VSTCALLBACK getParameter(AEffect* effect, int32 index) {
    return index >= 0 && index < kFakeParameterCount ? fakeOf(effect).parameters[index] : 0.0f;
}

}  // namespace

void initFakeEffect(FakeEffect& fake, const FakeEffectOptions& options) {
    fake.options = options;
    AEffect& effect = fake.effect;
    effect.magic = options.magic;
    effect.object = &fake;
    effect.dispatcher = fakeDispatcher;
    effect.setParameter = setParameter;
    effect.getParameter = getParameter;
    effect.numPrograms = kFakeProgramCount;
    effect.numParams = kFakeParameterCount;
    effect.numInputs = options.numInputs;
    effect.numOutputs = options.numOutputs;
    effect.flags = effFlagsCanReplacing | (options.canDouble ? effFlagsCanDoubleReplacing : 0) |
                   (options.hasEditor ? effFlagsHasEditor : 0);
    effect.uniqueID = kFakeUniqueId;
    effect.processReplacing = processFloat;
    effect.processDoubleReplacing = options.canDouble ? processDouble : nullptr;
}
