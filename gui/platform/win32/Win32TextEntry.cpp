// The text entry's native edit window on Win32 and its font, the
// procedure that watches the window's keys and focus, and the colours it paints with.
#include "gui/platform/win32/Win32Handles.h"
// For the reflected colour message the frame's window passes on to the edit window.
#include <olectl.h>

#include <cstring>

#include "gui/controls/CTextEdit.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/draw/Scaling.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

constexpr char kEditClass[] = "EDIT";
constexpr DWORD kEditStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;
// Characters the window accepts; the buffer the text is read back into holds one fewer.
constexpr WPARAM kTypedLimit = 255;
constexpr int kReadBufferSize = 255;
constexpr BYTE kEditPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
// The font never gets taller than the window leaves room for.
constexpr std::int32_t kFontRoom = 1;
constexpr std::int32_t kFontRoomShrunk = 2;
constexpr std::int32_t kSmallestFont = 1;

// The procedure the edit windows had before the entries replaced it: one for the process, as
// every edit window of the class starts with the same one.
WNDPROC previousEditProcedure = nullptr;

DWORD alignmentStyle(std::int32_t align) {
    if (align == kAlignRight) return ES_RIGHT;
    if (align == kAlignCenter || align > kAlignRight) return ES_CENTER;
    return ES_LEFT;
}

// The font at the panel's scale, as the entry draws its text.
HFONT createEditFont(std::int32_t fontId, std::int32_t windowHeight, double scale) {
    const CFontDescription entry = fontTableEntry(fontId);
    const std::int32_t scaledSize = toDevice(entry.defaultSize, scale);
    std::int32_t height =
        scaledSize < windowHeight - kFontRoom ? scaledSize : windowHeight - kFontRoomShrunk;
    if (height < kSmallestFont) height = kSmallestFont;
    LOGFONTA description = {};
    description.lfHeight = -height;
    description.lfWeight = FW_NORMAL;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    description.lfPitchAndFamily = kEditPitchAndFamily;
    std::strncpy(description.lfFaceName, entry.face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}

CTextEdit* entryOf(HWND window) {
    return reinterpret_cast<CTextEdit*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT passOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Return or a focus loss may have closed the window already.
    if (!IsWindow(window)) return 0;
    if (!previousEditProcedure) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(previousEditProcedure, window, message, wParam, lParam);
}

}  // namespace

struct EditWindowProcedure {
    static LRESULT CALLBACK handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// UI thread: every message of an open edit window. The entry is found through the window's user
// data, which is cleared before the entry destroys the window itself.
LRESULT CALLBACK EditWindowProcedure::handle(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    CTextEdit* const entry = entryOf(window);
    switch (message) {
        case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
        case WM_KEYDOWN:
            if (wParam == VK_RETURN && entry) entry->loseFocus(nullptr);
            if (wParam == VK_ESCAPE && entry) {
                // Cancelled: the entry's own text goes back, so nothing is committed.
                SetWindowTextA(window, entry->text);
                entry->loseFocus(nullptr);
                return 0;
            }
            break;
        case WM_KILLFOCUS:
            if (entry) entry->loseFocus(nullptr);
            break;
        case OCM_CTLCOLOREDIT:
            if (entry)
                return reinterpret_cast<LRESULT>(
                    static_cast<HBRUSH>(entry->editColors(reinterpret_cast<HDC>(wParam))));
            break;
        case WM_NCDESTROY: {
            // Destroyed from outside, with the frame's window: the entry lets go of it.
            const LRESULT result = passOn(window, message, wParam, lParam);
            if (entry) entry->forgetEditWindow();
            return result;
        }
        default: break;
    }
    return passOn(window, message, wParam, lParam);
}

void CTextEdit::openEditWindow(const CRectangle& panelRect) {
    const double scale = parentFrame->getScale();
    const CRectangle where = toDevice(panelRect, scale);
    const DWORD style = kEditStyle | alignmentStyle(horizontalAlign);
    HWND window = CreateWindowExA(0, kEditClass, text, style, where.left, where.top,
                                  where.getWidth(), where.getHeight(), parentFrame->getWindow(),
                                  nullptr, moduleHandle, nullptr);
    if (!window) return;
    editWindow = window;
    editFont = createEditFont(fontId, where.getHeight(), scale);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(static_cast<HFONT>(editFont)), TRUE);
    SendMessageA(window, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(0, 0));
    SendMessageA(window, EM_SETSEL, 0, static_cast<LPARAM>(-1));
    SendMessageA(window, EM_LIMITTEXT, kTypedLimit, 0);
    focusBeforeEdit = SetFocus(window);
    const LONG_PTR previous = SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditWindowProcedure::handle));
    if (previous) previousEditProcedure = reinterpret_cast<WNDPROC>(previous);
}

void CTextEdit::readEditWindow() {
    char typed[kReadBufferSize] = {};
    if (editWindow) GetWindowTextA(editWindow, typed, kReadBufferSize);
    typed[kReadBufferSize - 1] = '\0';
    std::memcpy(text, typed, sizeof(typed));
}

void CTextEdit::closeEditWindow() {
    HWND const window = editWindow;
    editWindow = nullptr;
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        // Hiding the focused window would hand the focus to the frame's window, which would
        // keep the host's shortcuts from working; it goes back where it was before typing.
        if (GetFocus() == window) {
            // Typing began from the panel's keyboard focus: the entry keeps the panel's focus,
            // so that the next key goes on from it.
            if (parentFrame && parentFrame->isOpen() && focusBeforeEdit == parentFrame->getWindow())
                parentFrame->setFocusView(this);
            SetFocus(IsWindow(focusBeforeEdit) ? focusBeforeEdit : nullptr);
        }
        DestroyWindow(window);
    }
    focusBeforeEdit = nullptr;
    if (editFont) DeleteObject(gdiObject(editFont));
    editFont = nullptr;
    if (colorBrush) DeleteObject(gdiObject(colorBrush));
    colorBrush = nullptr;
}

void CTextEdit::forgetEditWindow() {
    if (editWindow) SetWindowLongPtrA(editWindow, GWLP_USERDATA, 0);
    editWindow = nullptr;
    closeEditWindow();
}

NativeBrush CTextEdit::editColors(NativeDevice device) {
    SetTextColor(device, fontColor.toPlatformColor());
    SetBkColor(device, backColor.toPlatformColor());
    if (colorBrush) DeleteObject(gdiObject(colorBrush));
    colorBrush = CreateSolidBrush(backColor.toPlatformColor());
    return colorBrush;
}

}  // namespace gui
