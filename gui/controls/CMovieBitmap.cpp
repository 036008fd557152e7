#include "gui/controls/CMovieBitmap.h"

#include <cstring>

#include "gui/controls/ControlMath.h"
#include "gui/draw/CBitmap.h"

namespace gui {

namespace {

std::int32_t framesInStrip(const CBitmap* strip, std::int32_t frameHeight) {
    if (!strip || frameHeight <= 0) return 0;
    return strip->getHeight() / frameHeight;
}

}  // namespace

CMovieBitmap::CMovieBitmap(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                           CBitmap* background, const CPosition& offset)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      frameCount(framesInStrip(background, size.getHeight())),
      frameHeight(size.getHeight()) {}

CMovieBitmap::CMovieBitmap(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                           std::int32_t frameCount, std::int32_t frameHeight, CBitmap* background,
                           const CPosition& offset)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      frameCount(frameCount),
      frameHeight(frameHeight) {}

CMovieBitmap::~CMovieBitmap() = default;

std::int32_t CMovieBitmap::frameIndex() {
    // NaN and values at or below 0 show the first frame; halves round up.
    if (!(value > 0.0f) || frameCount <= 1) return 0;
    const float shown = value > 1.0f ? 1.0f : value;
    std::int32_t k = truncatedToInt(shown * static_cast<float>(frameCount - 1) + 0.5f);
    // Never past the last whole frame below the offset: the drawing stays inside the strip.
    if (background && frameHeight > 0) {
        const std::int64_t room =
            static_cast<std::int64_t>(background->getHeight()) - bitmapOffset.v - frameHeight;
        const std::int64_t lastInside = room > 0 ? room / frameHeight : 0;
        if (k > lastInside) k = static_cast<std::int32_t>(lastInside);
    }
    return k;
}

void CMovieBitmap::draw(CDrawContext* context) {
    if (!context) return;
    const std::int32_t k = frameIndex();
    if (value > 1.0f) value = 1.0f;
    if (background) {
        // A frame height of 0 or less shows the strip's top frame for every value.
        const std::int64_t step = frameHeight > 0 ? frameHeight : 0;
        const CPosition source(bitmapOffset.h, saturatedInt(bitmapOffset.v + k * step));
        if (transparency)
            background->drawKeyed(context, size, source);
        else
            background->draw(context, size, source);
    }
    setDirty(false);
}

bool CMovieBitmap::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CMovieBitmap") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
