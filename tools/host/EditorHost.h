// Showing an effect's editor the way a host does: its size, a window of that size, open, idle
// on a timer, close before the window goes.
#pragma once

#include <iosfwd>

#include "tools/host/EffectSession.h"
#include "tools/host/PngWriter.h"

// Shows the editor until the user closes its window.
void runEditor(EffectSession& session, const std::string& title, std::ostream& out);

// Shows the editor until it is drawn and returns its window's pixels; closes it again.
RgbImage captureEditor(EffectSession& session, const std::string& title);
