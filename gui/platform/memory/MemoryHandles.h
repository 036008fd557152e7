// The in-memory drawing platform's objects behind the toolkit's opaque handles: surfaces of plain
// 32-bit pixels, devices that draw into them, and the pens, brushes and fonts those use. Only the
// memory platform and the tests that script it include this.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/platform/NativeHandle.h"

namespace gui::memory {

// Pixels as the pixel bitmaps hold them: 0xAARRGGBB words, rows bottom-up. A monochrome surface
// holds only black and white.
struct Surface {
    Surface(std::int32_t width, std::int32_t height, bool monochrome = false)
        : width(width),
          height(height),
          monochrome(monochrome),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}
    bool contains(std::int32_t x, std::int32_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height;
    }
    // Row 0 is the top row.
    std::uint32_t& at(std::int32_t x, std::int32_t y) {
        return pixels[static_cast<std::size_t>(height - 1 - y) * width + x];
    }
    std::uint32_t at(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(height - 1 - y) * width + x];
    }

    std::int32_t width;
    std::int32_t height;
    bool monochrome;
    std::vector<std::uint32_t> pixels;
};

struct Pen {
    platform::PenDash dash;
    std::int32_t width;
    // 0x00BBGGRR, as the interface takes colours.
    std::uint32_t color;
    // Square ends covering whole blocks; a plain pen draws its width centred on the line too.
    bool block;
};

struct Brush {
    std::uint32_t color;
};

// A fixed-metric font: every character has the same advance (textAdvance).
struct Font {
    std::int32_t pixelHeight;
    bool bold;
    bool underline;
};

// A window of the platform: a surface with a place on the screen.
struct Window {
    Window(std::int32_t width, std::int32_t height, const CPosition& screenOrigin)
        : surface(width, height), screenOrigin(screenOrigin) {}
    Surface surface;
    CPosition screenOrigin;
};

struct Device {
    Surface* target = nullptr;
    // What the device starts with and falls back to: a one-pixel black pen, a white brush, a
    // 16-pixel font.
    Pen stockPen{platform::PenDash::solid, 1, 0x000000, false};
    Brush stockBrush{0xFFFFFF};
    Font stockFont{16, false, false};
    Pen* pen = &stockPen;
    Brush* brush = &stockBrush;
    Font* font = &stockFont;
    std::uint32_t backgroundColor = 0xFFFFFF;
    std::uint32_t textColor = 0x000000;
    bool transparentBackground = false;
    platform::RasterOp rasterOp = platform::RasterOp::copy;
    bool clipped = false;
    CRectangle clip;
    CPosition penPosition;
    // Dots of a dotted line continue from one segment to the next.
    std::int32_t dashPhase = 0;
};

// Where the character after the first count ones starts: each is about half the font's height
// wide, bold ones a tenth wider. Rounded once for the whole run, so that a font twice as tall
// sets any text exactly twice as wide, give or take a pixel.
inline std::int32_t textAdvance(const Font& font, std::int32_t count) {
    constexpr std::int32_t kTwentieths = 20;
    const std::int32_t perHeight = font.bold ? 11 : 10;
    const std::int64_t twentieths = std::int64_t{count} * font.pixelHeight * perHeight;
    const auto advance = static_cast<std::int32_t>((twentieths + kTwentieths / 2) / kTwentieths);
    return advance > count ? advance : count;
}

}  // namespace gui::memory

namespace gui {

template <>
struct NativeTypeOf<WindowKind> {
    using type = memory::Window*;
};
template <>
struct NativeTypeOf<DeviceKind> {
    using type = memory::Device*;
};
template <>
struct NativeTypeOf<BitmapKind> {
    using type = memory::Surface*;
};
template <>
struct NativeTypeOf<PenKind> {
    using type = memory::Pen*;
};
template <>
struct NativeTypeOf<BrushKind> {
    using type = memory::Brush*;
};
template <>
struct NativeTypeOf<FontKind> {
    using type = memory::Font*;
};

}  // namespace gui
