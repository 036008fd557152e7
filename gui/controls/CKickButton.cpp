#include "gui/controls/CKickButton.h"

#include <cstring>

#include "gui/controls/ButtonSupport.h"

namespace gui {

namespace {

constexpr std::int32_t kPressedFrame = 1;

}  // namespace

CKickButton::CKickButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                         CBitmap* background, const CPosition& offset)
    : CKickButton(size, listener, tag, size.getHeight(), background, offset) {}

CKickButton::CKickButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                         std::int32_t frameHeight, CBitmap* background, const CPosition& offset)
    : CControl(size, listener, tag, background), bitmapOffset(offset), frameHeight(frameHeight) {}

CKickButton::~CKickButton() = default;

void CKickButton::draw(CDrawContext* context) {
    if (!context) return;
    clampValue();
    const std::int32_t k = value != 0.0f ? kPressedFrame : 0;
    const CPosition source(bitmapOffset.h,
                           buttonkit::frameTop(background, bitmapOffset.v, frameHeight, k));
    buttonkit::drawFrame(background, transparency, context, size, source);
    setDirty(false);
}

void CKickButton::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = buttonkit::heldButtons(context);
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    retain();
    const float entry = value;
    // The listener or the idle cycle may close the editor; then nobody is told any more.
    CFrame* const frame = parentFrame;
    beginEdit();
    if (buttonkit::heldButtons(context) != kButtonLeft) {
        // Released already, or something else is held: a kick without tracking.
        value = buttonkit::toggled(value);
        if (listener) listener->valueChanged(context, this);
    } else {
        buttonkit::trackPress(
            *this, context, where,
            [this, entry, context](const CPosition& point) {
                value = buttonkit::inside(size, point) ? buttonkit::toggled(entry) : entry;
                notifyIfDirty(context);
            },
            [](ButtonState held) { return held == kButtonLeft; });
    }
    if (parentFrame == frame) {
        // Every kick ends at 0, whether or not it looked changed.
        value = 0.0f;
        if (listener) listener->valueChanged(context, this);
    }
    endEdit();
    release();
}

bool CKickButton::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CKickButton") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
