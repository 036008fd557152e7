#include "tools/host/HostCallback.h"

#include <cstring>
#include <ostream>
#include <string>

#include "tools/host/OpcodeNames.h"

namespace {

HostCallbackSettings gSettings;

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

intptr answer(int32 opcode, void* ptr) {
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
        case audioMasterAutomate:
        case audioMasterCurrentId:
        case audioMasterCanDo:
        default: return 0;
    }
}

}  // namespace

void configureHostCallback(const HostCallbackSettings& settings) { gSettings = settings; }

intptr VSTCALLBACK hostCallback(AEffect* /*effect*/, int32 opcode, int32 index, intptr value,
                                void* ptr, float opt) {
    const intptr result = answer(opcode, ptr);
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
