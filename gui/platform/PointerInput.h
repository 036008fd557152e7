// The mouse and modifier state the drawing context answers while views track a click or a drag.
// All calls are made on the user-interface thread.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"

namespace gui::platform {

// The primary button is the one the user has made primary, whichever physical button that is.
enum PointerBits : std::int32_t {
    kPrimaryDown = 1,
    kMiddleDown = 2,
    kSecondaryDown = 4,
    kShiftDown = 8,
    kControlDown = 16,
    kAltDown = 32
};

// PointerBits of the buttons and keys down now.
std::int32_t pointerButtons();
// The cursor in screen pixels.
CPosition cursorScreenPosition();
// Milliseconds since an arbitrary start, wrapping around.
std::uint32_t tickCount();
// The tick count when the message being handled was posted.
std::uint32_t currentMessageTime();
// Longest time between the presses of a double click, in milliseconds.
std::uint32_t doubleClickTime();
// Takes a waiting press of the primary button out of the queue; false when none waits.
bool takePrimaryPress();

}  // namespace gui::platform
