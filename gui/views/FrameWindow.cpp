// The frame's side of the window system: the shared window class, the frame's child window and
// its window procedure, the cursor, drop-target registration and the platform services the frame
// starts and stops.
#include <windowsx.h>

#include "gui/platform/win32/Win32Handles.h"
// For the colour message reflected to a text entry's edit window.
#include <olectl.h>

#include <cstdio>
#include <memory>

#include "gui/draw/COffscreenContext.h"
#include "gui/draw/FrameAccess.h"
#include "gui/draw/PlatformGlobals.h"
#include "gui/draw/Scaling.h"
#include "gui/views/CDropTarget.h"
#include "gui/views/CFrame.h"
#include "gui/views/FrameAccessible.h"
#include "gui/views/MenuItemHooks.h"

namespace gui {

MenuItemHooks menuItemHooks;

namespace {

// One class for every frame of the process, registered by the first window and removed with
// the last.
std::int32_t windowClassUseCount = 0;
char windowClassName[64] = {};
// The last window of the class went while it still existed, inside its own destruction, when
// the class cannot be unregistered yet.
bool windowClassUnregisterPending = false;

constexpr double kWheelDeltaPerNotch = 120.0;
constexpr double kStandardDpi = 96.0;
// What a tracking loop without an editor waits per pass instead of an idle cycle.
constexpr DWORD kPauseWithoutEditorMs = 4;

using TemporaryContext = ScopedReference<CDrawContext>;

TemporaryContext contextOnWindow(CFrame* frame, HWND window) {
    return TemporaryContext(new CDrawContext(frame, nullptr, window));
}

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

// Owner-drawn popup items of the focus view's menu; items without data are the platform's.
bool focusViewMeasuresItem(CFrame& frame, CView& focus, HWND window, LPARAM lParam) {
    auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_MENU || item->itemData == 0) return false;
    const TemporaryContext context = contextOnWindow(&frame, window);
    CPosition size;
    if (!menuItemHooks.measure(&focus, item->itemData, context.get(), size)) return false;
    const CPosition onDevice = toDevice(size, frame.getScale());
    item->itemWidth = static_cast<UINT>(onDevice.h);
    item->itemHeight = static_cast<UINT>(onDevice.v);
    return true;
}

bool focusViewDrawsItem(CFrame& frame, CView& focus, LPARAM lParam) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (!item || item->CtlType != ODT_MENU || item->itemData == 0) return false;
    std::int32_t state = 0;
    if (item->itemState & ODS_CHECKED) state |= kMenuItemChecked;
    if (item->itemState & ODS_DISABLED) state |= kMenuItemDisabled;
    if (item->itemState & ODS_SELECTED) state |= kMenuItemSelected;
    const RECT& area = item->rcItem;
    const CRectangle rect = coveringPanelRect(
        CRectangle(area.left, area.top, area.right, area.bottom + 1), frame.getScale());
    const TemporaryContext context(new CDrawContext(&frame, item->hDC, nullptr));
    return menuItemHooks.draw(&focus, item->itemData, item->itemID, state, context.get(), rect);
}

// Owner-drawn option menus and text-entry colours ask the focus view. A text entry answers
// through its edit window, the sender of the colour message, which knows its entry; a menu
// answers through the hooks the option menu fills in, as its popup has no window the toolkit
// owns.
bool focusViewAnswersControlMessage(CFrame& frame, HWND window, UINT message, WPARAM wParam,
                                    LPARAM lParam, LRESULT& result) {
    CView* const focus = frame.getFocusView();
    if (!focus) return false;
    if (message == WM_MEASUREITEM || message == WM_DRAWITEM) {
        if (!focus->isTypeOf("COptionMenu") || !menuItemHooks.measure || !menuItemHooks.draw)
            return false;
        const bool answered = message == WM_MEASUREITEM
                                  ? focusViewMeasuresItem(frame, *focus, window, lParam)
                                  : focusViewDrawsItem(frame, *focus, lParam);
        result = TRUE;
        return answered;
    }
    if (message != WM_CTLCOLOREDIT || !focus->isTypeOf("CTextEdit")) return false;
    result = SendMessageA(reinterpret_cast<HWND>(lParam), OCM_CTLCOLOREDIT, wParam, lParam);
    return result != 0;
}

}  // namespace

struct FrameWindowProcedure {
    static LRESULT CALLBACK handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT paint(CFrame& frame, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void buttonDown(CFrame& frame, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static bool wheel(CFrame& frame, HWND window, WPARAM wParam, LPARAM lParam);
};

LRESULT CALLBACK FrameWindowProcedure::handle(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    auto* frame = reinterpret_cast<CFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!frame) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_DESTROY:
            frame->disconnectAccessible();
            frame->markOpen(false);
            frame->parentWindow = nullptr;
            frame->forgetDestroyedWindow();
            break;
        case WM_PAINT: return paint(*frame, window, message, wParam, lParam);
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: buttonDown(*frame, window, message, wParam, lParam); return 0;
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
            if (!frame->routeWindowKey(message, wParam) && frame->parentWindow)
                PostMessageA(frame->parentWindow, message, wParam, lParam);
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS: frame->keyboardFocusChanged(); break;
        case kDefaultActionMessage: runDefaultAction(*frame, wParam); return 0;
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT: {
            LRESULT result = 0;
            if (focusViewAnswersControlMessage(*frame, window, message, wParam, lParam, result))
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
    const CRectangle area = coveringPanelRect(
        CRectangle(painted.left, painted.top, painted.right, painted.bottom), frame.getScale());
    // A view that resizes the frame while it draws drops the frame's buffer, not this hold.
    COffscreenContext* const buffer = frame.getBackBuffer();
    buffer->retain();
    const ScopedReference<COffscreenContext> hold(buffer);
    frame.drawArea(buffer, area);
    if (frame.backBuffer == buffer) {
        const TemporaryContext onDevice(new CDrawContext(&frame, device, nullptr));
        buffer->copyToContext(onDevice.get(), area, CPosition(area.left, area.top));
    } else {
        frame.setDirty(true);  // the next idle draws the whole frame into the new buffer
    }
    EndPaint(window, &paintInfo);
    return 0;
}

void FrameWindowProcedure::buttonDown(CFrame& frame, HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
    const TemporaryContext context = contextOnWindow(&frame, window);
    CPosition where = toPanel(CPosition(LOWORD(lParam), HIWORD(lParam)), frame.getScale());
    frame.mouse(context.get(), where, pressOf(message, wParam));
}

bool FrameWindowProcedure::wheel(CFrame& frame, HWND window, WPARAM wParam, LPARAM lParam) {
    const TemporaryContext context = contextOnWindow(&frame, window);
    const auto notches = static_cast<short>(HIWORD(wParam));
    const auto distance = static_cast<float>(notches / kWheelDeltaPerNotch);
    // The platform reports the wheel at screen coordinates.
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(window, &point);
    return frame.onWheel(context.get(), toPanel(CPosition(point.x, point.y), frame.getScale()),
                         distance);
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

bool CFrame::createNativeWindow(NativeWindow parent) {
    if (!parent) return false;
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
    window = CreateWindowExA(0, windowClassName, "Window", kStyle, 0, 0,
                             toDevice(size.getWidth(), scale), toDevice(size.getHeight(), scale),
                             parent, nullptr, moduleHandle, nullptr);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    setDropAccepted(true);
    return true;
}

void CFrame::destroyNativeWindow() {
    if (!window) {
        // The host destroyed the window earlier; the class may not have been free to go then.
        if (windowClassUseCount == 0 && windowClassUnregisterPending) unregisterWindowClass();
        return;
    }
    // The window procedure must not reach a frame that is going away.
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    window = nullptr;
    releaseWindowClass();
}

// The drop target is revoked while the window still exists: once it is gone the platform would
// keep the target, which points at this frame, for good. The handle may be reused by another
// window afterwards, so the frame forgets it.
void CFrame::forgetDestroyedWindow() {
    if (!window) return;
    setDropAccepted(false);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    window = nullptr;
    releaseWindowClass();
}

void CFrame::pauseWithoutEditor() { Sleep(kPauseWithoutEditorMs); }

bool CFrame::getCurrentMousePoint(CPosition& where) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    where = CPosition(cursor.x, cursor.y);
    RECT windowRect;
    if (window && GetWindowRect(window, &windowRect)) {
        where.h -= windowRect.left;
        where.v -= windowRect.top;
    }
    where = toPanel(where, scale);
    return true;
}

void CFrame::setCursor(CCursorType shape) {
    if (!defaultCursor) defaultCursor = GetCursor();
    const LPCSTR systemShape = systemCursorFor(shape);
    SetCursor(systemShape ? LoadCursorA(nullptr, systemShape)
                          : static_cast<HCURSOR>(defaultCursor));
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

NativeWindow frameWindowOf(CFrame* frame) { return frame->getWindow(); }

double frameScaleOf(CFrame* frame) { return frame->getScale(); }

double CFrame::displayScaleOf(NativeWindow window) {
    using DpiOfWindow = UINT(WINAPI*)(HWND);
    // Only systems from Windows 10 on have it.
    HMODULE const user = GetModuleHandleA("user32.dll");
    const auto dpiOf = user ? reinterpret_cast<DpiOfWindow>(
                                  reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))
                            : nullptr;
    const UINT dpi = dpiOf && window ? dpiOf(window) : 0;
    if (dpi == 0) return kSmallestScale;
    const double factor = dpi / kStandardDpi;
    if (factor < kSmallestScale) return kSmallestScale;
    return factor > kLargestScale ? kLargestScale : factor;
}

bool runFrameIdle(CFrame* frame) {
    const std::weak_ptr<const void> lifetime = frame->getLifetime();
    frame->runIdleCycle();
    return !lifetime.expired();
}

}  // namespace gui
