// Keys that reach the frame's window while it has the keyboard focus: turned into the host's key
// records and routed as the host's key calls are.
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

struct KeyPair {
    WPARAM platformKey;
    unsigned char hostKey;
};

// The host's virtual keys for the platform's keys that carry no character of their own.
constexpr KeyPair kKeys[] = {
    {VK_BACK, VKEY_BACK},     {VK_TAB, VKEY_TAB},       {VK_CLEAR, VKEY_CLEAR},
    {VK_RETURN, VKEY_RETURN}, {VK_PAUSE, VKEY_PAUSE},   {VK_ESCAPE, VKEY_ESCAPE},
    {VK_SPACE, VKEY_SPACE},   {VK_END, VKEY_END},       {VK_HOME, VKEY_HOME},
    {VK_LEFT, VKEY_LEFT},     {VK_UP, VKEY_UP},         {VK_RIGHT, VKEY_RIGHT},
    {VK_DOWN, VKEY_DOWN},     {VK_PRIOR, VKEY_PAGEUP},  {VK_NEXT, VKEY_PAGEDOWN},
    {VK_INSERT, VKEY_INSERT}, {VK_DELETE, VKEY_DELETE}, {VK_HELP, VKEY_HELP},
};

// The mapped character without the dead-key flag.
constexpr UINT kCharacterBits = 0x7FFF;
constexpr std::int32_t kKeyHandled = 1;

// The last key down went on to the host's window, so its character goes there too. Kept outside
// the frame, which the host may close from inside the key's handling; the UI thread alone has the
// keyboard.
bool keyDownPassedOn = false;

bool isDown(int platformKey) { return (GetKeyState(platformKey) & 0x8000) != 0; }

VstKeyCode hostKeyOf(WPARAM platformKey) {
    VstKeyCode key = {};
    for (const KeyPair& pair : kKeys)
        if (pair.platformKey == platformKey) key.virt = pair.hostKey;
    if (!key.virt) {
        // Letters as the host's key calls carry them: lower case.
        const UINT mapped = MapVirtualKeyA(static_cast<UINT>(platformKey), MAPVK_VK_TO_CHAR);
        const UINT character = mapped & kCharacterBits;
        key.character = static_cast<int32>(
            character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character);
    }
    if (isDown(VK_SHIFT)) key.modifier |= MODIFIER_SHIFT;
    if (isDown(VK_MENU)) key.modifier |= MODIFIER_ALTERNATE;
    if (isDown(VK_CONTROL)) key.modifier |= MODIFIER_COMMAND;
    return key;
}

}  // namespace

bool CFrame::routeWindowKey(unsigned message, std::uintptr_t wParam) {
    // The character of a key goes where its key went.
    if (message == WM_CHAR) return !keyDownPassedOn;
    VstKeyCode key = hostKeyOf(wParam);
    const bool down = message == WM_KEYDOWN;
    const bool handled = (down ? onKeyDown(key) : onKeyUp(key)) == kKeyHandled;
    // Nothing of the frame from here on.
    if (down) keyDownPassedOn = !handled;
    return handled;
}

}  // namespace gui
