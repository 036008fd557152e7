// Shared pieces of the frame's tests: a host window like the one a host gives the editor, a frame
// that shows its internals, and views that record what reaches them.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/COffscreenContext.h"
#include "gui/draw/PlatformGlobals.h"
#include "gui/views/CFrame.h"

namespace frame_test {

using gui::CPosition;
using gui::CRectangle;

// The editor panel's size.
constexpr int kPanelWidth = 752;
constexpr int kPanelHeight = 80;

inline void useTestModule() {
    if (!gui::moduleHandle) gui::moduleHandle = GetModuleHandleA(nullptr);
}

// Dispatches everything waiting for this thread's windows.
inline void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// A captioned top-level window whose client area is clientWidth x clientHeight.
class HostWindow {
  public:
    HostWindow(int clientWidth, int clientHeight) {
        useTestModule();
        static const ATOM windowClass = registerClass();
        (void)windowClass;
        RECT rect = {0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
        handle =
            CreateWindowExA(0, kClassName, "Host", kStyle, 10, 10, rect.right - rect.left,
                            rect.bottom - rect.top, nullptr, nullptr, gui::moduleHandle, nullptr);
        ShowWindow(handle, SW_SHOWNORMAL);
        pumpMessages();
    }
    ~HostWindow() {
        if (IsWindow(handle)) DestroyWindow(handle);
        pumpMessages();
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND get() const { return handle; }
    SIZE clientSize() const {
        RECT rect = {};
        GetClientRect(handle, &rect);
        return {rect.right, rect.bottom};
    }

  private:
    static constexpr const char* kClassName = "TalonFrameTestHost";
    static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;

    static ATOM registerClass() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = gui::moduleHandle;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }

    HWND handle = nullptr;
};

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

// A view that fills itself with one colour and records the input it receives.
class RecordingView : public gui::CView {
  public:
    explicit RecordingView(const CRectangle& size, gui::CColorValue color = gui::kRedColor,
                           int* destroyed = nullptr)
        : CView(size), color(color), destroyed(destroyed) {}
    ~RecordingView() override {
        if (destroyed) ++*destroyed;
    }

    void draw(gui::CDrawContext* context) override {
        ++draws;
        context->setFillColor(color);
        context->fillRectangle(size);
        setDirty(false);
    }
    void mouse(gui::CDrawContext*, CPosition& where, std::int32_t buttons) override {
        clicks.push_back(where);
        lastButtons = buttons;
    }
    bool onWheel(gui::CDrawContext*, const CPosition& where, float distance) override {
        wheelWhere = where;
        wheelDistances.push_back(distance);
        return true;
    }
    std::int32_t onKeyDown(VstKeyCode&) override { return keyAnswer; }
    void loseFocus(gui::CDrawContext* context) override {
        ++focusLosses;
        lostFocusWithContext = context != nullptr;
    }

    gui::CColorValue color;
    int* destroyed;
    int draws = 0;
    std::vector<CPosition> clicks;
    std::int32_t lastButtons = 0;
    CPosition wheelWhere;
    std::vector<float> wheelDistances;
    std::int32_t keyAnswer = gui::kKeyNotHandled;
    int focusLosses = 0;
    bool lostFocusWithContext = true;
};

// The colour of a client pixel of a window as it is on the screen.
inline COLORREF windowPixel(HWND window, int x, int y) {
    HDC device = GetDC(window);
    const COLORREF color = GetPixel(device, x, y);
    ReleaseDC(window, device);
    return color;
}

inline COLORREF platformColor(gui::CColorValue color) {
    return RGB(color.red, color.green, color.blue);
}

}  // namespace frame_test

namespace frame_test {

// Adds a new view to a container, which takes over the creator's reference with its own: the
// container drops both when it lets the view go.
template <typename View>
View* adopt(gui::CViewContainer& container, View* view) {
    container.addView(view);
    return view;
}

}  // namespace frame_test
