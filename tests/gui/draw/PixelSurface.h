// A 32-bit pixel bitmap selected into a memory device, for tests that draw and then read every
// pixel back from memory.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/BitmapPixels.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/platform/OffscreenSurface.h"

class PixelSurface {
  public:
    PixelSurface(int width, int height) : surfaceWidth(width), surfaceHeight(height) {
        section = gui::platform::createPixelBitmap(width, height, &pixels);
        memoryDevice = gui::platform::createMemoryDevice(nullptr);
        previous = gui::platform::selectBitmap(memoryDevice, section);
    }
    ~PixelSurface() {
        if (previous) gui::platform::selectBitmap(memoryDevice, previous);
        gui::platform::deleteMemoryDevice(memoryDevice);
        gui::platform::deleteBitmap(section);
    }
    PixelSurface(const PixelSurface&) = delete;
    PixelSurface& operator=(const PixelSurface&) = delete;

    gui::NativeDevice device() const { return memoryDevice; }
    gui::NativeBitmap bitmap() const { return section; }
    int width() const { return surfaceWidth; }
    int height() const { return surfaceHeight; }

    // 0x00RRGGBB of a pixel (alpha byte masked off); the platform may leave the top byte undefined.
    std::uint32_t rgb(int x, int y) const { return raw(x, y) & 0x00FFFFFF; }
    // The raw four bytes: blue, green, red, alpha from the lowest address up.
    std::uint32_t raw(int x, int y) const {
        gui::platform::finishDrawing();
        return pixels[indexOf(x, y)];
    }
    void fill(std::uint32_t rawValue) {
        gui::platform::finishDrawing();
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
    // Rows are stored bottom-up; y counts from the top.
    int indexOf(int x, int y) const { return (surfaceHeight - 1 - y) * surfaceWidth + x; }

    int surfaceWidth;
    int surfaceHeight;
    gui::NativeBitmap section = nullptr;
    std::uint32_t* pixels = nullptr;
    gui::NativeDevice memoryDevice = nullptr;
    gui::NativeBitmap previous = nullptr;
};

// 0x00RRGGBB from a red, green, blue triple, as rgb() reports pixels.
constexpr std::uint32_t rgbOf(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(blue);
}

inline std::uint32_t rgbOfColor(const gui::CColorValue& color) {
    return rgbOf(color.red, color.green, color.blue);
}
