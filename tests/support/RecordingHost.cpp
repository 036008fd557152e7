#include "support/RecordingHost.h"

FakeHost* FakeHost::active = nullptr;

intptr VSTCALLBACK FakeHost::callback(AEffect* effect, int32 opcode, int32 index, intptr value,
                                      void* ptr, float opt) {
    if (!active) return 0;
    active->log.push_back({effect, opcode, index, value, ptr, opt});
    if (opcode == active->reactOn && active->reaction) {
        const std::function<void()> action = std::move(active->reaction);
        active->reaction = nullptr;
        action();
    }
    const auto found = active->answers.find(opcode);
    return found == active->answers.end() ? 0 : found->second;
}
