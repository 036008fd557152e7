// gallery: every control of the toolkit in a frame in a top-level window, for an engineer to try
// them out; each value change prints a line. With --screenshot FILE.png it draws the window once,
// writes its client pixels to the file and exits.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "GalleryLayout.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/views/CFrame.h"
#include "host/AudioEffectX.h"
#include "tools/gallery/GalleryEditor.h"
#include "tools/host/EditorWindow.h"
#include "tools/host/HostError.h"

namespace {

constexpr const char* kTitle = "Talon toolkit - control gallery";
constexpr const char* kUsage =
    "usage: gallery [--screenshot FILE.png]\n"
    "  Opens every control of the toolkit in one window; each value change prints\n"
    "  \"tag N value X CLASS\". With --screenshot the window is drawn once, its client\n"
    "  pixels are written to FILE.png and the program exits.\n";
// Idle calls before a screenshot: enough for every dirty view to be redrawn.
constexpr int kScreenshotTicks = 10;
constexpr int kUsageError = 2;

// The editor base wants an effect; this one has no audio and no host.
struct GalleryEffect : AudioEffectX {
    GalleryEffect() : AudioEffectX(nullptr, 1, 0) {}
    void processReplacing(float**, float**, int32) override {}
};

// Hosts pass the mouse wheel on to the editor; the host tools' window does not, so the gallery
// hands it to the frame's window itself. One gallery window per process: plain globals do.
WNDPROC hostProcedure = nullptr;
HWND frameWindow = nullptr;

// Set while a turn is with the frame: one it does not use comes back here and goes no further.
bool wheelWithFrame = false;

LRESULT CALLBACK galleryProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEWHEEL && !wheelWithFrame && frameWindow && IsWindow(frameWindow)) {
        wheelWithFrame = true;
        const LRESULT result = SendMessageA(frameWindow, message, wParam, lParam);
        wheelWithFrame = false;
        return result;
    }
    return CallWindowProcA(hostProcedure, window, message, wParam, lParam);
}

void forwardWheel(HWND window, HWND frame) {
    frameWindow = frame;
    hostProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(galleryProcedure)));
}

struct Options {
    std::string screenshot;
    bool help = false;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            options.help = true;
        } else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc) {
            options.screenshot = argv[++i];
        } else {
            std::fprintf(stderr, "gallery: unknown or incomplete option '%s'\n", argv[i]);
            return false;
        }
    }
    return true;
}

void run(const Options& options) {
    gui::moduleHandle = GetModuleHandleA(nullptr);
    GalleryEffect effect;
    auto* editor = new gallery::GalleryEditor(&effect, stdout);  // the effect deletes it
    EditorWindow window(kTitle, gallery::kWindowWidth, gallery::kWindowHeight);
    editor->open(window.handle());
    forwardWheel(static_cast<HWND>(window.handle()), editor->getFrame()->getWindow());
    const auto idle = [editor] { editor->idle(); };
    if (options.screenshot.empty()) {
        editor->setAnimated(true);
        window.runUntilClosed(idle);
    } else {
        window.runUntilPainted(idle, kScreenshotTicks);
        const RgbImage image = window.captureClient();
        writePngFile(options.screenshot, image);
        std::printf("gallery: wrote %s (%d x %d)\n", options.screenshot.c_str(), image.width,
                    image.height);
    }
    // The frame's window goes before the window it lives in.
    frameWindow = nullptr;
    editor->close();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return kUsageError;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        run(options);
    } catch (const HostError& error) {
        std::fprintf(stderr, "gallery: %s\n", error.what());
        return 1;
    }
    return 0;
}
