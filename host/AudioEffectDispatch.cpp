// The base dispatcher: host opcodes effOpen to effSetChunk become virtual operations.
#include "host/AEffEditor.h"
#include "host/AudioEffect.h"

intptr AudioEffect::dispatcher(int32 opcode, int32 index, intptr value, void* ptr, float opt) {
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effOpen: open(); return 0;
        case effClose: close(); return 0;
        case effSetProgram:
            // Negative numbers would index before the bank.
            if (value >= 0 && value < numPrograms) setProgram(static_cast<int32>(value));
            return 0;
        case effGetProgram: return getProgram();
        case effSetProgramName: setProgramName(text); return 0;
        case effGetProgramName: getProgramName(text); return 0;
        case effGetParamLabel: getParameterLabel(index, text); return 0;
        case effGetParamDisplay: getParameterDisplay(index, text); return 0;
        case effGetParamName: getParameterName(index, text); return 0;
        case effSetSampleRate: setSampleRate(opt); return 0;
        case effSetBlockSize: setBlockSize(static_cast<int32>(value)); return 0;
        case effMainsChanged:
            if (value == 0)
                suspend();
            else
                resume();
            return 0;
        case effEditGetRect:
        case effEditOpen:
        case effEditClose:
        case effEditIdle: return dispatchEditor(opcode, ptr);
        case effIdentify: return kEffectIdentity;
        case effGetChunk: return getChunk(static_cast<void**>(ptr), index != 0);
        case effSetChunk: return setChunk(ptr, static_cast<int32>(value), index != 0);
        default: return 0;
    }
}

intptr AudioEffect::dispatchEditor(int32 opcode, void* ptr) {
    if (!editor) return 0;
    switch (opcode) {
        case effEditGetRect: return editor->getRect(static_cast<ERect**>(ptr)) ? 1 : 0;
        case effEditOpen: return editor->open(ptr) ? 1 : 0;
        case effEditClose: editor->close(); return 0;
        case effEditIdle: editor->idle(); return 0;
        default: return 0;
    }
}
