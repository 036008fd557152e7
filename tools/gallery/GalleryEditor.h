// The gallery's editor: a frame holding every control of the toolkit over the gallery's artwork.
// It is the controls' listener, prints each value change on stdout and lets some controls drive
// others, so that the displays show what the knobs and sliders do.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>

#include "gui/controls/CControlListener.h"
#include "host/AEffGUIEditor.h"

namespace gui {
class CControl;
}

namespace gallery {

// One tag per control, in the order the gallery adds them.
enum Tag : std::int32_t {
    kTagKnobLine = 1,
    kTagKnobDot,
    kTagAnimKnob,
    kTagVerticalSlider,
    kTagHorizontalSlider,
    kTagVuMeter,
    kTagDigits,
    kTagSpinner,
    kTagMovie,
    kTagOnOff,
    kTagKick,
    kTagLatch,
    kTagRocker,
    kTagVerticalSwitch,
    kTagHorizontalSwitch,
    kTagParamDisplay,
    kTagTextLabel,
    kTagTextEdit,
    kTagOptionMenu,
    kTagSplash,
    kTagEnd
};

// The class shown under a tag, as the printed lines name it.
const char* classOfTag(std::int32_t tag);

class GalleryEditor : public AEffGUIEditor, public gui::CControlListener {
  public:
    // Changes are printed to out, one line each.
    GalleryEditor(AudioEffect* effect, std::FILE* out);
    ~GalleryEditor() override;

    bool open(void* parent) override;  // UI thread: builds the frame and every control
    void close() override;             // UI thread: the frame goes with every control
    // UI thread, editor open: steps the animation when it runs, then redraws what is dirty.
    void idle() override;

    // UI thread, editor open: a control changed its value.
    void valueChanged(gui::CDrawContext* context, gui::CControl* control) override;

    // The animation steps on idle only when asked, so that a screenshot shows a known frame.
    void setAnimated(bool on) { animated = on; }
    // The control of a tag while the editor is open, else null.
    gui::CControl* control(std::int32_t tag) const;
    // Called by the building code for each control it adds.
    void adopt(gui::CControl* control);

  private:
    void follow(gui::CControl* changed);
    void print(gui::CControl* changed);

    std::FILE* out;
    std::array<gui::CControl*, kTagEnd> controls{};
    bool animated = false;
    std::uint32_t idleCount = 0;
};

// Adds the controls to the editor's frame (in GalleryControls.cpp).
void buildGallery(GalleryEditor& editor, gui::CFrame& frame);

}  // namespace gallery
