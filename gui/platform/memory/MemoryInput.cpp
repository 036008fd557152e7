// Pointer queries answered from the script tests write, and the windows of a pretend screen.
#include <new>

#include "gui/platform/PointerInput.h"
#include "gui/platform/memory/MemoryHandles.h"
#include "gui/platform/memory/MemoryPlatform.h"

namespace gui::memory {

ScriptedInput& input() {
    static ScriptedInput scripted;
    return scripted;
}

void resetInput() { input() = ScriptedInput(); }

NativeWindow createWindow(std::int32_t width, std::int32_t height, const CPosition& screenOrigin) {
    if (width <= 0 || height <= 0) return nullptr;
    return new (std::nothrow) Window(width, height, screenOrigin);
}

void destroyWindow(NativeWindow window) { delete static_cast<Window*>(window); }

}  // namespace gui::memory

namespace gui::platform {

std::int32_t pointerButtons() { return memory::input().buttons; }

CPosition cursorScreenPosition() { return memory::input().cursor; }

std::uint32_t tickCount() {
    memory::ScriptedInput& scripted = memory::input();
    const std::uint32_t now = scripted.tick;
    scripted.tick += scripted.tickStep;
    return now;
}

std::uint32_t currentMessageTime() { return memory::input().messageTime; }

std::uint32_t doubleClickTime() { return memory::input().doubleClickTime; }

bool takePrimaryPress() {
    memory::ScriptedInput& scripted = memory::input();
    if (scripted.waitingPresses <= 0) return false;
    --scripted.waitingPresses;
    return true;
}

}  // namespace gui::platform
