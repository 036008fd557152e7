// The plug-in's exported entry point (exported also as "main" through the module definition) and
// the module's load entry, which records the module whose resources hold the artwork.
#include <windows.h>

#include <new>

#include "effect/PluginCore.h"
#include "gui/draw/PlatformGlobals.h"

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);

extern "C" AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
    if (!audioMaster) return nullptr;
    if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
    // No exception may cross into the host: a failed construction is a refusal.
    try {
        PluginCore* effect = new PluginCore(audioMaster);
        return effect->getAeffect();
    } catch (...) {
        return nullptr;
    }
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) gui::moduleHandle = instance;
    return TRUE;
}
