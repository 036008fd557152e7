// Entry point of the fake effect built as small DLLs, one per way a plug-in can let a host down.
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
