// A host's editor window with a frame in it, wired through an editor base to a recording host:
// what the frame, control and panel tests need to run the toolkit in real windows as a host runs
// it.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"
#include "support/HostedEditor.h"

namespace testsupport {

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
    void setClientSize(int clientWidth, int clientHeight) {
        RECT rect = {0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
        SetWindowPos(handle, nullptr, 0, 0, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOMOVE | SWP_NOZORDER);
        pumpMessages();
    }
    SIZE clientSize() const {
        RECT rect = {};
        GetClientRect(handle, &rect);
        return {rect.right, rect.bottom};
    }

  private:
    static constexpr const char* kClassName = "TalonTestHost";
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

// A host window holding a panel-sized frame whose editor reaches a recording host. Members go in
// reverse order: the frame first, the effect (which deletes the editor) last but one.
struct EditorInHostWindow {
    Gestures gestures() const { return gesturesIn(host); }

    FakeHost host;
    QuietEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);  // the effect deletes it
    HostWindow window{kPanelWidth, kPanelHeight};
    std::unique_ptr<gui::CFrame> frame = std::make_unique<gui::CFrame>(
        gui::CRectangle(0, 0, kPanelWidth, kPanelHeight), window.get(), editor);
};

}  // namespace testsupport
