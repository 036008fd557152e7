// The container's child list, ownership, dirty rule and update modes, without a frame.
#include <gtest/gtest.h>

#include "tests/gui/views/ViewTestSupport.h"

using gui::CPosition;
using gui::CRectangle;
using gui::CView;
using gui::CViewContainer;
using viewtest::Canvas;
using viewtest::EventLog;
using viewtest::RecordingContainer;
using viewtest::RecordingView;

TEST(ContainerChildren, AddAppendsOnTopAndAdoptsTheView) {
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* bottom = new CView(CRectangle(0, 0, 10, 10));
    auto* top = new CView(CRectangle(0, 0, 10, 10));
    container.addView(bottom);
    container.addView(top);
    EXPECT_EQ(container.getViewCount(), 2);
    EXPECT_EQ(container.getView(0), bottom);
    EXPECT_EQ(container.getView(1), top);
    EXPECT_EQ(top->getParentView(), &container);
    EXPECT_TRUE(top->isDirty());
    EXPECT_EQ(top->getNbReference(), 2);
    EXPECT_TRUE(container.isChild(top));
}

TEST(ContainerChildren, GetViewOutsideTheRangeIsNull) {
    CViewContainer container(CRectangle(0, 0, 10, 10), nullptr);
    EXPECT_EQ(container.getView(0), nullptr);
    auto* view = new CView(CRectangle(0, 0, 1, 1));
    container.addView(view);
    EXPECT_EQ(container.getView(container.getViewCount()), nullptr);
    EXPECT_EQ(container.getView(-1), nullptr);
    EXPECT_EQ(container.getView(0), view);
}

TEST(ContainerChildren, NullAndSelfAreNotAdopted) {
    CViewContainer container(CRectangle(0, 0, 10, 10), nullptr);
    container.addView(nullptr);
    container.addViewWithArea(nullptr, CRectangle(0, 0, 1, 1), false);
    container.addView(&container);
    EXPECT_EQ(container.getViewCount(), 0);
    EXPECT_FALSE(container.isChild(nullptr));
    container.removeView(nullptr, true);
}

TEST(ContainerChildren, AddWithAreaSetsMouseAreaAndEnabling) {
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* view = new CView(CRectangle(10, 10, 20, 20));
    container.addViewWithArea(view, CRectangle(5, 5, 30, 30), false);
    CRectangle area;
    EXPECT_EQ(view->getMouseArea(area), CRectangle(5, 5, 30, 30));
    EXPECT_FALSE(view->getMouseEnabled());
    EXPECT_TRUE(container.isChild(view));
}

TEST(ContainerRemove, WithoutForgetLeavesTheCallersReference) {
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    bool destroyed = false;
    auto* view = new RecordingView(CRectangle(0, 0, 10, 10), "v");
    view->destroyed = &destroyed;
    container.addView(view);
    container.removeView(view, false);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(view->getNbReference(), 1);
    EXPECT_EQ(container.getViewCount(), 0);
    EXPECT_EQ(view->getParentView(), &container);  // links are left as they were
    view->release();
    EXPECT_TRUE(destroyed);
}

TEST(ContainerRemove, WithForgetDeletesTheView) {
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    bool destroyed = false;
    auto* view = new RecordingView(CRectangle(0, 0, 10, 10), "v");
    view->destroyed = &destroyed;
    container.addView(view);
    container.removeView(view, true);
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(container.getViewCount(), 0);
}

TEST(ContainerRemove, MiddleChildKeepsTheOrderOfTheOthers) {
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    CView* views[3];
    for (auto& view : views) {
        view = new CView(CRectangle(0, 0, 1, 1));
        container.addView(view);
    }
    container.removeView(views[1], false);
    ASSERT_EQ(container.getViewCount(), 2);
    EXPECT_EQ(container.getView(0), views[0]);
    EXPECT_EQ(container.getView(1), views[2]);
    container.removeView(views[2], false);
    container.addView(views[1]);  // the last node must be the true end of the list
    EXPECT_EQ(container.getView(1), views[1]);
    EXPECT_EQ(views[1]->getNbReference(), 2);
    views[2]->release();
}

TEST(ContainerRemove, ViewThatIsNotAChildIsIgnored) {
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* stranger = new CView(CRectangle(0, 0, 1, 1));
    container.removeView(stranger, true);
    EXPECT_EQ(stranger->getNbReference(), 1);
    stranger->release();
}

// Children are handed over with the creator's reference: forgetting drops that one as well.
TEST(ContainerRemove, RemoveAllWithForgetDeletesViewsHandedOver) {
    bool first = false;
    bool second = false;
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* a = new RecordingView(CRectangle(0, 0, 1, 1), "a");
    auto* b = new RecordingView(CRectangle(0, 0, 1, 1), "b");
    a->destroyed = &first;
    b->destroyed = &second;
    container.addView(a);
    container.addView(b);
    container.removeAll(true);
    EXPECT_TRUE(first);
    EXPECT_TRUE(second);
    EXPECT_EQ(container.getViewCount(), 0);
    EXPECT_EQ(container.getView(0), nullptr);
}

TEST(ContainerRemove, RemoveAllWithoutForgetLeavesOneReference) {
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* a = new CView(CRectangle(0, 0, 1, 1));
    auto* b = new CView(CRectangle(0, 0, 1, 1));
    container.addView(a);
    container.addView(b);
    container.removeAll(false);
    EXPECT_EQ(a->getNbReference(), 1);
    EXPECT_EQ(b->getNbReference(), 1);
    container.addView(b);  // the emptied list takes new children
    EXPECT_EQ(container.getViewCount(), 1);
    a->release();
}

TEST(ContainerRemove, DestructorDeletesViewsHandedOver) {
    bool destroyed = false;
    {
        CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
        auto* view = new RecordingView(CRectangle(0, 0, 1, 1), "v");
        view->destroyed = &destroyed;
        container.addView(view);
    }
    EXPECT_TRUE(destroyed);
}

TEST(ContainerDirty, DirtyChildMakesTheContainerDirtyOnlyWhenInside) {
    CViewContainer container(CRectangle(50, 50, 100, 100), nullptr);
    auto* outside = new CView(CRectangle(60, 60, 70, 70));  // beyond the 50 x 50 local area
    container.addView(outside);
    container.setDirty(false);
    EXPECT_TRUE(outside->isDirty());
    EXPECT_FALSE(container.isDirty());
    auto* inside = new CView(CRectangle(49, 49, 51, 51));
    container.addView(inside);
    EXPECT_TRUE(container.isDirty());
    inside->setDirty(false);
    EXPECT_FALSE(container.isDirty());
    container.setBackgroundColor(gui::kRedColor);
    EXPECT_TRUE(container.isDirty());
}

TEST(ContainerIdentity, AnswersTheContainerMessageByPointerOnly) {
    CViewContainer container(CRectangle(0, 0, 1, 1), nullptr);
    const char sameText[] = "kMsgCheckIfViewContainer";
    EXPECT_EQ(container.notify(nullptr, gui::kMsgCheckIfViewContainer), gui::kNotifyHandled);
    EXPECT_EQ(container.notify(nullptr, sameText), gui::kNotifyIgnored);
    EXPECT_EQ(container.notify(nullptr, nullptr), gui::kNotifyIgnored);
    EXPECT_TRUE(container.isTypeOf("CViewContainer"));
    EXPECT_TRUE(container.isTypeOf("CView"));
    EXPECT_FALSE(container.isTypeOf("CFrame"));
    EXPECT_FALSE(container.isTypeOf(nullptr));
}

TEST(ContainerCoordinates, ConversionsAddOrRemoveEveryEnclosingOrigin) {
    CViewContainer outer(CRectangle(10, 20, 200, 200), nullptr);
    auto* inner = new CViewContainer(CRectangle(5, 7, 100, 100), nullptr);
    auto* leaf = new CView(CRectangle(1, 1, 2, 2));
    outer.addView(inner);
    inner->addView(leaf);
    EXPECT_EQ(leaf->toFrame(CPosition(1, 1)), CPosition(16, 28));
    EXPECT_EQ(leaf->toLocal(CPosition(16, 28)), CPosition(1, 1));
    EXPECT_EQ(inner->toFrame(CPosition(0, 0)), CPosition(15, 27));
    EXPECT_EQ(outer.toLocal(CPosition(10, 20)), CPosition(0, 0));
}
