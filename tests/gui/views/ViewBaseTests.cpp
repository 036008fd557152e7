// The view base on its own: geometry answers, background ownership, attributes, update without a
// frame and the inert defaults.
#include <gtest/gtest.h>

#include <cstring>

#include "tests/gui/views/ViewTestSupport.h"

using gui::CBitmap;
using gui::CPosition;
using gui::CRectangle;
using gui::CView;
using viewtest::Canvas;
using viewtest::RecordingView;

TEST(ViewHitTest, IncludesAllFourEdgesOfTheMouseArea) {
    CView view(CRectangle(10, 10, 20, 20));
    EXPECT_TRUE(view.hitTest(CPosition(10, 10)));
    EXPECT_TRUE(view.hitTest(CPosition(20, 20)));
    EXPECT_TRUE(view.hitTest(CPosition(20, 10)));
    EXPECT_FALSE(view.hitTest(CPosition(21, 15)));
    EXPECT_FALSE(view.hitTest(CPosition(9, 15)));
    EXPECT_FALSE(view.hitTest(CPosition(15, 21)));
    EXPECT_FALSE(view.hitTest(CPosition(15, 9)));
}

TEST(ViewHitTest, FollowsTheMouseAreaNotTheMovedRectangle) {
    CView view(CRectangle(10, 10, 20, 20));
    view.setViewRect(CRectangle(50, 50, 60, 60));
    EXPECT_TRUE(view.hitTest(CPosition(15, 15)));
    EXPECT_FALSE(view.hitTest(CPosition(55, 55)));
    view.setMouseArea(CRectangle(50, 50, 60, 60));
    EXPECT_TRUE(view.hitTest(CPosition(55, 55)));
    CRectangle area;
    EXPECT_EQ(view.getMouseArea(area), CRectangle(50, 50, 60, 60));
}

TEST(ViewCheckUpdate, TouchingEdgeCountsAsOverlap) {
    CView view(CRectangle(10, 10, 20, 20));
    EXPECT_TRUE(view.checkUpdate(CRectangle(0, 0, 10, 15)));    // right == left
    EXPECT_TRUE(view.checkUpdate(CRectangle(20, 12, 30, 15)));  // left == right
    EXPECT_TRUE(view.checkUpdate(CRectangle(12, 20, 15, 30)));  // top == bottom
    EXPECT_FALSE(view.checkUpdate(CRectangle(0, 0, 9, 15)));
    EXPECT_FALSE(view.checkUpdate(CRectangle(21, 12, 30, 15)));
    EXPECT_FALSE(view.checkUpdate(CRectangle(12, 0, 15, 9)));
}

TEST(ViewRectangle, SetViewRectStoresTheRectangleAndMarksDirty) {
    CView view(CRectangle(1, 2, 3, 4));
    EXPECT_FALSE(view.isDirty());
    view.setViewRect(CRectangle(5, 6, 70, 80));
    CRectangle out;
    EXPECT_EQ(view.getViewRect(out), CRectangle(5, 6, 70, 80));
    EXPECT_TRUE(view.isDirty());
}

TEST(ViewBackground, SettingTheHeldBitmapAgainKeepsItAlive) {
    auto* bitmap = new CBitmap(nullptr, 4, 4);
    CView view(CRectangle(0, 0, 4, 4));
    view.setBackground(bitmap);
    bitmap->release();  // the view is now the only holder
    EXPECT_EQ(bitmap->getNbReference(), 1);
    view.setDirty(false);
    view.setBackground(bitmap);
    EXPECT_EQ(view.getBackground(), bitmap);
    EXPECT_EQ(bitmap->getNbReference(), 1);
    EXPECT_EQ(bitmap->getWidth(), 4);
    EXPECT_TRUE(view.isDirty());
}

TEST(ViewBackground, ReplacingAndClearingReleaseTheOldBitmap) {
    auto* first = new CBitmap(nullptr, 2, 2);
    auto* second = new CBitmap(nullptr, 2, 2);
    {
        CView view(CRectangle(0, 0, 2, 2));
        view.setBackground(first);
        EXPECT_EQ(first->getNbReference(), 2);
        view.setBackground(second);
        EXPECT_EQ(first->getNbReference(), 1);
        EXPECT_EQ(second->getNbReference(), 2);
        view.setBackground(nullptr);
        EXPECT_EQ(view.getBackground(), nullptr);
        EXPECT_EQ(second->getNbReference(), 1);
        view.setBackground(second);
    }
    EXPECT_EQ(second->getNbReference(), 1);  // the destructor let go of it
    first->release();
    second->release();
}

TEST(ViewBackground, DrawsTheBitmapIntoTheViewRectangle) {
    CBitmap bitmap(nullptr, 10, 10);
    viewtest::paintBitmap(bitmap, CRectangle(0, 0, 10, 10), viewtest::platformRgb(0, 200, 0));
    CView view(CRectangle(30, 40, 40, 50));
    view.setBackground(&bitmap);
    Canvas canvas;
    view.draw(canvas.context.get());
    EXPECT_EQ(canvas.at(30, 40), rgbOf(0, 200, 0));
    EXPECT_EQ(canvas.at(39, 49), rgbOf(0, 200, 0));
    EXPECT_EQ(canvas.at(40, 49), viewtest::kUntouched);
    EXPECT_EQ(canvas.at(29, 40), viewtest::kUntouched);
    EXPECT_FALSE(view.isDirty());
    view.setBackground(nullptr);
}

TEST(ViewAttributes, SmallerValueOverwritesLargerValueIsRefused) {
    CView view(CRectangle(0, 0, 1, 1));
    const unsigned char eight[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    const unsigned char four[4] = {9, 9, 9, 9};
    const unsigned char sixteen[16] = {};
    ASSERT_TRUE(view.setAttribute(7, 8, eight));
    EXPECT_TRUE(view.setAttribute(7, 4, four));
    std::int32_t size = 0;
    ASSERT_TRUE(view.getAttributeSize(7, size));
    EXPECT_EQ(size, 8);
    EXPECT_FALSE(view.setAttribute(7, 16, sixteen));
    unsigned char out[16] = {};
    std::int32_t outSize = 0;
    ASSERT_TRUE(view.getAttribute(7, 16, out, outSize));
    EXPECT_EQ(outSize, 8);
    const unsigned char expected[8] = {9, 9, 9, 9, 5, 6, 7, 8};
    EXPECT_EQ(std::memcmp(out, expected, 8), 0);
}

TEST(ViewAttributes, ReadingNeedsRoomAndAKnownIdentifier) {
    CView view(CRectangle(0, 0, 1, 1));
    const std::int32_t value = 0x12345678;
    ASSERT_TRUE(view.setAttribute(3, 4, &value));
    ASSERT_TRUE(view.setAttribute(5, 1, "x"));
    std::int32_t size = -1;
    EXPECT_FALSE(view.getAttributeSize(4, size));
    EXPECT_EQ(size, -1);
    char small[2] = {'a', 'b'};
    std::int32_t outSize = -1;
    EXPECT_FALSE(view.getAttribute(3, 2, small, outSize));
    EXPECT_EQ(small[0], 'a');
    EXPECT_EQ(outSize, -1);
    std::int32_t read = 0;
    ASSERT_TRUE(view.getAttribute(3, 4, &read, outSize));
    EXPECT_EQ(read, 0x12345678);
    EXPECT_EQ(outSize, 4);
    ASSERT_TRUE(view.getAttribute(5, 2, small, outSize));
    EXPECT_EQ(small[0], 'x');
    EXPECT_EQ(outSize, 1);
}

TEST(ViewAttributes, NullDataOrNegativeSizeIsRefused) {
    CView view(CRectangle(0, 0, 1, 1));
    EXPECT_FALSE(view.setAttribute(1, 4, nullptr));
    EXPECT_FALSE(view.setAttribute(1, -1, "abc"));
    std::int32_t size = 0;
    EXPECT_FALSE(view.getAttributeSize(1, size));
    ASSERT_TRUE(view.setAttribute(1, 4, "abc"));
    std::int32_t outSize = 0;
    EXPECT_FALSE(view.getAttribute(1, 4, nullptr, outSize));
}

TEST(ViewUpdate, WithoutFrameOrContextOnlyClearsDirty) {
    RecordingView view(CRectangle(0, 0, 10, 10), "v");
    view.setDirty(true);
    view.update(nullptr);
    EXPECT_FALSE(view.isDirty());
    EXPECT_EQ(view.draws, 0);
}

TEST(ViewUpdate, CleanViewAsksForNoRedraw) {
    viewtest::EventLog log;
    RecordingView view(CRectangle(0, 0, 10, 10), "v", &log);
    Canvas canvas;
    view.update(canvas.context.get());
    EXPECT_TRUE(log.empty());
    view.setDirty(true);
    view.update(canvas.context.get());
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0], "v:redrawArea");
    EXPECT_EQ(view.lastRedraw, CRectangle(0, 0, 10, 10));
    EXPECT_FALSE(view.isDirty());
}

TEST(ViewIdentity, OnlyCViewIsItsType) {
    CView view(CRectangle(0, 0, 1, 1));
    EXPECT_TRUE(view.isTypeOf("CView"));
    EXPECT_FALSE(view.isTypeOf("CViewContainer"));
    EXPECT_FALSE(view.isTypeOf("CVie"));
    EXPECT_FALSE(view.isTypeOf(nullptr));
    EXPECT_EQ(view.notify(nullptr, gui::kMsgCheckIfViewContainer), gui::kNotifyIgnored);
}

TEST(ViewDefaults, InputIsIgnoredAndUnattachedViewHasNoEditor) {
    CView view(CRectangle(0, 0, 10, 10));
    VstKeyCode key{'a', 0, 0};
    EXPECT_EQ(view.onKeyDown(key), gui::kKeyNotHandled);
    EXPECT_EQ(view.onKeyUp(key), gui::kKeyNotHandled);
    EXPECT_FALSE(view.onWheel(nullptr, CPosition(1, 1), 1.0f));
    EXPECT_FALSE(view.onWheelAxis(nullptr, CPosition(1, 1), 2, 1.0f));
    EXPECT_FALSE(view.onDrop(nullptr, nullptr, CPosition(1, 1)));
    EXPECT_EQ(view.getEditor(), nullptr);
    EXPECT_EQ(view.getFrame(), nullptr);
    EXPECT_EQ(view.toLocal(CPosition(3, 4)), CPosition(3, 4));
    EXPECT_EQ(view.toFrame(CPosition(3, 4)), CPosition(3, 4));
    view.redraw();
    view.redrawArea(nullptr, CRectangle(0, 0, 1, 1));
    view.draw(nullptr);
    CPosition where(5, 6);
    view.getMousePoint(nullptr, where);
    EXPECT_EQ(where, CPosition(5, 6));
}

TEST(ViewMousePoint, NestedViewGetsTheCursorInItsParentsCoordinates) {
    gui::CViewContainer outer(CRectangle(10, 20, 200, 200), nullptr);
    auto* inner = new gui::CViewContainer(CRectangle(5, 7, 100, 100), nullptr);
    auto* leaf = new CView(CRectangle(1, 1, 2, 2));
    outer.addView(inner);
    inner->addView(leaf);
    Canvas canvas;
    canvas.context->windowOrigin = CPosition(3, 4);
    canvas.context->offset = CPosition(6, 8);
    CPosition cursor;
    canvas.context->getMousePosition(cursor);
    CPosition where;
    leaf->getMousePoint(canvas.context.get(), where);
    EXPECT_EQ(where, CPosition(cursor.h - 15, cursor.v - 27));
    EXPECT_EQ(canvas.context->windowOrigin, CPosition(3, 4));
    EXPECT_EQ(canvas.context->offset, CPosition(6, 8));
    CView loose(CRectangle(50, 50, 60, 60));
    loose.getMousePoint(canvas.context.get(), where);
    EXPECT_EQ(where, cursor);
}

TEST(ViewWheel, AxisFormFallsBackToThePlainWheel) {
    struct WheelView : CView {
        WheelView() : CView(CRectangle(0, 0, 1, 1)) {}
        bool onWheel(gui::CDrawContext*, const CPosition&, float distance) override {
            seen = distance;
            return true;
        }
        float seen = 0.0f;
    } view;
    EXPECT_TRUE(view.onWheelAxis(nullptr, CPosition(0, 0), 2, 3.5f));
    EXPECT_EQ(view.seen, 3.5f);
}
