// Entry point of the fake effect built as small plug-in libraries, one per way a plug-in can let a
// host down.
#include "tests/tools/FakeEffect.h"

extern "C" AEffect* VSTCALLBACK fakePluginEntry(audioMasterCallback host) {
    if (host == nullptr) return nullptr;
#ifdef TALON_FAKE_RETURNS_NULL
    return nullptr;
#else
    FakeEffectOptions options;
    options.deleteOnClose = true;
#ifdef TALON_FAKE_BAD_MAGIC
    options.magic = fourCharCode('N', 'o', 'p', 'e');
#endif
#ifdef TALON_FAKE_MONO
    options.numInputs = 1;
    options.numOutputs = 1;
#endif
#ifdef TALON_FAKE_EDITOR_FAILS
    options.hasEditor = true;
    options.editorOpens = false;
#endif
#ifdef TALON_FAKE_EDITOR_RESIZES
    options.hasEditor = true;
    options.takesScale = true;
    options.growsOnIdle = true;
#endif
#ifdef TALON_FAKE_NO_DOUBLE
    options.canDouble = false;
#endif
    auto* fake = new FakeEffect;
    initFakeEffect(*fake, options);
    fake->host = host;
    return &fake->effect;
#endif
}

// The DLLs take their entry's name from a module definition file; a shared object exports it by
// name, and "main" is a name C++ keeps for itself, so that one is set for the linker directly.
#ifndef _WIN32
#if defined(TALON_FAKE_ENTRY_VST)
extern "C" AEffect* VSTPluginMain(audioMasterCallback host) { return fakePluginEntry(host); }
#elif defined(TALON_FAKE_ENTRY_MAIN)
extern "C" AEffect* fakeLegacyMain(audioMasterCallback host) __asm__("main");
extern "C" AEffect* fakeLegacyMain(audioMasterCallback host) { return fakePluginEntry(host); }
#endif
#endif
