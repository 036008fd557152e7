// The plug-in's exported entry point (exported also as "main" through the module definition).
#include <new>

#include "effect/PluginCore.h"

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
