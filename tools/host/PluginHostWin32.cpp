#include <windows.h>

#include "tools/host/HostError.h"
#include "tools/host/PlatformNames.h"
#include "tools/host/PluginHost.h"

namespace {

constexpr const char* kEntryNames[] = {"VSTPluginMain", "main"};
constexpr DWORD kPathBufferSize = 32768;

std::string moduleFileName(HMODULE module) {
    std::string path(kPathBufferSize, '\0');
    const DWORD length = GetModuleFileNameA(module, path.data(), kPathBufferSize);
    if (length == 0 || length >= kPathBufferSize) return std::string();
    path.resize(length);
    return path;
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) {
    // A missing dependency must come back as an error code, not as a message box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == nullptr) {
        throw HostError("cannot load plug-in '" + path + "' (Windows error " +
                        std::to_string(GetLastError()) + ")");
    }
    module_ = module;
    for (const char* name : kEntryNames) {
        if (FARPROC address = GetProcAddress(module, name)) {
            // Through the generic function type, which converts to any other without warning.
            entry_ = reinterpret_cast<PluginEntryProc>(reinterpret_cast<void (*)()>(address));
            entryName_ = name;
            break;
        }
    }
    if (entry_ == nullptr) {
        FreeLibrary(module);
        throw HostError("'" + path + "' has no VSTPluginMain or main entry point");
    }
    loadedPath_ = moduleFileName(module);
    if (loadedPath_.empty()) loadedPath_ = path;
}

PluginLibrary::~PluginLibrary() { FreeLibrary(static_cast<HMODULE>(module_)); }

AEffect* PluginLibrary::instantiate(audioMasterCallback host) const { return entry_(host); }

std::string defaultPluginPath() {
    std::string folder = moduleFileName(nullptr);
    const std::size_t separator = folder.find_last_of("\\/");
    folder.erase(separator == std::string::npos ? 0 : separator + 1);
    return folder + kDefaultPluginName;
}
