// The frame's window among the host's windows, the cursor, the keyboard and the UI thread's clock,
// on Win32.
#include <cstdlib>
#include <cstring>

#include "gui/platform/Window.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"
#include "host/aeffect.h"

namespace gui::platform {

namespace {

// A parent larger than its child by more than this in either direction is not a tight wrapper.
constexpr LONG kWrapperSlack = 60;
// Growth beyond this while walking up means the enclosing window is not a tight wrapper.
constexpr LONG kResizeWalkLimit = 80;
constexpr int kClassNameLength = 1024;

LONG widthOf(const RECT& rect) { return rect.right - rect.left; }
LONG heightOf(const RECT& rect) { return rect.bottom - rect.top; }

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

struct KeyPair {
    WPARAM platformKey;
    unsigned char hostKey;
};

// The host's virtual keys for the platform's keys that carry no character of their own.
constexpr KeyPair kKeys[] = {
    {VK_BACK, VKEY_BACK},     {VK_TAB, VKEY_TAB},       {VK_CLEAR, VKEY_CLEAR},
    {VK_RETURN, VKEY_RETURN}, {VK_PAUSE, VKEY_PAUSE},   {VK_ESCAPE, VKEY_ESCAPE},
    {VK_SPACE, VKEY_SPACE},   {VK_END, VKEY_END},       {VK_HOME, VKEY_HOME},
    {VK_LEFT, VKEY_LEFT},     {VK_UP, VKEY_UP},         {VK_RIGHT, VKEY_RIGHT},
    {VK_DOWN, VKEY_DOWN},     {VK_PRIOR, VKEY_PAGEUP},  {VK_NEXT, VKEY_PAGEDOWN},
    {VK_INSERT, VKEY_INSERT}, {VK_DELETE, VKEY_DELETE}, {VK_HELP, VKEY_HELP},
};

// The mapped character without the dead-key flag.
constexpr UINT kCharacterBits = 0x7FFF;

bool isDown(int platformKey) { return (GetKeyState(platformKey) & 0x8000) != 0; }

}  // namespace

bool startComponentServices() { return SUCCEEDED(OleInitialize(nullptr)); }

void stopComponentServices() { OleUninitialize(); }

void resizeWindow(NativeWindow window, std::int32_t width, std::int32_t height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE);
}

bool resizeWithWrappers(NativeWindow window, std::int32_t width, std::int32_t height) {
    const LONG border = 2 * GetSystemMetrics(SM_CYFRAME);
    if (border != 0) return resizeWrappers(window, width, height, border);
    resizeWindow(window, width, height);
    return true;
}

void invalidateWindow(NativeWindow window) { InvalidateRect(window, nullptr, FALSE); }

bool windowRectOnScreen(NativeWindow window, CRectangle& rect) {
    RECT placed = {};
    if (!GetWindowRect(window, &placed)) return false;
    rect = CRectangle(placed.left, placed.top, placed.right, placed.bottom);
    return true;
}

CRectangle hostWindowRect(NativeWindow window) {
    HWND parent = GetParent(window);
    HWND reference = GetParent(GetParent(parent));
    RECT screenRect = {};
    GetWindowRect(parent, &screenRect);
    POINT corner = {screenRect.left, screenRect.top};
    MapWindowPoints(nullptr, reference, &corner, 1);
    return CRectangle(corner.x, corner.y, corner.x + widthOf(screenRect),
                      corner.y + heightOf(screenRect));
}

NativeWindow outerWindowOf(NativeWindow window) {
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

CPosition positionInParent(NativeWindow window) {
    RECT screenRect = {};
    GetWindowRect(window, &screenRect);
    POINT corner = {screenRect.left, screenRect.top};
    MapWindowPoints(nullptr, GetParent(window), &corner, 1);
    return CPosition(corner.x, corner.y);
}

std::uint32_t windowDpi(NativeWindow window) {
    using DpiOfWindow = UINT(WINAPI*)(HWND);
    // Only systems from Windows 10 on have it.
    HMODULE const user = GetModuleHandleA("user32.dll");
    const auto dpiOf = user ? reinterpret_cast<DpiOfWindow>(
                                  reinterpret_cast<void*>(GetProcAddress(user, "GetDpiForWindow")))
                            : nullptr;
    return dpiOf && window ? dpiOf(window) : 0;
}

CPosition mouseInWindow(NativeWindow window) {
    POINT cursor = {};
    GetCursorPos(&cursor);
    CPosition where(cursor.x, cursor.y);
    RECT windowRect;
    if (window && GetWindowRect(window, &windowRect)) {
        where.h -= windowRect.left;
        where.v -= windowRect.top;
    }
    return where;
}

void showCursor(CCursorType shape, NativeCursor& defaultCursor) {
    if (!defaultCursor) defaultCursor = GetCursor();
    const LPCSTR systemShape = systemCursorFor(shape);
    SetCursor(systemShape ? LoadCursorA(nullptr, systemShape)
                          : static_cast<HCURSOR>(defaultCursor));
}

bool hasKeyboardFocus(NativeWindow window) { return window && GetFocus() == window; }

void takeKeyboardFocus(NativeWindow window) {
    if (window) SetFocus(window);
}

VstKeyCode hostKeyOf(std::uintptr_t platformKey) {
    VstKeyCode key = {};
    for (const KeyPair& pair : kKeys)
        if (pair.platformKey == platformKey) key.virt = pair.hostKey;
    if (!key.virt) {
        // Letters as the host's key calls carry them: lower case.
        const UINT mapped = MapVirtualKeyA(static_cast<UINT>(platformKey), MAPVK_VK_TO_CHAR);
        const UINT character = mapped & kCharacterBits;
        key.character = static_cast<int32>(
            character >= 'A' && character <= 'Z' ? character - 'A' + 'a' : character);
    }
    if (isDown(VK_SHIFT)) key.modifier |= MODIFIER_SHIFT;
    if (isDown(VK_MENU)) key.modifier |= MODIFIER_ALTERNATE;
    if (isDown(VK_CONTROL)) key.modifier |= MODIFIER_COMMAND;
    return key;
}

void sleepFor(std::uint32_t milliseconds) { Sleep(milliseconds); }

// The host's message loop delivers the window's messages.
void dispatchWindowEvents() {}

void dispatchPendingPaint() {
    MSG message;
    if (PeekMessageA(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace gui::platform
