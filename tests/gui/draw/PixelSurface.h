// A 32-bit device-independent section selected into a memory device, for tests that draw and
// then read every pixel back from memory.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/win32/Win32Handles.h"

class PixelSurface {
  public:
    PixelSurface(int width, int height) : surfaceWidth(width), surfaceHeight(height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        pixels = static_cast<std::uint32_t*>(bits);
        memoryDevice = CreateCompatibleDC(nullptr);
        previous = SelectObject(memoryDevice, section);
    }
    ~PixelSurface() {
        SelectObject(memoryDevice, previous);
        DeleteDC(memoryDevice);
        DeleteObject(section);
    }
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    HDC device() const { return memoryDevice; }
    HBITMAP bitmap() const { return section; }
    int width() const { return surfaceWidth; }
    int height() const { return surfaceHeight; }

    // 0x00RRGGBB of a pixel (alpha byte masked off); GDI leaves the top byte undefined.
    std::uint32_t rgb(int x, int y) const {
        GdiFlush();
        return pixels[y * surfaceWidth + x] & 0x00FFFFFF;
    }
    // The raw four bytes: blue, green, red, alpha from the lowest address up.
    std::uint32_t raw(int x, int y) const {
        GdiFlush();
        return pixels[y * surfaceWidth + x];
    }
    void fill(std::uint32_t rawValue) {
        GdiFlush();
        for (int i = 0; i < surfaceWidth * surfaceHeight; ++i) pixels[i] = rawValue;
    }
    // Number of pixels in [x0, x1) x [y0, y1) whose colour is rgbValue.
    int count(std::uint32_t rgbValue, int x0, int y0, int x1, int y1) const {
        int matches = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) matches += rgb(x, y) == rgbValue ? 1 : 0;
        return matches;
    }

  private:
    int surfaceWidth;
    int surfaceHeight;
    HBITMAP section = nullptr;
    std::uint32_t* pixels = nullptr;
    HDC memoryDevice = nullptr;
    HGDIOBJ previous = nullptr;
};

// 0x00RRGGBB from a red, green, blue triple, as rgb() reports pixels.
constexpr std::uint32_t rgbOf(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(blue);
}

inline std::uint32_t rgbOfColor(const gui::CColorValue& color) {
    return rgbOf(color.red, color.green, color.blue);
}
