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
    if (!listener || !beginEditKeepsFrame()) return;
    listener->valueChanged(context, this);
    endEdit();
}

void COnOffButton::mouse(CDrawContext* context, CPosition&, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = buttonkit::heldButtons(context);
    if (!(buttons & kButtonLeft)) return;
    if (modifierClickTaken(context, buttons)) return;
    // The listener may remove the button and the host may close the editor, from the gesture or
    // from the repaint's idle cycle: the button lives to the end of the click, and once it has
    // left its frame nobody is told any more.
    const auto hold = keptAlive(this);
    CFrame* const frame = parentFrame;
    value = truncatedToInt(value) == 0 ? 1.0f : 0.0f;
    if (style == notifyBeforeRedraw) notifyClick(context);
    if (parentFrame != frame) return;
    runIdle();
    if (style == notifyAfterRedraw && parentFrame == frame) notifyClick(context);
}

bool COnOffButton::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "COnOffButton") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
