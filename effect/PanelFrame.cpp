#include "effect/PanelFrame.h"

#include <memory>
#include <utility>

#include "gui/draw/CDrawContext.h"

PanelFrame::PanelFrame(const gui::CRectangle& size, gui::NativeWindow parentWindow,
                       AEffGUIEditor* editor, double scale, BackgroundMenu menu)
    : gui::CFrame(size, parentWindow, editor, scale), backgroundMenu(std::move(menu)) {}

void PanelFrame::mouse(gui::CDrawContext* context, gui::CPosition& where, std::int32_t buttons) {
    if (buttons == gui::kButtonsFromContext && context) buttons = context->getButtonState();
    const bool onBackground =
        (buttons & gui::kButtonRight) != 0 && !getModalView() && !hitTestChildren(where, buttons);
    // The press first does what every press does: it takes the focus from an entry, whose
    // commit may close the editor.
    const std::weak_ptr<const void> alive = getLifetime();
    const gui::CPosition pressed = where;
    gui::CFrame::mouse(context, where, buttons);
    if (onBackground && !alive.expired() && isOpen() && backgroundMenu)
        backgroundMenu(context, pressed);
}
