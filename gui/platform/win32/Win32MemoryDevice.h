// A GDI memory device compatible with another device, holding one bitmap for the length of a block
// transfer; the previous bitmap is selected back and the device deleted when it goes.
#pragma once

#include "gui/platform/win32/Win32Handles.h"

namespace gui {

class MemoryDevice {
  public:
    MemoryDevice(HDC compatibleWith, HBITMAP bitmap) : device(CreateCompatibleDC(compatibleWith)) {
        if (device && bitmap) previous = SelectObject(device, bitmap);
    }
    ~MemoryDevice() {
        if (!device) return;
        if (previous) SelectObject(device, previous);
        DeleteDC(device);
    }
    MemoryDevice(const MemoryDevice&) = delete;
    MemoryDevice& operator=(const MemoryDevice&) = delete;

    HDC get() const { return device; }
    // False when the device could not be made or the bitmap not selected into it.
    explicit operator bool() const { return device && previous; }

  private:
    HDC device;
    HGDIOBJ previous = nullptr;
};

}  // namespace gui
