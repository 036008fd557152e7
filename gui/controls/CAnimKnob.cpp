#include "gui/controls/CAnimKnob.h"

#include <cstring>

#include "gui/draw/CBitmap.h"

namespace gui {

namespace {

// The strip is read from the top of the frame for the value, from its left edge.
constexpr std::int32_t kStripColumn = 0;

std::int32_t framesInStrip(const CBitmap* strip, std::int32_t frameHeight) {
    if (!strip || frameHeight <= 0) return 0;
    // Kept to 16 bits, as the count has always been.
    return static_cast<std::int16_t>(strip->getHeight() / frameHeight);
}

}  // namespace

CAnimKnob::CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                     std::int32_t frameCount, std::int32_t frameHeight, CBitmap* background,
                     const CPosition& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      frameCount(frameCount),
      frameHeight(frameHeight) {
    inset = 0;
}

CAnimKnob::CAnimKnob(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                     CBitmap* background, const CPosition& offset)
    : CKnob(size, listener, tag, background, nullptr, offset),
      frameCount(framesInStrip(background, size.getHeight())),
      frameHeight(size.getHeight()) {
    inset = 0;
}

CAnimKnob::~CAnimKnob() = default;

std::int32_t CAnimKnob::frameOffset() {
    // Without a usable frame height every value shows the top of the strip.
    if (!(value >= 0.0f) || frameHeight <= 0 || frameCount <= 1) return 0;
    const std::int64_t range = static_cast<std::int64_t>(frameHeight) * (frameCount - 1);
    const long double product = static_cast<long double>(value) * range;
    // Values above the maximum show the last frame.
    std::int64_t top = product >= range ? range : static_cast<std::int64_t>(product);
    if (top < range) top = top / frameHeight * frameHeight;
    // Never past the last whole frame the bitmap holds.
    if (background) {
        const std::int64_t stripHeight = background->getHeight();
        const std::int64_t lastInside =
            stripHeight >= frameHeight ? (stripHeight - frameHeight) / frameHeight * frameHeight
                                       : 0;
        if (top > lastInside) top = lastInside;
    }
    return static_cast<std::int32_t>(top);
}

void CAnimKnob::draw(CDrawContext* context) {
    if (!context) return;
    const std::int32_t top = frameOffset();
    if (background) {
        const CPosition source(kStripColumn, top);
        if (transparency)
            background->drawKeyed(context, size, source);
        else
            background->draw(context, size, source);
    }
    pointFromValue(lastDrawnPoint);
    lastDrawnFrame = top;
    setDirty(false);
}

bool CAnimKnob::isDirty() {
    if (!dirty) {
        CPosition point;
        pointFromValue(point);
        if (point == lastDrawnPoint && frameOffset() == lastDrawnFrame) return false;
    }
    return CKnob::isDirty();
}

bool CAnimKnob::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CAnimKnob") == 0) || CKnob::isTypeOf(className);
}

}  // namespace gui
