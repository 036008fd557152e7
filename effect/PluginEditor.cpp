#include "effect/PluginEditor.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>

#include "effect/PanelFrame.h"
#include "effect/PanelKnob.h"
#include "effect/ParameterText.h"
#include "effect/PluginCore.h"
#include "effect/UserSettings.h"
#include "gui/controls/CMovieBitmap.h"
#include "gui/controls/COptionMenu.h"
#include "gui/controls/CTextEdit.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/views/CFrame.h"
#include "resources/ArtworkResources.h"

namespace {

using gui::CPosition;
using gui::CRectangle;

enum PanelTag : std::int32_t {
    kTagExpansionStrip = 0,
    kTagExpansionKnob = 1,
    kTagOutputKnob = 2,
    kTagExpansionText = 3,
    kTagOutputText = 4,
    kTagPanelMenu = 5,
    kTagSizeMenu = 6,
};

// The size menu's entries and the factors they choose; 0 is automatic.
constexpr const char* kSizeNames[] = {"Automatic", "100 %", "125 %", "150 %",
                                      "200 %",     "250 %", "300 %"};
constexpr double kSizeFactors[] = {0.0, 1.0, 1.25, 1.5, 2.0, 2.5, 3.0};
constexpr std::int32_t kSizeCount = static_cast<std::int32_t>(std::size(kSizeFactors));
static_assert(std::size(kSizeNames) == std::size(kSizeFactors));

// The entry of a factor, or -1 for a factor the menu does not list.
std::int32_t sizeEntryOf(double factor) {
    for (std::int32_t i = 0; i < kSizeCount; ++i)
        if (kSizeFactors[i] == factor) return i;
    return -1;
}

// The artwork drawn at 2 and 3 times its size, for the panel at larger scales.
void addLargerArtwork(gui::CBitmap* bitmap, std::int32_t twice, std::int32_t thrice) {
    constexpr std::int32_t kTwice = 2;
    constexpr std::int32_t kThrice = 3;
    bitmap->addScaledResource(kTwice, twice);
    bitmap->addScaledResource(kThrice, thrice);
}

constexpr std::int32_t kStripFrames = 61;
constexpr std::int32_t kKnobFrameHeight = 80;
constexpr std::int32_t kDisplayFrameHeight = 20;
constexpr std::int32_t kEntryStyle = 1;
constexpr std::int32_t kNoParameter = -1;

const CRectangle kExpansionKnobRect(64, 0, 144, 80);
const CRectangle kOutputKnobRect(488, 0, 568, 80);
const CRectangle kExpansionStripRect(227, 26, 455, 46);
const CRectangle kExpansionTextRect(154, 24, 202, 48);
const CRectangle kOutputTextRect(578, 24, 626, 48);
const gui::CColorValue kEntryTextColor = {0, 255, 0, 255};
const gui::CColorValue kEntryBackColor = {0, 0, 0, 255};

// Hosts expect a parameter number with an edit gesture, not the control's tag.
std::int32_t parameterOfTag(std::int32_t tag) {
    switch (tag) {
        case kTagExpansionKnob:
        case kTagExpansionText: return kParamExpansion;
        case kTagOutputKnob:
        case kTagOutputText: return kParamOutput;
        default: return kNoParameter;
    }
}

void expansionEntryText(float value, char* text) {
    expansionToText(value, text, gui::kDisplayTextSize - 1);
}

void outputEntryText(float value, char* text) {
    outputToText(value, text, gui::kDisplayTextSize - 1);
}

constexpr char kShownMinusInfinity[] = "-oo";

// The panel's texts as speech says them: with their units, and minus infinity in words a
// screen reader pronounces.
void spokenExpansion(float value, char* text) {
    char shown[gui::kDisplayTextSize] = {};
    expansionEntryText(value, shown);
    std::snprintf(text, gui::kAccessibleTextSize, "%s %%", shown);
}

void spokenOutput(float value, char* text) {
    char shown[gui::kDisplayTextSize] = {};
    outputEntryText(value, shown);
    if (std::strcmp(shown, kShownMinusInfinity) == 0)
        std::snprintf(text, gui::kAccessibleTextSize, "-inf dB");
    else
        std::snprintf(text, gui::kAccessibleTextSize, "%s dB", shown);
}

// What a screen reader says for a control of parameter 0 or 1.
void describe(gui::CControl* control, const char* name, std::int32_t parameter) {
    control->setAccessibleName(name);
    control->setSpokenValue(parameter == kParamExpansion ? spokenExpansion : spokenOutput);
    control->setTextToValue(parameter == kParamExpansion ? expansionFromText : outputFromText);
}

gui::CTextEdit* makeEntry(const CRectangle& rect, gui::CControlListener* listener, std::int32_t tag,
                          float value, gui::ValueToTextFunction toText) {
    auto* entry = new gui::CTextEdit(rect, listener, tag, nullptr, nullptr, kEntryStyle);
    entry->setFont(gui::kFontSmall);
    entry->setFontColor(kEntryTextColor);
    entry->setBackColor(kEntryBackColor);
    entry->setFrameColor(kEntryBackColor);
    entry->setTransparency(true);
    entry->setValue(value);
    entry->setValueToText(toText);
    return entry;
}

}  // namespace

std::int32_t PluginEditor::editorsAlive = 0;
gui::CBitmap* PluginEditor::knobStrip = nullptr;
gui::CBitmap* PluginEditor::displayStrip = nullptr;

void PluginEditor::makeSharedStrips() {
    if (!knobStrip) {
        knobStrip = new gui::CBitmap(IDP_KNOB_STRIP);
        addLargerArtwork(knobStrip, IDP_KNOB_STRIP_2X, IDP_KNOB_STRIP_3X);
    }
    if (!displayStrip) {
        displayStrip = new gui::CBitmap(IDP_EXPANSION_STRIP);
        addLargerArtwork(displayStrip, IDP_EXPANSION_STRIP_2X, IDP_EXPANSION_STRIP_3X);
    }
}

// The three images decode in the background, two cores at a time, while the editor goes on.
void PluginEditor::prepareForScale(double scale) {
    makeSharedStrips();
    knobStrip->prepareAhead(scale);
    displayStrip->prepareAhead(scale);
    background->prepareAhead(scale);
}

PluginEditor::PluginEditor(AudioEffect* effect) : AEffGUIEditor(effect) {
    ++editorsAlive;
    background = new gui::CBitmap(IDP_PANEL_BACKGROUND);
    addLargerArtwork(background, IDP_PANEL_BACKGROUND_2X, IDP_PANEL_BACKGROUND_3X);
    setUserScale(userSettings::panelScale());
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<std::int16_t>(background->getHeight());
    rect.right = static_cast<std::int16_t>(background->getWidth());
}

PluginEditor::~PluginEditor() {
    // A host may close the effect with the editor open: no window may outlive the code behind
    // its window procedure.
    close();
    background->release();
    background = nullptr;
    // The shared artwork stays for the instances still there, and goes with the last one.
    if (--editorsAlive != 0) return;
    if (knobStrip) knobStrip->release();
    if (displayStrip) displayStrip->release();
    knobStrip = nullptr;
    displayStrip = nullptr;
    gui::CBitmap::releaseSharedScaledPixels();
}

bool PluginEditor::open(void* parent) {
    if (frame) close();
    AEffGUIEditor::open(parent);
    panelThread = std::this_thread::get_id();
    pendingParameters = 0;
    setUserScale(userSettings::panelScale());
    // At the size last reported to the host; the display may ask for another once open.
    const double reportedScale = currentScale();
    const double wantedScale = chosenScale(parent);
    prepareForScale(wantedScale);
    const CRectangle size(0, 0, background->getWidth(), background->getHeight());
    auto* newFrame = new PanelFrame(size, gui::NativeWindow::atAddress(parent), this, reportedScale,
                                    [this](gui::CDrawContext* context, const CPosition& where) {
                                        showPanelMenu(context, where);
                                    });
    if (!newFrame->getWindow()) {
        // No window to show the panel in (a parent that is gone, no display): the host hears
        // that the editor did not open.
        delete newFrame;
        return false;
    }
    const float expansionValue = effect->getParameter(kParamExpansion);
    const float outputValue = effect->getParameter(kParamOutput);

    expansionKnob = new PanelKnob(kExpansionKnobRect, this, kTagExpansionKnob, kStripFrames,
                                  kKnobFrameHeight, knobStrip);
    expansionKnob->setValue(expansionValue);
    newFrame->addView(expansionKnob);
    outputKnob = new PanelKnob(kOutputKnobRect, this, kTagOutputKnob, kStripFrames,
                               kKnobFrameHeight, knobStrip);
    outputKnob->setValue(outputValue);
    newFrame->addView(outputKnob);

    expansionStrip =
        new gui::CMovieBitmap(kExpansionStripRect, this, kTagExpansionStrip, kStripFrames,
                              kDisplayFrameHeight, displayStrip, CPosition(0, 0));
    expansionStrip->setValue(expansionValue);
    newFrame->addView(expansionStrip);

    expansionText =
        makeEntry(kExpansionTextRect, this, kTagExpansionText, expansionValue, expansionEntryText);
    newFrame->addView(expansionText);
    outputText = makeEntry(kOutputTextRect, this, kTagOutputText, outputValue, outputEntryText);
    newFrame->addView(outputText);

    describe(expansionKnob, "Stereo expansion", kParamExpansion);
    describe(outputKnob, "Output", kParamOutput);
    describe(expansionStrip, "Stereo width", kParamExpansion);
    describe(expansionText, "Expansion value", kParamExpansion);
    describe(outputText, "Output value", kParamOutput);
    newFrame->setAccessibleName("Talon 5800");
    newFrame->setFocusColor(kEntryTextColor);

    newFrame->setBackground(background);
    frame = newFrame;
    if (wantedScale != reportedScale) applyScale();
    return true;
}

void PluginEditor::showPanelMenu(gui::CDrawContext* context, const CPosition& where) {
    gui::CFrame* const shownIn = frame;
    if (!shownIn) return;
    const std::weak_ptr<const void> alive = shownIn->getLifetime();
    auto* sizes =
        new gui::COptionMenu(CRectangle(), this, kTagSizeMenu, nullptr, nullptr, gui::checkCurrent);
    const gui::ScopedReference<gui::COptionMenu> sizesHeld(sizes);
    for (const char* name : kSizeNames) sizes->addEntry(name);
    sizes->setCurrent(sizeEntryOf(getUserScale()));
    // Opens at the pointer; the frame takes the menu's first reference, this call a second one
    // in case the frame goes while the popup is open.
    auto* menu = new gui::COptionMenu(CRectangle(where.h, where.v, where.h + 1, where.v + 1), this,
                                      kTagPanelMenu);
    menu->retain();
    const gui::ScopedReference<gui::COptionMenu> menuHeld(menu);
    menu->addSubMenuEntry(sizes, "Size");
    shownIn->addView(menu);
    chosenSize = -1;
    CPosition at = where;
    menu->mouse(context, at, gui::kButtonRight);
    if (alive.expired()) return;
    shownIn->removeView(menu, true);
    if (chosenSize < 0 || chosenSize >= kSizeCount) return;
    const double factor = kSizeFactors[chosenSize];
    userSettings::setPanelScale(factor);
    setUserScale(factor);
}

void PluginEditor::close() {
    delete frame;
    frame = nullptr;
    expansionKnob = nullptr;
    outputKnob = nullptr;
    expansionStrip = nullptr;
    expansionText = nullptr;
    outputText = nullptr;
    panelThread = std::thread::id();
}

void PluginEditor::idle() {
    applyPendingParameters();
    AEffGUIEditor::idle();
}

void PluginEditor::setParameter(std::int32_t index, float) {
    if (index != kParamExpansion && index != kParamOutput) return;
    if (std::this_thread::get_id() != panelThread.load()) {
        pendingParameters.fetch_or(1u << index);
        return;
    }
    setControlsOf(index);
}

void PluginEditor::applyPendingParameters() {
    const std::uint32_t pending = pendingParameters.exchange(0);
    if (pending & (1u << kParamExpansion)) setControlsOf(kParamExpansion);
    if (pending & (1u << kParamOutput)) setControlsOf(kParamOutput);
}

void PluginEditor::setControlsOf(std::int32_t index) {
    if (!frame) return;
    const float value = effect->getParameter(index);
    if (index == kParamExpansion) {
        expansionKnob->setValue(value);
        expansionStrip->setValue(value);
        expansionText->setValue(value);
    } else if (index == kParamOutput) {
        outputKnob->setValue(value);
        outputText->setValue(value);
    }
}

void PluginEditor::beginEdit(std::int32_t tag) {
    const std::int32_t parameter = parameterOfTag(tag);
    if (parameter != kNoParameter) AEffGUIEditor::beginEdit(parameter);
}

void PluginEditor::endEdit(std::int32_t tag) {
    const std::int32_t parameter = parameterOfTag(tag);
    if (parameter != kNoParameter) AEffGUIEditor::endEdit(parameter);
}

// The host may close the editor from the automation call: the views are marked before it.
void PluginEditor::valueChanged(gui::CDrawContext*, gui::CControl* control) {
    if (!frame || !control) return;
    char text[gui::kDisplayTextSize] = {};
    switch (control->getTag()) {
        case kTagExpansionKnob:
            control->setDirty(true);
            expansionStrip->setDirty(true);
            effect->setParameterAutomated(kParamExpansion, control->getValue());
            break;
        case kTagOutputKnob:
            control->setDirty(true);
            effect->setParameterAutomated(kParamOutput, control->getValue());
            break;
        case kTagExpansionText:
            if (control != expansionText) break;
            expansionText->getText(text);
            control->setDirty(true);
            effect->setParameterAutomated(kParamExpansion, expansionFromText(text));
            break;
        case kTagSizeMenu: chosenSize = static_cast<std::int32_t>(control->getValue()); break;
        case kTagOutputText:
            if (control != outputText) break;
            outputText->getText(text);
            control->setDirty(true);
            effect->setParameterAutomated(kParamOutput, outputFromText(text));
            break;
        default: break;
    }
}
