#include "tools/host/OpcodeNames.h"

#include <iterator>

namespace {

struct OpcodeName {
    int32 opcode;
    const char* name;
};

#define TALON_OPCODE(name) \
    { name, #name }

// Effect opcodes run from 0 without gaps, so this table is indexed by opcode.
constexpr const char* kEffectOpcodeNames[] = {
    "effOpen",
    "effClose",
    "effSetProgram",
    "effGetProgram",
    "effSetProgramName",
    "effGetProgramName",
    "effGetParamLabel",
    "effGetParamDisplay",
    "effGetParamName",
    "effGetVu",
    "effSetSampleRate",
    "effSetBlockSize",
    "effMainsChanged",
    "effEditGetRect",
    "effEditOpen",
    "effEditClose",
    "effEditDraw",
    "effEditMouse",
    "effEditKey",
    "effEditIdle",
    "effEditTop",
    "effEditSleep",
    "effIdentify",
    "effGetChunk",
    "effSetChunk",
    "effProcessEvents",
    "effCanBeAutomated",
    "effString2Parameter",
    "effGetNumProgramCategories",
    "effGetProgramNameIndexed",
    "effCopyProgram",
    "effConnectInput",
    "effConnectOutput",
    "effGetInputProperties",
    "effGetOutputProperties",
    "effGetPlugCategory",
    "effGetCurrentPosition",
    "effGetDestinationBuffer",
    "effOfflineNotify",
    "effOfflinePrepare",
    "effOfflineRun",
    "effProcessVarIo",
    "effSetSpeakerArrangement",
    "effSetBlockSizeAndSampleRate",
    "effSetBypass",
    "effGetEffectName",
    "effGetErrorText",
    "effGetVendorString",
    "effGetProductString",
    "effGetVendorVersion",
    "effVendorSpecific",
    "effCanDo",
    "effGetTailSize",
    "effIdle",
    "effGetIcon",
    "effSetViewPosition",
    "effGetParameterProperties",
    "effKeysRequired",
    "effGetVstVersion",
    "effEditKeyDown",
    "effEditKeyUp",
    "effSetEditKnobMode",
    "effGetMidiProgramName",
    "effGetCurrentMidiProgram",
    "effGetMidiProgramCategory",
    "effHasMidiProgramsChanged",
    "effGetMidiKeyName",
    "effBeginSetProgram",
    "effEndSetProgram",
    "effGetSpeakerArrangement",
    "effShellGetNextPlugin",
    "effStartProcess",
    "effStopProcess",
    "effSetTotalSampleToProcess",
    "effSetPanLaw",
    "effBeginLoadBank",
    "effBeginLoadProgram",
    "effSetProcessPrecision",
    "effGetNumMidiInputChannels",
    "effGetNumMidiOutputChannels",
};
static_assert(std::size(kEffectOpcodeNames) == effGetNumMidiOutputChannels + 1);

// Host opcodes have gaps.
constexpr OpcodeName kHostOpcodeNames[] = {
    TALON_OPCODE(audioMasterAutomate),
    TALON_OPCODE(audioMasterVersion),
    TALON_OPCODE(audioMasterCurrentId),
    TALON_OPCODE(audioMasterIdle),
    TALON_OPCODE(audioMasterPinConnected),
    TALON_OPCODE(audioMasterWantMidi),
    TALON_OPCODE(audioMasterGetTime),
    TALON_OPCODE(audioMasterProcessEvents),
    TALON_OPCODE(audioMasterTempoAt),
    TALON_OPCODE(audioMasterGetNumAutomatableParameters),
    TALON_OPCODE(audioMasterGetParameterQuantization),
    TALON_OPCODE(audioMasterIOChanged),
    TALON_OPCODE(audioMasterNeedIdle),
    TALON_OPCODE(audioMasterSizeWindow),
    TALON_OPCODE(audioMasterGetSampleRate),
    TALON_OPCODE(audioMasterGetBlockSize),
    TALON_OPCODE(audioMasterGetInputLatency),
    TALON_OPCODE(audioMasterGetOutputLatency),
    TALON_OPCODE(audioMasterGetPreviousPlug),
    TALON_OPCODE(audioMasterGetNextPlug),
    TALON_OPCODE(audioMasterWillReplaceOrAccumulate),
    TALON_OPCODE(audioMasterGetCurrentProcessLevel),
    TALON_OPCODE(audioMasterGetAutomationState),
    TALON_OPCODE(audioMasterOfflineStart),
    TALON_OPCODE(audioMasterOfflineRead),
    TALON_OPCODE(audioMasterOfflineWrite),
    TALON_OPCODE(audioMasterOfflineGetCurrentPass),
    TALON_OPCODE(audioMasterOfflineGetCurrentMetaPass),
    TALON_OPCODE(audioMasterSetOutputSampleRate),
    TALON_OPCODE(audioMasterGetOutputSpeakerArrangement),
    TALON_OPCODE(audioMasterGetVendorString),
    TALON_OPCODE(audioMasterGetProductString),
    TALON_OPCODE(audioMasterGetVendorVersion),
    TALON_OPCODE(audioMasterVendorSpecific),
    TALON_OPCODE(audioMasterCanDo),
    TALON_OPCODE(audioMasterGetLanguage),
    TALON_OPCODE(audioMasterOpenWindow),
    TALON_OPCODE(audioMasterCloseWindow),
    TALON_OPCODE(audioMasterGetDirectory),
    TALON_OPCODE(audioMasterUpdateDisplay),
    TALON_OPCODE(audioMasterBeginEdit),
    TALON_OPCODE(audioMasterEndEdit),
    TALON_OPCODE(audioMasterOpenFileSelector),
    TALON_OPCODE(audioMasterCloseFileSelector),
    TALON_OPCODE(audioMasterGetChunkFile),
    TALON_OPCODE(audioMasterGetInputSpeakerArrangement),
};

#undef TALON_OPCODE

constexpr const char* kUnknown = "unknown";

}  // namespace

const char* effectOpcodeName(int32 opcode) {
    if (opcode < 0 || opcode >= static_cast<int32>(std::size(kEffectOpcodeNames))) return kUnknown;
    return kEffectOpcodeNames[opcode];
}

const char* hostOpcodeName(int32 opcode) {
    for (const OpcodeName& entry : kHostOpcodeNames) {
        if (entry.opcode == opcode) return entry.name;
    }
    return kUnknown;
}
