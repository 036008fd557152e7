// The fixture of the panel tests: the built plug-in loaded as a host loads it, its editor open in
// a real top-level host window, and real mouse and keyboard input.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "LoadedPlugin.h"
#include "gui/draw/CBitmap.h"
#include "support/EditorWindow.h"

namespace paneltest {

using testsupport::HostWindow;
using testsupport::kPanelHeight;
using testsupport::kPanelWidth;
using testsupport::pumpMessages;
using testsupport::windowPixel;

constexpr int kKnobStripId = 129;
constexpr int kFrames = 61;
constexpr int kKnobSide = 80;
constexpr int kExpansionKnobLeft = 64;
constexpr int kOutputKnobLeft = 488;
constexpr POINT kExpansionKnobCentre = {104, 40};
constexpr POINT kExpansionEntry = {178, 36};
constexpr POINT kOutputEntry = {602, 36};
constexpr int kKnobModeLinear = 2;
constexpr int kKnobModeCircular = 0;

// One of the plug-in's images as the plug-in decodes it: premultiplied, top row first.
class ArtworkPixels {
  public:
    explicit ArtworkPixels(int resourceId) {
        HMODULE plugin = GetModuleHandleA("Talon5800.dll");
        HRSRC resource = FindResourceA(plugin, MAKEINTRESOURCEA(resourceId), "PNG");
        HGLOBAL data = resource ? LoadResource(plugin, resource) : nullptr;
        if (!data) return;
        gui::CBitmap bitmap;
        bitmap.loadFromMemory(static_cast<const unsigned char*>(LockResource(data)),
                              SizeofResource(plugin, resource));
        width = bitmap.getWidth();
        height = bitmap.getHeight();
        pixels.resize(static_cast<std::size_t>(width) * height);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        GetDIBits(screen, bitmap.getHandle(), 0, static_cast<UINT>(height), pixels.data(), &info,
                  DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
    }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }

    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// The knob strip's frames, at a multiple of the panel's size when made from a larger drawing.
class KnobStrip {
  public:
    explicit KnobStrip(int resourceId = kKnobStripId, int factor = 1)
        : art(resourceId), side(kKnobSide * factor) {}
    std::uint32_t at(int frame, int x, int y) const { return art.at(x, frame * side + y); }

  private:
    ArtworkPixels art;
    int side;
};

// The frame a film-strip knob of 61 frames of 80 pixels shows for value.
inline int frameOf(float value) {
    const long double row = static_cast<long double>(value) * (kKnobSide * (kFrames - 1));
    return std::min(kFrames - 1, std::max(0, static_cast<int>(row) / kKnobSide));
}

inline COLORREF asColor(std::uint32_t pixel) {
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

inline bool nearly(COLORREF a, COLORREF b) {
    constexpr int kBlendRounding = 1;
    return std::abs(GetRValue(a) - GetRValue(b)) <= kBlendRounding &&
           std::abs(GetGValue(a) - GetGValue(b)) <= kBlendRounding &&
           std::abs(GetBValue(a) - GetBValue(b)) <= kBlendRounding;
}

// One host window for the whole suite: showing a window takes Wine a while.
class Panel : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { hostWindow = new HostWindow(kPanelWidth, kPanelHeight); }
    static void TearDownTestSuite() { delete hostWindow; }

    void SetUp() override {
        host.answer(audioMasterVersion, kHostVersion);
        host.answer(audioMasterCanDo, -1);
        effect = plugin.create();
        ASSERT_NE(effect, nullptr);
        SetForegroundWindow(hostWindow->get());
    }
    void TearDown() override {
        if (!effect) return;
        dispatch(effect, effSetEditKnobMode, 0, kKnobModeCircular);
        dispatch(effect, effClose);  // with the editor still open, as some hosts do
        pumpMessages();
        EXPECT_EQ(GetWindow(hostWindow->get(), GW_CHILD), nullptr);
    }

    void open() {
        ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, hostWindow->get()), 1);
        panel = GetWindow(hostWindow->get(), GW_CHILD);
        ASSERT_NE(panel, nullptr);
        UpdateWindow(panel);
        idle();
    }
    void idle() {
        pumpMessages();
        dispatch(effect, effEditIdle);
        pumpMessages();
    }
    POINT onScreen(POINT client) const {
        ClientToScreen(panel, &client);
        return client;
    }
    // Runs the input script on a second thread while this one runs the host's loop, as the
    // panel's tracking loops need.
    void whileHostRuns(const std::function<void()>& script) {
        std::atomic<bool> done{false};
        std::thread user([&] {
            script();
            done = true;
        });
        while (!done) {
            idle();
            Sleep(10);
        }
        user.join();
        idle();
    }
    static void press(DWORD flags) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        SendInput(1, &input, sizeof(input));
    }
    static void key(WORD virtualKey, bool down) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &input, sizeof(input));
    }
    // With a modifier, the key goes down once the cursor is there: the window system reports
    // its own modifier state with every pointer move, which would release a key held before.
    void clickAt(POINT client, int times = 1, WORD modifier = 0) {
        const POINT screen = onScreen(client);
        whileHostRuns([&] {
            SetCursorPos(screen.x, screen.y);
            Sleep(60);
            if (modifier) key(modifier, true);
            for (int i = 0; i < times; ++i) {
                press(MOUSEEVENTF_LEFTDOWN);
                Sleep(60);
                press(MOUSEEVENTF_LEFTUP);
                Sleep(60);
            }
            if (modifier) key(modifier, false);
        });
    }
    // The moves wait until the knob has taken the press (its gesture began): a loaded machine
    // may hand the press to the panel only after moves sent at a fixed pace had all gone by.
    void dragRight(POINT from, int pixels) {
        const POINT start = onScreen(from);
        std::atomic<bool> pressTaken{false};
        host.onNext(audioMasterBeginEdit, [&pressTaken] { pressTaken = true; });
        whileHostRuns([&] {
            SetCursorPos(start.x, start.y);
            press(MOUSEEVENTF_LEFTDOWN);
            for (int wait = 0; wait < 300 && !pressTaken; ++wait) Sleep(10);
            Sleep(80);
            for (int moved = 10; moved <= pixels; moved += 10) {
                SetCursorPos(start.x + moved, start.y);
                Sleep(40);
            }
            Sleep(80);
            press(MOUSEEVENTF_LEFTUP);
            Sleep(80);
        });
    }
    // Button down and up as one input, as a touchpad or pen tap comes, faster than the host
    // pumps its queue; then the host's loop runs.
    void tapAt(POINT client, int taps) {
        const POINT screen = onScreen(client);
        SetCursorPos(screen.x, screen.y);
        idle();
        std::vector<INPUT> inputs(2 * static_cast<std::size_t>(taps));
        for (std::size_t i = 0; i < inputs.size(); ++i) {
            inputs[i].type = INPUT_MOUSE;
            inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Sleep(50);
        idle();
    }
    intptr turnWheel(float distance) {
        return dispatch(effect, effVendorSpecific, fourCharCode('s', 't', 'C', 'A'),
                        fourCharCode('W', 'h', 'e', 'e'), nullptr, distance);
    }
    static bool editHasFocus() {
        char className[16] = {};
        GetClassNameA(GetFocus(), className, sizeof(className));
        return lstrcmpiA(className, "Edit") == 0;
    }
    // Runs the host's loop until done answers true, for at most about three seconds.
    bool idleUntil(const std::function<bool()>& done) {
        for (int pass = 0; pass < 300 && !done(); ++pass) {
            idle();
            Sleep(10);
        }
        return done();
    }
    // Keys typed before the edit window has the focus would go elsewhere, so each step waits
    // for the one before it.
    // In a whole-suite run another program's window may cover the panel for a moment (one that
    // showed without taking turns on the display did); a click that began no edit is made once
    // more. The tap tests cover the panel's own handling of quick clicks.
    void typeInto(POINT entry, const std::string& keys) {
        clickAt(entry);
        if (!idleUntil(editHasFocus) && count(audioMasterBeginEdit, entryParameter(entry)) == 0)
            clickAt(entry);
        ASSERT_TRUE(idleUntil(editHasFocus))
            << "no edit window took the focus"
            << " focus=" << GetFocus() << " host=" << hostWindow->get() << " panel=" << panel
            << " fg=" << GetForegroundWindow() << " active=" << GetActiveWindow()
            << " edit=" << FindWindowExA(panel, nullptr, "Edit", nullptr);
        for (char c : keys) {
            key(static_cast<WORD>(c), true);
            key(static_cast<WORD>(c), false);
        }
        key(VK_RETURN, true);
        key(VK_RETURN, false);
        EXPECT_TRUE(idleUntil([] { return !editHasFocus(); })) << "Return did not end the edit";
    }
    static int entryParameter(POINT entry) { return entry.x == kOutputEntry.x ? 1 : 0; }
    std::string display(int parameter) {
        char text[kVstMaxParamStrLen + 1] = {};
        dispatch(effect, effGetParamDisplay, parameter, 0, text);
        return text;
    }
    float value(int parameter) { return effect->getParameter(effect, parameter); }
    int count(int32 opcode, int index) const {
        int found = 0;
        for (const HostCall& call : host.calls())
            found += call.opcode == opcode && call.index == index;
        return found;
    }
    // One balanced gesture per expected pair, all for parameter.
    void expectGestures(int parameter, int pairs) const {
        EXPECT_EQ(count(audioMasterBeginEdit, parameter), pairs);
        EXPECT_EQ(count(audioMasterEndEdit, parameter), pairs);
        EXPECT_EQ(count(audioMasterBeginEdit, 1 - parameter), 0);
    }
    // The knob shows frame: its opaque pixels that differ from other's are on the window.
    void expectKnobFrame(int knobLeft, int frame, int other) {
        int checked = 0;
        for (int y = 0; y < kKnobSide; ++y)
            for (int x = 0; x < kKnobSide; ++x) {
                const std::uint32_t shown = strip.at(frame, x, y);
                const COLORREF expected = asColor(shown);
                if ((shown >> 24) != 0xFF || nearly(expected, asColor(strip.at(other, x, y))))
                    continue;
                ++checked;
                ASSERT_TRUE(nearly(windowPixel(panel, knobLeft + x, y), expected))
                    << "frame " << frame << " at " << x << ", " << y;
            }
        EXPECT_GT(checked, 20) << "frames " << frame << " and " << other << " look alike";
    }
    std::vector<COLORREF> panelPixels() const {
        std::vector<COLORREF> all;
        for (int y = 0; y < kPanelHeight; y += 2)
            for (int x = 0; x < kPanelWidth; x += 2) all.push_back(windowPixel(panel, x, y));
        return all;
    }

    static inline HostWindow* hostWindow = nullptr;
    FakeHost host;
    LoadedPlugin plugin;
    KnobStrip strip;
    AEffect* effect = nullptr;
    HWND panel = nullptr;
};

}  // namespace paneltest
