// Until the windowing code includes the Win32 backend's header itself.
#pragma once

#include "gui/platform/win32/Win32Globals.h"  // IWYU pragma: export
