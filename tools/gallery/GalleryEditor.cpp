#include "tools/gallery/GalleryEditor.h"

#include <cmath>

#include "GalleryArt.h"
#include "GalleryLayout.h"
#include "gui/controls/CAutoAnimation.h"
#include "gui/controls/CControl.h"
#include "gui/controls/COptionMenu.h"
#include "gui/controls/CParamDisplay.h"
#include "gui/controls/CTextEdit.h"
#include "gui/draw/CBitmap.h"
#include "gui/views/CFrame.h"

namespace gallery {

namespace {

constexpr const char* kClassNames[kTagEnd] = {
    "",
    "CKnob",
    "CKnob",
    "CAnimKnob",
    "CVerticalSlider",
    "CHorizontalSlider",
    "CVuMeter",
    "CSpecialDigit",
    "CAutoAnimation",
    "CMovieBitmap",
    "COnOffButton",
    "CKickButton",
    "CMovieButton",
    "CRockerSwitch",
    "CVerticalSwitch",
    "CHorizontalSwitch",
    "CParamDisplay",
    "CTextLabel",
    "CTextEdit",
    "COptionMenu",
    "CSplashScreen",
};

// The animation moves on every third idle call: about ten frames a second at a host's rate.
constexpr std::uint32_t kIdleCallsPerFrame = 3;
// The digits show a knob's value in thousandths.
constexpr float kDigitsPerUnit = 1000.0f;

bool validTag(std::int32_t tag) { return tag > 0 && tag < kTagEnd; }

}  // namespace

const char* classOfTag(std::int32_t tag) { return validTag(tag) ? kClassNames[tag] : "?"; }

GalleryEditor::GalleryEditor(AudioEffect* effect, std::FILE* out)
    : AEffGUIEditor(effect), out(out) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<std::int16_t>(kWindowHeight);
    rect.right = static_cast<std::int16_t>(kWindowWidth);
}

GalleryEditor::~GalleryEditor() { close(); }

bool GalleryEditor::open(void* parent) {
    if (frame) close();
    AEffGUIEditor::open(parent);
    auto* newFrame = new gui::CFrame(gui::CRectangle(0, 0, kWindowWidth, kWindowHeight),
                                     gui::NativeWindow::atAddress(parent), this);
    gui::ScopedReference<gui::CBitmap> background(new gui::CBitmap(IDP_BACKGROUND));
    newFrame->setBackground(background.get());
    newFrame->setAccessibleName("Control gallery");
    buildGallery(*this, *newFrame);
    frame = newFrame;
    return true;
}

void GalleryEditor::close() {
    delete frame;
    frame = nullptr;
    controls.fill(nullptr);
}

void GalleryEditor::idle() {
    auto* spinner = static_cast<gui::CAutoAnimation*>(control(kTagSpinner));
    if (animated && spinner && spinner->isAnimationShown() && ++idleCount % kIdleCallsPerFrame == 0)
        spinner->nextFrame();
    AEffGUIEditor::idle();
}

gui::CControl* GalleryEditor::control(std::int32_t tag) const {
    return frame && validTag(tag) ? controls[tag] : nullptr;
}

void GalleryEditor::adopt(gui::CControl* added) {
    if (!added || !validTag(added->getTag())) return;
    controls[added->getTag()] = added;
    // A screen reader names each control by its class, as the gallery's captions do.
    added->setAccessibleName(classOfTag(added->getTag()));
}

void GalleryEditor::valueChanged(gui::CDrawContext*, gui::CControl* changed) {
    if (!frame || !changed) return;
    print(changed);
    follow(changed);
}

void GalleryEditor::print(gui::CControl* changed) {
    const std::int32_t tag = changed->getTag();
    if (tag == kTagTextEdit) {
        char text[gui::kDisplayTextSize] = {};
        static_cast<gui::CTextEdit*>(changed)->getText(text);
        std::fprintf(out, "tag %d text \"%s\" %s\n", tag, text, classOfTag(tag));
    } else if (tag == kTagOptionMenu) {
        // The control may be a submenu; its own entry is the one chosen.
        char text[gui::kMenuEntrySize] = {};
        static_cast<gui::COptionMenu*>(changed)->getCurrent(text);
        std::fprintf(out, "tag %d value %g %s \"%s\"\n", tag, changed->getValue(), classOfTag(tag),
                     text);
    } else {
        std::fprintf(out, "tag %d value %g %s\n", tag, changed->getValue(), classOfTag(tag));
    }
    std::fflush(out);
}

// Knobs and sliders drive the displays beside them; each display redraws on the next idle.
void GalleryEditor::follow(gui::CControl* changed) {
    const float value = changed->getValue();
    gui::CControl* display = nullptr;
    float shown = value;
    switch (changed->getTag()) {
        case kTagKnobLine: display = control(kTagParamDisplay); break;
        case kTagVerticalSlider: display = control(kTagVuMeter); break;
        case kTagHorizontalSlider: display = control(kTagMovie); break;
        case kTagAnimKnob:
            display = control(kTagDigits);
            shown = std::floor(value * kDigitsPerUnit + 0.5f);
            break;
        default: break;
    }
    if (display) display->setValue(shown);
}

}  // namespace gallery
