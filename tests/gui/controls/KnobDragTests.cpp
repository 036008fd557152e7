// The knob's tracking loop under real input: buttons and modifiers held through the system's
// queue, the cursor moved between passes from the frame's idle cycle. The frame has no window,
// so frame coordinates are screen coordinates.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "gui/controls/CKnob.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/draw/PixelSurface.h"

using namespace controltest;

namespace {

constexpr std::int32_t kTag = 2;
constexpr std::int32_t kLinearMode = 2;
constexpr std::int32_t kCircularMode = 0;
const CPosition kCentre(140, 140);
const CPosition kTop(140, 103);

CPosition at(int dh, int dv) { return CPosition(kCentre.h + dh, kCentre.v + dv); }

struct KnobDrag : ::testing::Test {
    KnobDrag() {
        hosted.frame.addView(knob);  // the frame drops both references
        knob->setValue(0.2f);
        knob->setDirty(false);
    }
    ~KnobDrag() override { AEffGUIEditor::knobMode = kCircularMode; }

    // Left button down at click, one point of path per idle cycle (after during), then up.
    void drag(const CPosition& click, const std::vector<CPosition>& path,
              const std::function<void(int)>& during = {}) {
        testsupport::placeCursor(click.h, click.v);
        HeldInput left = HeldInput::leftButton();
        hosted.frame.idleCycles = 0;
        hosted.frame.onIdle = [&](int cycle) {
            if (during) during(cycle);
            if (cycle > static_cast<int>(path.size())) return left.up();
            testsupport::placeCursor(path[cycle - 1].h, path[cycle - 1].v);
        };
        CPosition where = click;
        knob->mouse(&context, where, gui::kButtonsFromContext);
        hosted.frame.onIdle = nullptr;
    }

    RecordingListener listener;
    HostedFrame hosted;
    gui::CKnob* knob =
        new gui::CKnob(CRectangle(100, 100, 180, 180), &listener, kTag, nullptr, nullptr, {});
    PixelSurface surface{8, 8};
    CDrawContext context{&hosted.frame, surface.device(), nullptr};
};

}  // namespace

TEST_F(KnobDrag, LinearTravelIs200PixelsOr300WithShift) {
    AEffGUIEditor::knobMode = kLinearMode;
    drag(kCentre, {at(100, 0), at(100, -50)});
    ASSERT_GE(listener.values.size(), 3u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.2f) << "the first pass keeps the value";
    EXPECT_NEAR(listener.values[1], 0.7f, 1e-5);
    EXPECT_NEAR(knob->getValue(), 0.95f, 1e-5) << "up counts like right";
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    knob->setValue(0.2f);
    {
        HeldInput shift = HeldInput::shift();
        drag(kCentre, {at(100, 0)});
    }
    EXPECT_NEAR(knob->getValue(), 0.2f + 1.0f / 3.0f, 1e-5);
    drag(kCentre, {at(300, 0)});
    EXPECT_EQ(knob->getValue(), 1.0f);
}

TEST_F(KnobDrag, ShiftPressedMidDragDoesNotMakeTheValueJump) {
    AEffGUIEditor::knobMode = kLinearMode;
    std::optional<HeldInput> shift;
    drag(kCentre, {at(100, 0), at(101, 0), at(131, 0)}, [&shift](int cycle) {
        if (cycle == 2) shift.emplace(HeldInput::shift());
    });
    shift.reset();
    for (std::size_t i = 1; i < listener.values.size(); ++i)
        EXPECT_GE(listener.values[i], listener.values[i - 1]) << "pass " << i;
    // 100 pixels at 1/200, then 31 at 1/300.
    EXPECT_NEAR(knob->getValue(), 0.2f + 0.5f + 31.0f / 300.0f, 1e-5);
}

TEST_F(KnobDrag, CircularTakesTheClickedAngleAndDoesNotWrapAcrossTheDeadArc) {
    // Right, into the dead arc right of the bottom, across to its left half, on to the left.
    drag(kTop, {at(37, 0), at(10, 38), at(-10, 38), at(-37, 0)});
    ASSERT_GE(listener.values.size(), 3u);
    EXPECT_FLOAT_EQ(listener.values[0], 0.5f);
    EXPECT_NEAR(listener.values[1], 5.0f / 6.0f, 1e-5);
    for (std::size_t i = 2; i < listener.values.size(); ++i)
        EXPECT_EQ(listener.values[i], 1.0f) << "pass " << i;
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
}

TEST_F(KnobDrag, AltSwapsTheHostsKnobMode) {
    HeldInput alt = HeldInput::alt();
    AEffGUIEditor::knobMode = kLinearMode;
    drag(kTop, {});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f) << "circular: the clicked angle";
    knob->setValue(0.2f);
    AEffGUIEditor::knobMode = kCircularMode;
    drag(kTop, {});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.2f) << "linear: no movement, no change";
    EXPECT_EQ(listener.modifierStates.size(), 2u);
}

TEST_F(KnobDrag, KnobRemovedMidDragEndsItsGestureOnceAndStops) {
    knob->retain();
    drag(kTop, {at(37, 0), at(30, 0)}, [this](int cycle) {
        if (cycle == 2) hosted.frame.removeView(knob, true);
    });
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    EXPECT_EQ(hosted.frame.idleCycles, 2);
    knob->release();
}

TEST_F(KnobDrag, ShiftDragWithAFineFactorThatCannotDivideMovesAtTheWholeRate) {
    AEffGUIEditor::knobMode = kLinearMode;
    HeldInput shift = HeldInput::shift();
    for (float factor : {0.0f, -1.5f}) {
        knob->setFineFactor(factor);
        knob->setValue(0.2f);
        listener.values.clear();
        drag(kCentre, {at(100, 0)});
        for (float reported : listener.values) EXPECT_FALSE(std::isnan(reported)) << factor;
        EXPECT_NEAR(knob->getValue(), 0.7f, 1e-5) << factor;
    }
}
