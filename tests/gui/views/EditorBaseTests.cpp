// The editor base: its registration, rectangle, keys and wheel through the frame, the shared knob
// mode, edit gestures and the paced idle cycle under a controllable clock.
#include <gtest/gtest.h>
#include <ole2.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

#include "gui/draw/CDrawContext.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"
#include "host/AudioEffectX.h"
#include "support/EditorWindow.h"
#include "support/RecordingHost.h"

using gui::CDrawContext;
using gui::CPosition;
using gui::CRectangle;

namespace {

constexpr std::int32_t kKeyHandledByFrame = 1;
constexpr std::int32_t kKeyIgnoredByFrame = 0;
constexpr std::int32_t kKeyUnhandled = -1;
const CRectangle kFrameSize(0, 0, 200, 100);

class TestEffect : public AudioEffectX {
  public:
    TestEffect() : AudioEffectX(FakeHost::callback, 1, 1) {}
    void processReplacing(float**, float**, int32) override {}
    void masterIdle() override {
        if (onMasterIdle) onMasterIdle();
        AudioEffectX::masterIdle();
    }
    std::function<void()> onMasterIdle;
};

struct FrameLog {
    int idles = 0;
    std::int32_t keyAnswer = kKeyUnhandled;
    VstKeyCode lastKey = {};
    CDrawContext* wheelContext = nullptr;
    HWND wheelWindow = nullptr;
    CPosition wheelWhere;
    float wheelDistance = 0.0f;
    bool wheelThrows = false;
};

// A frame without a window that records what the editor hands it.
class RecordingFrame : public gui::CFrame {
  public:
    RecordingFrame(AEffGUIEditor* editor, FrameLog& log, HWND parent)
        : CFrame(kFrameSize, parent, editor), log(log) {}

    void idle() override { ++log.idles; }
    std::int32_t onKeyDown(VstKeyCode& key) override { return answerKey(key); }
    std::int32_t onKeyUp(VstKeyCode& key) override { return answerKey(key); }
    bool onWheel(CDrawContext* context, const CPosition& where, float distance) override {
        // Kept, so that the test can see whether the editor gave its own reference back.
        context->retain();
        log.wheelContext = context;
        log.wheelWindow = context->getWindow();
        log.wheelWhere = where;
        log.wheelDistance = distance;
        if (log.wheelThrows) throw std::runtime_error("frame failed");
        return true;
    }

  private:
    std::int32_t answerKey(VstKeyCode& key) {
        log.lastKey = key;
        return log.keyAnswer;
    }
    FrameLog& log;
};

class TestEditor : public AEffGUIEditor {
  public:
    explicit TestEditor(AudioEffect* effect) : AEffGUIEditor(effect) {}
    ~TestEditor() override { close(); }

    bool open(void* window) override {
        AEffGUIEditor::open(window);
        frame =
            new RecordingFrame(this, log, withFrameWindow ? static_cast<HWND>(window) : nullptr);
        return true;
    }
    // The frame gets a window of its own inside the host's window, as a real editor's does.
    bool withFrameWindow = false;
    void close() override {
        delete frame;
        frame = nullptr;
        AEffGUIEditor::close();
    }
    using AEffGUIEditor::inIdleCycle;
    using AEffGUIEditor::nextIdleTicks;
    FrameLog log;
};

// The controllable clock: waiting moves the time on.
std::uint32_t fakeNow = 0;
std::vector<std::uint32_t> waits;
std::uint32_t fakeTicks() { return fakeNow; }
void fakeWait(std::uint32_t milliseconds) {
    waits.push_back(milliseconds);
    fakeNow += milliseconds;
}

constexpr std::uint32_t kStartTicks = 1000;

class EditorBase : public ::testing::Test {
  protected:
    void SetUp() override {
        fakeNow = kStartTicks;
        waits.clear();
        AEffGUIEditor::setClock(fakeTicks, fakeWait);
        effect = std::make_unique<TestEffect>();
        editor = new TestEditor(effect.get());
    }
    void TearDown() override {
        effect.reset();  // deletes the editor
        AEffGUIEditor::setClock(nullptr, nullptr);
    }

    std::size_t hostCalls(int32 opcode) const {
        std::size_t count = 0;
        for (const HostCall& call : host.calls()) count += call.opcode == opcode;
        return count;
    }

    FakeHost host;
    std::unique_ptr<TestEffect> effect;
    TestEditor* editor = nullptr;
};

// A plain window for the wheel's drawing context.
struct TestWindow {
    TestWindow()
        : handle(CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                               nullptr)) {}
    ~TestWindow() { DestroyWindow(handle); }
    HWND handle;
};

}  // namespace

TEST_F(EditorBase, ConstructorRegistersWithTheEffect) {
    EXPECT_EQ(effect->getEditor(), editor);
    EXPECT_NE(effect->getAeffect()->flags & effFlagsHasEditor, 0);
    EXPECT_EQ(editor->nextIdleTicks, kStartTicks);
}

TEST_F(EditorBase, ComponentServicesLiveWithTheEditor) {
    // The thread is initialised already while the editor exists...
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    CoUninitialize();
    effect.reset();
    // ...and no more once it is gone.
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
    CoUninitialize();
}

TEST_F(EditorBase, RectBeforeFillingIsZerosAndTrue) {
    ERect* rect = nullptr;
    EXPECT_TRUE(editor->getRect(&rect));
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 0);
    EXPECT_EQ(rect->right, 0);
    EXPECT_FALSE(editor->getRect(nullptr));
}

TEST_F(EditorBase, EverythingIsSafeWhileClosed) {
    VstKeyCode key = {'a', 0, 0};
    EXPECT_FALSE(editor->onKeyDown(key));
    EXPECT_FALSE(editor->onKeyUp(key));
    EXPECT_FALSE(editor->onWheel(1.0f));
    editor->idle();
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 0);
}

TEST_F(EditorBase, KeyIsTrueOnlyWhenTheFrameAnswersOne) {
    editor->open(nullptr);
    VstKeyCode key = {'q', 0, 0};
    editor->log.keyAnswer = kKeyHandledByFrame;
    EXPECT_TRUE(editor->onKeyDown(key));
    EXPECT_TRUE(editor->onKeyUp(key));
    EXPECT_EQ(editor->log.lastKey.character, 'q');
    editor->log.keyAnswer = kKeyUnhandled;
    EXPECT_FALSE(editor->onKeyDown(key));
    EXPECT_FALSE(editor->onKeyUp(key));
    editor->log.keyAnswer = kKeyIgnoredByFrame;
    EXPECT_FALSE(editor->onKeyDown(key));
}

TEST_F(EditorBase, WheelReachesTheFrameWithAContextOnTheHostWindow) {
    TestWindow window;
    editor->open(window.handle);
    const CPosition cursor(40, 25);
    ASSERT_TRUE(SetCursorPos(cursor.h, cursor.v));
    EXPECT_TRUE(editor->onWheel(-2.0f));
    ASSERT_NE(editor->log.wheelContext, nullptr);
    EXPECT_EQ(editor->log.wheelWindow, window.handle);
    EXPECT_EQ(editor->log.wheelWhere, cursor);
    EXPECT_FLOAT_EQ(editor->log.wheelDistance, -2.0f);
    EXPECT_EQ(editor->log.wheelContext->getNbReference(), 1);
    editor->log.wheelContext->release();
}

TEST_F(EditorBase, WheelContextGoesAlsoWhenTheFrameThrows) {
    editor->open(nullptr);
    editor->log.wheelThrows = true;
    EXPECT_FALSE(editor->onWheel(1.0f));
    ASSERT_NE(editor->log.wheelContext, nullptr);
    EXPECT_EQ(editor->log.wheelContext->getNbReference(), 1);
    editor->log.wheelContext->release();
}

TEST_F(EditorBase, KnobModeOfOneEditorIsWhatEveryFrameReports) {
    auto otherEffect = std::make_unique<TestEffect>();
    auto* other = new TestEditor(otherEffect.get());
    other->open(nullptr);
    EXPECT_TRUE(editor->setKnobMode(2));
    EXPECT_EQ(AEffGUIEditor::knobMode, 2);
    EXPECT_EQ(other->getFrame()->getKnobMode(), 2);
    EXPECT_TRUE(other->setKnobMode(0));
    otherEffect.reset();
}

TEST_F(EditorBase, EditGesturesReachTheHost) {
    editor->beginEdit(1);
    editor->endEdit(1);
    ASSERT_EQ(host.calls().size(), 2u);
    EXPECT_EQ(host.calls()[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(host.calls()[0].index, 1);
    EXPECT_EQ(host.calls()[1].opcode, audioMasterEndEdit);
    EXPECT_EQ(host.calls()[1].index, 1);
}

TEST_F(EditorBase, SecondCycleWithinTenMillisecondsWaitsFourAndSkipsIdle) {
    editor->open(nullptr);
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 1);
    EXPECT_TRUE(waits.empty());
    fakeNow += 9;
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 1);
    EXPECT_EQ(waits, std::vector<std::uint32_t>{4});
    EXPECT_EQ(editor->nextIdleTicks, kStartTicks + 100);
}

TEST_F(EditorBase, CycleSixtyMillisecondsLaterRunsIdle) {
    editor->open(nullptr);
    editor->runIdleCycle();
    fakeNow = kStartTicks + 60;
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 2);
    EXPECT_EQ(waits, std::vector<std::uint32_t>{4});
    // The wait counts: the next cycle is due 100 ms after the 64 ms reached.
    EXPECT_EQ(editor->nextIdleTicks, kStartTicks + 164);
}

TEST_F(EditorBase, HostGetsIdleOnEveryCompletedCycle) {
    editor->open(nullptr);
    editor->runIdleCycle();
    fakeNow += 5;
    editor->runIdleCycle();
    fakeNow += 100;
    editor->runIdleCycle();
    EXPECT_EQ(hostCalls(audioMasterIdle), 2u);
    EXPECT_FALSE(editor->inIdleCycle);
}

TEST_F(EditorBase, IdleDoesNothingWhileTheHostIdles) {
    editor->open(nullptr);
    bool flagSeen = false;
    effect->onMasterIdle = [&] {
        flagSeen = editor->inIdleCycle;
        editor->idle();
    };
    editor->runIdleCycle();
    EXPECT_TRUE(flagSeen);
    EXPECT_EQ(editor->log.idles, 1);
    editor->idle();
    EXPECT_EQ(editor->log.idles, 2);
}

TEST_F(EditorBase, PacingHoldsAcrossTheTickWrapAround) {
    editor->open(nullptr);
    fakeNow = 0xFFFFFFF0u;
    editor->nextIdleTicks = fakeNow;
    editor->runIdleCycle();
    EXPECT_EQ(editor->nextIdleTicks, 0xFFFFFFF0u + 100);
    fakeNow += 5;
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 1);
    fakeNow = 0xFFFFFFF0u + 60;
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 2);
}

TEST_F(EditorBase, CycleIsDueAfterAGapOfMoreThanHalfTheTickRange) {
    editor->open(nullptr);
    editor->runIdleCycle();
    // Weeks without a cycle: the old deadline now looks far in the future.
    fakeNow = kStartTicks + 0x80000000u + 1000;
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 2);
    EXPECT_TRUE(waits.empty());
    EXPECT_EQ(editor->nextIdleTicks, fakeNow + 100);
}

// GetTickCount moves in steps of about 16 ms: a wait of 4 ms often does not show in it.
void waitUnseen(std::uint32_t milliseconds) { waits.push_back(milliseconds); }

TEST_F(EditorBase, DeadlineSetAfterAnUnseenWaitIsNotTakenForStale) {
    AEffGUIEditor::setClock(fakeTicks, waitUnseen);
    editor->open(nullptr);
    editor->runIdleCycle();
    fakeNow = kStartTicks + 60;
    editor->runIdleCycle();  // waits 4 ms, runs, and is next due at 164
    EXPECT_EQ(editor->nextIdleTicks, kStartTicks + 164);
    editor->runIdleCycle();  // the same tick: 104 ms to go
    EXPECT_EQ(editor->log.idles, 2);
    fakeNow = kStartTicks + 120;
    editor->runIdleCycle();
    EXPECT_EQ(editor->log.idles, 3);
}

TEST_F(EditorBase, NestedCycleLeavesTheOuterGuardInPlace) {
    editor->open(nullptr);
    bool guardAfterNestedCycle = false;
    int hostIdles = 0;
    effect->onMasterIdle = [&] {
        if (hostIdles++ > 0) return;
        fakeNow += 200;
        editor->runIdleCycle();
        guardAfterNestedCycle = editor->inIdleCycle;
        editor->idle();
    };
    editor->runIdleCycle();
    EXPECT_EQ(hostIdles, 2);
    EXPECT_TRUE(guardAfterNestedCycle);
    EXPECT_EQ(editor->log.idles, 1);  // neither the nested cycle nor the host redrew
    EXPECT_FALSE(editor->inIdleCycle);
}

TEST_F(EditorBase, WheelPointIsInTheFramesCoordinatesInACaptionedHostWindow) {
    testsupport::HostWindow hostWindow(300, 200);
    editor->withFrameWindow = true;
    editor->open(hostWindow.get());
    HWND frameWindow = editor->getFrame()->getWindow();
    ASSERT_NE(frameWindow, nullptr);
    POINT screen = {20, 30};
    ClientToScreen(frameWindow, &screen);
    ASSERT_TRUE(SetCursorPos(screen.x, screen.y));
    EXPECT_TRUE(editor->onWheel(1.0f));
    EXPECT_EQ(editor->log.wheelWhere, CPosition(20, 30));
    EXPECT_EQ(editor->log.wheelWindow, frameWindow);
    editor->log.wheelContext->release();
    editor->close();
}
