// The editor panel of the built plug-in, driven only through its record as a host drives it, in
// a real host window with real mouse and keyboard input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "AccessibleClient.h"
#include "PanelFixture.h"

namespace {

using namespace paneltest;

TEST_F(Panel, OpensOnTheBackgroundWithKnobFramesForTheCurrentValues) {
    effect->setParameter(effect, 0, 0.8f);
    effect->setParameter(effect, 1, 0.25f);
    open();
    expectKnobFrame(kExpansionKnobLeft, frameOf(0.8f), 30);
    EXPECT_EQ(frameOf(0.8f), 48);
    expectKnobFrame(kOutputKnobLeft, frameOf(0.25f), 30);
}

TEST_F(Panel, HostAutomationRedrawsWhatAFreshPanelShows) {
    open();
    effect->setParameter(effect, 0, 0.9f);
    effect->setParameter(effect, 1, 0.1f);
    idle();
    expectKnobFrame(kExpansionKnobLeft, frameOf(0.9f), 30);
    const std::vector<COLORREF> automated = panelPixels();
    dispatch(effect, effEditClose);
    open();
    EXPECT_EQ(panelPixels(), automated) << "knob, strip and entries follow the host";
}

TEST_F(Panel, AutomationFromAnotherThreadShowsAtTheNextIdle) {
    open();
    std::thread automation([&] {
        for (int step = 0; step <= 100; ++step) effect->setParameter(effect, 0, step / 100.0f);
    });
    for (int pass = 0; pass < 20; ++pass) idle();  // the panel keeps running meanwhile
    automation.join();
    idle();
    expectKnobFrame(kExpansionKnobLeft, frameOf(1.0f), 30);
}

TEST_F(Panel, LinearDragIsOneGestureForParameterZero) {
    dispatch(effect, effSetEditKnobMode, 0, kKnobModeLinear);
    effect->setParameter(effect, 0, 0.25f);
    open();
    dragRight(kExpansionKnobCentre, 100);
    EXPECT_NEAR(value(0), 0.75f, 0.03f);
    expectGestures(0, 1);
    EXPECT_GT(count(audioMasterAutomate, 0), 0);
    expectKnobFrame(kExpansionKnobLeft, frameOf(value(0)), frameOf(0.25f));
}

TEST_F(Panel, CircularClickTakesTheAngleUnderTheMouse) {
    open();
    clickAt({kExpansionKnobLeft + kKnobSide - 3, 40});  // straight right: 5/6 of the arc
    EXPECT_NEAR(value(0), 0.833f, 0.02f);
    expectGestures(0, 1);
}

TEST_F(Panel, ControlClickAndDoubleClickResetToTheDefault) {
    effect->setParameter(effect, 1, 0.9f);
    open();
    const POINT outputKnob = {kOutputKnobLeft + 40, 40};
    clickAt(outputKnob, 1, VK_CONTROL);
    EXPECT_FLOAT_EQ(value(1), 0.5f);
    expectGestures(1, 1);
    effect->setParameter(effect, 1, 0.9f);
    host.clear();
    clickAt({kOutputKnobLeft + kKnobSide - 3, 40}, 2);
    EXPECT_FLOAT_EQ(value(1), 0.5f);
    EXPECT_EQ(display(1), "0.0");
    expectGestures(1, 2);  // the first click's own gesture, then the reset
}

TEST_F(Panel, WheelOverAKnobStepsItsParameter) {
    open();
    const POINT over = onScreen({kOutputKnobLeft + 40, 20});
    SetCursorPos(over.x, over.y);
    const intptr turned = dispatch(effect, effVendorSpecific, fourCharCode('s', 't', 'C', 'A'),
                                   fourCharCode('W', 'h', 'e', 'e'), nullptr, 1.0f);
    EXPECT_EQ(turned, 1);
    EXPECT_NEAR(value(1), 0.6f, 1e-6f);
    expectGestures(1, 1);
    const POINT away = onScreen({300, 70});
    SetCursorPos(away.x, away.y);
    EXPECT_EQ(dispatch(effect, effVendorSpecific, fourCharCode('s', 't', 'C', 'A'),
                       fourCharCode('W', 'h', 'e', 'e'), nullptr, 1.0f),
              0);
}

TEST_F(Panel, TypedEntriesSetTheParametersAndShowTheAcceptedValue) {
    open();
    typeInto(kExpansionEntry, "150");
    EXPECT_FLOAT_EQ(value(0), 1.0f);
    EXPECT_EQ(display(0), "100");
    expectGestures(0, 1);
    typeInto(kOutputEntry, "12");
    EXPECT_NEAR(value(1), 0.9976f, 1e-4f);
    EXPECT_EQ(display(1), "6.0");
    typeInto(kOutputEntry, "ABC");
    EXPECT_FLOAT_EQ(value(1), 0.5f);
    EXPECT_EQ(display(1), "0.0");
}

TEST_F(Panel, TypedValueReachesTheHostInsideItsGesture) {
    open();
    host.clear();
    typeInto(kOutputEntry, "12");
    std::vector<int32> order;
    for (const HostCall& call : host.calls())
        if (call.index == 1 &&
            (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterAutomate ||
             call.opcode == audioMasterEndEdit))
            order.push_back(call.opcode);
    EXPECT_EQ(order,
              (std::vector<int32>{audioMasterBeginEdit, audioMasterAutomate, audioMasterEndEdit}));
}

TEST_F(Panel, WheelOfNoFiniteDistanceChangesNothingAndTellsTheHostNothing) {
    open();
    const POINT over = onScreen({kOutputKnobLeft + 40, 20});
    SetCursorPos(over.x, over.y);
    for (float distance :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()})
        EXPECT_EQ(turnWheel(distance), 0) << distance;
    EXPECT_FLOAT_EQ(value(1), 0.5f);
    EXPECT_EQ(count(audioMasterAutomate, 1), 0);
    EXPECT_EQ(count(audioMasterBeginEdit, 1), 0);
}

TEST_F(Panel, TapOnAnEntryOpensItsEditWindow) {
    open();
    tapAt(kExpansionEntry, 1);
    EXPECT_TRUE(idleUntil(editHasFocus));
    EXPECT_EQ(count(audioMasterBeginEdit, 0), 1);
    key(VK_RETURN, true);
    key(VK_RETURN, false);
    EXPECT_TRUE(idleUntil([] { return !editHasFocus(); }));
}

TEST_F(Panel, DoubleTapOnAKnobResetsIt) {
    effect->setParameter(effect, 1, 0.9f);
    open();
    tapAt({kOutputKnobLeft + kKnobSide - 3, 40}, 2);
    EXPECT_FLOAT_EQ(value(1), 0.5f);
    expectGestures(1, 2);  // the first tap's own gesture, then the reset
}

namespace {

// The host closes the editor from the call of this opcode that a typed value's commit makes.
class PanelClosedByTheHost : public Panel, public ::testing::WithParamInterface<int32> {};

}  // namespace

TEST_P(PanelClosedByTheHost, WhileAWheelTurnOverAKnobCommitsATypedValue) {
    open();
    clickAt(kExpansionEntry);
    ASSERT_TRUE(idleUntil(editHasFocus));
    for (char c : std::string("25")) {
        key(static_cast<WORD>(c), true);
        key(static_cast<WORD>(c), false);
    }
    Sleep(50);
    idle();
    host.onNext(GetParam(), [this] { dispatch(effect, effEditClose); });
    const POINT over = onScreen({kOutputKnobLeft + 40, 20});
    SetCursorPos(over.x, over.y);
    turnWheel(1.0f);
    idle();
    EXPECT_FLOAT_EQ(value(0), 0.25f) << "the typed value is committed";
    EXPECT_EQ(count(audioMasterBeginEdit, 0), count(audioMasterEndEdit, 0));
    EXPECT_EQ(count(audioMasterBeginEdit, 1), count(audioMasterEndEdit, 1));
}

INSTANTIATE_TEST_SUITE_P(FromIdleAutomationOrEndEdit, PanelClosedByTheHost,
                         ::testing::Values(audioMasterIdle, audioMasterAutomate,
                                           audioMasterEndEdit));

// Handle numbers come from a table whose freed slots are used again: a panel that leaked GDI
// objects would push new handles ever higher.
int highestFreshGdiSlot() {
    constexpr int kProbes = 64;
    std::vector<HBRUSH> brushes;
    int highest = 0;
    for (int i = 0; i < kProbes; ++i) {
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
        highest = std::max(
            highest, static_cast<int>(LOWORD(reinterpret_cast<std::uintptr_t>(brushes.back()))));
    }
    for (HBRUSH brush : brushes) DeleteObject(brush);
    return highest;
}

// A screen reader may hold the panel's object long after the panel is gone.
void expectEveryCallFails(IAccessible& held) {
    long count = 0;
    BSTR text = nullptr;
    VARIANT answer;
    EXPECT_TRUE(FAILED(held.get_accChildCount(&count)));
    EXPECT_TRUE(FAILED(held.get_accName(child(1), &text)));
    EXPECT_TRUE(FAILED(held.get_accRole(child(1), &answer)));
    EXPECT_TRUE(FAILED(held.accHitTest(0, 0, &answer)));
    EXPECT_TRUE(FAILED(held.accSelect(SELFLAG_TAKEFOCUS, child(1))));
    EXPECT_TRUE(FAILED(held.accDoDefaultAction(child(4))));
    text = SysAllocString(L"75");
    EXPECT_TRUE(FAILED(held.put_accValue(child(1), text)));
    SysFreeString(text);
}

TEST_F(Panel, TwoHundredCyclesWithHeldScreenReaderObjectsLeaveNoWindowOrGdiObject) {
    open();
    dispatch(effect, effEditClose);
    const int slotBefore = highestFreshGdiSlot();
    std::vector<AccessibleRef> held;
    for (int cycle = 0; cycle < 200; ++cycle) {
        ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, hostWindow->get()), 1);
        HWND opened = GetWindow(hostWindow->get(), GW_CHILD);
        UpdateWindow(opened);
        held.push_back(clientObjectOf(opened));
        ASSERT_NE(held.back(), nullptr);
        dispatch(effect, effEditIdle);
        dispatch(effect, effEditClose);
    }
    pumpMessages();
    EXPECT_EQ(GetWindow(hostWindow->get(), GW_CHILD), nullptr);
    expectEveryCallFails(*held.front());
    expectEveryCallFails(*held.back());
    held.clear();
    EXPECT_LT(highestFreshGdiSlot() - slotBefore, 100);
    // Hosts call idle whether the editor is open or not.
    dispatch(effect, effEditIdle);
}

}  // namespace
