// Geometry of the frame among the host's windows: position, size and resizing, either by the
// host on request or by walking up the windows that tightly wrap the frame's window.
#include "gui/draw/COffscreenContext.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/Window.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"
#include "host/AudioEffectX.h"

namespace gui {

namespace {

bool hostResizes(AEffGUIEditor* editor, std::int32_t width, std::int32_t height, bool& granted) {
    if (!editor) return false;
    auto* effect = dynamic_cast<AudioEffectX*>(editor->getEffect());
    char capability[] = "sizeWindow";
    if (!effect || !effect->canHostDo(capability)) return false;
    granted = effect->sizeWindow(width, height);
    return true;
}

}  // namespace

void CFrame::dropBackBuffer() {
    if (backBuffer) backBuffer->release();
    backBuffer = nullptr;
    // The next buffer starts black: the whole frame must be drawn into it, whichever way the
    // resize goes.
    setDirty(true);
}

// The host may close the editor from inside its resize; the frame is then gone.
CFrame::WindowResize CFrame::resizeWindows(std::int32_t width, std::int32_t height,
                                           bool walkWhenRefused) {
    const std::int32_t windowWidth = toDevice(width, scale);
    const std::int32_t windowHeight = toDevice(height, scale);
    const std::weak_ptr<const void> alive = lifetime;
    bool granted = false;
    const bool asked = hostResizes(editor, windowWidth, windowHeight, granted);
    if (alive.expired()) return WindowResize::kFrameGone;
    if (asked && granted) {
        // The host has sized its windows; the views are left as they are.
        platform::resizeWindow(window, windowWidth, windowHeight);
        return WindowResize::kByHost;
    }
    if (asked && !walkWhenRefused) return WindowResize::kRefused;
    if (window && !platform::resizeWithWrappers(window, windowWidth, windowHeight))
        return WindowResize::kWalkStopped;
    return WindowResize::kByFrame;
}

bool CFrame::setSize(std::int32_t width, std::int32_t height) {
    if (!openFlag) return false;
    if (width == size.getWidth() && height == size.getHeight()) return false;
    dropBackBuffer();
    size.right = size.left + width;
    size.bottom = size.top + height;
    if (resizeWindows(width, height, true) == WindowResize::kByFrame)
        CViewContainer::setViewRect(CRectangle(0, 0, width, height));
    return true;
}

bool CFrame::setScale(double factor) {
    if (acceptedScale(factor) == 0.0 || factor == scale) return false;
    if (!window || !openFlag) {
        scale = factor;
        return true;
    }
    // An edit in progress has its window at the old size: it ends, as a click elsewhere ends
    // it, and its commit may close the editor.
    if (focusView && focusView->isTypeOf("CTextEdit")) {
        const std::weak_ptr<const void> alive = lifetime;
        setFocusView(nullptr);
        if (alive.expired() || !openFlag) return false;
    }
    const double previous = scale;
    dropBackBuffer();
    scale = factor;
    switch (resizeWindows(size.getWidth(), size.getHeight(), false)) {
        case WindowResize::kFrameGone: return false;
        case WindowResize::kRefused:
            // The host keeps its window: so does the panel.
            scale = previous;
            return false;
        default: break;
    }
    invalidate(CRectangle(0, 0, size.getWidth(), size.getHeight()));
    if (window) platform::invalidateWindow(window);
    return true;
}

bool CFrame::getSize(CRectangle* rect) {
    if (!openFlag || !rect) return false;
    *rect = platform::hostWindowRect(window);
    return true;
}

bool CFrame::getPosition(std::int32_t& x, std::int32_t& y) {
    if (!openFlag) return false;
    const CPosition corner = platform::positionInParent(getOuterWindow());
    x = corner.h;
    y = corner.v;
    return true;
}

NativeWindow CFrame::getOuterWindow() { return platform::outerWindowOf(window); }

}  // namespace gui
