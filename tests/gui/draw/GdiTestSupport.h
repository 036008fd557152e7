// Helpers of the Win32 drawing tests: the objects a GDI device holds, and bitmaps filled and read
// through GDI.
#pragma once

#include <cstdint>

#include "gui/draw/PixelSurface.h"
#include "gui/platform/win32/Win32Handles.h"

namespace drawtest {

inline LOGPEN currentPen(HDC device) {
    LOGPEN description = {};
    GetObjectA(GetCurrentObject(device, OBJ_PEN), sizeof(description), &description);
    return description;
}

inline LOGBRUSH currentBrush(HDC device) {
    LOGBRUSH description = {};
    GetObjectA(GetCurrentObject(device, OBJ_BRUSH), sizeof(description), &description);
    return description;
}

inline LOGFONTA currentFont(HDC device) {
    LOGFONTA description = {};
    GetObjectA(GetCurrentObject(device, OBJ_FONT), sizeof(description), &description);
    return description;
}

// The colour of one pixel of a platform bitmap, 0x00RRGGBB like PixelSurface::rgb.
inline std::uint32_t bitmapPixel(HBITMAP bitmap, int x, int y) {
    HDC device = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(device, bitmap);
    const COLORREF value = GetPixel(device, x, y);
    SelectObject(device, previous);
    DeleteDC(device);
    return rgbOf(GetRValue(value), GetGValue(value), GetBValue(value));
}

// Fills a platform bitmap with one colour (0x00RRGGBB).
inline void fillBitmap(HBITMAP bitmap, int width, int height, std::uint32_t rgbValue) {
    HDC device = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(device, bitmap);
    HBRUSH brush =
        CreateSolidBrush(RGB((rgbValue >> 16) & 0xFF, (rgbValue >> 8) & 0xFF, rgbValue & 0xFF));
    const RECT whole = {0, 0, width, height};
    FillRect(device, &whole, brush);
    DeleteObject(brush);
    SelectObject(device, previous);
    DeleteDC(device);
}

inline void setBitmapPixel(HBITMAP bitmap, int x, int y, std::uint32_t rgbValue) {
    HDC device = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(device, bitmap);
    SetPixel(device, x, y, RGB((rgbValue >> 16) & 0xFF, (rgbValue >> 8) & 0xFF, rgbValue & 0xFF));
    SelectObject(device, previous);
    DeleteDC(device);
}

}  // namespace drawtest
