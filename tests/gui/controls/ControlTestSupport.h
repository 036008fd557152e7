// Shared by the control tests: a recording listener, a frame without a window wired through an
// editor to a recording host, and input held through the system's queue or the in-memory
// platform's script.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "gui/controls/CControl.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"
#include "host/AudioEffectX.h"
#include "support/HeldInput.h"
#include "support/HostedEditor.h"
#include "support/RecordingHost.h"
#ifdef _WIN32
// The tests of the controls in real windows.
#include "support/EditorWindow.h"
#endif

namespace controltest {

using gui::CControl;
using gui::CDrawContext;
using gui::CPosition;
using gui::CRectangle;
using testsupport::Gestures;

struct RecordingListener : gui::CControlListener {
    void valueChanged(CDrawContext* context, CControl* control) override {
        values.push_back(control->getValue());
        contexts.push_back(context);
    }
    std::int32_t modifierClicked(CDrawContext*, CControl*, gui::ButtonState buttons) override {
        modifierStates.push_back(buttons);
        return modifierAnswer;
    }
    std::vector<float> values;
    std::vector<CDrawContext*> contexts;
    std::vector<gui::ButtonState> modifierStates;
    std::int32_t modifierAnswer = 0;
};

struct TestEffect : AudioEffectX {
    TestEffect() : AudioEffectX(FakeHost::callback, 1, 2) {}
    void processReplacing(float**, float**, int32) override {}
};

// Each idle cycle of a tracking loop runs one step of the test's script, as a user moving the
// mouse between two passes would.
struct ScriptedFrame : gui::CFrame {
    explicit ScriptedFrame(AEffGUIEditor* editor)
        : CFrame(CRectangle(0, 0, 400, 300), nullptr, editor) {}
    void runIdleCycle() override {
        if (onIdle) onIdle(++idleCycles);
    }
    std::function<void(int)> onIdle;
    int idleCycles = 0;
};

struct HostedFrame {
    Gestures gestures() const { return testsupport::gesturesIn(host); }
    FakeHost host;
    TestEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);  // the effect deletes it
    ScriptedFrame frame{editor};
};

inline Gestures gesturesOf(int tag, int count = 1) {
    Gestures all;
    for (int i = 0; i < count; ++i)
        all.insert(all.end(), {{audioMasterBeginEdit, tag}, {audioMasterEndEdit, tag}});
    return all;
}

using testsupport::HeldInput;

}  // namespace controltest
