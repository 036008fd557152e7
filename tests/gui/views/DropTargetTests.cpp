// The drop target: its reference count and interfaces, and the drag events it turns into frame
// operations that reach the view under the cursor.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "gui/platform/win32/Win32DropTarget.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CDragContainer.h"
#include "gui/views/CFrame.h"
#include "gui/views/DragDataObject.h"

using dragtest::makeDataObject;
using gui::CDragContainer;
using gui::CDropTarget;
using gui::CPosition;
using gui::CRectangle;

namespace {

constexpr DWORD kUntouchedEffect = 0x55;
const POINTL kPlatformPoint = {0, 0};

// A target that reports its own destruction.
class WatchedTarget : public CDropTarget {
  public:
    WatchedTarget(bool& destroyed) : CDropTarget(nullptr), destroyed(destroyed) {}
    ~WatchedTarget() override { destroyed = true; }

  private:
    bool& destroyed;
};

struct DragRecord {
    std::vector<std::string> events;
    std::vector<CPosition> points;
    CDragContainer* drag = nullptr;
    std::string droppedText;
    bool keepDrag = false;
    bool throwOnDrop = false;
};

// Records the drag events it receives; the record outlives the view, which the frame owns.
class RecordingView : public gui::CView {
  public:
    RecordingView(const CRectangle& size, DragRecord& record) : CView(size), record(record) {}

    void onDragEnter(gui::CDrawContext*, CDragContainer* drag, const CPosition& where) override {
        note("enter", drag, where);
        if (record.keepDrag) drag->retain();
    }
    void onDragMove(gui::CDrawContext*, CDragContainer* drag, const CPosition& where) override {
        note("move", drag, where);
    }
    void onDragLeave(gui::CDrawContext*, CDragContainer* drag, const CPosition& where) override {
        note("leave", drag, where);
    }
    bool onDrop(gui::CDrawContext*, CDragContainer* drag, const CPosition& where) override {
        note("drop", drag, where);
        if (record.throwOnDrop) throw std::runtime_error("view failed");
        std::int32_t size = 0, type = 0;
        if (const void* item = drag->firstItem(size, type))
            record.droppedText.assign(static_cast<const char*>(item), size);
        return true;
    }

  private:
    void note(const char* event, CDragContainer* drag, const CPosition& where) {
        record.events.push_back(event);
        record.points.push_back(where);
        record.drag = drag;
    }

    DragRecord& record;
};

const CRectangle kFrameSize(0, 0, 200, 100);
const CRectangle kViewSize(10, 10, 100, 50);
const CPosition kCursor(30, 20);

// A frame without a window, so that the cursor's screen position is the frame position, with a
// recording view under the cursor.
class DropThroughFrame : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = new gui::CFrame(kFrameSize, nullptr, nullptr);
        frame->addView(new RecordingView(kViewSize, record));
        ASSERT_TRUE(SetCursorPos(kCursor.h, kCursor.v));
        POINT cursor = {};
        GetCursorPos(&cursor);
        ASSERT_EQ(cursor.x, kCursor.h);
        ASSERT_EQ(cursor.y, kCursor.v);
        target = new CDropTarget(frame);
        target->AddRef();
    }
    void TearDown() override {
        target->Release();
        delete frame;
    }

    gui::CFrame* frame = nullptr;
    CDropTarget* target = nullptr;
    DragRecord record;
};

}  // namespace

TEST(DropTargetInterface, AnswersUnknownAndDropTargetWithAReference) {
    auto* target = new CDropTarget(nullptr);
    void* unknown = nullptr;
    void* dropTarget = nullptr;
    EXPECT_EQ(target->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(target->QueryInterface(IID_IDropTarget, &dropTarget), S_OK);
    EXPECT_EQ(unknown, static_cast<IDropTarget*>(target));
    EXPECT_EQ(dropTarget, static_cast<IDropTarget*>(target));
    EXPECT_EQ(target->Release(), 1u);
    EXPECT_EQ(target->Release(), 0u);
}

TEST(DropTargetInterface, RefusesOtherInterfacesWithNull) {
    bool destroyed = false;
    auto* target = new WatchedTarget(destroyed);
    void* out = target;
    EXPECT_EQ(target->QueryInterface(IID_IDataObject, &out), static_cast<HRESULT>(0x80004002));
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(target->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(target->AddRef(), 1u);
    target->Release();
    EXPECT_TRUE(destroyed);
}

TEST(DropTargetCount, FreshTargetDeletedAtSecondRelease) {
    bool destroyed = false;
    auto* target = new WatchedTarget(destroyed);
    EXPECT_EQ(target->AddRef(), 1u);
    EXPECT_EQ(target->AddRef(), 2u);
    EXPECT_EQ(target->Release(), 1u);
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(target->Release(), 0u);
    EXPECT_TRUE(destroyed);
}

TEST(DropWithoutFrame, EnterAnswersNoneAndMakesNoContainer) {
    auto* target = new CDropTarget(nullptr);
    target->AddRef();
    auto data = makeDataObject();
    data->offerText("x");
    DWORD effect = kUntouchedEffect;
    EXPECT_EQ(target->DragEnter(data.get(), 0, kPlatformPoint, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(CDropTarget::getCurrentDrag(), nullptr);
    target->Release();
}

TEST_F(DropThroughFrame, EnterWithNullDataAnswersNoneAndMakesNoContainer) {
    DWORD effect = kUntouchedEffect;
    EXPECT_EQ(target->DragEnter(nullptr, 0, kPlatformPoint, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(CDropTarget::getCurrentDrag(), nullptr);
    EXPECT_TRUE(record.events.empty());
}

TEST_F(DropThroughFrame, EventsWithoutADragLeaveTheEffectAlone) {
    DWORD effect = kUntouchedEffect;
    EXPECT_EQ(target->DragOver(0, kPlatformPoint, &effect), S_OK);
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(target->Drop(nullptr, 0, kPlatformPoint, &effect), S_OK);
    EXPECT_EQ(effect, kUntouchedEffect);
    EXPECT_TRUE(record.events.empty());
}

TEST_F(DropThroughFrame, EnterMakesTheCurrentDragAndAnswersCopy) {
    auto data = makeDataObject();
    data->offerFiles({"C:\\a.wav", "C:\\b.wav"});
    DWORD effect = kUntouchedEffect;
    EXPECT_EQ(target->DragEnter(data.get(), 0, kPlatformPoint, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_NE(CDropTarget::getCurrentDrag(), nullptr);
    EXPECT_EQ(CDropTarget::getCurrentDrag()->getItemCount(), 2);
    EXPECT_EQ(record.events, std::vector<std::string>{"enter"});
    EXPECT_EQ(record.drag, CDropTarget::getCurrentDrag());
    target->DragLeave();
}

TEST_F(DropThroughFrame, DropReachesTheViewUnderTheCursor) {
    auto data = makeDataObject();
    data->offerText("dropped");
    DWORD effect = kUntouchedEffect;
    target->DragEnter(data.get(), 0, kPlatformPoint, &effect);
    target->DragOver(0, kPlatformPoint, &effect);
    effect = kUntouchedEffect;
    EXPECT_EQ(target->Drop(data.get(), 0, kPlatformPoint, &effect), S_OK);
    EXPECT_EQ(effect, kUntouchedEffect);
    EXPECT_EQ(record.events, (std::vector<std::string>{"enter", "move", "drop", "leave"}));
    for (const CPosition& where : record.points) EXPECT_EQ(where, kCursor);
    EXPECT_EQ(record.droppedText, "dropped");
    EXPECT_EQ(CDropTarget::getCurrentDrag(), nullptr);
}

TEST_F(DropThroughFrame, LeaveReleasesTheCurrentDrag) {
    auto data = makeDataObject();
    data->offerText("gone");
    record.keepDrag = true;
    DWORD effect = 0;
    target->DragEnter(data.get(), 0, kPlatformPoint, &effect);
    CDragContainer* drag = CDropTarget::getCurrentDrag();
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(drag->getNbReference(), 2);
    EXPECT_EQ(target->DragLeave(), S_OK);
    EXPECT_EQ(record.events.back(), "leave");
    EXPECT_EQ(CDropTarget::getCurrentDrag(), nullptr);
    EXPECT_EQ(drag->getNbReference(), 1);
    drag->release();
}

TEST_F(DropThroughFrame, FailingViewDoesNotUnwindIntoThePlatform) {
    auto data = makeDataObject();
    data->offerText("boom");
    record.throwOnDrop = true;
    DWORD effect = 0;
    target->DragEnter(data.get(), 0, kPlatformPoint, &effect);
    EXPECT_EQ(target->Drop(data.get(), 0, kPlatformPoint, &effect), E_UNEXPECTED);
    EXPECT_EQ(CDropTarget::getCurrentDrag(), nullptr);
}
