// Plays the user of the gallery:
//   talon_gallery_user TITLE
// Waits for the top-level window TITLE, then, through the system's input queue as a mouse would:
// clicks the on/off button, the kick button and the fourth position of the vertical switch,
// turns the wheel one notch up over the first knob, opens the about box and clicks it away, and
// closes the window. Before that, as a screen reader in another process, it finds every control
// of the gallery's frame and the on/off button under its place. What it reads on standard input
// (the gallery's output) goes on to standard output.
#include <windows.h>
// The platform's accessibility interface, which needs the declarations above.
#include <oleacc.h>

#include <cstdio>
#include <cwchar>

#include "GalleryLayout.h"

namespace {

constexpr int kPollMs = 50;
constexpr int kPatienceMs = 30000;
// Time for the gallery to draw, and to handle one gesture, before the next.
constexpr DWORD kSettleMs = 300;
constexpr long kGalleryControls = 20;
// The interface's published identifier: the import library's symbol is a thunk in a static link.
constexpr GUID kAccessibleId = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

HWND waitForGallery(const char* title) {
    for (int waited = 0; waited < kPatienceMs; waited += kPollMs) {
        HWND window = FindWindowA(nullptr, title);
        if (window != nullptr && GetWindow(window, GW_CHILD) != nullptr) return window;
        Sleep(kPollMs);
    }
    return nullptr;
}

POINT centreOf(HWND window, const gallery::Box& box, int dy = 0) {
    POINT point = {(box.left + box.right) / 2, (box.top + box.bottom) / 2 + dy};
    ClientToScreen(window, &point);
    return point;
}

void send(DWORD flags, DWORD data = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    SendInput(1, &input, sizeof input);
}

void click(POINT at) {
    SetCursorPos(at.x, at.y);
    Sleep(kSettleMs);
    send(MOUSEEVENTF_LEFTDOWN);
    Sleep(kPollMs);
    send(MOUSEEVENTF_LEFTUP);
    Sleep(kSettleMs);
}

void wheelUp(POINT at) {
    SetCursorPos(at.x, at.y);
    Sleep(kSettleMs);
    send(MOUSEEVENTF_WHEEL, WHEEL_DELTA);
    Sleep(kSettleMs);
}

void play(HWND window) {
    using namespace gallery;
    click(centreOf(window, kOnOffBox));
    click(centreOf(window, kKickBox));
    // The lowest quarter of the switch is its fourth position.
    click(centreOf(window, kVerticalSwitchBox, kVerticalSwitchStrip.height * 3 / 8));
    wheelUp(centreOf(window, kKnobLineBox));
    click(centreOf(window, kSplashBox));
    click(centreOf(window, kSplashDisplayBox));
}

bool screenReaderFindsTheControls(HWND window) {
    IAccessible* reader = nullptr;
    if (FAILED(AccessibleObjectFromWindow(GetWindow(window, GW_CHILD),
                                          static_cast<DWORD>(OBJID_CLIENT), kAccessibleId,
                                          reinterpret_cast<void**>(&reader))))
        return false;
    long count = 0;
    reader->get_accChildCount(&count);
    const POINT at = centreOf(window, gallery::kOnOffBox);
    VARIANT hit;
    VariantInit(&hit);
    reader->accHitTest(at.x, at.y, &hit);
    BSTR name = nullptr;
    VARIANT role;
    VariantInit(&role);
    if (hit.vt == VT_I4) {
        reader->get_accName(hit, &name);
        reader->get_accRole(hit, &role);
    }
    const bool found = count == kGalleryControls && name &&
                       std::wcscmp(name, L"COnOffButton") == 0 && role.vt == VT_I4 &&
                       role.lVal == ROLE_SYSTEM_CHECKBUTTON;
    if (!found)
        std::fprintf(stderr, "talon_gallery_user: %ld controls, '%ls' under the on/off button\n",
                     count, name ? name : L"");
    SysFreeString(name);
    reader->Release();
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: talon_gallery_user TITLE\n");
        return 2;
    }
    HWND window = waitForGallery(argv[1]);
    if (window == nullptr) {
        std::fprintf(stderr, "talon_gallery_user: no window '%s' with a frame\n", argv[1]);
        return 1;
    }
    Sleep(kSettleMs);
    CoInitialize(nullptr);
    const bool found = screenReaderFindsTheControls(window);
    SetForegroundWindow(window);
    if (found) play(window);
    PostMessageA(window, WM_CLOSE, 0, 0);
    char buffer[4096];
    std::size_t length = 0;
    while ((length = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        std::fwrite(buffer, 1, length, stdout);
    CoUninitialize();
    return found ? 0 : 1;
}
