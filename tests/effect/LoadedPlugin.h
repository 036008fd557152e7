// The built plug-in loaded from its DLL, driven only through the exported entry and the record.
#pragma once

#include <windows.h>

#include "support/RecordingHost.h"

using PluginEntry = AEffect*(VSTCALLBACK*)(audioMasterCallback);

class LoadedPlugin {
  public:
    LoadedPlugin() : module(LoadLibraryA("Talon5800.dll")) {}
    ~LoadedPlugin() {
        if (module) FreeLibrary(module);
    }
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    bool loaded() const { return module != nullptr; }
    // As a host lets go of the plug-in: the module may go from the process.
    void unload() {
        if (module) FreeLibrary(module);
        module = nullptr;
    }
    PluginEntry entry(const char* name) const {
        return module ? reinterpret_cast<PluginEntry>(
                            reinterpret_cast<void*>(GetProcAddress(module, name)))
                      : nullptr;
    }
    AEffect* create() const {
        PluginEntry main = entry("VSTPluginMain");
        return main ? main(FakeHost::callback) : nullptr;
    }

  private:
    HMODULE module;
};

inline intptr dispatch(AEffect* effect, int32 opcode, int32 index = 0, intptr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
    return effect->dispatcher(effect, opcode, index, value, ptr, opt);
}
