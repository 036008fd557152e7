// The frame in a real child window of a host window: painting, idle, mouse, wheel, the window's
// destruction, the shared window class and the cursor.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

#include "gui/draw/CBitmap.h"
#include "gui/draw/data/bitmap_test_resources.h"
#include "gui/platform/win32/Win32DropTarget.h"
#include "gui/views/FrameTestSupport.h"

namespace {

using frametest::adopt;
using frametest::HostWindow;
using frametest::kPanelHeight;
using frametest::kPanelWidth;
using frametest::platformColor;
using frametest::pumpMessages;
using frametest::RecordingView;
using frametest::TestFrame;
using frametest::windowPixel;
using gui::CPosition;
using gui::CRectangle;

constexpr short kOneNotch = 120;

class FrameWindow : public ::testing::Test {
  protected:
    HostWindow host{kPanelWidth, kPanelHeight};
    std::unique_ptr<TestFrame> frame =
        std::make_unique<TestFrame>(CRectangle(0, 0, kPanelWidth, kPanelHeight), host.get());
    HWND window() const { return frame->getWindow(); }
};

TEST_F(FrameWindow, OpensAVisibleChildWindowOfThePanelSize) {
    ASSERT_NE(window(), nullptr);
    EXPECT_EQ(GetParent(window()), host.get());
    EXPECT_TRUE(IsWindowVisible(window()));
    RECT client = {};
    GetClientRect(window(), &client);
    EXPECT_EQ(client.right, kPanelWidth);
    EXPECT_EQ(client.bottom, kPanelHeight);
    EXPECT_TRUE(frame->isDropAccepted());
}

TEST_F(FrameWindow, PaintDrawsTheInvalidRectangleThroughTheBackBuffer) {
    pumpMessages();
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(0, 0, 100, 80)));
    RECT invalid = {0, 0, 50, 80};
    InvalidateRect(window(), &invalid, FALSE);
    UpdateWindow(window());
    EXPECT_EQ(view->draws, 1);
    EXPECT_EQ(windowPixel(window(), 20, 40), platformColor(gui::kRedColor));
    EXPECT_EQ(frame->currentBackBuffer()->getPixel(CPosition(20, 40)), gui::kRedColor);
    // Drawn only in part, the view stays dirty for the next idle.
    EXPECT_TRUE(view->isDirty());
}

TEST_F(FrameWindow, PaintWithoutUpdateRegionDrawsNothing) {
    pumpMessages();
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(0, 0, 100, 80)));
    ValidateRect(window(), nullptr);
    SendMessageA(window(), WM_PAINT, 0, 0);
    EXPECT_EQ(view->draws, 0);
    EXPECT_TRUE(view->isDirty());
}

TEST_F(FrameWindow, IdleDrawsNothingBeforeTheFirstPaint) {
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(0, 0, 100, 80)));
    ASSERT_TRUE(frame->isFirstDrawPending());
    frame->idle();
    EXPECT_EQ(view->draws, 0);
    EXPECT_TRUE(view->isDirty());
    EXPECT_EQ(frame->currentBackBuffer(), nullptr);
    UpdateWindow(window());
    EXPECT_FALSE(frame->isFirstDrawPending());
    const int afterPaint = view->draws;
    EXPECT_GE(afterPaint, 1);
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(view->draws, afterPaint + 1);
    EXPECT_FALSE(view->isDirty());
}

TEST_F(FrameWindow, IdleUpdateCopiesTheWholeFrameToTheWindow) {
    pumpMessages();
    RecordingView* view =
        adopt(*frame, new RecordingView(CRectangle(600, 0, 752, 80), gui::kBlueColor));
    frame->idle();
    EXPECT_EQ(view->draws, 1);
    EXPECT_EQ(windowPixel(window(), 700, 40), platformColor(gui::kBlueColor));
}

TEST_F(FrameWindow, UpdateLockKeepsIdleFromDrawing) {
    pumpMessages();
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(0, 0, 100, 80)));
    frame->setUpdateLock(true);
    frame->idle();
    EXPECT_EQ(view->draws, 0);
    EXPECT_TRUE(frame->isDirty());
    frame->setUpdateLock(false);
    frame->idle();
    EXPECT_EQ(view->draws, 1);
}

TEST_F(FrameWindow, ButtonDownReachesTheViewAtClientCoordinates) {
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(650, 0, 752, 80)));
    SendMessageA(window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(700, 60));
    SendMessageA(window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(701, 61));
    SendMessageA(window(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(702, 62));
    ASSERT_EQ(view->clicks.size(), 3u);
    EXPECT_EQ(view->clicks[0], CPosition(700, 60));
    EXPECT_EQ(view->clicks[1], CPosition(701, 61));
    EXPECT_EQ(view->clicks[2], CPosition(702, 62));
    // The frame reads the buttons from the message instead of passing -1 on.
    EXPECT_NE(view->lastButtons, gui::kButtonsFromContext);
}

// A tap is over before its message is handled: nothing is held any more by then.
TEST_F(FrameWindow, ButtonDownTakesTheButtonAndModifiersFromItsMessage) {
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(650, 0, 752, 80)));
    SendMessageA(window(), WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(700, 60));
    EXPECT_EQ(view->lastButtons, gui::kButtonLeft | gui::kModifierShift);
    SendMessageA(window(), WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(700, 60));
    EXPECT_EQ(view->lastButtons, gui::kButtonRight | gui::kModifierControl);
}

TEST_F(FrameWindow, ButtonUpAndMouseMoveReachNoView) {
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(650, 0, 752, 80)));
    SendMessageA(window(), WM_LBUTTONUP, 0, MAKELPARAM(700, 60));
    SendMessageA(window(), WM_MOUSEMOVE, 0, MAKELPARAM(700, 60));
    SendMessageA(window(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(700, 60));
    EXPECT_TRUE(view->clicks.empty());
}

TEST_F(FrameWindow, WheelNotchTowardsTheUserGivesMinusOneAtClientCoordinates) {
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(0, 0, 200, 80)));
    POINT screen = {100, 40};
    ClientToScreen(window(), &screen);
    SendMessageA(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-kOneNotch)),
                 MAKELPARAM(screen.x, screen.y));
    SendMessageA(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * kOneNotch),
                 MAKELPARAM(screen.x, screen.y));
    ASSERT_EQ(view->wheelDistances.size(), 2u);
    EXPECT_FLOAT_EQ(view->wheelDistances[0], -1.0f);
    EXPECT_FLOAT_EQ(view->wheelDistances[1], 2.0f);
    EXPECT_EQ(view->wheelWhere, CPosition(100, 40));
}

TEST_F(FrameWindow, DestroyingTheWindowClosesTheFrame) {
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(0, 0, 100, 80)));
    UpdateWindow(window());
    DestroyWindow(host.get());
    EXPECT_FALSE(frame->isOpen());
    EXPECT_FALSE(frame->wasOpened());
    EXPECT_EQ(frame->getParentWindow(), nullptr);
    view->setDirty(true);
    const int before = view->draws;
    frame->idle();
    EXPECT_EQ(view->draws, before);
    EXPECT_FALSE(frame->setSize(400, 60));
    CRectangle rect;
    EXPECT_FALSE(frame->getSize(rect));
    std::int32_t x = 0;
    std::int32_t y = 0;
    EXPECT_FALSE(frame->getPosition(x, y));
}

TEST_F(FrameWindow, DeletingTheFrameDestroysItsWindow) {
    HWND own = window();
    frame.reset();
    EXPECT_FALSE(IsWindow(own));
    EXPECT_TRUE(IsWindow(host.get()));
}

bool classExists(const char* name) {
    WNDCLASSA info = {};
    return GetClassInfoA(gui::moduleHandle, name, &info) != 0;
}

TEST_F(FrameWindow, TwoFramesShareOneClassRemovedWithTheLast) {
    char className[64] = {};
    GetClassNameA(window(), className, sizeof(className));
    char expected[64] = {};
    wsprintfA(expected, "Plugin%p", static_cast<void*>(gui::moduleHandle));
    EXPECT_STREQ(className, expected);
    HostWindow otherHost(200, 50);
    auto second = std::make_unique<TestFrame>(CRectangle(0, 0, 200, 50), otherHost.get());
    char secondName[64] = {};
    GetClassNameA(second->getWindow(), secondName, sizeof(secondName));
    EXPECT_STREQ(secondName, className);
    frame.reset();
    EXPECT_TRUE(classExists(className));
    second.reset();
    EXPECT_FALSE(classExists(className));
    // A later frame registers the class again.
    frame = std::make_unique<TestFrame>(CRectangle(0, 0, 100, 50), host.get());
    EXPECT_NE(frame->getWindow(), nullptr);
    EXPECT_TRUE(classExists(className));
}

TEST_F(FrameWindow, CopyAndUnknownCursorShapesShowTheDefaultCursor) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    frame->setCursor(gui::kCursorWait);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_WAIT));
    frame->setCursor(gui::kCursorCopy);
    EXPECT_EQ(GetCursor(), arrow);
    frame->setCursor(gui::kCursorHand);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
    frame->setCursor(static_cast<gui::CCursorType>(12));
    EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(FrameWindow, DeletingTheFrameRestoresTheDefaultCursor) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    SetCursor(arrow);
    frame->setCursor(gui::kCursorNotAllowed);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_NO));
    frame.reset();
    EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(FrameWindow, MousePointIsRelativeToTheFrameWindow) {
    POINT client = {30, 20};
    ClientToScreen(window(), &client);
    SetCursorPos(client.x, client.y);
    CPosition where;
    EXPECT_TRUE(frame->getCurrentMousePoint(where));
    EXPECT_EQ(where, CPosition(30, 20));
}

TEST_F(FrameWindow, DropAcceptanceCanBeWithdrawnAndRenewed) {
    EXPECT_TRUE(frame->setDropAccepted(false));
    EXPECT_FALSE(frame->isDropAccepted());
    EXPECT_TRUE(frame->setDropAccepted(false));
    EXPECT_TRUE(frame->setDropAccepted(true));
    EXPECT_TRUE(frame->isDropAccepted());
}

TEST_F(FrameWindow, OuterWindowIsTheCaptionedHost) {
    EXPECT_EQ(frame->getOuterWindow(), host.get());
}

}  // namespace

namespace {

// Counts the wheel messages that reach the host's window.
int hostWheelMessages = 0;
WNDPROC hostProcedure = nullptr;
LRESULT CALLBACK countingHostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL) ++hostWheelMessages;
    return CallWindowProcA(hostProcedure, window, message, wParam, lParam);
}

// A host that hands every wheel turn to the frame's window, as some hosts and the gallery do.
HWND forwardTo = nullptr;
LRESULT CALLBACK forwardingHostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_MOUSEWHEEL)
        return CallWindowProcA(hostProcedure, window, message, wParam, lParam);
    ++hostWheelMessages;
    return SendMessageA(forwardTo, message, wParam, lParam);
}

// A view that resizes the frame from inside its own draw, narrower and wider in turn.
class ResizingView : public RecordingView {
  public:
    using RecordingView::RecordingView;
    void draw(gui::CDrawContext* context) override {
        RecordingView::draw(context);
        if (resized || !getFrame()) return;
        narrow = !narrow;
        resized = getFrame()->setSize(narrow ? kPanelWidth - 100 : kPanelWidth, kPanelHeight);
    }
    bool resized = false;
    bool narrow = false;
};

}  // namespace

TEST_F(FrameWindow, HostDestroyingItsWindowFirstRevokesTheDropTargetAndForgetsTheWindow) {
    const std::int32_t targetsBefore = gui::CDropTarget::liveCount();
    for (int cycle = 0; cycle < 3; ++cycle) {
        auto ownHost = std::make_unique<HostWindow>(200, 50);
        TestFrame ownFrame(CRectangle(0, 0, 200, 50), ownHost->get());
        EXPECT_EQ(gui::CDropTarget::liveCount(), targetsBefore + 1);
        ownHost.reset();
        EXPECT_EQ(ownFrame.getWindow(), nullptr);
        EXPECT_FALSE(ownFrame.isDropAccepted());
        EXPECT_EQ(gui::CDropTarget::liveCount(), targetsBefore);
    }
    char className[64] = {};
    GetClassNameA(window(), className, sizeof(className));
    frame.reset();
    EXPECT_FALSE(classExists(className));
}

TEST_F(FrameWindow, WheelTheFrameUsedDoesNotReachTheHostWindow) {
    adopt(*frame, new RecordingView(CRectangle(0, 0, 200, 80)));
    hostWheelMessages = 0;
    hostProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(countingHostProcedure)));
    const auto turnOver = [&](int x) {
        POINT screen = {x, 40};
        ClientToScreen(window(), &screen);
        SendMessageA(window(), WM_MOUSEWHEEL, MAKEWPARAM(0, kOneNotch),
                     MAKELPARAM(screen.x, screen.y));
    };
    turnOver(100);
    EXPECT_EQ(hostWheelMessages, 0);
    turnOver(400);  // no view there: the host may scroll
    EXPECT_EQ(hostWheelMessages, 1);
    SetWindowLongPtrA(host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProcedure));
}

TEST_F(FrameWindow, UnusedWheelGoesBackToAForwardingHostOnlyOnce) {
    hostWheelMessages = 0;
    forwardTo = window();
    hostProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(forwardingHostProcedure)));
    POINT screen = {400, 40};  // no view there
    ClientToScreen(window(), &screen);
    SendMessageA(host.get(), WM_MOUSEWHEEL, MAKEWPARAM(0, kOneNotch),
                 MAKELPARAM(screen.x, screen.y));
    // The host's own turn, then the one the frame handed back to it.
    EXPECT_EQ(hostWheelMessages, 2);
    SetWindowLongPtrA(host.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hostProcedure));
}

TEST_F(FrameWindow, RedrawOfAViewSurvivesTheNextIdleCopy) {
    RecordingView* view = adopt(*frame, new RecordingView(CRectangle(0, 0, 100, 80)));
    UpdateWindow(window());
    view->fillWith(gui::kBlueColor);
    view->redraw();
    EXPECT_EQ(windowPixel(window(), 50, 40), platformColor(gui::kBlueColor));
    adopt(*frame, new RecordingView(CRectangle(600, 0, 752, 80), gui::kGreenColor));
    frame->idle();
    EXPECT_EQ(windowPixel(window(), 50, 40), platformColor(gui::kBlueColor));
    EXPECT_EQ(windowPixel(window(), 700, 40), platformColor(gui::kGreenColor));
}

TEST_F(FrameWindow, ResizeFromInsideAPaintOrAnUpdateLeavesAWholePanel) {
    auto* view = adopt(*frame, new ResizingView(CRectangle(0, 0, 100, 80), gui::kBlueColor));
    const auto bufferPixel = [&] {
        return GetPixel(frame->currentBackBuffer()->getDevice(), 50, 40);
    };
    UpdateWindow(window());
    EXPECT_TRUE(view->resized);
    EXPECT_TRUE(frame->isDirty());
    frame->idle();
    EXPECT_EQ(bufferPixel(), platformColor(gui::kBlueColor));
    view->resized = false;
    view->setDirty(true);
    frame->idle();  // resizes back from inside the update
    EXPECT_TRUE(view->resized);
    frame->idle();
    EXPECT_EQ(bufferPixel(), platformColor(gui::kBlueColor));
    EXPECT_FALSE(frame->isDirty());
}

TEST_F(FrameWindow, IdleServiceWithoutAnEditorPausesInsteadOfSpinning) {
    // Ten pauses of 4 ms; GetTickCount's steps are too coarse to time them, and a spinning cycle
    // takes microseconds, so half the nominal time tells them apart.
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < 10; ++pass) frame->runIdleCycle();
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
}

TEST(FrameInAnEditor, EditGesturesOfItsViewsReachTheHostWithTheirNumber) {
    testsupport::EditorInHostWindow hosted;
    hosted.frame->beginEdit(3);
    hosted.frame->endEdit(3);
    const testsupport::Gestures expected = {{audioMasterBeginEdit, 3}, {audioMasterEndEdit, 3}};
    EXPECT_EQ(hosted.gestures(), expected);
}

bool closeTo(COLORREF color, int red, int green, int blue) {
    constexpr int kBlendRounding = 1;
    return std::abs(GetRValue(color) - red) <= kBlendRounding &&
           std::abs(GetGValue(color) - green) <= kBlendRounding &&
           std::abs(GetBValue(color) - blue) <= kBlendRounding;
}

TEST_F(FrameWindow, PerPixelAlphaArtworkBlendsOverTheFrameBackgroundOnTheWindow) {
    frame->getBackBuffer();  // the frame loads the imaging entry points with its platform
    auto* background = new gui::CBitmap(IDP_RGB8);
    auto* overlay = new gui::CBitmap(IDP_RGBA8);
    frame->setBackground(background);
    gui::CView* view = adopt(*frame, new gui::CView(CRectangle(0, 0, 2, 2)));
    view->setBackground(overlay);
    background->release();
    overlay->release();
    UpdateWindow(window());
    EXPECT_EQ(windowPixel(window(), 1, 0), RGB(254, 0, 0));  // alpha 0 shows the background
    EXPECT_EQ(windowPixel(window(), 0, 1), RGB(9, 19, 29));  // alpha 255 covers it
    // (255, 128, 0) at alpha 64, premultiplied (63, 32, 0), over (0, 0, 254): 254 x 191 / 255.
    const COLORREF quarter = windowPixel(window(), 1, 1);
    EXPECT_TRUE(closeTo(quarter, 63, 32, 190)) << std::hex << quarter;
    frame->idle();
    EXPECT_EQ(windowPixel(window(), 0, 1), RGB(9, 19, 29));
}
