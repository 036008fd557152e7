// The control base: the dirty rule, bounding, the reset gesture, balanced edit gestures and
// double-click timing under the editor's clock.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "gui/controls/CKnob.h"
#include "gui/controls/COnOffButton.h"
#include "gui/controls/CRockerSwitch.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/platform/PointerInput.h"
#include "support/PoisonedOnDelete.h"

using namespace controltest;

namespace {

constexpr std::int32_t kTag = 7;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct PlainControl : CControl {
    explicit PlainControl(gui::CControlListener* listener = nullptr)
        : CControl(CRectangle(10, 10, 50, 30), listener, kTag) {}
    void draw(CDrawContext*) override { setDirty(false); }
    using CControl::doubleClickDelta;
};

std::uint32_t fakeNow = 0;
std::uint32_t fakeTicks() { return fakeNow; }

class ControlInFrame : public ::testing::Test {
  protected:
    ControlInFrame() {
        AEffGUIEditor::setClock(fakeTicks, [](std::uint32_t) {});
        hosted.frame.addView(control);  // the frame drops both references
    }
    ~ControlInFrame() override { AEffGUIEditor::setClock(nullptr, nullptr); }

    RecordingListener listener;
    HostedFrame hosted;
    PlainControl* control = new PlainControl(&listener);
};

}  // namespace

TEST(ControlBase, DirtyRuleAndBounding) {
    PlainControl control;
    EXPECT_TRUE(control.isDirty());
    control.draw(nullptr);
    EXPECT_FALSE(control.isDirty());
    control.setValue(1.5f);
    EXPECT_TRUE(control.isDirty());
    control.clampValue();
    EXPECT_EQ(control.getValue(), 1.0f);
    control.setValue(-0.2f);
    control.clampValue();
    EXPECT_EQ(control.getValue(), 0.0f);
    // Marking dirty forces a difference, also for the value the forcing uses.
    control.setValue(-1.0f);
    control.setDirty(true);
    EXPECT_EQ(control.getOldValue(), 0.0f);
    control.setValue(kNaN);
    control.setDirty(false);
    EXPECT_TRUE(control.isDirty()) << "NaN never equals the value drawn";
    control.clampValue();
    EXPECT_EQ(control.getValue(), 0.0f) << "a NaN takes the minimum";
}

TEST(ControlBase, WithoutAFrameGesturesAndDoubleClicksAreNeutral) {
    RecordingListener listener;
    PlainControl control(&listener);
    control.beginEdit();
    control.endEdit();
    control.runIdle();
    EXPECT_FALSE(control.detectDoubleClick());
    EXPECT_FALSE(control.detectDoubleClick());
    EXPECT_TRUE(control.resetToDefaultOnClick(nullptr, gui::kResetClick));
    EXPECT_EQ(listener.values, std::vector<float>{0.5f});
    EXPECT_EQ(gui::boundedDoubleClickDelta(100), 250);
    EXPECT_EQ(gui::boundedDoubleClickDelta(500), 500);
    EXPECT_EQ(control.doubleClickDelta,
              gui::boundedDoubleClickDelta(gui::platform::doubleClickTime()));
}

TEST_F(ControlInFrame, ResetIsExactlyControlAndLeftAsOneNotifiedGesture) {
    control->setValue(0.9f);
    control->setDirty(false);
    EXPECT_FALSE(control->resetToDefaultOnClick(nullptr, gui::kResetClick | gui::kModifierShift));
    EXPECT_TRUE(listener.values.empty());
    EXPECT_TRUE(control->resetToDefaultOnClick(nullptr, gui::kResetClick));
    EXPECT_EQ(control->getValue(), 0.5f);
    EXPECT_EQ(listener.values, std::vector<float>{0.5f});
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    EXPECT_EQ(hosted.frame.getFocusView(), control);
}

TEST_F(ControlInFrame, EveryEndEditSentMatchesABeginEdit) {
    control->endEdit();
    control->beginEdit();
    control->endEdit();
    control->endEdit();
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    // Leaving the frame mid-gesture ends it at once.
    control->beginEdit();
    hosted.frame.removeView(control, false);  // leaves the creator's reference
    control->endEdit();
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2));
    EXPECT_EQ(control->getFrame(), nullptr);
    control->release();
}

TEST_F(ControlInFrame, EditorClosedInsideTheHostsBeginEditStillEndsTheGesture) {
    // The host closes the editor there: the control leaves the frame (the creator's reference
    // stays with the test).
    hosted.host.onNext(audioMasterBeginEdit, [this] { hosted.frame.removeView(control, false); });
    control->beginEdit();
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    control->endEdit();
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag)) << "no second end";
    control->release();
}

TEST_F(ControlInFrame, DoubleClickIsTwoClicksWithinTheTimeAndNeverThree) {
    control->doubleClickDelta = 500;
    const std::uint32_t clicks[] = {1000, 1100, 1200, 1700, 0xFFFFFF00u, 0x10u};
    const bool expected[] = {false, true, false, false, false, true};
    for (int i = 0; i < 6; ++i) {
        fakeNow = clicks[i];
        EXPECT_EQ(control->detectDoubleClick(), expected[i]) << "click at " << clicks[i];
    }
}

namespace {

using testsupport::PoisonedOnDelete;

// A listener that rebuilds its page: the control it hears of leaves the frame.
struct RemovingListener : RecordingListener {
    void valueChanged(CDrawContext* context, CControl* control) override {
        RecordingListener::valueChanged(context, control);
        frame->removeView(control);
    }
    gui::CFrame* frame = nullptr;
};

struct OneShotGesture {
    const char* name;
    std::function<CControl*(gui::CControlListener*)> make;
    std::function<void(CControl&)> run;
};

const CRectangle kPlace(10, 10, 50, 30);
CPosition inside(20, 20);
VstKeyCode arrowUp = {0, 12, 0};

CControl* poisonedKnob(gui::CControlListener* listener) {
    return new PoisonedOnDelete<gui::CKnob>(kPlace, listener, kTag, nullptr, nullptr, CPosition());
}

class ControlRemovedByItsListener : public ::testing::TestWithParam<OneShotGesture> {};

}  // namespace

TEST_P(ControlRemovedByItsListener, EndsTheOneShotGestureOnceAndTellsNobodyMore) {
    HostedFrame hosted;
    RemovingListener listener;
    listener.frame = &hosted.frame;
    CControl* control = GetParam().make(&listener);
    hosted.frame.addView(control);  // the frame drops both references
    GetParam().run(*control);
    EXPECT_EQ(listener.values.size(), 1u);
    EXPECT_EQ(hosted.frame.getViewCount(), 0);
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
}

INSTANTIATE_TEST_SUITE_P(
    ResetKeyWheelAndButtons, ControlRemovedByItsListener,
    ::testing::Values(
        OneShotGesture{"KnobReset", poisonedKnob,
                       [](CControl& knob) { knob.mouse(nullptr, inside, gui::kResetClick); }},
        OneShotGesture{"KnobArrowKey", poisonedKnob,
                       [](CControl& knob) { knob.onKeyDown(arrowUp); }},
        OneShotGesture{"KnobWheel", poisonedKnob,
                       [](CControl& knob) { knob.onWheel(nullptr, inside, 1.0f); }},
        OneShotGesture{"OnOffNotifyingBeforeRedraw",
                       [](gui::CControlListener* listener) -> CControl* {
                           return new PoisonedOnDelete<gui::COnOffButton>(
                               kPlace, listener, kTag, nullptr,
                               gui::COnOffButton::notifyBeforeRedraw);
                       },
                       [](CControl& button) { button.mouse(nullptr, inside, gui::kButtonLeft); }},
        OneShotGesture{"RockerWheel",
                       [](gui::CControlListener* listener) -> CControl* {
                           return new PoisonedOnDelete<gui::CRockerSwitch>(
                               kPlace, listener, kTag, nullptr, CPosition(0, 0), 0);
                       },
                       [](CControl& rocker) { rocker.onWheel(nullptr, inside, 1.0f); }}),
    [](const ::testing::TestParamInfo<OneShotGesture>& info) { return info.param.name; });
