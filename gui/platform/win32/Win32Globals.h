// Process-wide values of the Win32 backend shared by every editor instance of the module. All are
// written and read on the user-interface thread.
#pragma once

#include "gui/platform/win32/Win32Handles.h"

namespace gui {

// Module whose resources hold the artwork and whose name the window class carries.
extern HMODULE moduleHandle;

using AlphaBlendFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                         BLENDFUNCTION);
using TransparentBltFunction = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int,
                                             UINT);

// Imaging entry points of msimg32; null where the library or the function is missing.
extern AlphaBlendFunction alphaBlendEntry;
extern TransparentBltFunction transparentBltEntry;
// Version of the running system, for the workaround some old systems need when blending.
extern OSVERSIONINFOA osVersion;
// True when the system swaps the primary and secondary mouse buttons.
extern bool mouseButtonsSwapped;

// Loads msimg32 and sets the imaging entry points; TransparentBlt only on the NT family. Returns
// the library handle for the caller to free with FreeLibrary, or null when it cannot be loaded.
HMODULE loadImagingEntryPoints();

}  // namespace gui
