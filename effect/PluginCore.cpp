#include "effect/PluginCore.h"

#include <cmath>

#include "effect/ParameterText.h"
#if !defined(TALON_NO_EDITOR)
#include "effect/PluginEditor.h"
#endif
#include "host/AEffEditor.h"
#include "host/BoundedText.h"

namespace {

const char* const kEffectName = "Talon 5800";
const char* const kVendorName = "Mirevox";
const char* const kDefaultProgramName = "Default";
const char* const kParameterNames[kNumParams] = {"StEx", "Output"};
constexpr int32 kVendorVersion = 1000;

bool isValidProgram(int32 program) { return program >= 0 && program < kNumPrograms; }

// Values outside 0..1 from a careless host are brought back into range; NaN keeps the old value.
float boundedParameter(float value, float previous) {
    if (std::isnan(value)) return previous;
    return value < 0.0f ? 0.0f : (value > 1.0f ? 1.0f : value);
}

}  // namespace

PluginCore::PluginCore(audioMasterCallback audioMaster)
    : AudioEffectX(audioMaster, kNumPrograms, kNumParams),
      programs(new ProgramRecord[kNumPrograms]),
      expansion(kDefaultParameterValue),
      output(kDefaultParameterValue) {
    for (int32 i = 0; i < kNumPrograms; ++i) {
        programs[i].expansion = kDefaultParameterValue;
        programs[i].output = kDefaultParameterValue;
        boundedCopy(programs[i].name, kDefaultProgramName, kVstMaxProgNameLen);
    }
    setProgram(0);
    setNumInputs(kNumChannels);
    setNumOutputs(kNumChannels);
    setUniqueID(kTalonUniqueId);
    canProcessReplacing(true);
    canDoubleReplacing(true);
    resume();
#if !defined(TALON_NO_EDITOR)
    // The editor panel is created last, once everything it may ask the effect for is in place;
    // it registers itself as this effect's editor.
    panel = new PluginEditor(this);
#endif
}

PluginCore::~PluginCore() = default;

void PluginCore::resume() { AudioEffectX::resume(); }

void PluginCore::setParameter(int32 index, float value) {
    if (index == kParamExpansion || index == kParamOutput) {
        std::atomic<float>& live = index == kParamExpansion ? expansion : output;
        value = boundedParameter(value, live.load(std::memory_order_relaxed));
        float& stored =
            index == kParamExpansion ? currentProgram().expansion : currentProgram().output;
        stored = value;
        live.store(value, std::memory_order_relaxed);
    }
#if !defined(TALON_NO_EDITOR)
    // Only while the panel is still the effect's editor: a host may have been given another.
    if (panel && editor == panel) panel->setParameter(index, value);
#endif
}

float PluginCore::getParameter(int32 index) {
    if (index == kParamExpansion) return expansion.load(std::memory_order_relaxed);
    if (index == kParamOutput) return output.load(std::memory_order_relaxed);
    return 0.0f;
}

void PluginCore::setProgram(int32 program) {
    if (!isValidProgram(program)) return;
    curProgram = program;
    setParameter(kParamExpansion, currentProgram().expansion);
    setParameter(kParamOutput, currentProgram().output);
}

// Program names are limited to 23 characters so that the stored name always stays terminated.
void PluginCore::setProgramName(char* name) {
    if (name) boundedCopy(currentProgram().name, name, kVstMaxProgNameLen);
}

void PluginCore::getProgramName(char* name) {
    boundedCopy(name, currentProgram().name, kVstMaxProgNameLen);
}

bool PluginCore::getProgramNameIndexed(int32, int32 index, char* text) {
    if (!isValidProgram(index)) return false;
    boundedCopy(text, programs[index].name, kVstMaxProgNameLen);
    return true;
}

void PluginCore::getParameterLabel(int32, char* label) { writeText(label, ""); }

void PluginCore::getParameterDisplay(int32 index, char* text) {
    if (index == kParamExpansion)
        expansionToText(getParameter(index), text, kVstMaxParamStrLen);
    else if (index == kParamOutput)
        outputToText(getParameter(index), text, kVstMaxParamStrLen);
}

void PluginCore::getParameterName(int32 index, char* text) {
    if (index == kParamExpansion || index == kParamOutput) writeText(text, kParameterNames[index]);
}

bool PluginCore::getEffectName(char* name) {
    writeText(name, kEffectName);
    return true;
}

bool PluginCore::getVendorString(char* text) {
    writeText(text, kVendorName);
    return true;
}

bool PluginCore::getProductString(char* text) {
    writeText(text, kEffectName);
    return true;
}

int32 PluginCore::getVendorVersion() { return kVendorVersion; }

int32 PluginCore::getPlugCategory() { return kPlugCategSpacializer; }

intptr PluginCore::vendorSpecific(int32 index, intptr value, void*, float opt) {
    if (editor && index == kWheelIndex && value == kWheelValue) return editor->onWheel(opt) ? 1 : 0;
#if !defined(TALON_NO_EDITOR)
    // Before or after the editor opens; only while the panel is still the effect's editor.
    if (panel && editor == panel && index == kHostScaleIndex && value == kHostScaleValue)
        return panel->setHostScale(opt) ? 1 : 0;
#endif
    return 0;
}
