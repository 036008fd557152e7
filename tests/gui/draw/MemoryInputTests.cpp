// The drawing context's mouse questions over scripted input: which buttons count as left and
// right, where the cursor is in panel units, and how the double-click and drag waits end.
#include <gtest/gtest.h>

#include <memory>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/FakeFrame.h"
#include "gui/platform/PointerInput.h"
#include "gui/platform/memory/MemoryPlatform.h"

using namespace gui;

namespace {

const CPosition kScreenOrigin(300, 200);

class MemoryInput : public ::testing::Test {
  protected:
    MemoryInput() { memory::resetInput(); }
    ~MemoryInput() override {
        memory::destroyWindow(window);
        memory::resetInput();
    }

    static memory::ScriptedInput& input() { return memory::input(); }

    NativeWindow window = memory::createWindow(200, 100, kScreenOrigin);
    CFrame frame{CRectangle(0, 0, 200, 100), window};
};

}  // namespace

TEST_F(MemoryInput, ButtonStateNamesThePrimaryButtonLeftAndKeepsTheModifiers) {
    CDrawContext context(&frame, nullptr, window);
    input().buttons = platform::kPrimaryDown | platform::kSecondaryDown | platform::kShiftDown |
                      platform::kAltDown;
    EXPECT_EQ(context.getButtonState(), kButtonLeft | kButtonRight | kModifierShift | kModifierAlt);
    input().buttons = platform::kMiddleDown | platform::kControlDown;
    EXPECT_EQ(context.getButtonState(), kButtonMiddle | kModifierControl);
}

TEST_F(MemoryInput, MousePositionIsInPanelUnitsFromTheShiftedWindowOrigin) {
    frame.scale = 2.0;
    CDrawContext context(&frame, nullptr, window);
    input().cursor = CPosition(kScreenOrigin.h + 41, kScreenOrigin.v + 21);
    CPosition where;
    context.getMousePosition(where);
    EXPECT_EQ(where, CPosition(20, 10));
    // A container moves the origin by its own position, in panel units.
    context.windowOrigin = CPosition(context.windowOrigin.h + 5, context.windowOrigin.v + 3);
    context.getMousePosition(where);
    EXPECT_EQ(where, CPosition(15, 7));
}

TEST_F(MemoryInput, DoubleClickTakesAPressThatArrivesBeforeTheDeadline) {
    CDrawContext context(&frame, nullptr, window);
    input().messageTime = 1000;
    input().tick = 1200;
    input().waitingPresses = 1;
    EXPECT_TRUE(context.waitForDoubleClick());
    EXPECT_EQ(input().waitingPresses, 0);
    // Without a second press the wait ends at the deadline.
    EXPECT_FALSE(context.waitForDoubleClick());
    EXPECT_GE(input().tick, 1500u);
}

TEST_F(MemoryInput, DoubleClickIsOverOnceTheIntervalHasRunOut) {
    CDrawContext context(&frame, nullptr, window);
    input().messageTime = 1000;
    input().tick = 1500;
    input().waitingPresses = 1;
    EXPECT_FALSE(context.waitForDoubleClick());
    EXPECT_EQ(input().waitingPresses, 1);
}

TEST_F(MemoryInput, DragBeginsWhenTheCursorLeavesTheClickTolerance) {
    CDrawContext context(&frame, nullptr, window);
    input().buttons = platform::kPrimaryDown;
    frame.onIdle = [](CFrame&) { ++memory::input().cursor.h; };
    EXPECT_TRUE(context.waitForDrag());
    EXPECT_EQ(frame.idleRuns, 2);
}

TEST_F(MemoryInput, ReleasingTheButtonInPlaceIsNoDrag) {
    CDrawContext context(&frame, nullptr, window);
    input().buttons = platform::kPrimaryDown;
    frame.onIdle = [](CFrame&) { memory::input().buttons = 0; };
    EXPECT_FALSE(context.waitForDrag());
    EXPECT_EQ(frame.idleRuns, 1);
}

TEST_F(MemoryInput, DragWaitLetsGoOfAFrameClosedDuringIdle) {
    auto closing = std::make_unique<CFrame>(CRectangle(0, 0, 200, 100), window);
    CDrawContext context(closing.get(), nullptr, window);
    input().buttons = platform::kPrimaryDown;
    closing->onIdle = [](CFrame& frame) { frame.lifetime.reset(); };
    EXPECT_FALSE(context.waitForDrag());
    EXPECT_EQ(context.getFrame(), nullptr);
}
