// Presses a mouse button or key through the system's input queue for the life of the object, so
// that the asynchronous key state reports it as the hardware would.
#pragma once

#include <windows.h>

namespace testsupport {

class HeldInput {
  public:
    static HeldInput mouse(DWORD downFlag, DWORD upFlag) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = downFlag;
        INPUT release = input;
        release.mi.dwFlags = upFlag;
        return HeldInput(input, release);
    }
    static HeldInput leftButton() { return mouse(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }
    static HeldInput rightButton() { return mouse(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP); }
    static HeldInput key(WORD virtualKey) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        INPUT release = input;
        release.ki.dwFlags = KEYEVENTF_KEYUP;
        return HeldInput(input, release);
    }
    HeldInput(HeldInput&& other) noexcept : release(other.release), held(other.held) {
        other.held = false;
    }
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;
    ~HeldInput() { up(); }
    void up() {
        if (held) SendInput(1, &release, sizeof(release));
        held = false;
    }

  private:
    HeldInput(INPUT press, INPUT releaseInput) : release(releaseInput) {
        held = SendInput(1, &press, sizeof(press)) == 1;
    }
    INPUT release;
    bool held;
};

}  // namespace testsupport
