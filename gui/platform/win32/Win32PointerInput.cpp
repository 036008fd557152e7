// Mouse and modifier state from the system's asynchronous key state and message queue.
#include "gui/platform/PointerInput.h"
#include "gui/platform/win32/Win32Globals.h"

namespace gui::platform {

namespace {
bool keyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }
}  // namespace

std::int32_t pointerButtons() {
    std::int32_t state = 0;
    const std::int32_t physicalLeft = mouseButtonsSwapped ? kSecondaryDown : kPrimaryDown;
    const std::int32_t physicalRight = mouseButtonsSwapped ? kPrimaryDown : kSecondaryDown;
    if (keyDown(VK_LBUTTON)) state |= physicalLeft;
    if (keyDown(VK_MBUTTON)) state |= kMiddleDown;
    if (keyDown(VK_RBUTTON)) state |= physicalRight;
    if (keyDown(VK_SHIFT)) state |= kShiftDown;
    if (keyDown(VK_CONTROL)) state |= kControlDown;
    if (keyDown(VK_MENU)) state |= kAltDown;
    return state;
}

CPosition cursorScreenPosition() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    return CPosition(cursor.x, cursor.y);
}

std::uint32_t tickCount() { return GetTickCount(); }

std::uint32_t currentMessageTime() { return static_cast<DWORD>(GetMessageTime()); }

std::uint32_t doubleClickTime() { return GetDoubleClickTime(); }

bool takePrimaryPress() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN,
                        PM_REMOVE | PM_NOYIELD) != FALSE;
}

}  // namespace gui::platform
