// What the buttons and switches share: frames of a vertical film strip chosen safely, the inclusive
// hit test of a press, and the loop that follows a held press.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"
#include "gui/controls/ControlMath.h"
#include "gui/draw/CBitmap.h"

namespace gui {
namespace buttonkit {

// Frames as high as frameHeight that a strip holds; none without a strip or a height.
inline std::int32_t framesInStrip(const CBitmap* strip, std::int32_t frameHeight) {
    if (!strip || frameHeight <= 0) return 0;
    return strip->getHeight() / frameHeight;
}

// The top row of frame k of a strip read downwards from origin. Never past the last whole frame
// the bitmap holds below origin; a frame height of 0 or less, and k at or below 0, give origin.
inline std::int32_t frameTop(const CBitmap* strip, std::int32_t origin, std::int32_t frameHeight,
                             std::int64_t k) {
    if (frameHeight <= 0 || k <= 0) return origin;
    if (strip) {
        const std::int64_t room =
            static_cast<std::int64_t>(strip->getHeight()) - origin - frameHeight;
        const std::int64_t lastInside = room > 0 ? room / frameHeight : 0;
        if (k > lastInside) k = lastInside;
    }
    return saturatedInt(origin + k * frameHeight);
}

// The source rectangle's top-left is source; keyed when the view is transparent.
inline void drawFrame(CBitmap* strip, bool keyed, CDrawContext* context, const CRectangle& size,
                      const CPosition& source) {
    if (!strip || !context) return;
    if (keyed)
        strip->drawKeyed(context, size, source);
    else
        strip->draw(context, size, source);
}

// All four edges belong to the control.
inline bool inside(const CRectangle& size, const CPosition& point) {
    return point.h >= size.left && point.h <= size.right && point.v >= size.top &&
           point.v <= size.bottom;
}

// Without a context nothing can be read: nothing is held.
inline ButtonState heldButtons(CDrawContext* context) {
    return context ? context->getButtonState() : 0;
}

// The frame a switch of positions positions shows for value: the nearest position, never below
// the first.
inline std::int64_t switchFrame(float value, std::int32_t positions) {
    const std::int32_t k = truncatedToInt(
        static_cast<double>(value) * (static_cast<std::int64_t>(positions) - 1) + 0.5);
    return k > 0 ? k : 0;
}

// The frame of the nearest position, from the strip's top-left; keyed when transparent.
inline void drawSwitch(CBitmap* strip, bool keyed, CDrawContext* context, const CRectangle& size,
                       float value, std::int32_t positions, std::int32_t frameHeight) {
    const CPosition source(0, frameTop(strip, 0, frameHeight, switchFrame(value, positions)));
    drawFrame(strip, keyed, context, size, source);
}

// The other of a two-state button's values.
inline float toggled(float value) { return value == 0.0f ? 1.0f : 0.0f; }

// The value of the position a point lies in, along pixels past the switch's first edge, with
// positions of step pixels each; kept to 0 to 1. Needs at least two positions and a positive step.
inline float switchValueAt(std::int64_t along, double step, std::int32_t positions) {
    const double p = truncatedToInt(static_cast<double>(along) / step);
    const auto shared = static_cast<float>(p / (static_cast<double>(positions) - 1.0));
    if (shared > 1.0f) return 1.0f;
    if (shared < 0.0f) return 0.0f;
    return shared;
}

// The pixels per position when span pixels hold positions positions; false for a switch the mouse
// cannot set: a single position divides by zero, a span of no pixels maps nowhere.
inline bool switchStep(std::int32_t span, std::int32_t positions, double& step) {
    if (positions < 2 || span <= 0) return false;
    step = static_cast<double>(span) / positions;
    return true;
}

// Follows one press: each pass runs pass(point), refreshes the point and runs the idle cycle;
// the loop ends when holding(state read after the pass) answers false. The idle cycle may close
// the editor: the loop also ends when the control has left the frame it was in, and then answers
// false, so that the caller tells nobody any more. Without a context the press gets one pass.
template <typename Pass, typename Holding>
bool trackPress(CControl& control, CDrawContext* context, CPosition& where, Pass pass,
                Holding holding) {
    CFrame* const frame = control.getFrame();
    for (;;) {
        pass(where);
        control.getMousePoint(context, where);
        control.runIdle();
        if (frame && control.getFrame() != frame) return false;
        if (!holding(heldButtons(context))) return true;
    }
}

}  // namespace buttonkit
}  // namespace gui
