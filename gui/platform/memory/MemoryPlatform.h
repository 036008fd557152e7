// What tests script and inspect of the in-memory drawing platform: the pointer's state and the
// clock, windows on a pretend screen, resources of the pretend module, and pixels.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/NativeHandle.h"

namespace gui::memory {

// The pointer as the platform answers it. Each query of the tick count advances it by tickStep,
// so that loops waiting for a deadline end.
struct ScriptedInput {
    std::int32_t buttons = 0;
    CPosition cursor;
    std::uint32_t tick = 0;
    std::uint32_t tickStep = 1;
    std::uint32_t messageTime = 0;
    std::uint32_t doubleClickTime = 500;
    // Primary presses waiting in the queue.
    std::int32_t waitingPresses = 0;
};

ScriptedInput& input();
// Puts the input back as constructed.
void resetInput();

// A window of the given size whose top-left corner is at screenOrigin; null for a bad size.
NativeWindow createWindow(std::int32_t width, std::int32_t height, const CPosition& screenOrigin);
void destroyWindow(NativeWindow window);

// Adds a resource to the pretend module (resourceModule()); a later one of the same id and type
// replaces it. Not for use while bitmaps load.
void addResource(std::int32_t id, const char* type, std::vector<unsigned char> bytes);
void removeResources();

// A pixel of a bitmap or of the surface a device draws into, 0x00RRGGBB; 0xFFFFFFFF outside it.
std::uint32_t bitmapRgb(NativeBitmap bitmap, std::int32_t x, std::int32_t y);
std::uint32_t deviceRgb(NativeDevice device, std::int32_t x, std::int32_t y);

}  // namespace gui::memory
