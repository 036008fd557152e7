// Shared pieces of the frame's tests: the host window and recording views of the test support,
// and a frame that shows its internals.
#pragma once

#include "gui/draw/COffscreenContext.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"
#include "support/EditorWindow.h"
#include "support/RecordingView.h"

namespace frametest {

using gui::CPosition;
using gui::CRectangle;
using testsupport::HostWindow;
using testsupport::kPanelHeight;
using testsupport::kPanelWidth;
using testsupport::platformColor;
using testsupport::pumpMessages;
using testsupport::RecordingView;
using testsupport::useTestModule;
using testsupport::windowPixel;

// A frame that counts its own draws and shows its back buffer.
class TestFrame : public gui::CFrame {
  public:
    TestFrame(const CRectangle& size, HWND parent, AEffGUIEditor* editor = nullptr)
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
