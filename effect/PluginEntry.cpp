// The plug-in's exported entry point (exported also as "main": through the module definition on
// Windows, through a second name of the same function elsewhere) and, on Windows, the module's
// load entry, which records the module whose resources hold the artwork.
#if defined(_WIN32)
#include "gui/platform/win32/Win32Handles.h"
#endif

#include <new>

#include "effect/PluginCore.h"
#if defined(_WIN32)
#include "gui/draw/PlatformGlobals.h"
#endif

#if defined(_WIN32)
#define TALON_EXPORT
#else
#define TALON_EXPORT __attribute__((visibility("default")))
#endif

extern "C" TALON_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster);

extern "C" TALON_EXPORT AEffect* VSTCALLBACK VSTPluginMain(audioMasterCallback audioMaster) {
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

#if defined(_WIN32)
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) gui::moduleHandle = instance;
    return TRUE;
}
#else
// Older hosts look the entry up as "main"; C++ reserves that name, so the symbol gets it from
// the assembler.
extern "C" TALON_EXPORT AEffect* legacyMain(audioMasterCallback audioMaster) __asm__("main");
extern "C" AEffect* legacyMain(audioMasterCallback audioMaster) {
    return VSTPluginMain(audioMaster);
}
#endif
