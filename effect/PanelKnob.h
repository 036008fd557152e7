// The panel's knob: a film-strip knob that a double click puts back to its default.
#pragma once

#include <cstdint>

#include "gui/controls/CAnimKnob.h"

class PanelKnob : public gui::CAnimKnob {
  public:
    PanelKnob(const gui::CRectangle& size, gui::CControlListener* listener, std::int32_t tag,
              std::int32_t frameCount, std::int32_t frameHeight, gui::CBitmap* strip);

    // UI thread, editor open: the second plain left click of a double click resets the value as
    // one gesture; every other click is the knob's own.
    void mouse(gui::CDrawContext* context, gui::CPosition& where,
               std::int32_t buttons = gui::kButtonsFromContext) override;
};
