// How a container hands input to its children: the mouse and keys without a frame; the point
// searches, the wheel, drags and keyboard focus inside a frame that has no window.
#include <gtest/gtest.h>

#include <algorithm>

#include "gui/views/CFrame.h"
#include "tests/gui/views/ViewTestSupport.h"

using gui::CFrame;
using gui::CPosition;
using gui::CRectangle;
using gui::CView;
using gui::CViewContainer;
using viewtest::EventLog;
using viewtest::RecordingView;

namespace {

constexpr std::int32_t kLeftAndShift = gui::kButtonLeft | gui::kModifierShift;

}  // namespace

// Two overlapping children in a container at (10, 10): "low" added first, "high" on top.
class ContainerMouse : public ::testing::Test {
  protected:
    void SetUp() override {
        low = new RecordingView(CRectangle(0, 0, 40, 40), "low", &log);
        high = new RecordingView(CRectangle(20, 20, 60, 60), "high", &log);
        container.addView(low);
        container.addView(high);
    }

    EventLog log;
    CViewContainer container{CRectangle(10, 10, 110, 110), nullptr};
    RecordingView* low = nullptr;
    RecordingView* high = nullptr;
};

TEST_F(ContainerMouse, ClickInTheOverlapReachesOnlyTheTopChild) {
    CPosition where(40, 40);  // (30, 30) inside the container
    container.mouse(nullptr, where, kLeftAndShift);
    const EventLog expected = {"high:mouse"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(high->lastPoint, CPosition(30, 30));
    EXPECT_EQ(high->lastButtons, kLeftAndShift);
    EXPECT_EQ(where, CPosition(40, 40));
}

TEST_F(ContainerMouse, MouseDisabledTopChildLetsTheClickThrough) {
    high->setMouseEnabled(false);
    CPosition where(40, 40);
    container.mouse(nullptr, where, gui::kButtonLeft);
    const EventLog expected = {"low:mouse"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(low->lastPoint, CPosition(30, 30));
}

TEST_F(ContainerMouse, ClickOnEmptySpaceReachesNobody) {
    CPosition where(100, 100);
    container.mouse(nullptr, where, gui::kButtonLeft);
    EXPECT_TRUE(log.empty());
}

TEST_F(ContainerMouse, HitTestChildrenUsesLocalPointsAndEnabling) {
    EXPECT_TRUE(container.hitTestChildren(CPosition(70, 70), gui::kButtonLeft));  // high's edge
    EXPECT_FALSE(container.hitTestChildren(CPosition(71, 71), gui::kButtonLeft));
    high->setMouseEnabled(false);
    EXPECT_FALSE(container.hitTestChildren(CPosition(60, 60), gui::kButtonLeft));
    EXPECT_TRUE(container.hitTestChildren(CPosition(50, 50), gui::kButtonLeft));
    EXPECT_TRUE(container.hitTest(CPosition(110, 110)));  // the container's own edges count
    EXPECT_FALSE(container.hitTest(CPosition(111, 110)));
}

TEST_F(ContainerMouse, KeyHandledByTheTopChildStopsThere) {
    high->keyResult = 1;
    low->keyResult = 1;
    VstKeyCode key{'x', 0, 0};
    EXPECT_EQ(container.onKeyDown(key), 1);
    EXPECT_EQ(container.onKeyUp(key), 1);
    const EventLog expected = {"high:keyDown", "high:keyUp"};
    EXPECT_EQ(log, expected);
}

TEST_F(ContainerMouse, UnhandledKeyVisitsEveryChildTopFirst) {
    low->keyResult = 0;
    VstKeyCode key{'x', 0, 0};
    EXPECT_EQ(container.onKeyDown(key), 0);
    low->keyResult = gui::kKeyNotHandled;
    EXPECT_EQ(container.onKeyUp(key), gui::kKeyNotHandled);
    const EventLog expected = {"high:keyDown", "low:keyDown", "high:keyUp", "low:keyUp"};
    EXPECT_EQ(log, expected);
}

TEST_F(ContainerMouse, FocusChangesReachEveryChildBottomFirst) {
    container.loseFocus(nullptr);
    container.gainFocus(nullptr);
    const EventLog expected = {"low:loseFocus", "high:loseFocus", "low:gainFocus",
                               "high:gainFocus"};
    EXPECT_EQ(log, expected);
}

TEST(ContainerWithoutFrame, PointSearchesDragsAndFocusAnswerNothing) {
    EventLog log;
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* view = new RecordingView(CRectangle(0, 0, 50, 50), "v", &log);
    view->setWantsFocus(true);
    container.addView(view);
    EXPECT_EQ(container.getViewAt(CPosition(10, 10), false), nullptr);
    EXPECT_EQ(container.getViewUnderMouse(), nullptr);
    EXPECT_FALSE(container.onWheel(nullptr, CPosition(10, 10), 1.0f));
    container.onDragEnter(nullptr, nullptr, CPosition(10, 10));
    container.onDragMove(nullptr, nullptr, CPosition(10, 10));
    EXPECT_FALSE(container.onDrop(nullptr, nullptr, CPosition(10, 10)));
    container.onDragLeave(nullptr, nullptr, CPosition(10, 10));
    EXPECT_FALSE(container.moveFocus(nullptr, false));
    EXPECT_TRUE(log.empty());
}

// A frame without a window (its creation fails) holding a container at (100, 50) with two
// children side by side and a third on top of the first.
class ContainerInFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = new CFrame(CRectangle(0, 0, 400, 300), nullptr, nullptr);
        container = new CViewContainer(CRectangle(100, 50, 300, 250), frame);
        left = new RecordingView(CRectangle(0, 0, 50, 50), "left", &log);
        right = new RecordingView(CRectangle(60, 0, 110, 50), "right", &log);
        top = new RecordingView(CRectangle(0, 0, 20, 20), "top", &log);
        container->addView(left);
        container->addView(right);
        container->addView(top);
        frame->addView(container);
    }
    void TearDown() override { delete frame; }

    EventLog log;
    CFrame* frame = nullptr;
    CViewContainer* container = nullptr;
    RecordingView* left = nullptr;
    RecordingView* right = nullptr;
    RecordingView* top = nullptr;
};

TEST_F(ContainerInFrame, GetViewAtFindsTheTopMostChildEdgesIncluded) {
    EXPECT_EQ(container->getViewAt(CPosition(110, 60)), top);
    EXPECT_EQ(container->getViewAt(CPosition(130, 70)), left);   // (30, 20): past top's edge
    EXPECT_EQ(container->getViewAt(CPosition(150, 100)), left);  // left's corner (50, 50)
    EXPECT_EQ(container->getViewAt(CPosition(155, 60)), nullptr);
    top->setMouseEnabled(false);  // not consulted
    EXPECT_EQ(container->getViewAt(CPosition(110, 60)), top);
}

TEST_F(ContainerInFrame, DeepSearchDescendsIntoNestedContainers) {
    EXPECT_EQ(frame->getViewAt(CPosition(170, 60), false), container);
    EXPECT_EQ(frame->getViewAt(CPosition(170, 60), true), right);
    EXPECT_EQ(frame->getViewAt(CPosition(155, 60), true), nullptr);  // between the children
    EXPECT_EQ(frame->getViewAt(CPosition(10, 10), true), nullptr);
}

TEST_F(ContainerInFrame, WheelGoesToTheChildUnderThePointInLocalCoordinates) {
    EXPECT_TRUE(container->onWheel(nullptr, CPosition(170, 60), 2.0f));
    EXPECT_EQ(right->lastPoint, CPosition(70, 10));
    EXPECT_EQ(right->lastAxis, 1);
    EXPECT_TRUE(container->onWheelAxis(nullptr, CPosition(170, 60), 2, 2.0f));
    EXPECT_EQ(right->lastAxis, 2);
    EXPECT_FALSE(container->onWheel(nullptr, CPosition(155, 60), 2.0f));
}

TEST_F(ContainerInFrame, DragOverOneChildEntersOnceThenMoves) {
    container->onDragEnter(nullptr, nullptr, CPosition(120, 60));
    container->onDragMove(nullptr, nullptr, CPosition(115, 65));
    container->onDragMove(nullptr, nullptr, CPosition(116, 66));
    const EventLog expected = {"top:enter", "top:move", "top:move"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(top->lastPoint, CPosition(16, 16));
}

TEST_F(ContainerInFrame, DragAcrossChildrenAndIntoEmptySpace) {
    container->onDragMove(nullptr, nullptr, CPosition(130, 80));
    container->onDragMove(nullptr, nullptr, CPosition(170, 60));
    container->onDragMove(nullptr, nullptr, CPosition(155, 60));
    container->onDragMove(nullptr, nullptr, CPosition(156, 60));
    container->onDragLeave(nullptr, nullptr, CPosition(156, 60));
    const EventLog expected = {"left:enter", "left:leave", "right:enter", "right:leave"};
    EXPECT_EQ(log, expected);
}

TEST_F(ContainerInFrame, DropGoesToTheChildUnderThePointAndEndsTheDrag) {
    container->onDragEnter(nullptr, nullptr, CPosition(130, 80));
    EXPECT_TRUE(container->onDrop(nullptr, nullptr, CPosition(170, 60)));
    EXPECT_FALSE(container->onDrop(nullptr, nullptr, CPosition(155, 60)));
    container->onDragLeave(nullptr, nullptr, CPosition(155, 60));
    const EventLog expected = {"left:enter", "left:leave", "right:drop", "right:leave"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(right->lastPoint, CPosition(70, 10));
}

TEST_F(ContainerInFrame, RemovingTheDragTargetEndsTheDragWithoutTouchingIt) {
    container->onDragEnter(nullptr, nullptr, CPosition(170, 60));
    container->removeView(right, true);
    container->onDragMove(nullptr, nullptr, CPosition(130, 80));
    container->onDragLeave(nullptr, nullptr, CPosition(130, 80));
    const EventLog expected = {"right:enter", "left:enter", "left:leave"};
    EXPECT_EQ(log, expected);
}

TEST_F(ContainerInFrame, RemovingTheFocusViewClearsTheFrameFocus) {
    frame->setFocusView(right);
    container->removeView(right, false);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    EXPECT_EQ(right->getNbReference(), 1);
    right->release();
}

TEST_F(ContainerInFrame, RemovingAContainerClearsTheFocusAndModalViewsInsideIt) {
    frame->setFocusView(right);
    frame->removeView(container, true);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    auto* holder = new CViewContainer(CRectangle(0, 0, 50, 50), frame);
    auto* focused = new RecordingView(CRectangle(0, 0, 10, 10), "focused", &log);
    holder->addView(focused);
    frame->addView(holder);
    frame->setFocusView(focused);
    ASSERT_TRUE(frame->setModalView(new RecordingView(CRectangle(0, 0, 10, 10), "modal", &log)));
    frame->removeAll(true);
    EXPECT_EQ(frame->getModalView(), nullptr);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    // A click after the removal reaches no freed view.
    CPosition where(5, 5);
    frame->mouse(nullptr, where, gui::kButtonLeft);
}

// A view that calls back into its frame while it is removed and when it loses the focus, as a
// text entry ending its edit does.
class CallingBackView : public RecordingView {
  public:
    using RecordingView::RecordingView;
    void loseFocus(gui::CDrawContext* context) override {
        frameWholeAtFocusLoss = getFrame() && getFrame()->isTypeOf("CFrame");
        RecordingView::loseFocus(context);
    }
    bool removed(CView* parent) override {
        CFrame* const frame = getFrame();
        frameWholeAtRemoval = frame && frame->isTypeOf("CFrame");
        if (frame && frame->getFocusView() == this) frame->setFocusView(nullptr);
        return RecordingView::removed(parent);
    }
    bool frameWholeAtFocusLoss = false;
    bool frameWholeAtRemoval = false;
};

TEST(FrameTeardown, ChildrenGoWhileTheFrameIsStillAFrameAndLoseTheFocusOnce) {
    EventLog log;
    auto* frame = new CFrame(CRectangle(0, 0, 400, 300), nullptr, nullptr);
    auto* view = new CallingBackView(CRectangle(0, 0, 50, 50), "entry", &log);
    bool destroyed = false;
    view->destroyed = &destroyed;
    view->retain();
    frame->addView(view);
    frame->setFocusView(view);
    delete frame;
    EXPECT_TRUE(view->frameWholeAtFocusLoss);
    EXPECT_TRUE(view->frameWholeAtRemoval);
    EXPECT_EQ(std::count(log.begin(), log.end(), "entry:loseFocus"), 1);
    EXPECT_FALSE(destroyed);
    view->release();
    EXPECT_TRUE(destroyed);
}

TEST_F(ContainerInFrame, AdoptedViewsShareTheContainersFrame) {
    EXPECT_EQ(left->getFrame(), frame);
    EXPECT_EQ(container->getFrame(), frame);
    EXPECT_EQ(left->getEditor(), nullptr);  // the frame has no editor
}

// Tab order over a container whose second and fourth children take the focus, and a nested
// container with one focusable child in between.
class ContainerFocus : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = new CFrame(CRectangle(0, 0, 400, 300), nullptr, nullptr);
        container = new CViewContainer(CRectangle(0, 0, 400, 300), frame);
        for (int i = 0; i < 4; ++i) {
            views[i] = new RecordingView(CRectangle(i * 10, 0, i * 10 + 10, 10), "v");
            views[i]->setWantsFocus(i == 1 || i == 3);
        }
        nested = new CViewContainer(CRectangle(0, 50, 100, 100), frame);
        inner = new RecordingView(CRectangle(0, 0, 10, 10), "inner");
        inner->setWantsFocus(true);
        nested->addView(inner);
        container->addView(views[0]);
        container->addView(views[1]);
        container->addView(nested);
        container->addView(views[2]);
        container->addView(views[3]);
        frame->addView(container);
    }
    void TearDown() override { delete frame; }

    CFrame* frame = nullptr;
    CViewContainer* container = nullptr;
    CViewContainer* nested = nullptr;
    RecordingView* views[4] = {};
    RecordingView* inner = nullptr;
};

TEST_F(ContainerFocus, TabWalksForwardIntoNestedContainersWithoutWrapping) {
    ASSERT_TRUE(container->moveFocus(nullptr, false));
    EXPECT_EQ(frame->getFocusView(), views[1]);
    ASSERT_TRUE(container->moveFocus(views[1], false));
    EXPECT_EQ(frame->getFocusView(), inner);
    ASSERT_TRUE(container->moveFocus(nested, false));
    EXPECT_EQ(frame->getFocusView(), views[3]);
    EXPECT_FALSE(container->moveFocus(views[3], false));
    EXPECT_EQ(frame->getFocusView(), views[3]);  // the container itself changes nothing
}

TEST_F(ContainerFocus, ShiftTabWalksBackward) {
    ASSERT_TRUE(container->moveFocus(nullptr, true));
    EXPECT_EQ(frame->getFocusView(), views[3]);
    ASSERT_TRUE(container->moveFocus(views[3], true));
    EXPECT_EQ(frame->getFocusView(), inner);
    ASSERT_TRUE(container->moveFocus(nested, true));
    EXPECT_EQ(frame->getFocusView(), views[1]);
    EXPECT_FALSE(container->moveFocus(views[1], true));
}

TEST_F(ContainerFocus, UnknownOldFocusFindsNothing) {
    RecordingView stranger(CRectangle(0, 0, 1, 1), "stranger");
    EXPECT_FALSE(container->moveFocus(&stranger, false));
    EXPECT_EQ(frame->getFocusView(), nullptr);
}
