// Helpers shared by the drawing context tests: reading back what GDI holds and where pixels went.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/draw/PixelSurface.h"
#include "gui/platform/win32/Win32Handles.h"

namespace drawtest {

// Background every surface starts with, a colour no test draws with.
constexpr std::uint32_t kBackground = 0x00336699;

// The smallest box holding every pixel that differs from the background, right and bottom
// exclusive; empty (all zero) when nothing was painted.
struct PaintedBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
};

inline PaintedBox paintedBox(const PixelSurface& surface, std::uint32_t background = kBackground) {
    PaintedBox box;
    bool any = false;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            if (surface.rgb(x, y) == background) continue;
            if (!any) box = {x, y, x + 1, y + 1};
            any = true;
            if (x < box.left) box.left = x;
            if (x + 1 > box.right) box.right = x + 1;
            if (y + 1 > box.bottom) box.bottom = y + 1;
        }
    return box;
}

// Pixels in [x0, x1) x [y0, y1) that differ from the background.
inline int paintedCount(const PixelSurface& surface, int x0, int y0, int x1, int y1,
                        std::uint32_t background = kBackground) {
    return (x1 - x0) * (y1 - y0) - surface.count(background, x0, y0, x1, y1);
}

inline bool sameImage(const PixelSurface& a, const PixelSurface& b) {
    if (a.width() != b.width() || a.height() != b.height()) return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.rgb(x, y) != b.rgb(x, y)) return false;
    return true;
}

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
