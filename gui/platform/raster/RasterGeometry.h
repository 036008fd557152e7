// What the toolkit's software backends (the in-memory one and Cairo's) share: pixel colour words,
// the clip test, the pixels of a line, and the geometry of the ellipses, arcs and pies GDI draws in
// a box.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gui/draw/GuiTypes.h"

namespace gui::raster {

inline constexpr std::uint32_t kRgbMask = 0x00FFFFFF;
inline constexpr std::uint32_t kWhitePixel = 0x00FFFFFF;
inline constexpr std::uint32_t kInvalidColor = 0xFFFFFFFF;
inline constexpr double kTurn = 6.283185307179586;

// 0x00BBGGRR and 0x00RRGGBB into each other: red and blue swap places.
inline std::uint32_t swapRedBlue(std::uint32_t value) {
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

// Inside the device's surface and its clip; any device with a target surface and a clip.
template <typename Device>
bool drawable(const Device& device, std::int32_t x, std::int32_t y) {
    if (!device.target || !device.target->contains(x, y)) return false;
    if (!device.clipped) return true;
    const CRectangle& clip = device.clip;
    return x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
}

// The ellipse inscribed in a box whose right and bottom edges are exclusive.
struct Ellipse {
    explicit Ellipse(const CRectangle& box)
        : centreX((box.left + box.right) / 2.0),
          centreY((box.top + box.bottom) / 2.0),
          radiusX(box.getWidth() / 2.0),
          radiusY(box.getHeight() / 2.0) {}

    bool empty() const { return radiusX <= 0.0 || radiusY <= 0.0; }
    // Counter-clockwise on the screen, from three o'clock, in [0, turn).
    double angleOf(double x, double y) const {
        const double angle = std::atan2(centreY - y, x - centreX);
        return angle < 0.0 ? angle + kTurn : angle;
    }

    double centreX;
    double centreY;
    double radiusX;
    double radiusY;
};

// The counter-clockwise sweep from the ray through from to the ray through to; a whole turn when
// the two coincide.
struct Sweep {
    Sweep(const Ellipse& ellipse, const CPosition& from, const CPosition& to)
        : start(ellipse.angleOf(from.h, from.v)) {
        length = ellipse.angleOf(to.h, to.v) - start;
        if (length <= 0.0) length += kTurn;
    }
    bool covers(double angle) const {
        double past = angle - start;
        if (past < 0.0) past += kTurn;
        return past <= length;
    }

    double start;
    double length;
};

// The points of a line from one end to the other, the last one left out.
template <typename Visit>
void walkLine(const CPosition& from, const CPosition& to, Visit visit) {
    std::int32_t x = from.h;
    std::int32_t y = from.v;
    const std::int32_t dx = to.h > x ? to.h - x : x - to.h;
    const std::int32_t dy = to.v > y ? y - to.v : to.v - y;
    const std::int32_t stepX = x < to.h ? 1 : -1;
    const std::int32_t stepY = y < to.v ? 1 : -1;
    std::int32_t error = dx + dy;
    while (x != to.h || y != to.v) {
        visit(x, y);
        const std::int32_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y += stepY;
        }
    }
}

// Each pixel of the ellipse's outline along the sweep once, inside box, so that an inverting
// raster operation does not undo itself.
template <typename Visit>
void visitArcPixels(const CRectangle& box, const Ellipse& shape, const Sweep& sweep, Visit visit) {
    std::vector<bool> drawn(static_cast<std::size_t>(box.getWidth()) * box.getHeight());
    const auto steps = static_cast<std::int32_t>(8 * (shape.radiusX + shape.radiusY) + 8);
    for (std::int32_t i = 0; i <= steps; ++i) {
        const double angle = sweep.start + sweep.length * i / steps;
        const auto x =
            static_cast<std::int32_t>(std::lround(shape.centreX + shape.radiusX * std::cos(angle)));
        const auto y =
            static_cast<std::int32_t>(std::lround(shape.centreY - shape.radiusY * std::sin(angle)));
        if (x < box.left || y < box.top || x >= box.right || y >= box.bottom) continue;
        const std::size_t index =
            static_cast<std::size_t>(y - box.top) * box.getWidth() + (x - box.left);
        if (drawn[index]) continue;
        drawn[index] = true;
        visit(x, y);
    }
}

}  // namespace gui::raster
