// Which Win32 type each of the toolkit's opaque handle kinds stands for. Included by the Win32
// backend and by code that hands Win32 objects to the toolkit (the editor host, tests).
#pragma once

#include <ole2.h>
#include <windows.h>

#include "gui/platform/NativeHandle.h"

namespace gui {

template <>
struct NativeTypeOf<WindowKind> {
    using type = HWND;
};
template <>
struct NativeTypeOf<DeviceKind> {
    using type = HDC;
};
template <>
struct NativeTypeOf<BitmapKind> {
    using type = HBITMAP;
};
template <>
struct NativeTypeOf<PenKind> {
    using type = HPEN;
};
template <>
struct NativeTypeOf<BrushKind> {
    using type = HBRUSH;
};
template <>
struct NativeTypeOf<FontKind> {
    using type = HFONT;
};
template <>
struct NativeTypeOf<ModuleKind> {
    using type = HMODULE;
};
template <>
struct NativeTypeOf<DragDataKind> {
    using type = IDataObject*;
};
template <>
struct NativeTypeOf<CursorKind> {
    using type = HCURSOR;
};

// The pens, brushes, fonts and bitmaps the toolkit keeps, as GDI's generic object handle.
inline HGDIOBJ gdiObject(NativePen pen) { return static_cast<HPEN>(pen); }
inline HGDIOBJ gdiObject(NativeBrush brush) { return static_cast<HBRUSH>(brush); }
inline HGDIOBJ gdiObject(NativeFont font) { return static_cast<HFONT>(font); }
inline HGDIOBJ gdiObject(NativeBitmap bitmap) { return static_cast<HBITMAP>(bitmap); }

}  // namespace gui
