// The frame's views as numbered accessible children: numbering through nested containers, hit
// testing in the window's pixels, and steps that must stop at either end.
#include <gtest/gtest.h>

#include "gui/views/AccessibleTree.h"
#include "gui/views/CFrame.h"

namespace {

using gui::CFrame;
using gui::CPosition;
using gui::CRectangle;
using gui::CView;

class RoleView : public CView {
  public:
    RoleView(const CRectangle& size, gui::AccessibleRole role) : CView(size), role(role) {}
    gui::AccessibleRole accessibleRole() override { return role; }

  private:
    gui::AccessibleRole role;
};

// A frame without a window: a slider, a container at (100, 0) holding a button, a view that takes
// no part, and a text entry on top of the slider's right half.
class AccessibleTree : public ::testing::Test {
  protected:
    AccessibleTree() {
        frame.addView(slider);
        frame.addView(box);
        box->addView(button);
        frame.addView(silent);
        frame.addView(entry);
    }
    ~AccessibleTree() override { frame.removeAll(); }

    CFrame frame{CRectangle(0, 0, 200, 100), nullptr, nullptr};
    CView* slider = new RoleView(CRectangle(0, 0, 40, 40), gui::kRoleSlider);
    gui::CViewContainer* box = new gui::CViewContainer(CRectangle(100, 0, 200, 100), nullptr);
    CView* button = new RoleView(CRectangle(10, 10, 30, 30), gui::kRolePushButton);
    CView* silent = new RoleView(CRectangle(50, 50, 60, 60), gui::kRoleNone);
    CView* entry = new RoleView(CRectangle(20, 0, 40, 20), gui::kRoleEditableText);
};

TEST_F(AccessibleTree, NumbersTheViewsThatTakePartDepthFirstAndRefusesOthers) {
    CView* view = nullptr;
    ASSERT_TRUE(gui::accessibleChild(frame, 2, view));
    EXPECT_EQ(view, button);
    EXPECT_EQ(gui::accessibleChildNumber(frame, entry), 3);
    EXPECT_EQ(gui::accessibleChildNumber(frame, silent), gui::kAccessibleSelf);
    ASSERT_TRUE(gui::accessibleChild(frame, gui::kAccessibleSelf, view));
    EXPECT_EQ(view, nullptr);
    for (const std::int32_t number : {-1, 4, 0x7FFFFFFF}) {
        view = slider;
        EXPECT_FALSE(gui::accessibleChild(frame, number, view)) << number;
        EXPECT_EQ(view, nullptr);
    }
}

TEST_F(AccessibleTree, HitTestTakesWindowPixelsAndAnswersTheTopmostChild) {
    ASSERT_TRUE(frame.setScale(2.0));
    // Panel (30, 10): the entry lies over the slider there.
    EXPECT_EQ(gui::accessibleChildAt(frame, CPosition(60, 20)), 3);
    EXPECT_EQ(gui::accessibleChildAt(frame, CPosition(10, 10)), 1);
    // The nested button at panel (115, 15).
    EXPECT_EQ(gui::accessibleChildAt(frame, CPosition(230, 30)), 2);
    EXPECT_EQ(gui::accessibleChildAt(frame, CPosition(110, 110)), gui::kAccessibleSelf);
    EXPECT_EQ(gui::accessibleChildAt(frame, CPosition(400, 10)), -1);
    EXPECT_EQ(gui::accessibleChildAt(frame, CPosition(-1, 10)), -1);
    EXPECT_EQ(gui::accessibleRectInWindow(frame, button), CRectangle(220, 20, 260, 60));
    EXPECT_EQ(gui::accessibleRectInWindow(frame, nullptr), CRectangle(0, 0, 400, 200));
}

TEST_F(AccessibleTree, StepsStopAtEitherEnd) {
    using gui::AccessibleStep;
    EXPECT_EQ(gui::accessibleNeighbour(frame, 0, AccessibleStep::kFirstChild), 1);
    EXPECT_EQ(gui::accessibleNeighbour(frame, 0, AccessibleStep::kLastChild), 3);
    EXPECT_EQ(gui::accessibleNeighbour(frame, 0, AccessibleStep::kNext), 0);
    EXPECT_EQ(gui::accessibleNeighbour(frame, 2, AccessibleStep::kNext), 3);
    EXPECT_EQ(gui::accessibleNeighbour(frame, 3, AccessibleStep::kNext), 0);
    EXPECT_EQ(gui::accessibleNeighbour(frame, 1, AccessibleStep::kPrevious), 0);
    EXPECT_EQ(gui::accessibleNeighbour(frame, 2, AccessibleStep::kFirstChild), 0);
    EXPECT_EQ(gui::accessibleNeighbour(frame, 2, AccessibleStep::kNone), 0);
}

}  // namespace
