// The gallery's controls, card by card, at the places and values the screenshot check expects.
#include <cstdio>
#include <vector>

#include "GalleryArt.h"
#include "GalleryLayout.h"
#include "gui/controls/CAnimKnob.h"
#include "gui/controls/CAutoAnimation.h"
#include "gui/controls/CHorizontalSwitch.h"
#include "gui/controls/CKickButton.h"
#include "gui/controls/CKnob.h"
#include "gui/controls/CMovieBitmap.h"
#include "gui/controls/CMovieButton.h"
#include "gui/controls/COnOffButton.h"
#include "gui/controls/COptionMenu.h"
#include "gui/controls/COptionMenuScheme.h"
#include "gui/controls/CRockerSwitch.h"
#include "gui/controls/CSlider.h"
#include "gui/controls/CSpecialDigit.h"
#include "gui/controls/CSplashScreen.h"
#include "gui/controls/CTextEdit.h"
#include "gui/controls/CTextLabel.h"
#include "gui/controls/CVerticalSwitch.h"
#include "gui/controls/CVuMeter.h"
#include "gui/draw/CBitmap.h"
#include "gui/views/CFrame.h"
#include "tools/gallery/GalleryEditor.h"
#include "tools/gallery/GalleryValues.h"

namespace gallery {

namespace {

using gui::CColorValue;
using gui::CPosition;
using gui::CRectangle;

const CColorValue kAccent = {51, 235, 133, 255};
const CColorValue kAccentDark = {8, 40, 24, 255};
const CColorValue kLabelText = {178, 184, 194, 255};
const CColorValue kWellColor = {4, 6, 5, 255};
const CColorValue kMenuBack = {30, 32, 36, 255};
const CColorValue kMenuDisabled = {110, 114, 122, 255};
const CPosition kOrigin(0, 0);
// The line handle ends inside the knob's cap; the cap's radius is 34 of the knob's 48.
constexpr std::int32_t kLineHandleInset = 16;
constexpr std::int32_t kSliderHandleLength = 20;

CRectangle rectOf(const Box& box) { return CRectangle(box.left, box.top, box.right, box.bottom); }

// Loads the gallery's pictures and lets go of them once the controls hold their own references.
class Pictures {
  public:
    ~Pictures() {
        for (gui::CBitmap* bitmap : loaded) bitmap->release();
    }
    gui::CBitmap* operator()(std::int32_t id) {
        loaded.push_back(new gui::CBitmap(id));
        return loaded.back();
    }

  private:
    std::vector<gui::CBitmap*> loaded;
};

struct Builder {
    // The frame takes over the reference every new control starts with.
    template <typename Control>
    Control* add(Control* control, float value) {
        control->setValue(value);
        frame.addView(control);
        editor.adopt(control);
        return control;
    }
    GalleryEditor& editor;
    gui::CFrame& frame;
    Pictures pictures;
};

void addKnobs(Builder& b) {
    auto* line = b.add(new gui::CKnob(rectOf(kKnobLineBox), &b.editor, kTagKnobLine,
                                      b.pictures(IDP_KNOB_FACE), nullptr, kOrigin),
                       kKnobLineValue);
    line->setInset(kLineHandleInset);
    line->setHandleColor(kAccent);
    line->setHandleShadowColor(kAccentDark);
    b.add(new gui::CKnob(rectOf(kKnobDotBox), &b.editor, kTagKnobDot, b.pictures(IDP_KNOB_RING),
                         b.pictures(IDP_KNOB_DOT), kOrigin),
          kKnobDotValue);
    b.add(new gui::CAnimKnob(rectOf(kAnimKnobBox), &b.editor, kTagAnimKnob, kAnimKnobStrip.count,
                             kAnimKnobStrip.height, b.pictures(IDP_ANIM_KNOB), kOrigin),
          kAnimKnobValue);
}

void addSliders(Builder& b) {
    const CRectangle vertical = rectOf(kVerticalSliderBox);
    b.add(new gui::CVerticalSlider(vertical, &b.editor, kTagVerticalSlider, kOrigin,
                                   vertical.getHeight(), b.pictures(IDP_SLIDER_V_HANDLE),
                                   b.pictures(IDP_SLIDER_V_TRACK), kOrigin, gui::valueTowardStart),
          kVerticalSliderValue);
    const CRectangle horizontal = rectOf(kHorizontalSliderBox);
    b.add(new gui::CHorizontalSlider(horizontal, &b.editor, kTagHorizontalSlider, kOrigin,
                                     horizontal.getWidth(), b.pictures(IDP_SLIDER_H_HANDLE),
                                     b.pictures(IDP_SLIDER_H_TRACK), kOrigin, gui::valueTowardEnd),
          kHorizontalSliderValue);
}

void addMeters(Builder& b) {
    auto* meter = new gui::CVuMeter(rectOf(kVuMeterBox), b.pictures(IDP_METER_ON),
                                    b.pictures(IDP_METER_OFF), kLedCount, 0);
    meter->setTag(kTagVuMeter);
    // Shown at its level from the first draw rather than falling to it from the top.
    meter->setOldValue(kVerticalSliderValue);
    b.add(meter, kVerticalSliderValue);
    b.add(new gui::CSpecialDigit(rectOf(kDigitsBox), &b.editor, kTagDigits, 0, kDigitCount, nullptr,
                                 nullptr, kDigitStrip.width, kDigitStrip.height,
                                 b.pictures(IDP_DIGITS)),
          kDigitsValue);
    auto* spinner = b.add(
        new gui::CAutoAnimation(rectOf(kSpinnerBox), &b.editor, kTagSpinner, kSpinnerStrip.count,
                                kSpinnerStrip.height, b.pictures(IDP_SPINNER), kOrigin),
        kSpinnerFrame * static_cast<float>(kSpinnerStrip.height));
    spinner->showAnimation();
    b.add(new gui::CMovieBitmap(rectOf(kMovieBox), &b.editor, kTagMovie, kMovieStrip.count,
                                kMovieStrip.height, b.pictures(IDP_WAVE), kOrigin),
          kHorizontalSliderValue);
}

void addButtons(Builder& b) {
    b.add(new gui::COnOffButton(rectOf(kOnOffBox), &b.editor, kTagOnOff, b.pictures(IDP_ON_OFF),
                                gui::COnOffButton::notifyAfterRedraw),
          kOnOffValue);
    b.add(new gui::CKickButton(rectOf(kKickBox), &b.editor, kTagKick, kKickStrip.height,
                               b.pictures(IDP_KICK), kOrigin),
          0.0f);
    b.add(new gui::CMovieButton(rectOf(kLatchBox), &b.editor, kTagLatch, kLatchStrip.height,
                                b.pictures(IDP_LATCH), kOrigin),
          kLatchValue);
    b.add(new gui::CRockerSwitch(rectOf(kRockerBox), &b.editor, kTagRocker, kRockerStrip.height,
                                 b.pictures(IDP_ROCKER), kOrigin, 0),
          0.0f);
    b.add(new gui::CVerticalSwitch(rectOf(kVerticalSwitchBox), &b.editor, kTagVerticalSwitch,
                                   kVerticalSwitchStrip.count, kVerticalSwitchStrip.height,
                                   kVerticalSwitchStrip.count, b.pictures(IDP_VSWITCH), kOrigin),
          kVerticalSwitchValue);
    b.add(
        new gui::CHorizontalSwitch(rectOf(kHorizontalSwitchBox), &b.editor, kTagHorizontalSwitch,
                                   kHorizontalSwitchStrip.count, kHorizontalSwitchStrip.height,
                                   kHorizontalSwitchStrip.count, b.pictures(IDP_HSWITCH), kOrigin),
        kHorizontalSwitchValue);
}

void percentText(float value, char* text) {
    std::snprintf(text, gui::kDisplayTextSize, "%.1f %%", value * 100.0f);
}

// Light text over a well picture, without the display's own fill and outline.
template <typename Display>
Display* styled(Display* display, CColorValue color) {
    display->setFont(gui::kFontNormal);
    display->setFontStyle(gui::kTextBold);
    display->setFontColor(color);
    display->setBackColor(kWellColor);
    display->setFrameColor(kWellColor);
    return display;
}

void addText(Builder& b) {
    auto* display = new gui::CParamDisplay(rectOf(kParamDisplayBox), b.pictures(IDP_DISPLAY_WELL));
    display->setTag(kTagParamDisplay);
    display->setValueToText(percentText);
    b.add(styled(display, kAccent), kKnobLineValue);
    auto* label = new gui::CTextLabel(rectOf(kTextLabelBox), "a label, not a value");
    label->setTag(kTagTextLabel);
    label->setTransparency(true);
    b.add(styled(label, kLabelText), 0.0f);
    auto* edit = new gui::CTextEdit(rectOf(kTextEditBox), &b.editor, kTagTextEdit, "type here",
                                    b.pictures(IDP_DISPLAY_WELL));
    b.add(styled(edit, kAccent), 0.0f);
}

gui::COptionMenu* waveMenu(Builder& b, gui::COptionMenuScheme* scheme) {
    auto* menu = new gui::COptionMenu(rectOf(kOptionMenuBox), &b.editor, kTagOptionMenu,
                                      b.pictures(IDP_MENU_WELL), nullptr, gui::checkCurrent);
    for (const char* entry : {"-TWaveform", "Sine", "Triangle", "Saw", "-", "Square", "-GNoise"})
        menu->addEntry(entry);
    auto* more = new gui::COptionMenu(CRectangle(), &b.editor, kTagOptionMenu, nullptr, nullptr,
                                      gui::checkCurrent);
    for (const char* entry : {"Pulse 25 %", "Pulse 12 %", "Pulse 6 %"}) more->addEntry(entry);
    menu->addSubMenuEntry(more, "Pulse");
    more->release();  // the menu holds it
    menu->setScheme(scheme);
    more->setScheme(scheme);
    return styled(menu, kAccent);
}

void addMenuAndSplash(Builder& b) {
    gui::ScopedReference<gui::COptionMenuScheme> scheme(new gui::COptionMenuScheme);
    scheme->setColors(kMenuBack, kAccent, kLabelText, kAccentDark, kMenuDisabled);
    auto* menu = b.add(waveMenu(b, scheme.get()), kOptionMenuValue);
    menu->setHorizontalAlign(gui::kAlignCenter);
    b.add(new gui::CSplashScreen(rectOf(kSplashBox), &b.editor, kTagSplash, b.pictures(IDP_SPLASH),
                                 rectOf(kSplashDisplayBox), kOrigin),
          0.0f);
}

}  // namespace

void buildGallery(GalleryEditor& editor, gui::CFrame& frame) {
    frame.setFocusColor(kAccent);
    Builder builder{editor, frame, {}};
    addKnobs(builder);
    addSliders(builder);
    addMeters(builder);
    addButtons(builder);
    addText(builder);
    addMenuAndSplash(builder);
}

}  // namespace gallery
