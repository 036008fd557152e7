// What a container paints and redraws: background, children, clipping, nested offsets, the
// private buffer, partial redraws and the update modes. Everything draws into a pixel surface.
#include <gtest/gtest.h>

#include "gui/draw/COffscreenContext.h"
#include "gui/views/CFrame.h"
#include "tests/gui/views/ViewTestSupport.h"

using gui::CBitmap;
using gui::CPosition;
using gui::CRectangle;
using gui::CViewContainer;
using viewtest::Canvas;
using viewtest::EventLog;
using viewtest::kUntouched;
using viewtest::RecordingContainer;
using viewtest::RecordingView;

namespace {

const std::uint32_t kRed = rgbOfColor(gui::kRedColor);
const std::uint32_t kGreen = rgbOfColor(gui::kGreenColor);
const std::uint32_t kBlue = rgbOfColor(gui::kBlueColor);

RecordingView* paintedChild(const CRectangle& size, const gui::CColorValue& color) {
    auto* view = new RecordingView(size, "child");
    view->fillWith(color);
    return view;
}

}  // namespace

TEST(ContainerDrawColor, FillLeavesLeftColumnAndTopRow) {
    Canvas canvas;
    CViewContainer container(CRectangle(10, 10, 50, 40), nullptr);
    container.setBackgroundColor(gui::kRedColor);
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.surface.count(kRed, 0, 0, 120, 120), 39 * 29);
    EXPECT_EQ(canvas.at(11, 11), kRed);
    EXPECT_EQ(canvas.at(49, 39), kRed);
    EXPECT_EQ(canvas.at(10, 20), kUntouched);
    EXPECT_EQ(canvas.at(20, 10), kUntouched);
    EXPECT_EQ(canvas.at(50, 20), kUntouched);
    EXPECT_FALSE(container.isDirty());
}

TEST(ContainerDrawColor, DrawPutsBackOffsetsAndClip) {
    Canvas canvas;
    CViewContainer container(CRectangle(10, 20, 50, 40), nullptr);
    container.addView(paintedChild(CRectangle(1, 1, 5, 5), gui::kGreenColor));
    canvas.context->offset = CPosition(3, 4);
    canvas.context->windowOrigin = CPosition(7, 8);
    canvas.context->setClipRectangle(CRectangle(0, 0, 60, 60));
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.context->offset, CPosition(3, 4));
    EXPECT_EQ(canvas.context->windowOrigin, CPosition(7, 8));
    EXPECT_EQ(canvas.context->getClipRectangle(), CRectangle(0, 0, 60, 60));
    EXPECT_EQ(canvas.at(3 + 10 + 1, 4 + 20 + 1), kGreen);  // offset + origin + child position
}

TEST(ContainerDrawColor, TransparentContainerPaintsOnlyItsChildren) {
    Canvas canvas;
    CViewContainer container(CRectangle(0, 0, 60, 60), nullptr);
    container.setTransparency(true);
    container.addView(paintedChild(CRectangle(10, 10, 20, 20), gui::kGreenColor));
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.surface.count(kGreen, 0, 0, 120, 120), 100);
    EXPECT_EQ(canvas.surface.count(kUntouched, 0, 0, 60, 60), 60 * 60 - 100);
}

TEST(ContainerDrawBitmap, BitmapFillsTheContainerFromTheBackgroundOffset) {
    CBitmap bitmap(nullptr, 40, 20);
    viewtest::paintBitmap(bitmap, CRectangle(0, 0, 20, 20), viewtest::platformRgb(0, 0, 255));
    viewtest::paintBitmap(bitmap, CRectangle(20, 0, 40, 20), viewtest::platformRgb(0, 255, 0));
    Canvas canvas;
    CViewContainer container(CRectangle(30, 30, 50, 50), nullptr, &bitmap);
    EXPECT_EQ(bitmap.getNbReference(), 2);
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.surface.count(kBlue, 30, 30, 50, 50), 400);  // left column and top row too
    container.setBackgroundOffset(CPosition(20, 0));
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.surface.count(kGreen, 30, 30, 50, 50), 400);
    EXPECT_EQ(canvas.at(29, 30), kUntouched);
    container.setBackground(nullptr);
}

TEST(ContainerDrawBitmap, PartialRedrawPaintsTheBitmapOnlyInsideTheArea) {
    CBitmap bitmap(nullptr, 40, 40);
    viewtest::paintBitmap(bitmap, CRectangle(0, 0, 40, 40), viewtest::platformRgb(0, 0, 255));
    Canvas canvas;
    CViewContainer container(CRectangle(10, 10, 50, 50), nullptr, &bitmap);
    container.drawArea(canvas.context.get(), CRectangle(20, 20, 30, 40));
    EXPECT_EQ(canvas.surface.count(kBlue, 0, 0, 120, 120), 10 * 20);
    EXPECT_EQ(canvas.at(20, 20), kBlue);
    EXPECT_EQ(canvas.at(29, 39), kBlue);
    EXPECT_EQ(canvas.at(30, 39), kUntouched);
    container.setBackground(nullptr);
}

TEST(ContainerDrawArea, ChildrenAreClippedToTheUpdateRectangle) {
    Canvas canvas;
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    container.setBackgroundColor(gui::kRedColor);
    container.addView(paintedChild(CRectangle(20, 20, 80, 80), gui::kGreenColor));
    container.drawArea(canvas.context.get(), CRectangle(0, 0, 50, 100));
    EXPECT_EQ(canvas.surface.count(kGreen, 0, 0, 120, 120), 30 * 60);
    EXPECT_EQ(canvas.at(49, 50), kGreen);
    EXPECT_EQ(canvas.at(50, 50), kUntouched);
    EXPECT_EQ(canvas.at(10, 10), kRed);
    EXPECT_EQ(canvas.at(60, 10), kUntouched);
}

TEST(ContainerDrawArea, PartlyDrawnDirtyChildStaysDirtyCleanChildStaysClean) {
    Canvas canvas;
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* partlyDirty = new RecordingView(CRectangle(10, 10, 50, 50), "a");
    auto* partlyClean = new RecordingView(CRectangle(20, 60, 60, 90), "b");
    auto* wholeDirty = new RecordingView(CRectangle(0, 0, 30, 30), "c");
    auto* outside = new RecordingView(CRectangle(70, 75, 80, 80), "d");
    for (auto* view : {partlyDirty, partlyClean, wholeDirty, outside}) container.addView(view);
    partlyClean->setDirty(false);
    container.drawArea(canvas.context.get(), CRectangle(0, 0, 40, 70));
    EXPECT_EQ(partlyDirty->draws, 1);
    EXPECT_TRUE(partlyDirty->isDirty());
    EXPECT_EQ(partlyClean->draws, 1);
    EXPECT_FALSE(partlyClean->isDirty());
    EXPECT_EQ(wholeDirty->draws, 1);
    EXPECT_FALSE(wholeDirty->isDirty());
    EXPECT_EQ(outside->draws, 0);
    EXPECT_TRUE(outside->isDirty());
}

TEST(ContainerDrawArea, ChildTouchingTheAreaOnlyAtAnEdgeIsNotDrawn) {
    Canvas canvas;
    CViewContainer container(CRectangle(0, 0, 100, 100), nullptr);
    auto* touching = new RecordingView(CRectangle(40, 0, 60, 20), "t");
    container.addView(touching);
    container.drawArea(canvas.context.get(), CRectangle(0, 0, 40, 40));
    EXPECT_EQ(touching->draws, 0);
    EXPECT_TRUE(touching->isDirty());
}

TEST(ContainerDrawNested, InnerChildrenDrawAtTheSumOfTheOrigins) {
    Canvas canvas;
    CViewContainer outer(CRectangle(10, 10, 90, 90), nullptr);
    auto* inner = new CViewContainer(CRectangle(20, 20, 60, 60), nullptr);
    inner->setBackgroundColor(gui::kBlueColor);
    inner->addView(paintedChild(CRectangle(5, 5, 15, 15), gui::kGreenColor));
    outer.addView(inner);
    outer.draw(canvas.context.get());
    EXPECT_EQ(canvas.surface.count(kGreen, 0, 0, 120, 120), 100);
    EXPECT_EQ(canvas.at(35, 35), kGreen);
    EXPECT_EQ(canvas.at(44, 44), kGreen);
    EXPECT_EQ(canvas.at(34, 35), kBlue);
    EXPECT_EQ(canvas.at(45, 44), kBlue);
    EXPECT_EQ(canvas.at(31, 31), kBlue);
    EXPECT_EQ(canvas.at(30, 31), rgbOfColor(gui::kBlackColor));  // the inner fill's left column
}

TEST(ContainerDrawOffscreen, BufferedDrawMatchesDirectDraw) {
    Canvas direct;
    Canvas buffered;
    for (Canvas* canvas : {&direct, &buffered}) {
        CViewContainer container(CRectangle(10, 20, 70, 60), nullptr);
        container.setUseOffscreen(canvas == &buffered);
        container.setBackgroundColor(gui::kRedColor);
        container.addView(paintedChild(CRectangle(5, 5, 25, 15), gui::kGreenColor));
        container.draw(canvas->context.get());
        EXPECT_EQ(canvas->context->offset, CPosition(0, 0));
    }
    EXPECT_EQ(buffered.surface.count(kGreen, 0, 0, 120, 120), 200);
    EXPECT_EQ(buffered.at(15, 25), kGreen);
    EXPECT_EQ(buffered.at(50, 50), kRed);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x)
            if (x >= 10 && y >= 20 && x < 70 && y < 60 && (x == 10 || y == 20)) {
                // The buffer starts black where the fill leaves its left column and top row.
                EXPECT_EQ(buffered.at(x, y), rgbOfColor(gui::kBlackColor)) << x << "," << y;
            } else {
                EXPECT_EQ(buffered.at(x, y), direct.at(x, y)) << x << "," << y;
            }
}

TEST(ContainerDrawOffscreen, PartialRedrawCopiesOnlyTheArea) {
    Canvas canvas;
    CViewContainer container(CRectangle(10, 10, 90, 90), nullptr);
    container.setUseOffscreen(true);
    container.setBackgroundColor(gui::kRedColor);
    container.addView(paintedChild(CRectangle(30, 30, 50, 50), gui::kGreenColor));
    canvas.context->setClipRectangle(CRectangle(40, 40, 60, 60));
    container.drawArea(canvas.context.get(), CRectangle(40, 40, 60, 60));
    EXPECT_EQ(canvas.surface.count(kGreen, 0, 0, 120, 120), 20 * 20);
    EXPECT_EQ(canvas.surface.count(kUntouched, 0, 0, 120, 120), 120 * 120 - 20 * 20);
    EXPECT_EQ(canvas.at(40, 40), kGreen);
    EXPECT_EQ(canvas.at(59, 59), kGreen);
}

TEST(ContainerDrawOffscreen, TransparentBufferShowsWhatLiesBehind) {
    Canvas canvas;
    CViewContainer container(CRectangle(10, 10, 50, 50), nullptr);
    container.setUseOffscreen(true);
    container.setTransparency(true);
    container.addView(paintedChild(CRectangle(0, 0, 10, 10), gui::kGreenColor));
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.at(15, 15), kGreen);
    EXPECT_EQ(canvas.at(30, 30), kUntouched);
    EXPECT_EQ(canvas.at(10, 49), kUntouched);
}

TEST(ContainerDrawOffscreen, TurningTheBufferOffDrawsDirectly) {
    Canvas canvas;
    CViewContainer container(CRectangle(0, 0, 40, 40), nullptr);
    container.setUseOffscreen(true);
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.at(0, 0), rgbOfColor(gui::kBlackColor));  // the buffer's own pixel
    container.setUseOffscreen(false);
    container.setBackgroundColor(gui::kBlueColor);
    canvas.surface.fill(kUntouched);
    container.draw(canvas.context.get());
    EXPECT_EQ(canvas.at(0, 0), kUntouched);  // drawn directly: the fill leaves the corner
    EXPECT_EQ(canvas.at(1, 1), kBlue);
}

TEST(ContainerDrawOffscreen, BufferLivesWhileAttachedAndFollowsTheSize) {
    struct Buffered : CViewContainer {
        using CViewContainer::CViewContainer;
        gui::COffscreenContext* buffer() const { return offscreen; }
    };
    CViewContainer parent(CRectangle(0, 0, 100, 100), nullptr);
    auto* child = new Buffered(CRectangle(0, 0, 30, 20), nullptr);
    child->setUseOffscreen(true);
    EXPECT_EQ(child->buffer(), nullptr);
    parent.addView(child);
    ASSERT_NE(child->buffer(), nullptr);
    EXPECT_EQ(child->buffer()->getWidth(), 30);
    child->setViewRect(CRectangle(10, 10, 50, 60));
    ASSERT_NE(child->buffer(), nullptr);
    EXPECT_EQ(child->buffer()->getWidth(), 40);
    EXPECT_EQ(child->buffer()->getHeight(), 50);
    parent.removeView(child, false);
    EXPECT_EQ(child->buffer(), nullptr);
    parent.addView(child);
    child->setUseOffscreen(false);
    EXPECT_EQ(child->buffer(), nullptr);
}

TEST(ContainerRedrawArea, TransparentContainerHasItsFrameRepaintBehindIt) {
    Canvas canvas;
    auto* frame = new gui::CFrame(CRectangle(0, 0, 100, 100), nullptr, nullptr);
    frame->setBackgroundColor(gui::kBlueColor);
    auto* container = new CViewContainer(CRectangle(20, 20, 60, 60), frame);
    container->setTransparency(true);
    container->addView(paintedChild(CRectangle(0, 0, 20, 20), gui::kGreenColor));
    frame->addView(container);
    container->redrawArea(canvas.context.get(), CRectangle(10, 10, 30, 30));
    EXPECT_EQ(canvas.at(45, 45), kBlue);  // (30, 30) to (50, 50) in the frame
    EXPECT_EQ(canvas.at(35, 35), kGreen);
    EXPECT_EQ(canvas.at(29, 35), kUntouched);
    EXPECT_EQ(canvas.at(50, 45), kUntouched);
    EXPECT_EQ(canvas.context->offset, CPosition(0, 0));
    delete frame;
}

TEST(ContainerDrawNull, NullContextDrawsNothingAndKeepsDirty) {
    CViewContainer container(CRectangle(0, 0, 10, 10), nullptr);
    container.setUseOffscreen(true);
    container.draw(nullptr);
    container.drawArea(nullptr, CRectangle(0, 0, 5, 5));
    container.drawBackgroundArea(nullptr, CRectangle(0, 0, 5, 5));
    EXPECT_TRUE(container.isDirty());
    CViewContainer empty(CRectangle(5, 5, 5, 5), nullptr);
    empty.setUseOffscreen(true);
    Canvas canvas;
    empty.draw(canvas.context.get());
    EXPECT_EQ(canvas.surface.count(kUntouched, 0, 0, 120, 120), 120 * 120);
}

// Tree used by the update tests: outer at (5, 5), inner at (10, 10) in it, a leaf in the inner
// container's corner that paints green. Every flag is clean except the leaf's.
class ContainerUpdate : public ::testing::Test {
  protected:
    void SetUp() override {
        inner = new RecordingContainer(CRectangle(10, 10, 60, 60), nullptr, "inner", &log);
        leaf = new RecordingView(CRectangle(0, 0, 10, 10), "leaf", &log);
        leaf->fillWith(gui::kGreenColor);
        inner->addView(leaf);
        outer.addView(inner);
        outer.setDirty(false);
        inner->setDirty(false);
        log.clear();
    }

    EventLog log;
    Canvas canvas;
    RecordingContainer outer{CRectangle(5, 5, 100, 100), nullptr, "outer", &log};
    RecordingContainer* inner = nullptr;
    RecordingView* leaf = nullptr;
};

TEST_F(ContainerUpdate, DirtyOnlyModeRunsTheNestedContainersUpdate) {
    outer.update(canvas.context.get());
    const EventLog expected = {"outer:update", "inner:update", "leaf:redrawArea",
                               "inner:redrawArea", "leaf:draw"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(leaf->lastRedraw, CRectangle(0, 0, 10, 10));
    EXPECT_EQ(canvas.surface.count(kGreen, 0, 0, 120, 120), 100);
    EXPECT_EQ(canvas.at(15, 15), kGreen);  // 5 + 10 + 0
    EXPECT_EQ(canvas.at(24, 24), kGreen);
    EXPECT_FALSE(outer.isDirty());
}

TEST_F(ContainerUpdate, RedrawAllModeRedrawsTheWholeContainer) {
    outer.setMode(gui::kRedrawAll);
    outer.update(canvas.context.get());
    const EventLog expected = {"outer:update", "outer:redrawArea", "leaf:draw"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(canvas.at(15, 15), kGreen);
    EXPECT_EQ(canvas.at(50, 50), rgbOfColor(gui::kBlackColor));  // the inner background too
    EXPECT_FALSE(outer.isDirty());
}

TEST_F(ContainerUpdate, DirtyOnlyModeWithItsOwnFlagSetRedrawsEverything) {
    outer.setDirty(true);
    outer.update(canvas.context.get());
    const EventLog expected = {"outer:update", "outer:redrawArea", "leaf:draw"};
    EXPECT_EQ(log, expected);
    EXPECT_FALSE(outer.isDirty());
}

TEST_F(ContainerUpdate, UnknownModeDoesNothing) {
    outer.setMode(2);
    outer.update(canvas.context.get());
    const EventLog expected = {"outer:update"};
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(leaf->isDirty());
    EXPECT_EQ(canvas.surface.count(kUntouched, 0, 0, 120, 120), 120 * 120);
}

TEST_F(ContainerUpdate, CleanTreeDrawsNothing) {
    leaf->setDirty(false);
    outer.update(canvas.context.get());
    outer.setMode(gui::kRedrawAll);
    outer.update(canvas.context.get());
    const EventLog expected = {"outer:update", "outer:update"};
    EXPECT_EQ(log, expected);
}
