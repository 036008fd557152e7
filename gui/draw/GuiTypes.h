// Value types every drawing and view operation passes around: points, rectangles, colours.
#pragma once

#include <algorithm>
#include <cstdint>

namespace gui {

// A point in pixels; v grows downwards.
struct CPosition {
    std::int32_t h = 0;
    std::int32_t v = 0;

    CPosition() = default;
    CPosition(std::int32_t h, std::int32_t v) : h(h), v(v) {}
    bool operator==(const CPosition& other) const { return h == other.h && v == other.v; }
    bool operator!=(const CPosition& other) const { return !(*this == other); }
};

// Columns left to right - 1 and rows top to bottom - 1. Nothing keeps it ordered until
// normalize() is applied.
struct CRectangle {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    CRectangle() = default;
    CRectangle(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom)
        : left(left), top(top), right(right), bottom(bottom) {}

    std::int32_t getWidth() const { return right - left; }
    std::int32_t getHeight() const { return bottom - top; }
    CRectangle& offset(std::int32_t dh, std::int32_t dv) {
        left += dh;
        right += dh;
        top += dv;
        bottom += dv;
        return *this;
    }
    bool pointInside(const CPosition& point) const {
        return left <= point.h && point.h < right && top <= point.v && point.v < bottom;
    }
    bool isEmpty() const { return right <= left || bottom <= top; }
    // Overlap where a shared edge counts: what reaches a view for redraw and invalidation.
    bool touches(const CRectangle& other) const {
        return other.right >= left && other.left <= right && other.bottom >= top &&
               other.top <= bottom;
    }
    // Clips to other; disjoint rectangles give an empty one, never an inverted one.
    CRectangle& bound(const CRectangle& other) {
        left = std::max(left, other.left);
        top = std::max(top, other.top);
        right = std::min(right, other.right);
        bottom = std::min(bottom, other.bottom);
        if (bottom < top) bottom = top;
        if (right < left) right = left;
        return *this;
    }
    CRectangle& normalize() {
        if (right < left) std::swap(left, right);
        if (bottom < top) std::swap(top, bottom);
        return *this;
    }
    bool operator==(const CRectangle& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
    bool operator!=(const CRectangle& other) const { return !(*this == other); }
};

// Four bytes, red first; alpha 255 is opaque. Equal only when all four bytes are.
struct CColorValue {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t alpha = 0;

    bool operator==(const CColorValue& other) const {
        return red == other.red && green == other.green && blue == other.blue &&
               alpha == other.alpha;
    }
    bool operator!=(const CColorValue& other) const { return !(*this == other); }
    // The 0x00BBGGRR value GDI takes; alpha never reaches it.
    std::uint32_t toPlatformColor() const {
        return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
               (static_cast<std::uint32_t>(blue) << 16);
    }
    // A colour read back from a GDI value, with the alpha the reader chooses.
    static CColorValue fromPlatformColor(std::uint32_t value, std::uint8_t alpha) {
        return {static_cast<std::uint8_t>(value & 0xFF),
                static_cast<std::uint8_t>((value >> 8) & 0xFF),
                static_cast<std::uint8_t>((value >> 16) & 0xFF), alpha};
    }
};
static_assert(sizeof(CColorValue) == 4 && alignof(CColorValue) == 1);

inline constexpr CColorValue kBlackColor{0, 0, 0, 255};
inline constexpr CColorValue kWhiteColor{255, 255, 255, 255};
inline constexpr CColorValue kGreyColor{127, 127, 127, 255};
inline constexpr CColorValue kRedColor{255, 0, 0, 255};
inline constexpr CColorValue kGreenColor{0, 255, 0, 255};
inline constexpr CColorValue kBlueColor{0, 0, 255, 255};
inline constexpr CColorValue kYellowColor{255, 255, 0, 255};
inline constexpr CColorValue kMagentaColor{255, 0, 255, 255};
inline constexpr CColorValue kCyanColor{0, 255, 255, 255};
// The default colour key of every bitmap.
inline constexpr CColorValue kTransparentColor{255, 255, 255, 0};

}  // namespace gui
