// Panel units and device pixels. The views work in panel units; a context or window at a scale
// factor puts each panel unit on that many device pixels. At 1.0 every mapping is the identity.
#pragma once

#include <cmath>
#include <cstdint>

#include "gui/draw/GuiTypes.h"

namespace gui {

inline constexpr double kSmallestScale = 1.0;
inline constexpr double kLargestScale = 3.0;

// A factor the panel can be shown at: finite and within the range, else 0.
inline double acceptedScale(double factor) {
    if (!std::isfinite(factor) || factor < kSmallestScale || factor > kLargestScale) return 0.0;
    return factor;
}

// The device pixel where a panel coordinate starts. Rounding each edge, not each length, keeps
// neighbouring rectangles meeting without gaps or overlaps.
inline std::int32_t toDevice(std::int32_t panel, double scale) {
    if (scale == 1.0) return panel;
    return static_cast<std::int32_t>(std::floor(panel * scale + 0.5));
}

// The panel coordinate a device pixel lies in: the last unit that starts at or before it. The
// estimate is corrected against toDevice itself, whose edges round half up.
inline std::int32_t toPanel(std::int32_t device, double scale) {
    if (scale == 1.0 || !(scale > 0.0) || !std::isfinite(scale)) return device;
    auto panel = static_cast<std::int32_t>(std::floor((device + 0.5) / scale));
    while (toDevice(panel, scale) > device) --panel;
    while (toDevice(panel + 1, scale) <= device) ++panel;
    return panel;
}

// The panel coordinate whose start is at or after a device edge: with toPanel it gives the panel
// rectangle that covers a device rectangle.
inline std::int32_t toPanelCeiling(std::int32_t device, double scale) {
    if (scale == 1.0 || !(scale > 0.0) || !std::isfinite(scale)) return device;
    const std::int32_t panel = toPanel(device, scale);
    return toDevice(panel, scale) == device ? panel : panel + 1;
}

inline CPosition toDevice(const CPosition& point, double scale) {
    return CPosition(toDevice(point.h, scale), toDevice(point.v, scale));
}

inline CPosition toPanel(const CPosition& point, double scale) {
    return CPosition(toPanel(point.h, scale), toPanel(point.v, scale));
}

inline CRectangle toDevice(const CRectangle& rect, double scale) {
    return CRectangle(toDevice(rect.left, scale), toDevice(rect.top, scale),
                      toDevice(rect.right, scale), toDevice(rect.bottom, scale));
}

// The smallest panel rectangle that covers the device rectangle.
inline CRectangle coveringPanelRect(const CRectangle& device, double scale) {
    return CRectangle(toPanel(device.left, scale), toPanel(device.top, scale),
                      toPanelCeiling(device.right, scale), toPanelCeiling(device.bottom, scale));
}

}  // namespace gui
