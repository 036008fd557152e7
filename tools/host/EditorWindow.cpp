#include "tools/host/EditorWindow.h"

#include <windows.h>

#include "tools/host/HostError.h"

namespace {

constexpr const char* kClassName = "TalonHostEditorWindow";
constexpr UINT_PTR kIdleTimerId = 1;
// Fixed size: the editor decides it, the user does not.
constexpr DWORD kWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

constexpr WORD kCaptureBitsPerPixel = 32;

// The window's user data points at the flag the message loop watches.
LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE || message == WM_DESTROY) {
        auto* closeRequested = reinterpret_cast<bool*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (closeRequested != nullptr) *closeRequested = true;
        // Closing is left to the owner, which closes the editor before destroying the window.
        if (message == WM_CLOSE) return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerWindowClass() {
    static const ATOM registered = [] {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass);
    }();
    if (registered == 0) throw HostError("cannot register the editor window class");
}

// The outer size of a window of our style whose client area is width x height.
SIZE frameSizeFor(int width, int height) {
    RECT frame = {0, 0, width, height};
    AdjustWindowRectEx(&frame, kWindowStyle, FALSE, 0);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

BOOL CALLBACK findChildToPaint(HWND child, LPARAM found) {
    if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

}  // namespace

EditorWindow::EditorWindow(const std::string& title, int width, int height) {
    registerWindowClass();
    const SIZE frame = frameSizeFor(width, height);
    HWND window =
        CreateWindowExA(0, kClassName, title.c_str(), kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.cx, frame.cy, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        throw HostError("cannot create the editor window (Windows error " +
                        std::to_string(GetLastError()) + ")");
    }
    window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&closeRequested_));
    if (SetTimer(window, kIdleTimerId, kEditorIdleIntervalMs, nullptr) == 0) {
        DestroyWindow(window);
        throw HostError("cannot start the editor's idle timer");
    }
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    UpdateWindow(window);
}

EditorWindow::~EditorWindow() {
    HWND window = static_cast<HWND>(window_);
    KillTimer(window, kIdleTimerId);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
}

bool EditorWindow::handleNextMessage(const IdleFunction& idle) {
    MSG message;
    if (GetMessageA(&message, nullptr, 0, 0) <= 0) return false;
    if (message.message == WM_TIMER && message.hwnd == window_ && message.wParam == kIdleTimerId) {
        // Idled from the loop, not a window procedure, so that errors may unwind.
        idle();
        ++ticks_;
    } else {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return !closeRequested_;
}

void EditorWindow::runUntilClosed(const IdleFunction& idle) {
    while (handleNextMessage(idle)) {
    }
}

bool EditorWindow::paintPending() const {
    HWND window = static_cast<HWND>(window_);
    bool found = GetUpdateRect(window, nullptr, FALSE) != FALSE;
    if (!found) EnumChildWindows(window, findChildToPaint, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool EditorWindow::resizeClient(int width, int height) {
    const SIZE frame = frameSizeFor(width, height);
    constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    return SetWindowPos(static_cast<HWND>(window_), nullptr, 0, 0, frame.cx, frame.cy,
                        kKeepPlace) != FALSE;
}

RgbImage EditorWindow::captureClient() const {
    HWND window = static_cast<HWND>(window_);
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    // The size the window has now, which the editor may have changed since it opened.
    RECT client = {};
    if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0) {
        throw HostError("the editor window has no client area to capture");
    }
    const int width = client.right;
    const int height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = kCaptureBitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    RgbImage image;
    if (memory != nullptr && section != nullptr) {
        HGDIOBJ previous = SelectObject(memory, section);
        // The window's device shows its children's pixels too: they are part of its client area.
        copied = BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        if (copied) {
            image = rgbFromBgrx(static_cast<const std::uint8_t*>(bits), width, height,
                                static_cast<std::size_t>(width) * kBgrxBytesPerPixel);
        }
        SelectObject(memory, previous);
    }
    if (section != nullptr) DeleteObject(section);
    if (memory != nullptr) DeleteDC(memory);
    ReleaseDC(window, screen);
    if (!copied) throw HostError("cannot read the pixels of the editor window");
    return image;
}
