// Plays the user of talonhost --editor for the end-to-end runs:
//   talon_window_closer TITLE [WHEEL_X WHEEL_Y]
// Waits for the top-level window TITLE, turns the mouse wheel one notch up over client point
// (WHEEL_X, WHEEL_Y) of the editor in it, closes the window, and then passes what it reads on
// standard input (talonhost's output) on to standard output.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kPollMs = 50;
constexpr int kPatienceMs = 30000;
// Time for the editor to draw, and for the host to handle the turn, before the next step.
constexpr DWORD kSettleMs = 500;

HWND waitForEditor(const char* title) {
    for (int waited = 0; waited < kPatienceMs; waited += kPollMs) {
        HWND window = FindWindowA(nullptr, title);
        if (window != nullptr && GetWindow(window, GW_CHILD) != nullptr) return window;
        Sleep(kPollMs);
    }
    return nullptr;
}

void turnWheel(HWND window, int x, int y) {
    HWND editor = GetWindow(window, GW_CHILD);
    POINT point = {x, y};
    ClientToScreen(window, &point);
    PostMessageA(editor, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(point.x, point.y));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) {
        std::fprintf(stderr, "usage: talon_window_closer TITLE [WHEEL_X WHEEL_Y]\n");
        return 2;
    }
    HWND window = waitForEditor(argv[1]);
    if (window == nullptr) {
        std::fprintf(stderr, "talon_window_closer: no window '%s' with an editor\n", argv[1]);
        return 1;
    }
    Sleep(kSettleMs);
    if (argc == 4) {
        turnWheel(window, std::atoi(argv[2]), std::atoi(argv[3]));
        Sleep(kSettleMs);
    }
    PostMessageA(window, WM_CLOSE, 0, 0);
    char buffer[4096];
    std::size_t length = 0;
    while ((length = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
        std::fwrite(buffer, 1, length, stdout);
    }
    return 0;
}
