// Showing an effect's editor the way a host does: its size, a window of that size, open, idle
// on a timer, close before the window goes. The window is the platform's (EditorWindow.h).
#pragma once

#include <iosfwd>
#include <string>

#include "tools/host/CommandLine.h"
#include "tools/host/EffectSession.h"

// Shows the editor of the effect set up in session as --editor or --screenshot asks: until the
// user closes its window, or until it is drawn, writing the screenshot once it is closed again.
void showEditor(EffectSession& session, const std::string& effectName, const HostOptions& options,
                std::ostream& out);
