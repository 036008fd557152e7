// Presses a mouse button or key for the life of the object: on Windows through the system's input
// queue, so that the asynchronous key state reports it as the hardware would; elsewhere in the
// in-memory platform's scripted pointer state. The cursor is placed the same way.
#pragma once

#ifdef _WIN32
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
    static HeldInput shift() { return key(VK_SHIFT); }
    static HeldInput alt() { return key(VK_MENU); }
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

// Moves the cursor to a point of the screen.
inline void placeCursor(int h, int v) { SetCursorPos(h, v); }

}  // namespace testsupport
#else
#include <cstdint>

#include "gui/platform/PointerInput.h"
#include "gui/platform/memory/MemoryPlatform.h"

namespace testsupport {

class HeldInput {
  public:
    static HeldInput leftButton() { return HeldInput(gui::platform::kPrimaryDown); }
    static HeldInput rightButton() { return HeldInput(gui::platform::kSecondaryDown); }
    static HeldInput shift() { return HeldInput(gui::platform::kShiftDown); }
    static HeldInput alt() { return HeldInput(gui::platform::kAltDown); }
    HeldInput(HeldInput&& other) noexcept : bit(other.bit) { other.bit = 0; }
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;
    ~HeldInput() { up(); }
    void up() {
        gui::memory::input().buttons &= ~bit;
        bit = 0;
    }

  private:
    explicit HeldInput(std::int32_t pressed) : bit(pressed) { gui::memory::input().buttons |= bit; }
    std::int32_t bit;
};

// Moves the scripted cursor to a point of the pretend screen.
inline void placeCursor(int h, int v) { gui::memory::input().cursor = gui::CPosition(h, v); }

}  // namespace testsupport
#endif
