// An effect and the host calls it makes, for tests that wire a frame through an editor base to a
// recording host with or without windows.
#pragma once

#include <utility>
#include <vector>

#include "host/AudioEffectX.h"
#include "support/RecordingHost.h"

namespace testsupport {

// The editor panel's size.
constexpr int kPanelWidth = 752;
constexpr int kPanelHeight = 80;

// A stereo effect that does nothing but talk to the recording host.
struct QuietEffect : AudioEffectX {
    QuietEffect() : AudioEffectX(FakeHost::callback, 1, 2) {}
    void processReplacing(float**, float**, int32) override {}
};

// Host begin-edit and end-edit calls as (opcode, parameter number).
using Gestures = std::vector<std::pair<int, int>>;

inline Gestures gesturesIn(const FakeHost& host) {
    Gestures found;
    for (const HostCall& call : host.calls())
        if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit)
            found.emplace_back(call.opcode, call.index);
    return found;
}

}  // namespace testsupport
