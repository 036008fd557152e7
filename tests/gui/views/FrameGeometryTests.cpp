// The frame's size and position among the host's windows, with and without a host that resizes
// its own windows on request.
#include <gtest/gtest.h>

#include <memory>

#include "gui/views/FrameTestSupport.h"
#include "host/AEffGUIEditor.h"
#include "host/AudioEffectX.h"
#include "support/RecordingHost.h"

namespace {

using frametest::adopt;
using frametest::HostWindow;
using frametest::kPanelHeight;
using frametest::kPanelWidth;
using frametest::platformColor;
using frametest::RecordingView;
using frametest::TestFrame;
using frametest::windowPixel;
using gui::CRectangle;

constexpr int kNewWidth = 400;
constexpr int kNewHeight = 60;

class SizingEffect : public AudioEffectX {
  public:
    explicit SizingEffect(audioMasterCallback host) : AudioEffectX(host, 1, 1) {}
    void processReplacing(float**, float**, int32) override {}
};

class SizingEditor : public AEffGUIEditor {
  public:
    explicit SizingEditor(AudioEffect* effect) : AEffGUIEditor(effect) {}
};

SIZE clientSizeOf(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    return {rect.right, rect.bottom};
}

class FrameGeometry : public ::testing::Test {
  protected:
    void openFrame(AEffGUIEditor* editor) {
        frame = std::make_unique<TestFrame>(CRectangle(0, 0, kPanelWidth, kPanelHeight), host.get(),
                                            editor);
    }
    // Asks the host through an editor that answers the capability query with canDo.
    void openFrameWithHost(intptr canDo, intptr granted) {
        fakeHost.answer(audioMasterCanDo, canDo);
        fakeHost.answer(audioMasterSizeWindow, granted);
        effect = std::make_unique<SizingEffect>(FakeHost::callback);
        openFrame(new SizingEditor(effect.get()));
        fakeHost.clear();
    }
    const HostCall* sizeWindowCall() const {
        for (const HostCall& call : fakeHost.calls())
            if (call.opcode == audioMasterSizeWindow) return &call;
        return nullptr;
    }

    HostWindow host{kPanelWidth, kPanelHeight};
    FakeHost fakeHost;
    // Owns the editor; the frame goes first.
    std::unique_ptr<SizingEffect> effect;
    std::unique_ptr<TestFrame> frame;
};

TEST_F(FrameGeometry, SetSizeWithTheCurrentSizeIsRefused) {
    openFrame(nullptr);
    EXPECT_FALSE(frame->setSize(kPanelWidth, kPanelHeight));
    const SIZE client = clientSizeOf(host.get());
    EXPECT_EQ(client.cx, kPanelWidth);
    EXPECT_EQ(client.cy, kPanelHeight);
}

TEST_F(FrameGeometry, SetSizeWithoutHostSupportResizesTheHostWindow) {
    openFrame(nullptr);
    frame->getBackBuffer();
    EXPECT_TRUE(frame->setSize(kNewWidth, kNewHeight));
    const SIZE own = clientSizeOf(frame->getWindow());
    EXPECT_EQ(own.cx, kNewWidth);
    EXPECT_EQ(own.cy, kNewHeight);
    const SIZE client = clientSizeOf(host.get());
    EXPECT_EQ(client.cx, kNewWidth);
    EXPECT_EQ(client.cy, kNewHeight);
    CRectangle rect;
    EXPECT_EQ(frame->getViewRect(rect), CRectangle(0, 0, kNewWidth, kNewHeight));
    EXPECT_TRUE(frame->isDirty());
    // The old back buffer was dropped; the next one has the new size.
    EXPECT_EQ(frame->currentBackBuffer(), nullptr);
    EXPECT_EQ(frame->getBackBuffer()->getWidth(), kNewWidth);
    EXPECT_EQ(frame->getBackBuffer()->getHeight(), kNewHeight);
}

TEST_F(FrameGeometry, SetViewRectResizesThroughSetSize) {
    openFrame(nullptr);
    frame->setViewRect(CRectangle(5, 5, 5 + kNewWidth, 5 + kNewHeight));
    CRectangle rect;
    EXPECT_EQ(frame->getViewRect(rect), CRectangle(0, 0, kNewWidth, kNewHeight));
    EXPECT_EQ(clientSizeOf(host.get()).cx, kNewWidth);
}

TEST_F(FrameGeometry, HostThatGrantsSizeWindowResizesItsOwnWindows) {
    openFrameWithHost(1, 1);
    frame->setDirty(false);
    EXPECT_TRUE(frame->setSize(kNewWidth, kNewHeight));
    const HostCall* call = sizeWindowCall();
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->index, kNewWidth);
    EXPECT_EQ(call->value, kNewHeight);
    const SIZE own = clientSizeOf(frame->getWindow());
    EXPECT_EQ(own.cx, kNewWidth);
    EXPECT_EQ(own.cy, kNewHeight);
    // The frame leaves the host's window to the host.
    EXPECT_EQ(clientSizeOf(host.get()).cx, kPanelWidth);
    CRectangle rect;
    EXPECT_EQ(frame->getViewRect(rect), CRectangle(0, 0, kNewWidth, kNewHeight));
    // The new back buffer starts black: the next idle must draw the whole panel into it.
    EXPECT_TRUE(frame->isDirty());
}

TEST_F(FrameGeometry, IdleAfterAGrantedResizeShowsThePanelNotABlackBuffer) {
    openFrameWithHost(1, 1);
    adopt(*frame, new RecordingView(CRectangle(0, 0, kNewWidth, kNewHeight), gui::kBlueColor));
    UpdateWindow(frame->getWindow());
    ASSERT_TRUE(frame->setSize(kNewWidth, kNewHeight));
    frame->idle();
    EXPECT_EQ(windowPixel(frame->getWindow(), 200, 30), platformColor(gui::kBlueColor));
}

// A wrapper far larger than the frame ends the walk up the host's windows early.
TEST_F(FrameGeometry, IdleAfterAResizeInALooseWrapperShowsThePanelNotABlackBuffer) {
    HWND wrapper = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 40,
                                   host.get(), nullptr, nullptr, nullptr);
    frame = std::make_unique<TestFrame>(CRectangle(0, 0, 200, 30), wrapper, nullptr);
    adopt(*frame, new RecordingView(CRectangle(0, 0, kNewWidth, kNewHeight), gui::kBlueColor));
    UpdateWindow(frame->getWindow());
    ASSERT_TRUE(frame->setSize(kNewWidth, kNewHeight));
    EXPECT_EQ(clientSizeOf(wrapper).cx, 300) << "the loose wrapper is left alone";
    frame->idle();
    EXPECT_EQ(windowPixel(frame->getWindow(), 250, 20), platformColor(gui::kBlueColor));
    frame.reset();
    DestroyWindow(wrapper);
}

TEST_F(FrameGeometry, SizeIntoNoRectangleIsRefused) {
    openFrame(nullptr);
    EXPECT_FALSE(frame->getSize(nullptr));
}

TEST_F(FrameGeometry, HostThatRefusesSizeWindowLeavesTheResizeToTheFrame) {
    openFrameWithHost(1, 0);
    EXPECT_TRUE(frame->setSize(kNewWidth, kNewHeight));
    EXPECT_NE(sizeWindowCall(), nullptr);
    const SIZE client = clientSizeOf(host.get());
    EXPECT_EQ(client.cx, kNewWidth);
    EXPECT_EQ(client.cy, kNewHeight);
}

TEST_F(FrameGeometry, HostWithoutSizeWindowIsNotAsked) {
    openFrameWithHost(0, 1);
    EXPECT_TRUE(frame->setSize(kNewWidth, kNewHeight));
    EXPECT_EQ(sizeWindowCall(), nullptr);
    EXPECT_EQ(clientSizeOf(host.get()).cx, kNewWidth);
}

TEST_F(FrameGeometry, SizeIsTheParentWindowRectangle) {
    openFrame(nullptr);
    CRectangle rect;
    ASSERT_TRUE(frame->getSize(rect));
    RECT screen = {};
    GetWindowRect(host.get(), &screen);
    EXPECT_EQ(rect, CRectangle(screen.left, screen.top, screen.right, screen.bottom));
}

TEST_F(FrameGeometry, PositionIsTheOuterWindowCorner) {
    openFrame(nullptr);
    std::int32_t x = -1;
    std::int32_t y = -1;
    ASSERT_TRUE(frame->getPosition(x, y));
    RECT screen = {};
    GetWindowRect(host.get(), &screen);
    EXPECT_EQ(x, screen.left);
    EXPECT_EQ(y, screen.top);
}

TEST_F(FrameGeometry, EditorRelaysReachTheEditor) {
    openFrameWithHost(0, 0);
    EXPECT_EQ(frame->getEditor(), static_cast<void*>(effect->getEditor()));
    frame->beginEdit(1);
    frame->endEdit(1);
    ASSERT_EQ(fakeHost.calls().size(), 2u);
    EXPECT_EQ(fakeHost.calls()[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(fakeHost.calls()[1].opcode, audioMasterEndEdit);
    EXPECT_EQ(fakeHost.calls()[1].index, 1);
    EXPECT_NE(frame->tickCount(), 0ul);
}

}  // namespace
