// The panel's frame: a right-click on its bare background, where no control is, opens the
// panel's own menu, which the editor supplies.
#pragma once

#include <functional>

#include "gui/views/CFrame.h"

class PanelFrame : public gui::CFrame {
  public:
    // UI thread, inside the click: where is in panel coordinates. The frame may be gone after.
    using BackgroundMenu = std::function<void(gui::CDrawContext*, const gui::CPosition&)>;

    PanelFrame(const gui::CRectangle& size, gui::NativeWindow parentWindow, AEffGUIEditor* editor,
               double scale, BackgroundMenu backgroundMenu);

    // UI thread, editor open.
    void mouse(gui::CDrawContext* context, gui::CPosition& where,
               std::int32_t buttons = gui::kButtonsFromContext) override;

  private:
    BackgroundMenu backgroundMenu;
};
