#include "tools/host/HostCallback.h"

#include <cstring>
#include <ostream>
#include <string>
#include <utility>

#include "tools/host/EffectSession.h"
#include "tools/host/OpcodeNames.h"

namespace {

HostCallbackSettings gSettings;
EditorWindowResizer gResizeEditor;

constexpr const char* kCanDoSizeWindow = "sizeWindow";

// Copies a name into an effect's buffer of kVstMaxNameLen characters plus terminator.
intptr writeName(void* destination, const char* name) {
    if (destination == nullptr) return 0;
    char* text = static_cast<char*>(destination);
    std::strncpy(text, name, kVstMaxNameLen);
    text[kVstMaxNameLen] = '\0';
    return 1;
}

// Reads a string the effect passed without trusting it to be terminated.
std::string boundedText(const char* text) {
    constexpr std::size_t kMaxLoggedText = 64;
    std::size_t length = 0;
    while (length < kMaxLoggedText && text[length] != '\0') ++length;
    return std::string(text, length);
}

intptr canDo(const void* ptr) {
    if (ptr == nullptr) return 0;
    return boundedText(static_cast<const char*>(ptr)) == kCanDoSizeWindow ? 1 : 0;
}

// The editor asks for a new size of its window: width in index, height in value.
intptr sizeWindow(int32 width, intptr height) {
    if (!gResizeEditor || !isUsableEditorSize(width, height)) return 0;
    return gResizeEditor(width, static_cast<int>(height)) ? 1 : 0;
}

intptr answer(int32 opcode, int32 index, intptr value, void* ptr) {
    switch (opcode) {
        case audioMasterVersion: return kHostVstVersion;
        case audioMasterGetSampleRate: return static_cast<intptr>(gSettings.sampleRate);
        case audioMasterGetBlockSize: return gSettings.blockSize;
        case audioMasterGetVendorString: return writeName(ptr, kHostVendorName);
        case audioMasterGetProductString: return writeName(ptr, kHostProductName);
        // The editor's calls: the host takes note (in the log) and says it handled them.
        case audioMasterIdle:
        case audioMasterBeginEdit:
        case audioMasterEndEdit: return 1;
        case audioMasterSizeWindow: return sizeWindow(index, value);
        case audioMasterCanDo: return canDo(ptr);
        case audioMasterAutomate:
        case audioMasterCurrentId:
        default: return 0;
    }
}

}  // namespace

void configureHostCallback(const HostCallbackSettings& settings) { gSettings = settings; }

EditorResizeHandler::EditorResizeHandler(EditorWindowResizer resizer) {
    gResizeEditor = std::move(resizer);
}

EditorResizeHandler::~EditorResizeHandler() { gResizeEditor = nullptr; }

intptr VSTCALLBACK hostCallback(AEffect* /*effect*/, int32 opcode, int32 index, intptr value,
                                void* ptr, float opt) {
    const intptr result = answer(opcode, index, value, ptr);
    if (gSettings.log != nullptr) {
        *gSettings.log << "host call: " << hostOpcodeName(opcode) << " (" << opcode
                       << ") index=" << index << " value=" << value << " opt=" << opt;
        if (opcode == audioMasterCanDo && ptr != nullptr) {
            *gSettings.log << " \"" << boundedText(static_cast<const char*>(ptr)) << '"';
        }
        *gSettings.log << " -> " << result << '\n';
    }
    return result;
}
