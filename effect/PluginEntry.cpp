// The plug-in's exported entry point (exported also as "main": through the module definition on
// Windows, through a second name of the same function elsewhere). The module's load entry, which
// records the module whose resources hold the artwork, is the platform backend's.
#include <new>

#include "effect/PluginCore.h"

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

#if !defined(_WIN32)
// Older hosts look the entry up as "main"; C++ reserves that name, so the symbol gets it from
// the assembler.
extern "C" TALON_EXPORT AEffect* legacyMain(audioMasterCallback audioMaster) __asm__("main");
extern "C" AEffect* legacyMain(audioMasterCallback audioMaster) {
    return VSTPluginMain(audioMaster);
}
#endif
