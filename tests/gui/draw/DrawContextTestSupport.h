// Helpers shared by the drawing context tests: where pixels went, and on Windows what GDI holds.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/draw/PixelSurface.h"
#ifdef _WIN32
#include "gui/draw/GdiTestSupport.h"
#endif

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

}  // namespace drawtest
