// talon_panel_bench, native build: what the editor panel costs to draw through the X11 backend,
// with the effect linked in and its panel open in real top-level windows, driven through the
// effect's record as a host drives it. The full repaint (the frame marked dirty as a whole, then
// effEditIdle, which draws every view into the back buffer and presents it to the X window) with
// three editors open side by side at 1.0, 2.0 and 3.0, their repaints taking turns so that the
// ratios come from one run; and the time from effEditOpen at 1.0 to the first frame presented on
// the screen. Not a test: run it under xvfb-run with a screen wide enough for the panel at 3.0
// (2256 pixels), e.g. xvfb-run -a -s "-screen 0 2560x1600x24" build/linux/bin/talon_panel_bench.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "effect/PluginCore.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRepaintRounds = 301;  // full repaints per scale, taking turns; odd for the median
constexpr int kOpenCycles = 15;
constexpr double kFirstPaintTimeoutSeconds = 5.0;
constexpr double kScales[] = {1.0, 2.0, 3.0};
constexpr intptr kHostVersion = 2400;
constexpr double kDoubleRepaintTarget = 4.5;  // at 2.0 against 1.0: four times the pixels
constexpr double kFirstPaintTarget = 0.025;   // seconds, at 1.0
constexpr int32 kScaleIndex = 0x50726553;     // 'PreS'
constexpr intptr kScaleValue = 0x41654373;    // 'AeCs'

intptr VSTCALLBACK benchHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
    return opcode == audioMasterVersion ? kHostVersion : 0;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using HostDisplay = std::unique_ptr<Display, DisplayCloser>;

struct ImageDestroyer {
    void operator()(XImage* image) const { XDestroyImage(image); }
};

// The host's editor window: top-level, black, its client area the editor's size, on the host's
// own connection (the editor opens another).
class HostWindow {
  public:
    HostWindow(Display* display, int width, int height, int place) : display(display) {
        const int screen = DefaultScreen(display);
        id = XCreateSimpleWindow(display, RootWindow(display, screen), 0, place,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                                 BlackPixel(display, screen), BlackPixel(display, screen));
        XMapWindow(display, id);
        XSync(display, False);
    }
    ~HostWindow() {
        XDestroyWindow(display, id);
        XSync(display, False);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    void* handle() const { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(id)); }

    // Whether anything but the window's black shows on row y: the editor has presented a frame.
    bool showsPanel(int width, int y) const {
        const std::unique_ptr<XImage, ImageDestroyer> row(
            XGetImage(display, id, 0, y, static_cast<unsigned>(width), 1, AllPlanes, ZPixmap));
        if (!row) return false;
        for (int x = 0; x < width; ++x)
            if (XGetPixel(row.get(), x, 0) != BlackPixel(display, DefaultScreen(display)))
                return true;
        return false;
    }

  private:
    Display* display;
    ::Window id = 0;
};

struct EditorSize {
    int width = 0;
    int height = 0;
};

// The effect and its editor, reached through the record; the editor's frame only to mark it
// dirty as a whole, which no host call does.
class Plugin {
  public:
    Plugin() : effect(new PluginCore(benchHost)), record(effect->getAeffect()) {}
    ~Plugin() {
        closeEditor();
        dispatch(effClose);  // deletes the effect
    }
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    bool announceScale(double factor) {
        return record->dispatcher(record, effVendorSpecific, kScaleIndex, kScaleValue, nullptr,
                                  static_cast<float>(factor)) == 1;
    }
    EditorSize editorSize() {
        ERect* rect = nullptr;
        if (!dispatch(effEditGetRect, &rect) || !rect) return {};
        return {rect->right - rect->left, rect->bottom - rect->top};
    }
    bool openEditor(void* parent) {
        editorOpen = dispatch(effEditOpen, parent) != 0;
        return editorOpen;
    }
    void closeEditor() {
        if (!editorOpen) return;
        editorOpen = false;
        dispatch(effEditClose);
    }
    void idle() { dispatch(effEditIdle); }
    void fullRepaint() {
        static_cast<AEffGUIEditor*>(effect->getEditor())->getFrame()->setDirty(true);
        idle();
    }

  private:
    intptr dispatch(int32 opcode, void* ptr = nullptr) {
        return record->dispatcher(record, opcode, 0, 0, ptr, 0.0f);
    }

    PluginCore* effect;
    AEffect* record;
    bool editorOpen = false;
};

// Seconds from effEditOpen until the window shows the panel, the host idling the editor as fast
// as it can in between; negative when the editor does not open or never paints.
double openUntilFirstPaint(Plugin& plugin, const HostWindow& window, EditorSize size) {
    const Clock::time_point start = Clock::now();
    if (!plugin.openEditor(window.handle())) return -1.0;
    while (!window.showsPanel(size.width, size.height / 2)) {
        if (secondsSince(start) > kFirstPaintTimeoutSeconds) return -1.0;
        plugin.idle();
    }
    return secondsSince(start);
}

// Opens and closes the editor at 1.0 kOpenCycles times; the first open of the process decodes
// the artwork.
bool benchOpening(Display* display) {
    Plugin plugin;
    const EditorSize size = plugin.editorSize();
    const HostWindow window(display, size.width, size.height, 0);
    std::vector<double> opens;
    for (int cycle = 0; cycle < kOpenCycles; ++cycle) {
        const double seconds = openUntilFirstPaint(plugin, window, size);
        plugin.closeEditor();
        XSync(display, False);
        if (seconds < 0.0) {
            std::printf("the editor did not open or never painted\n");
            return false;
        }
        opens.push_back(seconds);
    }
    const bool met = opens.front() < kFirstPaintTarget;
    std::printf(
        "effEditOpen to the first presented frame at 1.0, %d opens: first %.2f ms, median %.2f "
        "ms, best %.2f ms\n",
        kOpenCycles, opens.front() * 1e3, median(opens) * 1e3,
        *std::min_element(opens.begin(), opens.end()) * 1e3);
    std::printf("first paint at 1.0, the process's first open: target < %.0f ms: %s\n",
                kFirstPaintTarget * 1e3, met ? "PASS" : "FAIL");
    return met;
}

// One editor at each scale in a host window of its own, all open at once.
struct ScaledPanel {
    double scale = 1.0;
    std::unique_ptr<Plugin> plugin;
    std::unique_ptr<HostWindow> window;
    std::vector<double> repaints;  // seconds
    std::vector<double> idles;     // seconds of effEditIdle with nothing dirty
};

bool openAtEachScale(Display* display, std::vector<ScaledPanel>& panels) {
    int place = 0;
    for (double scale : kScales) {
        ScaledPanel panel;
        panel.scale = scale;
        panel.plugin = std::make_unique<Plugin>();
        if (!panel.plugin->announceScale(scale)) return false;
        const EditorSize size = panel.plugin->editorSize();
        panel.window = std::make_unique<HostWindow>(display, size.width, size.height, place);
        place += size.height;
        if (openUntilFirstPaint(*panel.plugin, *panel.window, size) < 0.0) return false;
        panels.push_back(std::move(panel));
    }
    return true;
}

bool benchRepaints(Display* display) {
    std::vector<ScaledPanel> panels;
    if (!openAtEachScale(display, panels)) {
        std::printf("the panel did not take a scale, open or paint\n");
        return false;
    }
    for (int round = 0; round < kRepaintRounds; ++round)
        for (ScaledPanel& panel : panels) {
            const Clock::time_point start = Clock::now();
            panel.plugin->fullRepaint();
            panel.repaints.push_back(secondsSince(start));
            const Clock::time_point idleStart = Clock::now();
            panel.plugin->idle();
            panel.idles.push_back(secondsSince(idleStart));
        }
    const double atOne = median(panels[0].repaints);
    std::printf("\nFull repaint (frame dirty, effEditIdle: drawn and presented), median of %d\n",
                kRepaintRounds);
    std::printf("%-6s %12s %12s %12s %22s\n", "scale", "median us", "best us", "against 1.0",
                "idle, nothing dirty us");
    for (const ScaledPanel& panel : panels) {
        const double each = median(panel.repaints);
        std::printf("%-6.1f %12.1f %12.1f %12.2f %22.1f\n", panel.scale, each * 1e6,
                    *std::min_element(panel.repaints.begin(), panel.repaints.end()) * 1e6,
                    each / atOne, median(panel.idles) * 1e6);
    }
    const double ratio = median(panels[1].repaints) / atOne;
    const bool met = ratio <= kDoubleRepaintTarget;
    std::printf("full repaint at 2.0: %.2f times the one at 1.0, target <= %.1f: %s\n", ratio,
                kDoubleRepaintTarget, met ? "PASS" : "FAIL");
    for (ScaledPanel& panel : panels) panel.plugin->closeEditor();
    return met;
}

}  // namespace

int main() {
    const HostDisplay display(XOpenDisplay(nullptr));
    if (!display) {
        std::printf("no X display: run it under xvfb-run\n");
        return 1;
    }
    const bool openingMet = benchOpening(display.get());
    const bool repaintMet = benchRepaints(display.get());
    return openingMet && repaintMet ? 0 : 1;
}
