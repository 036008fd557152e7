#include "gui/platform/win32/Win32Globals.h"

namespace gui {

HMODULE moduleHandle = nullptr;
AlphaBlendFunction alphaBlendEntry = nullptr;
TransparentBltFunction transparentBltEntry = nullptr;
OSVERSIONINFOA osVersion = {};
bool mouseButtonsSwapped = false;

namespace {
constexpr DWORD kWindows9xPlatform = 1;

template <typename Function>
Function entryPoint(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}
}  // namespace

HMODULE loadImagingEntryPoints() {
    alphaBlendEntry = nullptr;
    transparentBltEntry = nullptr;
    HMODULE library = LoadLibraryA("msimg32.dll");
    if (!library) return nullptr;
    alphaBlendEntry = entryPoint<AlphaBlendFunction>(library, "AlphaBlend");
    osVersion = {};
    osVersion.dwOSVersionInfoSize = sizeof(osVersion);
    if (GetVersionExA(&osVersion) && osVersion.dwPlatformId > kWindows9xPlatform)
        transparentBltEntry = entryPoint<TransparentBltFunction>(library, "TransparentBlt");
    return library;
}

}  // namespace gui
