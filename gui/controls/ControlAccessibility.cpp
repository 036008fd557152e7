// What the controls tell assistive technology: a role by class, states, the value as a person
// would say it, and values typed as text; and the text entry's key that starts typing.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gui/controls/COptionMenu.h"
#include "gui/controls/CTextEdit.h"
#include "gui/controls/CTextLabel.h"
#include "gui/controls/ControlMath.h"
#include "gui/controls/MenuEntry.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

struct ClassRole {
    const char* className;
    AccessibleRole role;
};

// Most derived first: an entry is a display too, and an option menu is one.
constexpr ClassRole kClassRoles[] = {
    {"CTextEdit", kRoleEditableText},   {"COptionMenu", kRoleComboBox},
    {"CParamDisplay", kRoleStaticText}, {"CKnob", kRoleSlider},
    {"CSlider", kRoleSlider},           {"CHorizontalSwitch", kRoleSlider},
    {"CVerticalSwitch", kRoleSlider},   {"CRockerSwitch", kRoleSlider},
    {"COnOffButton", kRoleCheckButton}, {"CMovieButton", kRoleCheckButton},
    {"CKickButton", kRolePushButton},   {"CSplashScreen", kRolePushButton},
};

constexpr float kPercent = 100.0f;

void copyText(char* to, const char* from) {
    std::snprintf(to, kAccessibleTextSize, "%s", from ? from : "");
}

bool acceptsInput(AccessibleRole role) { return role != kRoleStaticText && role != kRoleIndicator; }

// Characters of text folded into a number that changes with them.
float textKey(const char* text) {
    std::uint32_t hash = 2166136261u;
    for (const char* c = text; *c; ++c) hash = (hash ^ static_cast<unsigned char>(*c)) * 16777619u;
    return static_cast<float>(hash >> 8);
}

}  // namespace

AccessibleRole CControl::accessibleRole() {
    for (const ClassRole& entry : kClassRoles)
        if (isTypeOf(entry.className)) return entry.role;
    // Meters, digits and film strips show a value without taking one.
    return kRoleIndicator;
}

std::uint32_t CControl::accessibleStates() {
    const AccessibleRole role = accessibleRole();
    std::uint32_t states = 0;
    if (!acceptsInput(role)) states |= kAccessibleReadOnly;
    if (acceptsInput(role) && !getMouseEnabled()) states |= kAccessibleUnavailable;
    if (role == kRoleCheckButton && value != minValue) states |= kAccessibleChecked;
    return states;
}

bool CControl::accessibleValue(char* text) {
    const AccessibleRole role = accessibleRole();
    if (role == kRoleCheckButton || role == kRolePushButton) return CView::accessibleValue(text);
    if (spokenValue) {
        text[0] = '\0';
        spokenValue(value, text);
        text[kAccessibleTextSize - 1] = '\0';
        return true;
    }
    // Digits say the number they show; an animation's value is only the place of its picture.
    if (isTypeOf("CSpecialDigit")) {
        const float shown = value < minValue ? minValue : (value > maxValue ? maxValue : value);
        std::snprintf(text, kAccessibleTextSize, "%ld", static_cast<long>(truncatedToInt(shown)));
        return true;
    }
    if (isTypeOf("CAutoAnimation")) return CView::accessibleValue(text);
    const float range = maxValue - minValue;
    const float share = range != 0.0f ? (value - minValue) / range : 0.0f;
    std::snprintf(text, kAccessibleTextSize, "%.0f %%", static_cast<double>(share * kPercent));
    return true;
}

bool CControl::accessibleSetValue(const char* text) {
    if (!text || accessibleRole() != kRoleSlider || !getMouseEnabled()) return false;
    float typed = 0.0f;
    if (textToValue) {
        typed = textToValue(text);
    } else {
        char* end = nullptr;
        const double percent = std::strtod(text, &end);
        if (end == text || !std::isfinite(percent)) return false;
        typed = minValue + static_cast<float>(percent / kPercent) * (maxValue - minValue);
    }
    // The listener may close the editor, which lets go of this control.
    const auto hold = keptAlive(this);
    value = typed;
    clampValue();
    notifyAsGesture(nullptr);
    return true;
}

bool CParamDisplay::accessibleValue(char* text) {
    if (spokenValue) return CControl::accessibleValue(text);
    valueText(text);
    return true;
}

bool CTextLabel::accessibleValue(char* text) {
    copyText(text, getText());
    return true;
}

bool COptionMenu::accessibleValue(char* text) {
    char entry[kMenuEntrySize] = {};
    getCurrent(entry);
    copyText(text, entry);
    return true;
}

bool CTextEdit::accessibleValue(char* text) {
    if (spokenValue || valueToText || valueToTextWithData)
        return CParamDisplay::accessibleValue(text);
    copyText(text, this->text);
    return true;
}

bool CTextEdit::accessibleSetValue(const char* typed) {
    if (!typed || !getMouseEnabled() || editWindow) return false;
    const auto hold = keptAlive(this);
    setText(typed);
    notifyAsGesture(nullptr);
    return true;
}

float CTextEdit::accessibleValueKey() {
    // Without a converter the typed text is what is said.
    if (spokenValue || valueToText || valueToTextWithData) return value;
    return textKey(text);
}

std::int32_t CTextEdit::onKeyDown(VstKeyCode& key) {
    // Return and Enter start typing in an entry.
    if (key.virt != VKEY_RETURN && key.virt != VKEY_ENTER) return kKeyNotHandled;
    if (editWindow || !parentFrame || !getMouseEnabled()) return kKeyNotHandled;
    const auto hold = keptAlive(this);
    // A fresh edit, as a click starts one: the frame's focus comes back with the gesture.
    parentFrame->setFocusView(nullptr);
    beginEdit();
    gainFocus(nullptr);
    return 1;
}

}  // namespace gui
