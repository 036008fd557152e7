#include "effect/PanelKnob.h"

#include "gui/draw/CDrawContext.h"

namespace {

constexpr gui::ButtonState kAnyButtonOrModifier =
    gui::kButtonLeft | gui::kButtonMiddle | gui::kButtonRight | gui::kModifierBits;

}  // namespace

PanelKnob::PanelKnob(const gui::CRectangle& size, gui::CControlListener* listener, std::int32_t tag,
                     std::int32_t frameCount, std::int32_t frameHeight, gui::CBitmap* strip)
    : CAnimKnob(size, listener, tag, frameCount, frameHeight, strip, gui::CPosition(0, 0)) {}

void PanelKnob::mouse(gui::CDrawContext* context, gui::CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == gui::kButtonsFromContext) buttons = context ? context->getButtonState() : 0;
    const bool plainLeftClick = (buttons & kAnyButtonOrModifier) == gui::kButtonLeft;
    if (plainLeftClick && getFrame() && detectDoubleClick()) {
        // The host may close the editor from the gesture's start: the knob lives to the end.
        const auto hold = gui::keptAlive(this);
        if (!beginEditKeepsFrame()) return;
        setValue(getDefaultValue());
        notifyIfDirty(context);
        endEdit();
        return;
    }
    CAnimKnob::mouse(context, where, buttons);
}
