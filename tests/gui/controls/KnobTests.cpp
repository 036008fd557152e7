// The knob's geometry, with the dead arc, and its keys, wheel and reset click.
#include <gtest/gtest.h>

#include <cstring>

#include "gui/controls/CKnob.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/draw/PixelSurface.h"

using namespace controltest;
using gui::CKnob;

namespace {

constexpr std::int32_t kTag = 3;
constexpr unsigned char kKeyLeft = 11;
constexpr unsigned char kKeyUp = 12;
constexpr unsigned char kShiftBit = 1;

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    return bits;
}

struct Knob : ::testing::Test {
    Knob() {
        hosted.frame.addView(knob);  // the frame drops both references
        knob->setValue(0.5f);
        knob->setDirty(false);
    }
    CPosition pointFor(float value) {
        knob->setValue(value);
        CPosition point;
        knob->pointFromValue(point);
        return point;
    }
    float valueAt(int h, int v) {
        CPosition point(h, v);
        return knob->valueFromPoint(point);
    }

    RecordingListener listener;
    HostedFrame hosted;
    CKnob* knob = new CKnob(CRectangle(0, 0, 80, 80), &listener, kTag, nullptr, nullptr, {});
    PixelSurface surface{8, 8};
    CDrawContext context{nullptr, surface.device(), nullptr};
};

}  // namespace

TEST_F(Knob, DefaultArcRunsClockwiseFromLowerLeftOverTheTop) {
    EXPECT_EQ(bitsOf(knob->getStartAngle()), 0x407B53D1u);
    EXPECT_EQ(bitsOf(knob->getRangeAngle()), 0xC096CBE4u);
    EXPECT_EQ(pointFor(0.5f), CPosition(40, 3));
    EXPECT_EQ(pointFor(0.0f), CPosition(14, 66));
    EXPECT_EQ(pointFor(1.0f), CPosition(66, 66));
    EXPECT_NEAR(valueAt(40, 3), 0.5f, 1e-6);
    EXPECT_NEAR(valueAt(77, 40), 5.0f / 6.0f, 1e-6);
    EXPECT_NEAR(valueAt(3, 40), 1.0f / 6.0f, 1e-6);
}

TEST_F(Knob, DeadArcSnapsToTheNearerEnd) {
    EXPECT_EQ(valueAt(35, 79), 0.0f);
    EXPECT_EQ(valueAt(20, 70), 0.0f);
    EXPECT_EQ(valueAt(45, 79), 1.0f);
    EXPECT_EQ(valueAt(60, 70), 1.0f);
    // Counter-clockwise from the lower left: the dead arc is on the left.
    knob->setRangeAngle(4.712389f);
    EXPECT_EQ(valueAt(1, 33), 1.0f);
    EXPECT_EQ(valueAt(1, 47), 0.0f);
    EXPECT_NEAR(valueAt(40, 79), 1.0f / 6.0f, 1e-5);
}

TEST_F(Knob, ArrowKeysStepBoundedAsOneGestureEach) {
    VstKeyCode key = {0, kKeyUp, kShiftBit};
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_NEAR(knob->getValue(), 0.51f, 1e-6);
    key = {0, kKeyLeft, 0};
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_NEAR(knob->getValue(), 0.41f, 1e-6);
    EXPECT_EQ(listener.contexts, std::vector<CDrawContext*>(2, nullptr));
    key = {'a', 0, 0};
    EXPECT_EQ(knob->onKeyDown(key), gui::kKeyNotHandled);
    // At the end of the range nothing changes and nothing is reported.
    knob->setValue(0.0f);
    knob->setDirty(false);
    key = {0, kKeyLeft, 0};
    EXPECT_EQ(knob->onKeyDown(key), 1);
    EXPECT_EQ(knob->getValue(), 0.0f);
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2));
}

TEST_F(Knob, WheelStepsByTheIncrementAndATenthWithShift) {
    EXPECT_TRUE(knob->onWheel(&context, {}, 2.0f));
    EXPECT_NEAR(knob->getValue(), 0.7f, 1e-6);
    {
        HeldInput shift = HeldInput::shift();
        EXPECT_TRUE(knob->onWheel(&context, {}, -1.0f));
    }
    EXPECT_NEAR(knob->getValue(), 0.69f, 1e-6);
    EXPECT_TRUE(knob->onWheel(&context, {}, 10.0f));
    EXPECT_EQ(knob->getValue(), 1.0f);
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 3));
    knob->setMouseEnabled(false);
    EXPECT_FALSE(knob->onWheel(&context, {}, -1.0f));
    EXPECT_EQ(knob->getValue(), 1.0f);
}

TEST_F(Knob, ControlClickResetsUnlessTheModifierHookTakesIt) {
    CPosition where(40, 3);
    knob->setValue(0.9f);
    listener.modifierAnswer = 1;
    knob->mouse(nullptr, where, gui::kResetClick);
    EXPECT_EQ(knob->getValue(), 0.9f);
    listener.modifierAnswer = 0;
    knob->mouse(nullptr, where, gui::kResetClick);
    EXPECT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(listener.values, std::vector<float>{0.5f});
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    // Without the left button not even the hook sees the click.
    knob->mouse(nullptr, where, gui::kModifierControl | gui::kButtonRight);
    EXPECT_EQ(listener.modifierStates.size(), 2u);
}
