#include "gui/controls/COnOffButton.h"

#include <cstring>

#include "gui/controls/ButtonSupport.h"

namespace gui {

COnOffButton::COnOffButton(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                           CBitmap* background, std::int32_t style)
    : CControl(size, listener, tag, background), style(style) {}

COnOffButton::~COnOffButton() = default;

void COnOffButton::draw(CDrawContext* context) {
    if (!context) return;
    if (background) {
        const std::int32_t top = value == 0.0f ? 0 : background->getHeight() / 2;
        buttonkit::drawFrame(background, transparency, context, size, CPosition(0, top));
    }
    setDirty(false);
}

void COnOffButton::notifyClick(CDrawContext* context) {
    if (!listener) return;
    beginEdit();
    listener->valueChanged(context, this);
    endEdit();
}

void COnOffButton::mouse(CDrawContext* context, CPosition&, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = buttonkit::heldButtons(context);
    if (!(buttons & kButtonLeft)) return;
    if (modifierClickTaken(context, buttons)) return;
    value = truncatedToInt(value) == 0 ? 1.0f : 0.0f;
    if (style == notifyBeforeRedraw) notifyClick(context);
    // The repaint's idle cycle may close the editor; then nobody is told any more.
    retain();
    CFrame* const frame = parentFrame;
    runIdle();
    if (style == notifyAfterRedraw && parentFrame == frame) notifyClick(context);
    release();
}

bool COnOffButton::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "COnOffButton") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
