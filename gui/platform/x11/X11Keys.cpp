#include "gui/platform/x11/X11Keys.h"

#include <X11/X.h>
#include <X11/keysym.h>

#include <cstdint>

#include "gui/platform/Window.h"

namespace gui::x11 {

namespace {

struct KeyPair {
    unsigned long keysym;
    unsigned char hostKey;
};

// The host's virtual keys for the keys that carry no character of their own; the keypad's keys
// as the main ones.
constexpr KeyPair kKeys[] = {
    {XK_BackSpace, VKEY_BACK},   {XK_Tab, VKEY_TAB},          {XK_ISO_Left_Tab, VKEY_TAB},
    {XK_Clear, VKEY_CLEAR},      {XK_Return, VKEY_RETURN},    {XK_Pause, VKEY_PAUSE},
    {XK_Escape, VKEY_ESCAPE},    {XK_space, VKEY_SPACE},      {XK_End, VKEY_END},
    {XK_KP_End, VKEY_END},       {XK_Home, VKEY_HOME},        {XK_KP_Home, VKEY_HOME},
    {XK_Left, VKEY_LEFT},        {XK_KP_Left, VKEY_LEFT},     {XK_Up, VKEY_UP},
    {XK_KP_Up, VKEY_UP},         {XK_Right, VKEY_RIGHT},      {XK_KP_Right, VKEY_RIGHT},
    {XK_Down, VKEY_DOWN},        {XK_KP_Down, VKEY_DOWN},     {XK_Prior, VKEY_PAGEUP},
    {XK_KP_Prior, VKEY_PAGEUP},  {XK_Next, VKEY_PAGEDOWN},    {XK_KP_Next, VKEY_PAGEDOWN},
    {XK_Insert, VKEY_INSERT},    {XK_KP_Insert, VKEY_INSERT}, {XK_Delete, VKEY_DELETE},
    {XK_KP_Delete, VKEY_DELETE}, {XK_Help, VKEY_HELP},        {XK_KP_Enter, VKEY_ENTER},
    {XK_Select, VKEY_SELECT},    {XK_Print, VKEY_PRINT},
};

// Latin-1 keysyms are their characters.
constexpr unsigned long kFirstPrintable = 0x21;
constexpr unsigned long kLastPrintable = 0x7E;

unsigned int keyEventState = 0;

}  // namespace

VstKeyCode hostKeyOfKeysym(unsigned long keysym, unsigned int state) {
    VstKeyCode key = {};
    for (const KeyPair& pair : kKeys)
        if (pair.keysym == keysym) key.virt = pair.hostKey;
    if (!key.virt && keysym >= kFirstPrintable && keysym <= kLastPrintable) {
        const auto character = static_cast<char>(keysym);
        key.character = character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character;
    }
    if (state & ShiftMask) key.modifier |= MODIFIER_SHIFT;
    if (state & Mod1Mask) key.modifier |= MODIFIER_ALTERNATE;
    if (state & ControlMask) key.modifier |= MODIFIER_COMMAND;
    return key;
}

void setKeyEventState(unsigned int state) { keyEventState = state; }

}  // namespace gui::x11

namespace gui::platform {

VstKeyCode hostKeyOf(std::uintptr_t platformKey) {
    return x11::hostKeyOfKeysym(platformKey, x11::keyEventState);
}

}  // namespace gui::platform
