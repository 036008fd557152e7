// The frame as the root of the view tree, without a window: a frame whose parent is null.
#include <gtest/gtest.h>

#include "gui/views/FrameTestSupport.h"
#include "host/AEffGUIEditor.h"

namespace {

using frametest::adopt;
using frametest::RecordingView;
using frametest::TestFrame;
using gui::CPosition;
using gui::CRectangle;

constexpr unsigned char kTabKey = 2;
constexpr unsigned char kShiftModifier = 1;

VstKeyCode tabKey(unsigned char modifier = 0) {
    VstKeyCode key = {};
    key.virt = kTabKey;
    key.modifier = modifier;
    return key;
}

class FrameLogic : public ::testing::Test {
  protected:
    TestFrame frame{CRectangle(0, 0, 200, 100), nullptr};
};

RecordingView* focusable(gui::CViewContainer& container, const CRectangle& rect) {
    RecordingView* view = adopt(container, new RecordingView(rect));
    view->setWantsFocus(true);
    return view;
}

TEST_F(FrameLogic, WithoutParentHasNoWindowButRoutesClicksToItsViews) {
    RecordingView* view = adopt(frame, new RecordingView(CRectangle(10, 10, 50, 50)));
    EXPECT_EQ(frame.getWindow(), nullptr);
    EXPECT_TRUE(frame.isOpen());
    EXPECT_FALSE(frame.setDropAccepted(true));
    CPosition where(20, 30);
    frame.mouse(nullptr, where, gui::kButtonLeft);
    ASSERT_EQ(view->clicks.size(), 1u);
    EXPECT_EQ(view->clicks[0], CPosition(20, 30));
    EXPECT_EQ(view->lastButtons, gui::kButtonLeft);
    EXPECT_EQ(view->getFrame(), &frame);
    EXPECT_EQ(frame.getFrame(), &frame);
}

TEST_F(FrameLogic, SetModalViewRefusesASecondModalView) {
    RecordingView* first = new RecordingView(CRectangle(0, 0, 10, 10));
    RecordingView* second = new RecordingView(CRectangle(20, 0, 30, 10));
    EXPECT_TRUE(frame.setModalView(first));
    EXPECT_FALSE(frame.setModalView(second));
    EXPECT_EQ(frame.getModalView(), first);
    EXPECT_EQ(frame.getViewCount(), 1);
    EXPECT_TRUE(frame.setModalView(nullptr));
    EXPECT_EQ(frame.getModalView(), nullptr);
    EXPECT_EQ(frame.getViewCount(), 0);
    // Removal leaves the caller's own reference.
    EXPECT_EQ(first->getNbReference(), 1);
    first->release();
    second->release();
}

TEST_F(FrameLogic, ClickOnEmptyAreaTakesTheFocusAway) {
    RecordingView* view = focusable(frame, CRectangle(10, 10, 50, 50));
    frame.setFocusView(view);
    view->setDirty(false);
    CPosition empty(150, 80);
    frame.mouse(nullptr, empty, gui::kButtonLeft);
    EXPECT_EQ(frame.getFocusView(), nullptr);
    EXPECT_EQ(view->focusLosses, 1);
    EXPECT_FALSE(view->lostFocusWithContext);
    EXPECT_TRUE(view->isDirty());
    EXPECT_TRUE(view->clicks.empty());
}

TEST_F(FrameLogic, ModalViewTakesOnlyPressesInsideItsMouseArea) {
    RecordingView* below = adopt(frame, new RecordingView(CRectangle(0, 0, 100, 100)));
    RecordingView* modal = new RecordingView(CRectangle(120, 10, 160, 50));
    frame.setModalView(modal);
    modal->release();
    CPosition outside(50, 50);
    frame.mouse(nullptr, outside, gui::kButtonLeft);
    EXPECT_TRUE(below->clicks.empty());
    EXPECT_TRUE(modal->clicks.empty());
    CPosition inside(130, 20);
    frame.mouse(nullptr, inside, gui::kButtonLeft);
    ASSERT_EQ(modal->clicks.size(), 1u);
    EXPECT_EQ(modal->clicks[0], CPosition(130, 20));
}

TEST_F(FrameLogic, WheelGoesToTheModalViewWhereverTheMouseIs) {
    RecordingView* below = adopt(frame, new RecordingView(CRectangle(0, 0, 100, 100)));
    RecordingView* modal = new RecordingView(CRectangle(120, 10, 160, 50));
    frame.setModalView(modal);
    modal->release();
    EXPECT_TRUE(frame.onWheel(nullptr, CPosition(50, 50), -1.0f));
    EXPECT_TRUE(below->wheelDistances.empty());
    ASSERT_EQ(modal->wheelDistances.size(), 1u);
    EXPECT_FLOAT_EQ(modal->wheelDistances[0], -1.0f);
    EXPECT_EQ(modal->wheelWhere, CPosition(50, 50));
}

TEST_F(FrameLogic, WheelOverEmptySpaceIsNotHandled) {
    adopt(frame, new RecordingView(CRectangle(0, 0, 100, 100)));
    EXPECT_FALSE(frame.onWheel(nullptr, CPosition(150, 50), 1.0f));
}

TEST_F(FrameLogic, TabWalksForwardWithoutWrapAround) {
    RecordingView* first = focusable(frame, CRectangle(0, 0, 10, 10));
    adopt(frame, new RecordingView(CRectangle(20, 0, 30, 10)));
    RecordingView* third = focusable(frame, CRectangle(40, 0, 50, 10));
    VstKeyCode key = tabKey();
    EXPECT_EQ(frame.onKeyDown(key), 1);
    EXPECT_EQ(frame.getFocusView(), first);
    EXPECT_EQ(frame.onKeyDown(key), 1);
    EXPECT_EQ(frame.getFocusView(), third);
    EXPECT_EQ(frame.onKeyDown(key), -1);
    EXPECT_EQ(frame.getFocusView(), nullptr);
    EXPECT_EQ(third->focusLosses, 1);
    EXPECT_EQ(frame.onKeyDown(key), 1);
    EXPECT_EQ(frame.getFocusView(), first);
}

TEST_F(FrameLogic, ShiftTabStartsFromTheLastFocusableView) {
    RecordingView* first = focusable(frame, CRectangle(0, 0, 10, 10));
    RecordingView* last = focusable(frame, CRectangle(40, 0, 50, 10));
    VstKeyCode key = tabKey(kShiftModifier);
    EXPECT_EQ(frame.onKeyDown(key), 1);
    EXPECT_EQ(frame.getFocusView(), last);
    EXPECT_EQ(frame.onKeyDown(key), 1);
    EXPECT_EQ(frame.getFocusView(), first);
    EXPECT_EQ(frame.onKeyDown(key), -1);
}

TEST_F(FrameLogic, TabClimbsOutOfANestedContainerToTheNextChild) {
    auto* inner = adopt(frame, new gui::CViewContainer(CRectangle(0, 0, 100, 50), &frame));
    RecordingView* nested = focusable(*inner, CRectangle(0, 0, 10, 10));
    RecordingView* after = focusable(frame, CRectangle(120, 0, 130, 10));
    frame.setFocusView(nested);
    VstKeyCode key = tabKey();
    EXPECT_EQ(frame.onKeyDown(key), 1);
    EXPECT_EQ(frame.getFocusView(), after);
}

TEST_F(FrameLogic, TabIsRefusedWhileAModalViewIsSet) {
    focusable(frame, CRectangle(0, 0, 10, 10));
    RecordingView* modal = new RecordingView(CRectangle(120, 10, 160, 50));
    frame.setModalView(modal);
    modal->release();
    VstKeyCode key = tabKey();
    EXPECT_EQ(frame.onKeyDown(key), -1);
    EXPECT_EQ(frame.getFocusView(), nullptr);
}

TEST_F(FrameLogic, FocusViewAnswerToAKeyWinsOverTab) {
    RecordingView* view = focusable(frame, CRectangle(0, 0, 10, 10));
    view->keyResult = 5;
    frame.setFocusView(view);
    VstKeyCode key = tabKey();
    EXPECT_EQ(frame.onKeyDown(key), 5);
    EXPECT_EQ(frame.getFocusView(), view);
}

TEST_F(FrameLogic, SetUpdateLockReturnsThePreviousValue) {
    EXPECT_FALSE(frame.setUpdateLock(true));
    EXPECT_TRUE(frame.setUpdateLock(true));
    EXPECT_TRUE(frame.isUpdateLocked());
    EXPECT_TRUE(frame.setUpdateLock(false));
    EXPECT_FALSE(frame.isUpdateLocked());
}

TEST_F(FrameLogic, DrawViewOfADirectChildDrawsOnlyThatChild) {
    RecordingView* target = adopt(frame, new RecordingView(CRectangle(0, 0, 10, 10)));
    RecordingView* sibling = adopt(frame, new RecordingView(CRectangle(20, 0, 30, 10)));
    frame.drawView(target);
    EXPECT_EQ(target->draws, 1);
    EXPECT_EQ(sibling->draws, 0);
    EXPECT_EQ(frame.draws, 0);
}

TEST_F(FrameLogic, DrawViewOfANestedViewDrawsTheWholeFrame) {
    auto* inner = adopt(frame, new gui::CViewContainer(CRectangle(0, 0, 100, 50), &frame));
    RecordingView* nested = adopt(*inner, new RecordingView(CRectangle(0, 0, 10, 10)));
    RecordingView* sibling = adopt(frame, new RecordingView(CRectangle(120, 0, 130, 10)));
    frame.drawView(nested);
    EXPECT_EQ(frame.draws, 1);
    EXPECT_EQ(nested->draws, 1);
    EXPECT_EQ(sibling->draws, 1);
}

TEST_F(FrameLogic, InvalidateMarksAChildThatOnlyTouchesTheRectangle) {
    RecordingView* touched = adopt(frame, new RecordingView(CRectangle(10, 10, 20, 20)));
    RecordingView* apart = adopt(frame, new RecordingView(CRectangle(40, 10, 50, 20)));
    touched->setDirty(false);
    apart->setDirty(false);
    frame.invalidate(CRectangle(20, 12, 30, 18));
    EXPECT_TRUE(touched->isDirty());
    EXPECT_FALSE(apart->isDirty());
    EXPECT_EQ(touched->draws, 0);
}

TEST_F(FrameLogic, WithoutEditorRelaysAreInert) {
    EXPECT_EQ(frame.getEditor(), nullptr);
    EXPECT_EQ(frame.tickCount(), 0ul);
    frame.beginEdit(1);
    frame.endEdit(1);
    frame.runIdleCycle();
    EXPECT_FALSE(frame.open());
    EXPECT_FALSE(frame.close());
    EXPECT_FALSE(frame.setPosition(5, 5));
}

TEST_F(FrameLogic, KnobModeIsTheProcessWideOne) {
    const std::int32_t saved = AEffGUIEditor::knobMode;
    AEffGUIEditor::knobMode = 2;
    EXPECT_EQ(frame.getKnobMode(), 2);
    AEffGUIEditor::knobMode = saved;
}

TEST_F(FrameLogic, IsAFrameAContainerAndAView) {
    EXPECT_TRUE(frame.isTypeOf("CFrame"));
    EXPECT_TRUE(frame.isTypeOf("CViewContainer"));
    EXPECT_TRUE(frame.isTypeOf("CView"));
    EXPECT_FALSE(frame.isTypeOf("CControl"));
}

TEST_F(FrameLogic, DestructionReleasesTheModalViewAndTheChildren) {
    int destroyed = 0;
    {
        TestFrame local(CRectangle(0, 0, 50, 50), nullptr);
        adopt(local, new RecordingView(CRectangle(0, 0, 10, 10), gui::kRedColor, &destroyed));
        auto* modal = new RecordingView(CRectangle(0, 0, 10, 10), gui::kRedColor, &destroyed);
        local.setModalView(modal);
        modal->release();
    }
    EXPECT_EQ(destroyed, 2);
}

}  // namespace
