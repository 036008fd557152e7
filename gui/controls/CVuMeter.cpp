#include "gui/controls/CVuMeter.h"

#include <cstring>

#include "gui/controls/ControlMath.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/COffscreenContext.h"

namespace gui {

CVuMeter::CVuMeter(const CRectangle& size, CBitmap* onBitmap, CBitmap* offBitmap,
                   std::int32_t ledCount, std::int32_t style)
    : CControl(size, nullptr, 0, nullptr),
      litBitmap(onBitmap),
      unlitBitmap(offBitmap),
      ledCount(ledCount),
      style(style) {
    if (litBitmap) litBitmap->retain();
    if (unlitBitmap) unlitBitmap->retain();
    litRect = CRectangle(0, 0, size.getWidth(), size.getHeight()).normalize();
    unlitRect = litRect;
}

CVuMeter::~CVuMeter() {
    // Only a meter drawn but never adopted still holds its buffer here.
    dropOffscreen();
    if (litBitmap) litBitmap->release();
    if (unlitBitmap) unlitBitmap->release();
}

void CVuMeter::createOffscreen() {
    dropOffscreen();
    offscreen = new COffscreenContext(parentFrame, size.getWidth(), size.getHeight(), kBlackColor);
    litRect = CRectangle(0, 0, size.getWidth(), size.getHeight()).normalize();
    unlitRect = litRect;
}

void CVuMeter::dropOffscreen() {
    if (offscreen) offscreen->release();
    offscreen = nullptr;
}

bool CVuMeter::attached(CView* parent) {
    createOffscreen();
    return CControl::attached(parent);
}

bool CVuMeter::removed(CView* parent) {
    dropOffscreen();
    return CControl::removed(parent);
}

void CVuMeter::setDirty(bool value) { dirty = value; }

float CVuMeter::shownLevel() const {
    // A NaN value shows as the bottom of the range.
    const float target = value == value ? value : minValue;
    float level = oldValue - fallStep;
    if (target > level || !(level == level)) level = target;
    // Odd fall steps (negative, NaN) or bounds never take the level outside the range.
    if (level > maxValue) level = maxValue;
    if (level < minValue) level = minValue;
    return level;
}

std::int32_t CVuMeter::revealed(float level, std::int32_t length) const {
    double share = level;
    if (ledCount > 0)
        share = truncatedToInt(level * static_cast<float>(ledCount) + 0.5f) /
                static_cast<double>(ledCount);
    std::int32_t pixels = truncatedToInt(share * length);
    if (pixels > length) pixels = length;
    return pixels < 0 ? 0 : pixels;
}

void CVuMeter::drawPart(CBitmap* bitmap, const CRectangle& rect, const CPosition& source) {
    if (!bitmap) return;
    if (transparency)
        bitmap->drawKeyed(offscreen, rect, source);
    else
        bitmap->draw(offscreen, rect, source);
}

void CVuMeter::draw(CDrawContext* context) {
    if (!context) return;
    if (!litBitmap) {
        // Nothing to show: nothing to fall toward either.
        oldValue = value;
        setDirty(false);
        return;
    }
    clampValue();
    const float level = shownLevel();
    oldValue = level;
    if (!offscreen) createOffscreen();
    if (style & horizontalMeter) {
        const std::int32_t p = revealed(level, litBitmap->getWidth());
        litRect.right = p;
        unlitRect.left = p;
        drawPart(unlitBitmap, unlitRect, CPosition(p, 0));
        drawPart(litBitmap, litRect, CPosition(0, 0));
    } else {
        const std::int32_t p = revealed(maxValue - level, litBitmap->getHeight());
        litRect.top = p;
        unlitRect.bottom = p;
        drawPart(unlitBitmap, unlitRect, CPosition(0, 0));
        drawPart(litBitmap, litRect, CPosition(0, p));
    }
    offscreen->copyToContext(context, size, CPosition(0, 0));
    setDirty(false);
}

bool CVuMeter::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CVuMeter") == 0) || CControl::isTypeOf(className);
}

}  // namespace gui
