// Keys that reach the frame's window while it has the keyboard focus: turned into the host's key
// records by the backend and routed as the host's key calls are.
#include "gui/platform/Window.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

constexpr std::int32_t kKeyHandled = 1;

// The last key down went on to the host's window, so its character goes there too. Kept outside
// the frame, which the host may close from inside the key's handling; the UI thread alone has the
// keyboard.
bool keyDownPassedOn = false;

}  // namespace

bool CFrame::routeWindowKey(WindowKeyEvent event, std::uintptr_t platformKey) {
    // The character of a key goes where its key went.
    if (event == WindowKeyEvent::kCharacter) return !keyDownPassedOn;
    VstKeyCode key = platform::hostKeyOf(platformKey);
    const bool down = event == WindowKeyEvent::kDown;
    const bool handled = (down ? onKeyDown(key) : onKeyUp(key)) == kKeyHandled;
    // Nothing of the frame from here on.
    if (down) keyDownPassedOn = !handled;
    return handled;
}

}  // namespace gui
