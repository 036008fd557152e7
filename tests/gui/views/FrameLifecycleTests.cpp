// Many open and close cycles of a frame in a host window leave nothing of the frame behind.
#include <gtest/gtest.h>

#include <vector>

#include "gui/views/FrameTestSupport.h"

namespace {

using frametest::adopt;
using frametest::HostWindow;
using frametest::kPanelHeight;
using frametest::kPanelWidth;
using frametest::RecordingView;
using frametest::TestFrame;
using gui::CRectangle;

constexpr int kCycles = 300;

// The handles of one frame's back buffer, recorded before the frame goes.
struct BufferHandles {
    HDC device;
    HGDIOBJ bitmap;
};

BufferHandles openPaintAndClose(HWND host, int& viewsDestroyed) {
    TestFrame frame(CRectangle(0, 0, kPanelWidth, kPanelHeight), host);
    adopt(frame, new RecordingView(CRectangle(0, 0, 100, 80), gui::kRedColor, &viewsDestroyed));
    UpdateWindow(frame.getWindow());
    frame.getView(0)->setDirty(true);
    frame.idle();
    HDC device = frame.currentBackBuffer()->getDevice();
    return {device, GetCurrentObject(device, OBJ_BITMAP)};
}

bool classExists(const char* name) {
    WNDCLASSA info = {};
    return GetClassInfoA(gui::moduleHandle, name, &info) != 0;
}

TEST(FrameLifecycle, ManyOpenCloseCyclesLeaveNoWindowsHandlesOrViews) {
    HostWindow host(kPanelWidth, kPanelHeight);
    int viewsDestroyed = 0;
    std::vector<BufferHandles> buffers;
    for (int cycle = 0; cycle < kCycles; ++cycle)
        buffers.push_back(openPaintAndClose(host.get(), viewsDestroyed));
    frametest::pumpMessages();

    EXPECT_EQ(GetWindow(host.get(), GW_CHILD), nullptr);
    EXPECT_EQ(viewsDestroyed, kCycles);
    int liveDevices = 0;
    int liveBitmaps = 0;
    for (const BufferHandles& handles : buffers) {
        liveDevices += GetObjectType(handles.device) != 0 ? 1 : 0;
        liveBitmaps += GetObjectType(handles.bitmap) != 0 ? 1 : 0;
    }
    EXPECT_EQ(liveDevices, 0);
    EXPECT_EQ(liveBitmaps, 0);
    char className[64] = {};
    wsprintfA(className, "Plugin%p", static_cast<void*>(gui::moduleHandle));
    EXPECT_FALSE(classExists(className));
    // Every frame stopped the component services it started: a fresh start is the first one.
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    OleUninitialize();
}

}  // namespace
