// Offscreen surfaces as GDI memory devices and compatible bitmaps.
#include "gui/platform/OffscreenSurface.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui::platform {

NativeDevice createMemoryDevice(NativeDevice compatibleWith) {
    return CreateCompatibleDC(compatibleWith);
}

void deleteMemoryDevice(NativeDevice device) {
    if (device) DeleteDC(device);
}

NativeBitmap createSurfaceBitmap(NativeDevice reference, std::int32_t width, std::int32_t height) {
    if (width <= 0 || height <= 0) return nullptr;
    return CreateCompatibleBitmap(reference, width, height);
}

NativeBitmap selectBitmap(NativeDevice device, NativeBitmap bitmap) {
    return static_cast<HBITMAP>(SelectObject(device, gdiObject(bitmap)));
}

void transferPixels(NativeDevice target, const CRectangle& to, NativeDevice source,
                    const CRectangle& from) {
    if (to.getWidth() == from.getWidth() && to.getHeight() == from.getHeight()) {
        BitBlt(target, to.left, to.top, to.getWidth(), to.getHeight(), source, from.left, from.top,
               SRCCOPY);
        return;
    }
    const int previousMode = SetStretchBltMode(target, HALFTONE);
    StretchBlt(target, to.left, to.top, to.getWidth(), to.getHeight(), source, from.left, from.top,
               from.getWidth(), from.getHeight(), SRCCOPY);
    SetStretchBltMode(target, previousMode);
}

}  // namespace gui::platform
