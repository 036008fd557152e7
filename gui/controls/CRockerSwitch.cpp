#include "gui/controls/CRockerSwitch.h"

#include <cstring>

#include "gui/controls/ButtonSupport.h"

namespace gui {

namespace {

constexpr float kFirstHalf = -1.0f;
constexpr float kSecondHalf = 1.0f;
constexpr float kRest = 0.0f;
constexpr std::int32_t kRestFrame = 1;
constexpr std::int32_t kSecondHalfFrame = 2;

}  // namespace

CRockerSwitch::CRockerSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                             CBitmap* background, const CPosition& offset, std::int32_t style)
    : CRockerSwitch(size, listener, tag, size.getWidth(), background, offset, style) {}

CRockerSwitch::CRockerSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                             std::int32_t frameHeight, CBitmap* background, const CPosition& offset,
                             std::int32_t style)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      frameHeight(frameHeight),
      style(style) {}

CRockerSwitch::~CRockerSwitch() = default;

void CRockerSwitch::draw(CDrawContext* context) {
    if (!context) return;
    std::int32_t k = 0;
    if (value == kSecondHalf)
        k = kSecondHalfFrame;
    else if (value == kRest)
        k = kRestFrame;
    const CPosition source(bitmapOffset.h,
                           buttonkit::frameTop(background, bitmapOffset.v, frameHeight, k));
    buttonkit::drawFrame(background, transparency, context, size, source);
    setDirty(false);
}

float CRockerSwitch::valueAt(const CPosition& point, float entry) const {
    if (!buttonkit::inside(size, point)) return entry;
    // Wide arithmetic: the halves of any rectangle, even one spanning the whole 32-bit range.
    if (style & horizontalRocker) {
        const std::int64_t middle =
            size.left + (static_cast<std::int64_t>(size.right) - size.left) / 2;
        return point.h <= middle ? kFirstHalf : kSecondHalf;
    }
    const std::int64_t middle = size.top + (static_cast<std::int64_t>(size.bottom) - size.top) / 2;
    return point.v <= middle ? kFirstHalf : kSecondHalf;
}

void CRockerSwitch::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = buttonkit::heldButtons(context);
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    retain();
    const float entry = value;
    beginEdit();
    const bool framed = buttonkit::trackPress(
        *this, context, where,
        [this, entry, context](const CPosition& point) {
            value = valueAt(point, entry);
            notifyIfDirty(context);
        },
        [](ButtonState held) { return held != 0; });
    if (framed) {
        value = kRest;
        if (listener) listener->valueChanged(context, this);
    }
    endEdit();
    release();
}

bool CRockerSwitch::onWheel(CDrawContext* context, const CPosition&, float distance) {
    if (!getMouseEnabled()) return false;
    // The listener may remove the switch and the host may close the editor mid-gesture.
    const auto hold = keptAlive(this);
    CFrame* const frame = parentFrame;
    value = distance > 0.0f ? kFirstHalf : kSecondHalf;
    if (!beginEditKeepsFrame()) return true;
    notifyIfDirty(context);
    if (parentFrame != frame) return true;
    value = kRest;
    if (listener) listener->valueChanged(context, this);
    endEdit();
    return true;
}

bool CRockerSwitch::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CRockerSwitch") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
