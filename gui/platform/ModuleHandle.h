// The module the toolkit's code was loaded from, whose resources hold the artwork and whose name
// the window class carries, and the system libraries the frame loads while it is open.
#pragma once

#include "gui/platform/NativeHandle.h"

namespace gui::platform {

// Any thread: the module recorded when it was loaded (the program's own when it is no plug-in).
NativeModule moduleHandle();
// UI thread: loads the imaging library the drawing uses and sets its entry points; null when it
// cannot be loaded.
NativeModule loadImagingLibrary();
// Frees a module of loadImagingLibrary or another loaded library; null is ignored.
void freeModule(NativeModule module);

}  // namespace gui::platform
