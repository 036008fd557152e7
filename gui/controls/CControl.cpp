#include "gui/controls/CControl.h"

#include <cstring>
#include <limits>

#include "gui/platform/PointerInput.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

constexpr float kForcedOldValue = -1.0f;
constexpr float kForcedOldValueForMinusOne = 0.0f;
// lastClickTicks when no click is waiting for its second one.
constexpr std::int32_t kNoClick = -1;
constexpr std::int32_t kClickConsumed = 0;

}  // namespace

std::int32_t boundedDoubleClickDelta(std::uint32_t systemMilliseconds) {
    constexpr auto kLongest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    if (systemMilliseconds > kLongest) return std::numeric_limits<std::int32_t>::max();
    const auto delta = static_cast<std::int32_t>(systemMilliseconds);
    return delta < kMinDoubleClickDelta ? kMinDoubleClickDelta : delta;
}

CControl::CControl(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                   CBitmap* background)
    : CView(size),
      listener(listener),
      tag(tag),
      doubleClickDelta(boundedDoubleClickDelta(platform::doubleClickTime())) {
    transparency = false;
    mouseEnabled = true;
    setBackground(background);
}

CControl::~CControl() = default;

bool CControl::isDirty() {
    // Written so that a NaN on either side counts as a difference.
    if (!(value == oldValue)) return true;
    return dirty;
}

void CControl::setDirty(bool value) {
    dirty = value;
    if (value)
        oldValue = this->value == kForcedOldValue ? kForcedOldValueForMinusOne : kForcedOldValue;
    else
        oldValue = this->value;
}

bool CControl::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CControl") == 0) || CView::isTypeOf(className);
}

bool CControl::removed(CView* parent) {
    while (openEdits > 0) endEdit();
    const bool answer = CView::removed(parent);
    parentFrame = nullptr;
    parentView = nullptr;
    return answer;
}

void CControl::runIdle() {
    if (parentFrame) parentFrame->runIdleCycle();
}

void CControl::beginEdit() {
    if (!parentFrame) return;
    parentFrame->setFocusView(this);
    // The focus change may have closed the editor or taken this control out of the tree.
    if (!parentFrame) return;
    // Counted before the host hears of it: a host that closes the editor inside the call takes
    // this control out of the tree, and the removal then ends the gesture.
    ++openEdits;
    parentFrame->beginEdit(tag);
}

void CControl::endEdit() {
    if (openEdits <= 0) return;
    --openEdits;
    if (parentFrame) parentFrame->endEdit(tag);
}

void CControl::takeBackgroundOffsetFromSize() { backgroundOffset = CPosition(size.left, size.top); }

bool CControl::beginEditKeepsFrame() {
    CFrame* const frame = parentFrame;
    beginEdit();
    return parentFrame == frame;
}

void CControl::clampValue() {
    if (value > maxValue)
        value = maxValue;
    else if (value < minValue || value != value)  // a NaN takes the minimum
        value = minValue;
}

bool CControl::resetToDefaultOnClick(CDrawContext* context, ButtonState buttons) {
    if (buttons != kResetClick) return false;
    // The listener may remove the control and the host may close the editor: the control lives
    // to the end of the gesture, and a control that left its frame tells nobody any more.
    const auto hold = keptAlive(this);
    if (!beginEditKeepsFrame()) return true;
    value = defaultValue;
    notifyIfDirty(context);
    endEdit();
    return true;
}

bool CControl::detectDoubleClick() {
    const std::uint32_t now =
        parentFrame ? static_cast<std::uint32_t>(parentFrame->tickCount()) : 0;
    const bool waiting = lastClickTicks != kNoClick && lastClickTicks != kClickConsumed;
    // Unsigned distance, so that the tick count's wrap-around does not end double clicks.
    if (waiting && now - static_cast<std::uint32_t>(lastClickTicks) <
                       static_cast<std::uint32_t>(doubleClickDelta)) {
        lastClickTicks = kClickConsumed;
        return true;
    }
    lastClickTicks = static_cast<std::int32_t>(now);
    return false;
}

bool CControl::modifierClickTaken(CDrawContext* context, ButtonState buttons) {
    return listener && (buttons & kModifierBits) != 0 &&
           listener->modifierClicked(context, this, buttons) != 0;
}

void CControl::notifyIfDirty(CDrawContext* context) {
    if (isDirty() && listener) listener->valueChanged(context, this);
}

void CControl::notifyAsGesture(CDrawContext* context) {
    if (!isDirty() || !listener) return;
    const auto hold = keptAlive(this);
    if (!beginEditKeepsFrame()) return;
    listener->valueChanged(context, this);
    endEdit();
}

}  // namespace gui
