// The module on X11: the artwork and the PNG decoder are linked in, so nothing is loaded.
#include "gui/platform/BitmapPixels.h"
#include "gui/platform/ModuleHandle.h"

namespace gui::platform {

NativeModule moduleHandle() { return resourceModule(); }

NativeModule loadImagingLibrary() { return nullptr; }

void freeModule(NativeModule) {}

}  // namespace gui::platform
