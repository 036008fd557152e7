// The module on Win32: the plug-in's load entry records the module whose resources hold the
// artwork, and the libraries the frame loads are freed here.
#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/ModuleHandle.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui::platform {

NativeModule moduleHandle() { return gui::moduleHandle; }

NativeModule loadImagingLibrary() { return loadImagingEntryPoints(); }

void freeModule(NativeModule module) {
    if (module) FreeLibrary(module);
}

}  // namespace gui::platform

// The system calls it when the plug-in's DLL is loaded; a program that links the toolkit
// directly sets the handle itself.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) gui::moduleHandle = instance;
    return TRUE;
}
