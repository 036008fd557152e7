#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/DrawContextTestSupport.h"
#include "gui/draw/FakeFrame.h"
#include "gui/platform/win32/Win32Globals.h"
#include "support/HeldInput.h"
#include "support/PoisonedOnDelete.h"

using namespace gui;
using namespace drawtest;

namespace {

using testsupport::HeldInput;
using testsupport::PoisonedOnDelete;

HeldInput leftButton() { return HeldInput::leftButton(); }
HeldInput rightButton() { return HeldInput::rightButton(); }

void drainMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
}

// Sets the message time to now by fetching a message, as handling the first click would.
void receiveMessageNow() {
    drainMessages();
    PostThreadMessageA(GetCurrentThreadId(), WM_USER, 0, 0);
    MSG message;
    GetMessageA(&message, nullptr, WM_USER, WM_USER);
}

// Waits until the double-click interval since the last message fetched has run out.
void letTheLastMessageAge() {
    const DWORD deadline = static_cast<DWORD>(GetMessageTime()) + GetDoubleClickTime();
    const DWORD now = GetTickCount();
    if (now < deadline) Sleep(deadline - now + 1);
}

bool leftPressQueued() {
    MSG message;
    return PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) != 0;
}

class DrawContextInput : public ::testing::Test {
  protected:
    DrawContextInput() {
        SetCursorPos(kCursor.x, kCursor.y);
        drainMessages();
    }
    ~DrawContextInput() override {
        mouseButtonsSwapped = false;
        drainMessages();
    }

    static constexpr POINT kCursor = {300, 200};
    PixelSurface surface{8, 8};
    CDrawContext context{nullptr, surface.device(), nullptr};
};

}  // namespace

TEST_F(DrawContextInput, ButtonStateReportsButtonsAndModifiersHeldDown) {
    EXPECT_EQ(context.getButtonState(), 0);
    HeldInput left = leftButton();
    HeldInput shift = HeldInput::key(VK_SHIFT);
    HeldInput control = HeldInput::key(VK_CONTROL);
    EXPECT_EQ(context.getButtonState(), kButtonLeft | kModifierShift | kModifierControl);
    shift.up();
    control.up();
    HeldInput alt = HeldInput::key(VK_MENU);
    HeldInput middle = HeldInput::mouse(MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP);
    EXPECT_EQ(context.getButtonState(), kButtonLeft | kButtonMiddle | kModifierAlt);
}

TEST_F(DrawContextInput, SwappedButtonsMakeThePhysicalRightButtonThePrimaryOne) {
    mouseButtonsSwapped = true;
    {
        HeldInput right = rightButton();
        EXPECT_EQ(context.getButtonState(), kButtonLeft);
    }
    {
        HeldInput left = leftButton();
        EXPECT_EQ(context.getButtonState(), kButtonRight);
    }
    mouseButtonsSwapped = false;
    HeldInput right = rightButton();
    EXPECT_EQ(context.getButtonState(), kButtonRight);
}

TEST_F(DrawContextInput, WindowContextTakesTheWindowsDeviceAndOrigin) {
    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 40, 30, 100, 80, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    {
        CDrawContext windowContext(nullptr, nullptr, window);
        EXPECT_NE(windowContext.getDevice(), nullptr);
        EXPECT_EQ(windowContext.getWindow(), window);
        EXPECT_EQ(windowContext.windowOrigin, CPosition(40, 30));
        CPosition where;
        windowContext.getMousePosition(where);
        EXPECT_EQ(where, CPosition(kCursor.x - 40, kCursor.y - 30));
    }
    DestroyWindow(window);
}

TEST_F(DrawContextInput, MousePositionSubtractsTheWindowOriginButNotTheOffset) {
    context.windowOrigin = CPosition(100, 50);
    context.offset = CPosition(7, 9);
    CPosition where;
    context.getMousePosition(where);
    EXPECT_EQ(where, CPosition(kCursor.x - 100, kCursor.y - 50));
}

TEST_F(DrawContextInput, DoubleClickWaitEndsAtOnceWhenTheIntervalHasPassed) {
    letTheLastMessageAge();
    PostThreadMessageA(GetCurrentThreadId(), WM_LBUTTONDOWN, 0, 0);
    const DWORD before = GetTickCount();
    EXPECT_FALSE(context.waitForDoubleClick());
    EXPECT_LT(GetTickCount() - before, GetDoubleClickTime() / 2);
    EXPECT_TRUE(leftPressQueued());
}

TEST_F(DrawContextInput, SecondPressInTimeIsADoubleClickAndIsTakenFromTheQueue) {
    receiveMessageNow();
    PostThreadMessageA(GetCurrentThreadId(), WM_LBUTTONDOWN, 0, 0);
    EXPECT_TRUE(context.waitForDoubleClick());
    EXPECT_FALSE(leftPressQueued());
}

TEST_F(DrawContextInput, NoSecondPressWaitsOutTheInterval) {
    receiveMessageNow();
    const DWORD before = GetTickCount();
    EXPECT_FALSE(context.waitForDoubleClick());
    EXPECT_GE(GetTickCount() - before + 20, GetDoubleClickTime());
}

TEST_F(DrawContextInput, CursorLeavingTheClickBoxEndsTheDoubleClickWait) {
    receiveMessageNow();
    std::thread mover([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        SetCursorPos(kCursor.x + 2, kCursor.y);
    });
    const DWORD before = GetTickCount();
    const bool doubleClick = context.waitForDoubleClick();
    const DWORD waited = GetTickCount() - before;
    mover.join();
    EXPECT_FALSE(doubleClick);
    EXPECT_LT(waited, GetDoubleClickTime() - 100);
}

TEST_F(DrawContextInput, DragWaitNeedsAFrame) {
    HeldInput left = leftButton();
    EXPECT_FALSE(context.waitForDrag());
}

TEST_F(DrawContextInput, DragWaitEndsWithoutIdleWhenThePrimaryButtonIsUp) {
    CFrame frame(CRectangle(0, 0, 100, 100), nullptr);
    CDrawContext framed(&frame, surface.device(), nullptr);
    EXPECT_FALSE(framed.waitForDrag());
    EXPECT_EQ(frame.idleRuns, 0);
}

TEST_F(DrawContextInput, DragStartsWhenTheCursorLeavesTheClickBox) {
    CFrame frame(CRectangle(0, 0, 100, 100), nullptr);
    CDrawContext framed(&frame, surface.device(), nullptr);
    // Two pixels left and one right are still inside the box; two right are outside.
    const POINT path[] = {
        {kCursor.x - 2, kCursor.y - 2}, {kCursor.x + 1, kCursor.y + 1}, {kCursor.x + 2, kCursor.y}};
    frame.onIdle = [&path](CFrame& idle) {
        const POINT& next = path[idle.idleRuns - 1];
        SetCursorPos(next.x, next.y);
    };
    HeldInput left = leftButton();
    EXPECT_TRUE(framed.waitForDrag());
    EXPECT_EQ(frame.idleRuns, 3);
}

TEST_F(DrawContextInput, ReleasingThePrimaryButtonInPlaceIsNoDrag) {
    CFrame frame(CRectangle(0, 0, 100, 100), nullptr);
    CDrawContext framed(&frame, surface.device(), nullptr);
    HeldInput left = leftButton();
    frame.onIdle = [&left](CFrame& idle) {
        if (idle.idleRuns == 4) left.up();
    };
    EXPECT_FALSE(framed.waitForDrag());
    EXPECT_EQ(frame.idleRuns, 4);
}

TEST_F(DrawContextInput, DragWaitEndsWhenTheHostDeletesTheFrameFromItsIdle) {
    auto* frame = new PoisonedOnDelete<CFrame>(CRectangle(0, 0, 100, 100), nullptr);
    CDrawContext framed(frame, surface.device(), nullptr);
    frame->onIdle = [frame](CFrame&) { delete frame; };
    HeldInput left = leftButton();
    EXPECT_FALSE(framed.waitForDrag());
    EXPECT_EQ(framed.getFrame(), nullptr);
}

TEST_F(DrawContextInput, DragWaitFollowsThePrimaryButtonWhenSwapped) {
    CFrame frame(CRectangle(0, 0, 100, 100), nullptr);
    CDrawContext framed(&frame, surface.device(), nullptr);
    mouseButtonsSwapped = true;
    HeldInput right = rightButton();
    frame.onIdle = [](CFrame&) { SetCursorPos(kCursor.x, kCursor.y + 5); };
    EXPECT_TRUE(framed.waitForDrag());
    EXPECT_EQ(frame.idleRuns, 1);
}
