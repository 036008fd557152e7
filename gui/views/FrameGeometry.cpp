// Geometry of the frame among the host's windows: position, size and resizing, either by the
// host on request or by walking up the windows that tightly wrap the frame's window.
#include <cstdlib>
#include <cstring>

#include "gui/draw/COffscreenContext.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"
#include "host/AudioEffectX.h"

namespace gui {

namespace {

// A parent larger than its child by more than this in either direction is not a tight wrapper.
constexpr LONG kWrapperSlack = 60;
// Growth beyond this while walking up means the enclosing window is not a tight wrapper.
constexpr LONG kResizeWalkLimit = 80;
constexpr int kClassNameLength = 1024;

LONG widthOf(const RECT& rect) { return rect.right - rect.left; }
LONG heightOf(const RECT& rect) { return rect.bottom - rect.top; }

void resizeWindow(HWND window, LONG width, LONG height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE);
}

bool isMdiClient(HWND window) {
    char className[kClassNameLength] = {};
    GetClassNameA(window, className, kClassNameLength);
    return std::strcmp(className, "MDIClient") == 0;
}

// Resizes the frame's window and each tight wrapper around it, so that the frame's window ends
// up width x height. False when an enclosing window is no tight wrapper and the walk stopped.
bool resizeWrappers(HWND window, LONG width, LONG height, LONG border) {
    LONG extraWidth = 0;
    LONG extraHeight = 0;
    HWND current = window;
    HWND last = nullptr;
    while (!last) {
        HWND parent = GetParent(current);
        if (!parent || isMdiClient(parent)) {
            last = current;
            break;
        }
        RECT currentRect = {};
        RECT parentRect = {};
        GetWindowRect(current, &currentRect);
        GetWindowRect(parent, &parentRect);
        resizeWindow(current, width + extraWidth, height + extraHeight);
        extraWidth += widthOf(parentRect) - widthOf(currentRect);
        extraHeight += heightOf(parentRect) - heightOf(currentRect);
        if (extraWidth > kResizeWalkLimit || extraHeight > kResizeWalkLimit) return false;
        if (extraWidth < 0) extraWidth = 0;
        if (extraHeight < 0) extraHeight = 0;
        current = parent;
        // A parent whose extra width is its frame border is the framed window to resize last.
        if (extraWidth == border) last = parent;
    }
    resizeWindow(last, width + extraWidth, height + extraHeight);
    return true;
}

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
    const LONG windowWidth = toDevice(width, scale);
    const LONG windowHeight = toDevice(height, scale);
    const std::weak_ptr<const void> alive = lifetime;
    bool granted = false;
    const bool asked = hostResizes(editor, windowWidth, windowHeight, granted);
    if (alive.expired()) return WindowResize::kFrameGone;
    if (asked && granted) {
        // The host has sized its windows; the views are left as they are.
        SetWindowPos(window, nullptr, 0, 0, windowWidth, windowHeight, SWP_NOMOVE);
        return WindowResize::kByHost;
    }
    if (asked && !walkWhenRefused) return WindowResize::kRefused;
    const LONG border = 2 * GetSystemMetrics(SM_CYFRAME);
    if (window && border != 0) {
        if (!resizeWrappers(window, windowWidth, windowHeight, border))
            return WindowResize::kWalkStopped;
    } else if (window) {
        resizeWindow(window, windowWidth, windowHeight);
    }
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
    if (window) InvalidateRect(window, nullptr, FALSE);
    return true;
}

bool CFrame::getSize(CRectangle* rect) {
    if (!openFlag || !rect) return false;
    HWND parent = GetParent(window);
    HWND reference = GetParent(GetParent(parent));
    RECT screenRect = {};
    GetWindowRect(parent, &screenRect);
    POINT corner = {screenRect.left, screenRect.top};
    MapWindowPoints(nullptr, reference, &corner, 1);
    *rect = CRectangle(corner.x, corner.y, corner.x + widthOf(screenRect),
                       corner.y + heightOf(screenRect));
    return true;
}

bool CFrame::getPosition(std::int32_t& x, std::int32_t& y) {
    if (!openFlag) return false;
    HWND outer = getOuterWindow();
    RECT screenRect = {};
    GetWindowRect(outer, &screenRect);
    POINT corner = {screenRect.left, screenRect.top};
    MapWindowPoints(nullptr, GetParent(outer), &corner, 1);
    x = corner.x;
    y = corner.y;
    return true;
}

NativeWindow CFrame::getOuterWindow() {
    if (!window) return nullptr;
    RECT frameRect = {};
    GetWindowRect(window, &frameRect);
    HWND current = window;
    for (;;) {
        HWND parent = GetParent(current);
        const bool captioned = (GetWindowLongA(current, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
        if (captioned || !parent) return current;
        RECT parentRect = {};
        GetWindowRect(parent, &parentRect);
        if (std::labs(widthOf(parentRect) - widthOf(frameRect)) > kWrapperSlack ||
            std::labs(heightOf(parentRect) - heightOf(frameRect)) > kWrapperSlack)
            return current;
        current = parent;
    }
}

}  // namespace gui
