// talon_panel_bench: what the editor panel costs to draw, with the effect linked in and its panel
// open in a real top-level window, driven through the effect's record as a host drives it. A full
// repaint (the frame marked dirty as a whole, then effEditIdle, which draws every view into the
// back buffer and copies it to the window), the WM_PAINT of the whole client area, one host
// change of parameter 0 through the record followed by effEditIdle, and effEditIdle with nothing
// dirty, each against the full repaint and with the drawing calls it makes; and the time from
// effEditOpen to the end of the first paint. Then the full repaint, the parameter change and the
// first paint with the panel at 1.0, 2.0 and 3.0, three editors open side by side. Not a test:
// run it by hand under Wine and an Xvfb screen wide enough for the panel at 3.0 (2256 pixels).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

#include "bench/DrawCounter.h"
#include "effect/PluginCore.h"
#include "gui/draw/CBitmap.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CFrame.h"
#include "host/AEffGUIEditor.h"
#include "resources/ArtworkResources.h"

namespace {

using Clock = std::chrono::steady_clock;
using panelbench::DrawCounts;

constexpr int kRounds = 7;
constexpr double kRunSeconds = 0.050;
constexpr int kOpenCycles = 7;
constexpr int kTimedCalls = 200;  // calls of each case whose drawing calls are timed
constexpr double kFirstPaintTimeoutSeconds = 5.0;
constexpr double kParameterTarget = 0.30;     // one parameter change against a full repaint
constexpr double kNothingDirtyTarget = 0.01;  // an idle with nothing to draw, likewise
constexpr intptr kHostVersion = 2400;
// Far enough apart that the knob, the strip and the text all show another frame.
constexpr float kLowValue = 0.25f;
constexpr float kHighValue = 0.75f;
constexpr double kScales[] = {1.0, 2.0, 3.0};
constexpr SIZE kPanelSide = {752, 80};
constexpr double kDoubleRepaintTarget = 4.5;       // at 2.0 against 1.0: four times the pixels
constexpr double kDoubleFirstPaintTarget = 0.050;  // seconds, at 2.0

intptr VSTCALLBACK benchHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
    return opcode == audioMasterVersion ? kHostVersion : 0;
}

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Dispatches everything waiting for this thread's windows, as a host's message loop does.
void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The host's editor window: captioned, top-level, its client area the editor's size.
class HostWindow {
  public:
    HostWindow(int clientWidth, int clientHeight) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = gui::moduleHandle;
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        RegisterClassA(&windowClass);
        RECT rect = {0, 0, clientWidth, clientHeight};
        AdjustWindowRectEx(&rect, kStyle, FALSE, 0);
        handle = CreateWindowExA(0, kClassName, "Talon 5800", kStyle, kPlace, kPlace,
                                 rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                 gui::moduleHandle, nullptr);
        ShowWindow(handle, SW_SHOWNORMAL);
        pumpMessages();
    }
    ~HostWindow() {
        if (IsWindow(handle)) DestroyWindow(handle);
        pumpMessages();
        UnregisterClassA(kClassName, gui::moduleHandle);
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND get() const { return handle; }

  private:
    static constexpr const char* kClassName = "TalonPanelBenchHost";
    static constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
    static constexpr int kPlace = 10;
    HWND handle = nullptr;
};

// The effect and its editor, reached through the record; the editor's frame only to mark it
// dirty as a whole, which no host call does.
class Plugin {
  public:
    // countDrawing: the drawing calls of the open editor are counted; one editor at a time.
    explicit Plugin(bool countDrawing = true)
        : effect(new PluginCore(benchHost)),
          record(effect->getAeffect()),
          countDrawing(countDrawing) {}
    ~Plugin() {
        closeEditor();
        dispatch(effClose);  // deletes the effect
    }
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    // The editor's width and height from effEditGetRect; 0, 0 when it has none.
    SIZE editorSize() {
        ERect* rect = nullptr;
        if (!dispatch(effEditGetRect, &rect) || !rect) return {0, 0};
        return {rect->right - rect->left, rect->bottom - rect->top};
    }

    // Seconds from effEditOpen to the end of the frame's first WM_PAINT, the host's message
    // loop running in between; negative when the editor does not open or never paints.
    double openUntilFirstPaint(HWND parent) {
        const Clock::time_point start = Clock::now();
        if (!dispatch(effEditOpen, parent)) return -1.0;
        editorOpen = true;
        if (countDrawing) panelbench::hookImagingEntries();
        frameWindow = GetWindow(parent, GW_CHILD);
        if (!frameWindow) return -1.0;
        MSG message;
        while (GetUpdateRect(frameWindow, nullptr, FALSE)) {
            if (secondsSince(start) > kFirstPaintTimeoutSeconds) return -1.0;
            if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return secondsSince(start);
    }

    void closeEditor() {
        if (!editorOpen) return;
        editorOpen = false;
        if (countDrawing) panelbench::unhookImagingEntries();
        dispatch(effEditClose);
        frameWindow = nullptr;
        pumpMessages();
    }

    void idle() { dispatch(effEditIdle); }
    void fullRepaint() {
        static_cast<AEffGUIEditor*>(effect->getEditor())->getFrame()->setDirty(true);
        idle();
    }
    void paintWholeClient() {
        InvalidateRect(frameWindow, nullptr, FALSE);
        UpdateWindow(frameWindow);
    }
    void changeParameter() {
        high = !high;
        record->setParameter(record, kParamExpansion, high ? kHighValue : kLowValue);
        idle();
    }
    HWND getFrameWindow() const { return frameWindow; }
    // The host's scale, announced as hosts do; false when the effect does not take it.
    bool announceScale(double factor) {
        constexpr int32 kScaleIndex = 0x50726553;   // 'PreS'
        constexpr intptr kScaleValue = 0x41654373;  // 'AeCs'
        return record->dispatcher(record, effVendorSpecific, kScaleIndex, kScaleValue, nullptr,
                                  static_cast<float>(factor)) == 1;
    }

  private:
    intptr dispatch(int32 opcode, void* ptr = nullptr) {
        return record->dispatcher(record, opcode, 0, 0, ptr, 0.0f);
    }

    PluginCore* effect;
    AEffect* record;
    HWND frameWindow = nullptr;
    bool editorOpen = false;
    bool high = false;
    bool countDrawing;
};

// A plain copy of a panel-sized memory picture to the window, as an idle makes it: a device of
// the window obtained, one BitBlt, the device released.
class PlainCopy {
  public:
    PlainCopy(HWND window, SIZE size) : window(window), size(size) {
        HDC screen = GetDC(window);
        device = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, size.cx, size.cy);
        previous = SelectObject(device, bitmap);
        ReleaseDC(window, screen);
    }
    ~PlainCopy() {
        SelectObject(device, previous);
        DeleteObject(bitmap);
        DeleteDC(device);
    }
    PlainCopy(const PlainCopy&) = delete;
    PlainCopy& operator=(const PlainCopy&) = delete;

    void operator()() const {
        HDC target = GetDC(window);
        BitBlt(target, 0, 0, size.cx, size.cy, device, 0, 0, SRCCOPY);
        ReleaseDC(window, target);
    }

  private:
    HWND window;
    SIZE size;
    HDC device = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

struct Case {
    const char* name;
    const char* label;  // short, for the columns
    std::function<void()> run;
};

// Seconds per call of each case: best of kRounds runs, the cases taking turns within a round.
// The message loop runs between runs, never inside one.
std::vector<double> measure(const std::vector<Case>& cases) {
    const std::size_t count = cases.size();
    std::vector<long long> calls(count, 1);
    std::vector<double> best(count, std::numeric_limits<double>::infinity());
    auto secondsFor = [&](std::size_t c, long long times) {
        pumpMessages();
        const Clock::time_point start = Clock::now();
        for (long long i = 0; i < times; ++i) cases[c].run();
        return secondsSince(start);
    };
    for (std::size_t c = 0; c < count; ++c) {
        while (secondsFor(c, calls[c]) < kRunSeconds / 10) calls[c] *= 2;
        calls[c] =
            std::max(1LL, static_cast<long long>(calls[c] * kRunSeconds / secondsFor(c, calls[c])));
    }
    for (int round = 0; round < kRounds; ++round)
        for (std::size_t c = 0; c < count; ++c)
            best[c] = std::min(best[c], secondsFor(c, calls[c]) / static_cast<double>(calls[c]));
    return best;
}

// The counted platform calls of one call of a case, and the time inside them per call in the
// fastest of kRounds batches of kTimedCalls.
struct Profile {
    DrawCounts calls;
    DrawCounts timed;
    double secondsPerCall = std::numeric_limits<double>::infinity();
};

Profile profileOf(const Case& each) {
    Profile found;
    each.run();
    pumpMessages();
    panelbench::startCounting();
    each.run();
    found.calls = panelbench::stopCounting();
    for (int round = 0; round < kRounds; ++round) {
        pumpMessages();
        panelbench::startCounting();
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kTimedCalls; ++i) each.run();
        const double seconds = secondsSince(start) / kTimedCalls;
        const DrawCounts timed = panelbench::stopCounting();
        if (seconds >= found.secondsPerCall) continue;
        found.secondsPerCall = seconds;
        found.timed = timed;
    }
    pumpMessages();
    return found;
}

// Each case in the order given: each leaves the panel clean for the next.
std::vector<Profile> profile(const std::vector<Case>& cases) {
    std::vector<Profile> profiles;
    for (const Case& each : cases) profiles.push_back(profileOf(each));
    return profiles;
}

const char* verdict(bool met) { return met ? "met" : "MISSED"; }

void printTimes(const std::vector<Case>& cases, const std::vector<double>& seconds) {
    std::printf("Panel drawing in us per call, best of %d runs of about %.0f ms\n\n", kRounds,
                kRunSeconds * 1000.0);
    std::printf("%-40s %10s %8s\n", "case", "us", "ratio");
    for (std::size_t c = 0; c < cases.size(); ++c)
        std::printf("%-40s %10.2f %8.4f\n", cases[c].name, seconds[c] * 1e6,
                    seconds[c] / seconds[0]);
}

bool anyCalls(const std::vector<Profile>& profiles, int entry) {
    for (const Profile& each : profiles)
        if (each.calls.calls[entry] > 0) return true;
    return false;
}

void printCallsHeader(const std::vector<Case>& cases) {
    std::printf(
        "\nPlatform calls of one call; us inside them per call in the fastest of %d batches "
        "of %d,\nthe counting's clock reads included; pixels inside the clip\n\n%-20s",
        kRounds, kTimedCalls, "");
    for (const Case& each : cases) std::printf(" %15s", each.label);
    std::printf("\n%-20s", "entry");
    for (std::size_t c = 0; c < cases.size(); ++c) std::printf(" %5s %9s", "calls", "us");
    std::printf("\n");
}

// One row per entry any case calls, then the pixels and the time outside the counted calls (the
// toolkit's own work, the calls not counted and the counting's own clock reads).
void printCalls(const std::vector<Case>& cases, const std::vector<Profile>& profiles) {
    printCallsHeader(cases);
    const double toMicro = 1e6 / kTimedCalls;
    for (int entry = 0; entry < panelbench::kEntryCount; ++entry) {
        if (!anyCalls(profiles, entry)) continue;
        std::printf("%-20s", panelbench::entryName(static_cast<panelbench::Entry>(entry)));
        for (const Profile& each : profiles)
            std::printf(" %5ld %9.2f", each.calls.calls[entry],
                        each.timed.seconds[entry] * toMicro);
        std::printf("\n");
    }
    std::printf("%-20s", "pixels blended");
    for (const Profile& each : profiles)
        std::printf(" %15lld", static_cast<long long>(each.calls.pixels[panelbench::kAlphaBlend]));
    std::printf("\n%-20s", "pixels to window");
    for (const Profile& each : profiles)
        std::printf(" %15lld",
                    static_cast<long long>(each.calls.pixels[panelbench::kBitBltToWindow]));
    std::printf("\n%-20s", "outside these calls");
    for (const Profile& each : profiles)
        std::printf(" %15.2f",
                    (each.secondsPerCall - each.timed.secondsInCalls() / kTimedCalls) * 1e6);
    std::printf("\n%-20s", "whole call");
    for (const Profile& each : profiles) std::printf(" %15.2f", each.secondsPerCall * 1e6);
    std::printf("\n");
}

// Seconds of each open of kOpenCycles, the editor closed again after each.
std::vector<double> timeOpens(Plugin& plugin, HWND parent) {
    std::vector<double> opens;
    for (int cycle = 0; cycle < kOpenCycles; ++cycle) {
        const double seconds = plugin.openUntilFirstPaint(parent);
        plugin.closeEditor();
        if (seconds < 0.0) return {};
        opens.push_back(seconds);
    }
    return opens;
}

// Seconds to load the two film strips the first open decodes: best of kOpenCycles.
double stripDecodeSeconds() {
    double best = std::numeric_limits<double>::infinity();
    for (int cycle = 0; cycle < kOpenCycles; ++cycle) {
        const Clock::time_point start = Clock::now();
        const gui::ScopedReference<gui::CBitmap> knob(new gui::CBitmap(IDP_KNOB_STRIP));
        const gui::ScopedReference<gui::CBitmap> strip(new gui::CBitmap(IDP_EXPANSION_STRIP));
        best = std::min(best, secondsSince(start));
    }
    return best;
}

void printOpens(std::vector<double> opens) {
    const double first = opens.front();
    std::sort(opens.begin(), opens.end());
    std::printf(
        "\neffEditOpen to the end of the first paint in ms, %d opens: first %.2f, "
        "best %.2f, median %.2f\n",
        kOpenCycles, first * 1e3, opens.front() * 1e3, opens[opens.size() / 2] * 1e3);
    std::printf(
        "decoding the two film strips, which the first open of the process does, alone: best "
        "%.2f\n",
        stripDecodeSeconds() * 1e3);
}

// Indices of the cases in the tables.
enum CaseIndex : std::size_t {
    kFullRepaint,
    kPaintMessage,
    kParameterChange,
    kNothingDirty,
    kPlainCopy,
};

bool judge(const std::vector<double>& seconds, const std::vector<Profile>& profiles) {
    const double parameterRatio = seconds[kParameterChange] / seconds[kFullRepaint];
    const double idleRatio = seconds[kNothingDirty] / seconds[kFullRepaint];
    const long idleDraws = profiles[kNothingDirty].calls.drawingCalls();
    const bool parameterMet = parameterRatio <= kParameterTarget;
    const bool idleMet = idleRatio <= kNothingDirtyTarget && idleDraws == 0;
    std::printf("\nparameter change: %.4f of a full repaint, target <= %.2f: %s\n", parameterRatio,
                kParameterTarget, verdict(parameterMet));
    std::printf(
        "idle, nothing dirty: %.4f of a full repaint, %ld drawing calls, target <= %.2f "
        "and none: %s\n",
        idleRatio, idleDraws, kNothingDirtyTarget, verdict(idleMet));
    return parameterMet && idleMet;
}

bool benchOpenPanel(Plugin& plugin, HWND parent, SIZE size) {
    if (plugin.openUntilFirstPaint(parent) < 0.0) {
        std::printf("the editor did not open or never painted\n");
        return false;
    }
    const PlainCopy plainCopy(plugin.getFrameWindow(), size);
    const std::vector<Case> cases = {
        {"full repaint: frame dirty, effEditIdle", "full repaint", [&] { plugin.fullRepaint(); }},
        {"WM_PAINT of the whole client area", "WM_PAINT", [&] { plugin.paintWholeClient(); }},
        {"setParameter(0) through the record, idle", "parameter 0",
         [&] { plugin.changeParameter(); }},
        {"effEditIdle, nothing dirty", "nothing dirty", [&] { plugin.idle(); }},
        {"plain copy of the panel to the window", "plain copy", [&] { plainCopy(); }}};
    const std::vector<Profile> profiles = profile(cases);
    const std::vector<double> seconds = measure(cases);
    printTimes(cases, seconds);
    printCalls(cases, profiles);
    const bool met = judge(seconds, profiles);
    plugin.closeEditor();
    return met;
}

// One editor at each scale in a host window of its own, all open at once, so that the rounds of
// measure() take turns between the scales.
struct ScaledPanel {
    double scale;
    std::unique_ptr<Plugin> plugin;
    std::unique_ptr<HostWindow> window;
    std::vector<double> opens;  // seconds to the first paint, in order
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

bool openAtEachScale(std::vector<ScaledPanel>& panels) {
    for (double scale : kScales) {
        ScaledPanel panel{scale, std::make_unique<Plugin>(false), nullptr, {}};
        if (!panel.plugin->announceScale(scale)) return false;
        const SIZE size = panel.plugin->editorSize();
        panel.window = std::make_unique<HostWindow>(size.cx, size.cy);
        panels.push_back(std::move(panel));
    }
    for (int cycle = 0; cycle < kOpenCycles; ++cycle)
        for (ScaledPanel& panel : panels) {
            const double seconds = panel.plugin->openUntilFirstPaint(panel.window->get());
            panel.plugin->closeEditor();
            if (seconds < 0.0) return false;
            panel.opens.push_back(seconds);
        }
    for (ScaledPanel& panel : panels)
        if (panel.plugin->openUntilFirstPaint(panel.window->get()) < 0.0) return false;
    return true;
}

bool benchScales() {
    std::vector<ScaledPanel> panels;
    if (!openAtEachScale(panels)) {
        std::printf("\nthe panel did not take a scale, open or paint\n");
        return false;
    }
    std::vector<Case> cases;
    for (ScaledPanel& panel : panels) {
        Plugin& plugin = *panel.plugin;
        cases.push_back({"full repaint", "full repaint", [&plugin] { plugin.fullRepaint(); }});
        cases.push_back({"parameter 0", "parameter 0", [&plugin] { plugin.changeParameter(); }});
    }
    const std::vector<double> seconds = measure(cases);
    std::printf("\n%-6s %18s %14s %18s %22s\n", "scale", "full repaint (us)", "against 1.0",
                "parameter 0 (us)", "first paint ms: first, median");
    for (std::size_t i = 0; i < panels.size(); ++i)
        std::printf("%-6.1f %18.1f %14.2f %18.1f %14.2f %7.2f\n", panels[i].scale,
                    seconds[2 * i] * 1e6, seconds[2 * i] / seconds[0], seconds[2 * i + 1] * 1e6,
                    panels[i].opens.front() * 1e3, median(panels[i].opens) * 1e3);
    const double repaintRatio = seconds[2] / seconds[0];
    const double firstPaint = panels[1].opens.front();
    const bool repaintMet = repaintRatio <= kDoubleRepaintTarget;
    const bool firstPaintMet = firstPaint < kDoubleFirstPaintTarget;
    std::printf("full repaint at 2.0: %.2f of the one at 1.0, target <= %.1f: %s\n", repaintRatio,
                kDoubleRepaintTarget, verdict(repaintMet));
    std::printf("first paint at 2.0, its first open: %.2f ms, target < %.0f: %s\n",
                firstPaint * 1e3, kDoubleFirstPaintTarget * 1e3, verdict(firstPaintMet));
    for (ScaledPanel& panel : panels) panel.plugin->closeEditor();
    return repaintMet && firstPaintMet;
}

// The worst case: nothing decoded yet in the process, the factor announced just before the open,
// so that the background decode has no head start.
void benchColdOpenAtTwo() {
    constexpr double kTwo = 2.0;
    const HostWindow window(static_cast<int>(kTwo * kPanelSide.cx),
                            static_cast<int>(kTwo * kPanelSide.cy));
    Plugin plugin(false);
    const bool taken = plugin.announceScale(kTwo);
    const double seconds = taken ? plugin.openUntilFirstPaint(window.get()) : -1.0;
    plugin.closeEditor();
    std::printf(
        "first paint at 2.0, announced just before effEditOpen, nothing decoded yet: "
        "%.2f ms\n\n",
        seconds * 1e3);
}

}  // namespace

int main() {
    // The effect is linked in: its artwork is in this program's resources.
    gui::moduleHandle = GetModuleHandleA(nullptr);
    benchColdOpenAtTwo();
    Plugin plugin;
    const SIZE size = plugin.editorSize();
    if (size.cx <= 0 || size.cy <= 0) {
        std::printf("the effect has no editor\n");
        return 1;
    }
    const HostWindow window(size.cx, size.cy);
    std::printf("Editor panel %ld x %ld in a top-level window\n\n", size.cx, size.cy);
    const std::vector<double> opens = timeOpens(plugin, window.get());
    if (opens.empty()) {
        std::printf("the editor did not open or never painted\n");
        return 1;
    }
    const bool met = benchOpenPanel(plugin, window.get(), size);
    printOpens(opens);
    const bool scalesMet = benchScales();
    return met && scalesMet ? 0 : 1;
}
