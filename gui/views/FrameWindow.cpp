// The frame's side of the window system: the shared window class, the frame's child window and
// its window procedure, the cursor, drop-target registration and the platform services the frame
// starts and stops.
#include <windows.h>
#include <windowsx.h>

#include <cstdio>
#include <memory>

#include "gui/draw/COffscreenContext.h"
#include "gui/draw/FrameAccess.h"
#include "gui/draw/PlatformGlobals.h"
#include "gui/views/CDropTarget.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

// One class for every frame of the process, registered by the first window and removed with
// the last.
std::int32_t windowClassUseCount = 0;
char windowClassName[64] = {};

constexpr double kWheelDeltaPerNotch = 120.0;

struct ContextRelease {
    void operator()(CDrawContext* context) const { context->release(); }
};
using TemporaryContext = std::unique_ptr<CDrawContext, ContextRelease>;

TemporaryContext contextOnWindow(CFrame* frame, HWND window) {
    return TemporaryContext(new CDrawContext(frame, nullptr, window));
}

LPCSTR systemCursorFor(CCursorType shape) {
    switch (shape) {
        case kCursorWait: return IDC_WAIT;
        case kCursorHSize: return IDC_SIZEWE;
        case kCursorVSize: return IDC_SIZENS;
        case kCursorSizeAll: return IDC_SIZEALL;
        case kCursorNESWSize: return IDC_SIZENESW;
        case kCursorNWSESize: return IDC_SIZENWSE;
        case kCursorNotAllowed: return IDC_NO;
        case kCursorHand: return IDC_HAND;
        default: return nullptr;
    }
}

// Owner-drawn option menus and text-entry colours ask the focus view. Neither control exists
// yet, so no focus view claims these messages and they get the default handling.
bool focusViewAnswersControlMessage(CFrame&, UINT, WPARAM, LPARAM, LRESULT&) { return false; }

}  // namespace

struct FrameWindowProcedure {
    static LRESULT CALLBACK handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT paint(CFrame& frame, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void buttonDown(CFrame& frame, HWND window, LPARAM lParam);
    static void wheel(CFrame& frame, HWND window, WPARAM wParam, LPARAM lParam);
};

LRESULT CALLBACK FrameWindowProcedure::handle(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* frame = reinterpret_cast<CFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY:
            frame->markOpen(false);
            frame->parentWindow = nullptr;
            break;
        case WM_PAINT: return paint(*frame, window, message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: buttonDown(*frame, window, lParam); return 0;
        case WM_MOUSEWHEEL: wheel(*frame, window, wParam, lParam); break;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT: {
            LRESULT result = 0;
            if (focusViewAnswersControlMessage(*frame, message, wParam, lParam, result))
                return result;
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
    const CRectangle area(painted.left, painted.top, painted.right, painted.bottom);
    frame.drawArea(frame.getBackBuffer(), area);
    {
        const TemporaryContext onDevice(new CDrawContext(&frame, device, nullptr));
        frame.backBuffer->copyToContext(onDevice.get(), area, CPosition(area.left, area.top));
    }
    EndPaint(window, &paintInfo);
    return 0;
}

void FrameWindowProcedure::buttonDown(CFrame& frame, HWND window, LPARAM lParam) {
    const TemporaryContext context = contextOnWindow(&frame, window);
    CPosition where(LOWORD(lParam), HIWORD(lParam));
    frame.mouse(context.get(), where, kButtonsFromContext);
}

void FrameWindowProcedure::wheel(CFrame& frame, HWND window, WPARAM wParam, LPARAM lParam) {
    const TemporaryContext context = contextOnWindow(&frame, window);
    const auto notches = static_cast<short>(HIWORD(wParam));
    const auto distance = static_cast<float>(notches / kWheelDeltaPerNotch);
    // The platform reports the wheel at screen coordinates.
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &point);
    frame.onWheel(context.get(), CPosition(point.x, point.y), distance);
}

void CFrame::setUpPlatform() {
    componentServicesStarted = SUCCEEDED(OleInitialize(nullptr));
    imagingLibrary = loadImagingEntryPoints();
}

// The back buffer goes between the two platform steps: the order of tear-down is fixed.
void CFrame::tearDownPlatform() {
    if (componentServicesStarted) OleUninitialize();
    componentServicesStarted = false;
    if (backBuffer) backBuffer->release();
    backBuffer = nullptr;
    if (imagingLibrary) FreeLibrary(imagingLibrary);
    imagingLibrary = nullptr;
}

bool CFrame::createNativeWindow(HWND parent) {
    if (!parent) return false;
    if (windowClassUseCount++ == 0) {
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
    window = CreateWindowExA(0, windowClassName, "Window", kStyle, 0, 0, size.getWidth(),
                             size.getHeight(), parent, nullptr, moduleHandle, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    setDropAccepted(true);
    return true;
}

void CFrame::destroyNativeWindow() {
    if (!window) return;
    // The window procedure must not reach a frame that is going away.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    window = nullptr;
    if (--windowClassUseCount == 0) UnregisterClassA(windowClassName, moduleHandle);
}

bool CFrame::getCurrentMousePoint(CPosition& where) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    where = CPosition(cursor.x, cursor.y);
    RECT windowRect;
    if (window && GetWindowRect(window, &windowRect)) {
        where.h -= windowRect.left;
        where.v -= windowRect.top;
    }
    return true;
}

void CFrame::setCursor(CCursorType shape) {
    if (!defaultCursor) defaultCursor = GetCursor();
    const LPCSTR systemShape = systemCursorFor(shape);
    SetCursor(systemShape ? LoadCursorA(nullptr, systemShape) : defaultCursor);
}

bool CFrame::setDropAccepted(bool active) {
    if (!dropAccepted && !active) return true;
    if (!window) return false;
    if (dropTarget) {
        // The platform drops its reference, which deletes the target.
        RevokeDragDrop(window);
        dropTarget = nullptr;
    }
    if (active) {
        dropTarget = new CDropTarget(this);
        if (RegisterDragDrop(window, dropTarget) != S_OK) {
            // Nobody took the first reference: taking and dropping one deletes the target.
            dropTarget->AddRef();
            dropTarget->Release();
            dropTarget = nullptr;
        }
    }
    dropAccepted = active;
    return true;
}

CRectangle frameSizeOf(CFrame* frame) {
    CRectangle rect;
    frame->getViewRect(rect);
    return CRectangle(0, 0, rect.getWidth(), rect.getHeight());
}

HWND frameWindowOf(CFrame* frame) { return frame->getWindow(); }

void runFrameIdle(CFrame* frame) { frame->runIdleCycle(); }

}  // namespace gui
