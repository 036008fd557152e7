// The frame's child window on Win32: the window class shared by every frame of the process, and
// the window procedure that turns the window's messages into the frame's events.
#include <windowsx.h>

#include "gui/platform/win32/Win32Handles.h"
// For the colour message reflected to a text entry's edit window.
#include <olectl.h>

#include <cstdio>

#include "gui/draw/CDrawContext.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/Window.h"
#include "gui/platform/win32/Win32FrameAccessible.h"
#include "gui/views/AccessibleTree.h"
#include "gui/views/CFrame.h"
#include "gui/views/MenuItemHooks.h"

namespace gui {

namespace {

// One class for every frame of the process, registered by the first window and removed with
// the last.
std::int32_t windowClassUseCount = 0;
char windowClassName[64] = {};
// The last window of the class went while it still existed, inside its own destruction, when
// the class cannot be unregistered yet.
bool windowClassUnregisterPending = false;

constexpr double kWheelDeltaPerNotch = 120.0;

void unregisterWindowClass() {
    windowClassUnregisterPending = !UnregisterClassA(windowClassName, moduleHandle);
}

// Called once for every frame window that goes, whoever destroys it.
void releaseWindowClass() {
    if (windowClassUseCount > 0 && --windowClassUseCount == 0) unregisterWindowClass();
}

// Set while a wheel turn the frame did not use goes on to the host's window: a host that hands
// every turn to its child sends it straight back, and then it goes no further.
bool passingWheelOn = false;

struct PassingWheelOn {
    PassingWheelOn() { passingWheelOn = true; }
    ~PassingWheelOn() { passingWheelOn = false; }
    PassingWheelOn(const PassingWheelOn&) = delete;
    PassingWheelOn& operator=(const PassingWheelOn&) = delete;
};

// The press as its message reports it, not as the buttons are when the message is handled: a
// tap is over by then. Alt is not in the message; the queue's key state is the one of its time.
ButtonState pressOf(UINT message, WPARAM wParam) {
    ButtonState state = 0;
    if (message == WM_LBUTTONDOWN || (wParam & MK_LBUTTON)) state |= kButtonLeft;
    if (message == WM_MBUTTONDOWN || (wParam & MK_MBUTTON)) state |= kButtonMiddle;
    if (message == WM_RBUTTONDOWN || (wParam & MK_RBUTTON)) state |= kButtonRight;
    if (wParam & MK_SHIFT) state |= kModifierShift;
    if (wParam & MK_CONTROL) state |= kModifierControl;
    if (GetKeyState(VK_MENU) < 0) state |= kModifierAlt;
    return state;
}

std::int32_t menuItemState(UINT itemState) {
    std::int32_t state = 0;
    if (itemState & ODS_CHECKED) state |= kMenuItemChecked;
    if (itemState & ODS_DISABLED) state |= kMenuItemDisabled;
    if (itemState & ODS_SELECTED) state |= kMenuItemSelected;
    return state;
}

WindowKeyEvent keyEventOf(UINT message) {
    if (message == WM_CHAR) return WindowKeyEvent::kCharacter;
    return message == WM_KEYDOWN ? WindowKeyEvent::kDown : WindowKeyEvent::kUp;
}

}  // namespace

struct FrameWindowProcedure {
    static LRESULT CALLBACK handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT paint(CFrame& frame, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool wheel(CFrame& frame, HWND window, WPARAM wParam, LPARAM lParam);
    static bool controlMessage(CFrame& frame, HWND window, UINT message, WPARAM wParam,
                               LPARAM lParam, LRESULT& result);
    static bool menuItemMessage(CFrame& frame, HWND window, UINT message, LPARAM lParam);
};

LRESULT CALLBACK FrameWindowProcedure::handle(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* frame = reinterpret_cast<CFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY: frame->windowDestroyed(); break;
        case WM_PAINT: return paint(*frame, window, message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            frame->windowButtonDown(window, CPosition(LOWORD(lParam), HIWORD(lParam)),
                                    pressOf(message, wParam));
            return 0;
        case WM_MOUSEWHEEL: {
            // A turn the frame used must not reach the host's window as well; one it did not
            // use goes there once.
            if (passingWheelOn || wheel(*frame, window, wParam, lParam)) return 0;
            const PassingWheelOn passing;
            return DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_GETOBJECT:
            // The client area is the frame's; the window's frame parts stay the platform's.
            if (static_cast<DWORD>(lParam) != static_cast<DWORD>(OBJID_CLIENT)) break;
            if (const LRESULT object = frame->answerObjectRequest(wParam)) return object;
            break;
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            // Keys the panel does not use are the host's: its shortcuts keep working.
            if (!frame->routeWindowKey(keyEventOf(message), wParam) && frame->parentWindow)
                PostMessageA(frame->parentWindow, message, wParam, lParam);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: frame->keyboardFocusChanged(); break;
        case kDefaultActionMessage: runDefaultAction(*frame, wParam); return 0;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT: {
            LRESULT result = 0;
            if (controlMessage(*frame, window, message, wParam, lParam, result)) return result;
            break;
        }
        default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Copies only the invalid rectangle from the back buffer, after drawing it there.
LRESULT FrameWindowProcedure::paint(CFrame& frame, HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam) {
    RECT update;
    if (!GetUpdateRect(window, &update, FALSE))
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paintInfo;
    HDC device = BeginPaint(window, &paintInfo);
    const RECT& painted = paintInfo.rcPaint;
    frame.paintWindow(device, CRectangle(painted.left, painted.top, painted.right, painted.bottom));
    EndPaint(window, &paintInfo);
    return 0;
}

bool FrameWindowProcedure::wheel(CFrame& frame, HWND window, WPARAM wParam, LPARAM lParam) {
    const auto notches = static_cast<short>(HIWORD(wParam));
    const auto distance = static_cast<float>(notches / kWheelDeltaPerNotch);
    // The platform reports the wheel at screen coordinates.
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &point);
    return frame.windowWheel(window, CPosition(point.x, point.y), distance);
}

// Owner-drawn popup items of the focus view's menu; items without data are the platform's.
bool FrameWindowProcedure::menuItemMessage(CFrame& frame, HWND window, UINT message,
                                           LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!item || item->CtlType != ODT_MENU || item->itemData == 0) return false;
        CPosition size;
        if (!frame.measureMenuItem(window, item->itemData, size)) return false;
        item->itemWidth = static_cast<UINT>(size.h);
        item->itemHeight = static_cast<UINT>(size.v);
        return true;
    }
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_MENU || item->itemData == 0) return false;
    const RECT& area = item->rcItem;
    return frame.drawMenuItem(item->hDC, item->itemData, item->itemID,
                              menuItemState(item->itemState),
                              CRectangle(area.left, area.top, area.right, area.bottom + 1));
}

// Owner-drawn option menus and text-entry colours ask the focus view. A text entry answers
// through its edit window, the sender of the colour message, which knows its entry; a menu
// answers through the hooks the option menu fills in, as its popup has no window the toolkit
// owns.
bool FrameWindowProcedure::controlMessage(CFrame& frame, HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam, LRESULT& result) {
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM) {
        if (!frame.focusMenuDrawsItems()) return false;
        const bool answered = menuItemMessage(frame, window, message, lParam);
        result = TRUE;
        return answered;
    }
    if (!frame.focusViewIs("CTextEdit")) return false;
    result = SendMessageA(reinterpret_cast<HWND>(lParam), OCM_CTLCOLOREDIT, wParam, lParam);
    return result != 0;
}

namespace platform {

NativeWindow createFrameWindow(NativeWindow parent, CFrame* frame, std::int32_t width,
                               std::int32_t height) {
    // The last window went inside its own destruction; now that it is gone the class can go.
    if (windowClassUseCount == 0 && windowClassUnregisterPending) unregisterWindowClass();
    if (windowClassUseCount++ == 0 && !windowClassUnregisterPending) {
        std::snprintf(windowClassName, sizeof(windowClassName), "Plugin%p",
                      static_cast<void*>(moduleHandle));
        WNDCLASSA windowClass = {};
        windowClass.style = CS_GLOBALCLASS;
        windowClass.lpfnWndProc = FrameWindowProcedure::handle;
        windowClass.hInstance = moduleHandle;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = windowClassName;
        RegisterClassA(&windowClass);
        mouseButtonsSwapped = GetSystemMetrics(SM_SWAPBUTTON) > 0;
    }
    constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    HWND window = CreateWindowExA(0, windowClassName, "Window", kStyle, 0, 0, width, height, parent,
                                  nullptr, moduleHandle, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(frame));
    return window;
}

void destroyFrameWindow(NativeWindow window) {
    // The window procedure must not reach a frame that is going away.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    releaseWindowClass();
}

void forgetFrameWindow(NativeWindow window) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    releaseWindowClass();
}

void finishWindowClassRemoval() {
    if (windowClassUseCount == 0 && windowClassUnregisterPending) unregisterWindowClass();
}

}  // namespace platform
}  // namespace gui
