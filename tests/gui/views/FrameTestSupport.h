// Shared pieces of the frame's tests: the host window and recording views of the test support,
// and a frame that shows its internals.
#pragma once

#include "gui/draw/COffscreenContext.h"
#include "gui/views/CFrame.h"
#include "support/HostedEditor.h"
#include "support/RecordingView.h"
#ifdef _WIN32
#include "support/EditorWindow.h"
#endif

namespace frametest {

using gui::CPosition;
using gui::CRectangle;
using testsupport::kPanelHeight;
using testsupport::kPanelWidth;
using testsupport::RecordingView;
#ifdef _WIN32
// The tests of the frame in real windows.
using testsupport::HostWindow;
using testsupport::platformColor;
using testsupport::pumpMessages;
using testsupport::useTestModule;
using testsupport::windowPixel;
#endif

// A frame that counts its own draws and shows its back buffer.
class TestFrame : public gui::CFrame {
  public:
    TestFrame(const CRectangle& size, gui::NativeWindow parent, AEffGUIEditor* editor = nullptr)
        : CFrame(size, parent, editor) {}

    void draw(gui::CDrawContext* context) override {
        ++draws;
        CFrame::draw(context);
    }
    gui::COffscreenContext* currentBackBuffer() const { return backBuffer; }
    bool isFirstDrawPending() const { return firstDrawPending; }

    int draws = 0;
};

}  // namespace frametest

namespace frametest {

// Adds a new view to a container, which takes over the creator's reference with its own: the
// container drops both when it lets the view go.
template <typename View>
View* adopt(gui::CViewContainer& container, View* view) {
    container.addView(view);
    return view;
}

}  // namespace frametest
