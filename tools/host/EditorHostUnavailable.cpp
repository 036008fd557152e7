// The editor options where talonhost has no window of its own yet: they fail in one line.
#include "tools/host/EditorHost.h"
#include "tools/host/HostError.h"

void requireEditorHost() {
    throw HostError(
        "no editor on this platform yet: --editor and --screenshot need the Windows "
        "build of talonhost");
}

void showEditor(EffectSession&, const std::string&, const HostOptions&, std::ostream&) {
    requireEditorHost();
}
