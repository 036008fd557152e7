#include "gui/controls/CMovieButton.h"

#include <cstring>

#include "gui/controls/ButtonSupport.h"

namespace gui {

namespace {

constexpr std::int32_t kOnFrame = 1;

}  // namespace

CMovieButton::CMovieButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                           CBitmap* background, const CPosition& offset)
    : CMovieButton(size, listener, tag, size.getHeight(), background, offset) {}

CMovieButton::CMovieButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                           std::int32_t frameHeight, CBitmap* background, const CPosition& offset)
    : CControl(size, listener, tag, background), bitmapOffset(offset), frameHeight(frameHeight) {}

CMovieButton::~CMovieButton() = default;

void CMovieButton::draw(CDrawContext* context) {
    if (!context) return;
    clampValue();
    const std::int32_t k = value != 0.0f ? kOnFrame : 0;
    const CPosition source(0, buttonkit::frameTop(background, 0, frameHeight, k));
    buttonkit::drawFrame(background, transparency, context, size, source);
    setDirty(false);
}

void CMovieButton::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = buttonkit::heldButtons(context);
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    retain();
    const float entry = value;
    beginEdit();
    if (buttonkit::heldButtons(context) == 0) {
        // Released already: the click toggles without tracking.
        value = buttonkit::toggled(value);
        if (listener) listener->valueChanged(context, this);
    } else {
        buttonkit::trackPress(
            *this, context, where,
            [this, entry, context](const CPosition& point) {
                value = buttonkit::inside(size, point) ? buttonkit::toggled(entry) : entry;
                notifyIfDirty(context);
            },
            [buttons](ButtonState held) { return held == buttons; });
    }
    endEdit();
    release();
}

bool CMovieButton::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CMovieButton") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
