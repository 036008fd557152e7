#include "gui/controls/CSlider.h"

#include <cmath>
#include <cstring>

#include "gui/controls/ControlMath.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/COffscreenContext.h"

namespace gui {

namespace {

constexpr float kDefaultFineFactor = 10.0f;
constexpr std::int32_t kValueTowardEndBits = valueTowardEnd | valueTowardEndVertical;

}  // namespace

CSlider::CSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 CBitmap* handle, CBitmap* background, const CPosition& offset, std::int32_t style)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      handleBitmap(handle),
      style(style),
      controlWidth(size.getWidth()),
      controlHeight(size.getHeight()),
      fineFactor(kDefaultFineFactor) {
    if (handleBitmap) {
        handleBitmap->retain();
        sliderWidth = handleBitmap->getWidth();
        sliderHeight = handleBitmap->getHeight();
    }
    wantsFocusFlag = true;
}

CSlider::CSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 std::int32_t firstPixel, std::int32_t lastPixel, CBitmap* handle,
                 CBitmap* background, const CPosition& offset, std::int32_t style)
    : CSlider(size, listener, tag, handle, background, offset, style) {
    travelStart =
        saturatedInt(static_cast<std::int64_t>(firstPixel) - (horizontal() ? size.left : size.top));
    handleTravel = saturatedInt(static_cast<std::int64_t>(lastPixel) - firstPixel);
    setHandleOffset(CPosition(0, 0));
}

CSlider::CSlider(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                 const CPosition& handleOrigin, std::int32_t travel, CBitmap* handle,
                 CBitmap* background, const CPosition& offset, std::int32_t style)
    : CSlider(size, listener, tag, handle, background, offset, style) {
    travelStart = 0;
    handleTravel = saturatedInt(static_cast<std::int64_t>(travel) - handleLength());
    setHandleOffset(handleOrigin);
}

CSlider::~CSlider() {
    // Only a slider never taken out of its container still holds its buffer here.
    dropOffscreen();
    if (handleBitmap) handleBitmap->release();
}

void CSlider::setHandleOffset(const CPosition& origin) {
    handleOffset = origin;
    const std::int64_t first =
        static_cast<std::int64_t>(horizontal() ? origin.h : origin.v) + travelStart;
    minHandlePos = saturatedInt(first);
    maxHandlePos = saturatedInt(first + handleTravel + handleLength());
}

void CSlider::setHandleBitmap(CBitmap* bitmap) {
    // Retain first: the bitmap already held may be handed in again.
    if (bitmap) bitmap->retain();
    if (handleBitmap) handleBitmap->release();
    handleBitmap = bitmap;
    if (bitmap) {
        sliderWidth = bitmap->getWidth();
        sliderHeight = bitmap->getHeight();
    }
}

float CSlider::handlePosition() const {
    return (style & kValueTowardEndBits) ? value : 1.0f - value;
}

CRectangle CSlider::handleRect() const {
    const std::int64_t along = horizontal() ? handleOffset.h : handleOffset.v;
    const std::int64_t across = horizontal() ? handleOffset.v : handleOffset.h;
    std::int64_t start = truncatedToInt(static_cast<double>(handlePosition()) * handleTravel);
    start += along;
    if (start < minHandlePos) start = minHandlePos;
    std::int64_t end = start + handleLength();
    // A value beyond the range keeps the whole handle at the end of its travel.
    if (end > maxHandlePos) {
        end = maxHandlePos;
        start = end - handleLength() < minHandlePos ? minHandlePos : end - handleLength();
    }
    const std::int64_t acrossEnd = across + (horizontal() ? sliderHeight : sliderWidth);
    if (horizontal())
        return CRectangle(saturatedInt(start), saturatedInt(across), saturatedInt(end),
                          saturatedInt(acrossEnd));
    return CRectangle(saturatedInt(across), saturatedInt(start), saturatedInt(acrossEnd),
                      saturatedInt(end));
}

void CSlider::draw(CDrawContext* context) {
    if (!context) return;
    CDrawContext* target = offscreen ? static_cast<CDrawContext*>(offscreen) : context;
    // What lies behind a transparent slider shows through its buffer.
    if (offscreen && transparency) offscreen->copyFromContext(context, size, CPosition(0, 0));
    CRectangle area(0, 0, controlWidth, controlHeight);
    CRectangle handle = handleRect();
    if (!offscreen) {
        area.offset(size.left, size.top);
        handle.offset(size.left, size.top);
    }
    if (background) {
        if (transparency)
            background->drawKeyed(target, area, bitmapOffset);
        else
            background->draw(target, area, bitmapOffset);
    }
    if (handleBitmap) {
        if (transparentHandle)
            handleBitmap->drawKeyed(target, handle, CPosition(0, 0));
        else
            handleBitmap->draw(target, handle, CPosition(0, 0));
    }
    if (offscreen) offscreen->copyToContext(context, size, CPosition(0, 0));
    setDirty(false);
}

bool CSlider::grabOrigin(const CPosition& click, std::int32_t& origin) const {
    const std::int64_t base = static_cast<std::int64_t>(horizontal() ? size.left : size.top) +
                              (horizontal() ? handleOffset.h : handleOffset.v);
    if (jumpToClick) {
        // The handle's centre lands under the mouse.
        origin = saturatedInt(base + handleLength() / 2 - 1);
        return true;
    }
    const std::int64_t start =
        base + truncatedToInt(static_cast<double>(handlePosition()) * handleTravel);
    const std::int64_t acrossStart =
        static_cast<std::int64_t>(horizontal() ? size.top : size.left) +
        (horizontal() ? handleOffset.v : handleOffset.h);
    const std::int64_t along = horizontal() ? click.h : click.v;
    const std::int64_t across = horizontal() ? click.v : click.h;
    const std::int64_t acrossSize = horizontal() ? sliderHeight : sliderWidth;
    if (along < start || along > start + handleLength() || across < acrossStart ||
        across > acrossStart + acrossSize)
        return false;
    // Grabbed where it was hit, the handle does not jump.
    origin = saturatedInt(base + (along - start));
    return true;
}

float CSlider::valueAt(const CPosition& point, std::int32_t origin) const {
    const std::int64_t along = horizontal() ? point.h : point.v;
    const float share = static_cast<float>(along - origin) / static_cast<float>(handleTravel);
    // Paired with the drawing, so that the handle follows the mouse for every style.
    return (style & kValueTowardEndBits) ? share : 1.0f - share;
}

void CSlider::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = context ? context->getButtonState() : 0;
    if (modifierClickTaken(context, buttons) || resetToDefaultOnClick(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    // Tracking reads the mouse through the context; a slider without travel cannot be dragged.
    std::int32_t origin = 0;
    if (!context || handleTravel == 0 || !grabOrigin(where, origin)) return;
    // Shift divides the movement; a factor that cannot divide leaves it whole.
    const float fine = fineFactor > 0.0f ? fineFactor : 1.0f;
    // The loop's idle cycle may close the editor: the slider stays alive to the end of the loop
    // and stops when it has left its frame.
    retain();
    const bool framed = parentFrame != nullptr;
    float old = value;
    ButtonState remembered = buttons;
    beginEdit();
    // The first pass takes the press itself: a tap is over before it is handled, and is then a
    // click without movement.
    bool firstPass = true;
    for (;;) {
        const ButtonState now = firstPass ? buttons : context->getButtonState();
        firstPass = false;
        if (!(now & kButtonLeft)) break;
        const bool shift = (now & kModifierShift) != 0;
        // The fine movement counts from where the value stood when Shift went down.
        if (!shift)
            old = value;
        else if (now != remembered) {
            old = value;
            remembered = now;
        }
        value = valueAt(where, origin);
        if (shift) value = old + (value - old) / fine;
        clampValue();
        notifyIfDirty(context);
        getMousePoint(context, where);
        runIdle();
        if (framed && !parentFrame) break;
    }
    endEdit();
    release();
}

std::int32_t CSlider::onKeyDown(VstKeyCode& key) {
    if (!keyMovesValue(key, wheelIncrement, minValue, maxValue, value)) return kKeyNotHandled;
    clampValue();
    notifyAsGesture(nullptr);
    return 1;
}

bool CSlider::onWheel(CDrawContext* context, const CPosition&, float distance) {
    if (!getMouseEnabled() || !std::isfinite(distance)) return false;
    const ButtonState buttons = context ? context->getButtonState() : 0;
    value += wheelStep(buttons, distance, wheelIncrement);
    clampValue();
    notifyAsGesture(context);
    return true;
}

void CSlider::dropOffscreen() {
    if (offscreen) offscreen->release();
    offscreen = nullptr;
}

bool CSlider::attached(CView* parent) {
    dropOffscreen();
    // An empty buffer cannot be made; such a slider draws straight into the context.
    if (controlWidth > 0 && controlHeight > 0)
        offscreen = new COffscreenContext(parentFrame, controlWidth, controlHeight, kBlackColor);
    return CControl::attached(parent);
}

bool CSlider::removed(CView* parent) {
    dropOffscreen();
    return CControl::removed(parent);
}

bool CSlider::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CSlider") == 0) || CControl::isTypeOf(className);
}

CVerticalSlider::CVerticalSlider(const CRectangle& size, CControlListener* listener,
                                 std::int32_t tag, std::int32_t firstPixel, std::int32_t lastPixel,
                                 CBitmap* handle, CBitmap* background, const CPosition& offset,
                                 std::int32_t style)
    : CSlider(size, listener, tag, firstPixel, lastPixel, handle, background, offset,
              style | verticalSlider) {}

CVerticalSlider::CVerticalSlider(const CRectangle& size, CControlListener* listener,
                                 std::int32_t tag, const CPosition& handleOrigin,
                                 std::int32_t travel, CBitmap* handle, CBitmap* background,
                                 const CPosition& offset, std::int32_t style)
    : CSlider(size, listener, tag, handleOrigin, travel, handle, background, offset,
              style | verticalSlider) {}

CHorizontalSlider::CHorizontalSlider(const CRectangle& size, CControlListener* listener,
                                     std::int32_t tag, std::int32_t firstPixel,
                                     std::int32_t lastPixel, CBitmap* handle, CBitmap* background,
                                     const CPosition& offset, std::int32_t style)
    : CSlider(size, listener, tag, firstPixel, lastPixel, handle, background, offset,
              style | horizontalSlider) {}

CHorizontalSlider::CHorizontalSlider(const CRectangle& size, CControlListener* listener,
                                     std::int32_t tag, const CPosition& handleOrigin,
                                     std::int32_t travel, CBitmap* handle, CBitmap* background,
                                     const CPosition& offset, std::int32_t style)
    : CSlider(size, listener, tag, handleOrigin, travel, handle, background, offset,
              style | horizontalSlider) {}

}  // namespace gui
