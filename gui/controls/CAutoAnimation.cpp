#include "gui/controls/CAutoAnimation.h"

#include <cstring>

#include "gui/controls/ControlMath.h"
#include "gui/draw/CBitmap.h"

namespace gui {

namespace {

std::int32_t framesInStrip(const CBitmap* strip, std::int32_t frameHeight) {
    if (!strip || frameHeight <= 0) return 0;
    return strip->getHeight() / frameHeight;
}

std::int32_t stripHeight(std::int32_t frameCount, std::int32_t frameHeight) {
    return saturatedInt(static_cast<std::int64_t>(frameCount) * frameHeight);
}

}  // namespace

CAutoAnimation::CAutoAnimation(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                               CBitmap* background, const CPosition& offset)
    : CAutoAnimation(size, listener, tag, framesInStrip(background, size.getHeight()),
                     size.getHeight(), background, offset) {}

CAutoAnimation::CAutoAnimation(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                               std::int32_t frameCount, std::int32_t frameHeight,
                               CBitmap* background, const CPosition& offset)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      frameCount(frameCount),
      frameHeight(frameHeight),
      totalHeight(stripHeight(frameCount, frameHeight)) {}

CAutoAnimation::~CAutoAnimation() = default;

void CAutoAnimation::draw(CDrawContext* context) {
    if (context && animationShown && background) {
        std::int64_t row = truncatedToInt(value);
        // An offset set from outside never reads above the strip or below its last frame.
        const std::int64_t lastRow =
            static_cast<std::int64_t>(background->getHeight()) - bitmapOffset.v - size.getHeight();
        if (row > lastRow) row = lastRow;
        if (row < 0) row = 0;
        const CPosition source(bitmapOffset.h, saturatedInt(bitmapOffset.v + row));
        if (transparency)
            background->drawKeyed(context, size, source);
        else
            background->draw(context, size, source);
    }
    setDirty(false);
}

void CAutoAnimation::nextFrame() {
    value += static_cast<float>(frameHeight);
    if (value >= static_cast<float>(totalHeight) - static_cast<float>(frameHeight)) value = 0.0f;
}

void CAutoAnimation::previousFrame() {
    value -= static_cast<float>(frameHeight);
    if (value < 0.0f)
        value = static_cast<float>(static_cast<std::int64_t>(totalHeight) - frameHeight - 1);
}

void CAutoAnimation::mouse(CDrawContext* context, CPosition&, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = context ? context->getButtonState() : 0;
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    value = 0.0f;
    if (!animationShown) {
        showAnimation();
        setDirty(true);
        if (listener) listener->valueChanged(context, this);
    } else {
        setDirty(true);
        hideAnimation();
    }
}

bool CAutoAnimation::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CAutoAnimation") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
