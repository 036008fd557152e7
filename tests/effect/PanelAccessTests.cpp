// The panel of the built plug-in as a screen reader and a keyboard user reach it: its accessible
// object, the events a listening client sees, and keys sent to its window.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <utility>
#include <vector>

#include "AccessibleClient.h"
#include "PanelFixture.h"

namespace {

using namespace paneltest;

constexpr COLORREF kAccent = RGB(0, 255, 0);
constexpr long kExpansionKnob = 1;
constexpr long kOutputKnob = 2;
constexpr long kStrip = 3;
constexpr long kExpansionText = 4;
constexpr long kOutputText = 5;

// Events of the panel's client object as (event, child), in the order they came.
std::vector<std::pair<DWORD, long>> events;
HWND watchedWindow = nullptr;
int hostSpaceKeys = 0;

void CALLBACK recordEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG childId, DWORD,
                          DWORD) {
    if (window == watchedWindow && object == OBJID_CLIENT) events.emplace_back(event, childId);
}

LRESULT CALLBACK countHostKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_SPACE) ++hostSpaceKeys;
    return DefWindowProcA(window, message, wParam, lParam);
}

class PanelAccess : public Panel {
  protected:
    void openWithClient() {
        open();
        watchedWindow = panel;
        events.clear();
        hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_VALUECHANGE, nullptr, recordEvent,
                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        reader = clientObjectOf(panel);
        ASSERT_NE(reader, nullptr);
    }
    void TearDown() override {
        if (hook) UnhookWinEvent(hook);
        reader.reset();
        Panel::TearDown();
    }
    // A key with an optional modifier held, then the host's loop until done answers true.
    bool tap(WORD virtualKey, WORD modifier, const std::function<bool()>& done) {
        if (modifier) key(modifier, true);
        key(virtualKey, true);
        key(virtualKey, false);
        if (modifier) key(modifier, false);
        return idleUntil(done);
    }
    int eventsOf(DWORD event, long number) const {
        return static_cast<int>(
            std::count(events.begin(), events.end(), std::make_pair(event, number)));
    }
    void takeFocus(long number) {
        ASSERT_EQ(reader->accSelect(SELFLAG_TAKEFOCUS, child(number)), S_OK);
        EXPECT_EQ(GetFocus(), panel);
        idle();
    }

    HWINEVENTHOOK hook = nullptr;
    AccessibleRef reader;
};

TEST_F(PanelAccess, ScreenReaderFindsTheFiveControlsWithNameRoleValueAndPlace) {
    openWithClient();
    long count = 0;
    ASSERT_EQ(reader->get_accChildCount(&count), S_OK);
    ASSERT_EQ(count, 5);
    struct Expected {
        const char* name;
        long role;
        const char* value;
        RECT rect;
    };
    const Expected expected[] = {
        {"Stereo expansion", ROLE_SYSTEM_SLIDER, "50 %", {64, 0, 144, 80}},
        {"Output", ROLE_SYSTEM_SLIDER, "0.0 dB", {488, 0, 568, 80}},
        {"Stereo width", ROLE_SYSTEM_INDICATOR, "50 %", {227, 26, 455, 46}},
        {"Expansion value", ROLE_SYSTEM_TEXT, "50 %", {154, 24, 202, 48}},
        {"Output value", ROLE_SYSTEM_TEXT, "0.0 dB", {578, 24, 626, 48}},
    };
    for (long number = 1; number <= 5; ++number) {
        const Expected& control = expected[number - 1];
        EXPECT_EQ(nameOf(*reader, number), control.name);
        EXPECT_EQ(roleOf(*reader, number), control.role) << control.name;
        EXPECT_EQ(valueOf(*reader, number), control.value) << control.name;
        const POINT topLeft = onScreen({control.rect.left, control.rect.top});
        const RECT place = placeOf(*reader, number);
        EXPECT_EQ(place.left, topLeft.x) << control.name;
        EXPECT_EQ(place.top, topLeft.y) << control.name;
        EXPECT_EQ(place.right - place.left, control.rect.right - control.rect.left);
        EXPECT_EQ(place.bottom - place.top, control.rect.bottom - control.rect.top);
    }
    EXPECT_EQ(stateOf(*reader, kStrip), STATE_SYSTEM_READONLY);
    EXPECT_EQ(stateOf(*reader, kOutputKnob), STATE_SYSTEM_FOCUSABLE);
    VARIANT hit;
    const POINT onKnob = onScreen({kOutputKnobLeft + 40, 40});
    ASSERT_EQ(reader->accHitTest(onKnob.x, onKnob.y, &hit), S_OK);
    EXPECT_EQ(hit.lVal, kOutputKnob);
    const POINT onBackground = onScreen({20, 40});
    ASSERT_EQ(reader->accHitTest(onBackground.x, onBackground.y, &hit), S_OK);
    EXPECT_EQ(hit.lVal, CHILDID_SELF);
    effect->setParameter(effect, 1, 0.0f);
    idle();
    EXPECT_EQ(valueOf(*reader, kOutputText), "-inf dB");
}

TEST_F(PanelAccess, TypedValueIsOneGestureThatTheStripAndTheEntryFollow) {
    openWithClient();
    BSTR typed = SysAllocString(L"75");
    EXPECT_EQ(reader->put_accValue(child(kExpansionKnob), typed), S_OK);
    SysFreeString(typed);
    EXPECT_FLOAT_EQ(value(0), 0.75f);
    expectGestures(0, 1);
    EXPECT_EQ(count(audioMasterAutomate, 0), 1);
    idle();
    EXPECT_EQ(valueOf(*reader, kStrip), "75 %");
    EXPECT_EQ(valueOf(*reader, kExpansionText), "75 %");
    typed = SysAllocString(L"-6");
    EXPECT_EQ(reader->put_accValue(child(kOutputText), typed), S_OK);
    SysFreeString(typed);
    EXPECT_NEAR(value(1), 0.2506f, 1e-4f);
    EXPECT_EQ(count(audioMasterBeginEdit, 1), 1);
    EXPECT_EQ(count(audioMasterEndEdit, 1), 1);
}

TEST_F(PanelAccess, KeysMoveFocusAndValuesWithEventsAndAFocusRing) {
    openWithClient();
    takeFocus(kExpansionKnob);
    EXPECT_EQ(eventsOf(EVENT_OBJECT_FOCUS, kExpansionKnob), 1);
    EXPECT_EQ(windowPixel(panel, kExpansionKnobLeft, 0), kAccent) << "no focus ring";
    events.clear();
    EXPECT_TRUE(tap(VK_RIGHT, 0, [&] { return value(0) > 0.55f; }));
    EXPECT_FLOAT_EQ(value(0), 0.6f);
    idle();
    for (long number : {kExpansionKnob, kStrip, kExpansionText})
        EXPECT_EQ(eventsOf(EVENT_OBJECT_VALUECHANGE, number), 1) << "child " << number;
    EXPECT_TRUE(tap(VK_RIGHT, VK_SHIFT, [&] { return value(0) > 0.605f; }));
    EXPECT_NEAR(value(0), 0.61f, 1e-6f);
    EXPECT_TRUE(tap(VK_HOME, 0, [&] { return value(0) == 0.0f; }));
    EXPECT_TRUE(tap(VK_TAB, 0, [&] { return eventsOf(EVENT_OBJECT_FOCUS, kOutputKnob) > 0; }));
    EXPECT_TRUE(tap(VK_END, 0, [&] { return value(1) == 1.0f; }));
    EXPECT_EQ(count(audioMasterBeginEdit, 1), 1);
    EXPECT_EQ(count(audioMasterEndEdit, 1), 1);
    // Without the keyboard focus the panel looks as a mouse user always sees it.
    SetFocus(hostWindow->get());
    idle();
    EXPECT_NE(windowPixel(panel, kOutputKnobLeft, 0), kAccent);
}

TEST_F(PanelAccess, HostAutomationBurstGivesAtMostOneValueEventPerIdle) {
    openWithClient();
    std::atomic<bool> done{false};
    std::thread automation([&] {
        for (int step = 0; step <= 400; ++step) effect->setParameter(effect, 0, step / 400.0f);
        done = true;
    });
    int announced = 0;
    for (bool last = false; !last;) {
        last = done;
        events.clear();
        idle();
        const int now = eventsOf(EVENT_OBJECT_VALUECHANGE, kExpansionKnob);
        ASSERT_LE(now, 1);
        announced += now;
    }
    automation.join();
    EXPECT_GE(announced, 1);
    EXPECT_EQ(valueOf(*reader, kExpansionKnob), "100 %");
}

TEST_F(PanelAccess, UnusedKeysReachTheHostAndTypingGivesTheKeyboardFocusBack) {
    openWithClient();
    const auto hostProcedure = SetWindowLongPtrA(hostWindow->get(), GWLP_WNDPROC,
                                                 reinterpret_cast<LONG_PTR>(countHostKeys));
    hostSpaceKeys = 0;
    takeFocus(kExpansionText);
    EXPECT_TRUE(tap(VK_SPACE, 0, [] { return hostSpaceKeys == 1; }));
    EXPECT_TRUE(tap(VK_RETURN, 0, editHasFocus)) << "Return did not start typing";
    EXPECT_TRUE(tap('2', 0, [] { return true; }));
    EXPECT_TRUE(tap('5', 0, [] { return true; }));
    EXPECT_TRUE(tap(VK_RETURN, 0, [] { return !editHasFocus(); }));
    EXPECT_FLOAT_EQ(value(0), 0.25f);
    EXPECT_EQ(GetFocus(), panel);
    VARIANT focus;
    EXPECT_EQ(reader->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, kExpansionText);
    EXPECT_EQ(reader->accDoDefaultAction(child(kOutputText)), S_OK);
    EXPECT_TRUE(idleUntil(editHasFocus)) << "the default action did not start typing";
    EXPECT_TRUE(tap('9', 0, [] { return true; }));
    EXPECT_TRUE(tap(VK_ESCAPE, 0, [] { return !editHasFocus(); }));
    EXPECT_FLOAT_EQ(value(1), 0.5f) << "Escape committed the text";
    SetFocus(hostWindow->get());
    typeInto(kOutputEntry, "3");
    EXPECT_EQ(GetFocus(), hostWindow->get());
    SetWindowLongPtrA(hostWindow->get(), GWLP_WNDPROC, hostProcedure);
}

// A user who fixes a typo edits the same entry again at once: after a focus request for the entry
// that has the focus already, and with nothing but Return.
TEST_F(PanelAccess, SameEntryEditsAgainAfterItsEditEnded) {
    openWithClient();
    const auto edit = [this](WORD tens, float expected) {
        EXPECT_TRUE(tap(VK_RETURN, 0, editHasFocus)) << "Return did not start typing";
        tap(tens, 0, [] { return true; });
        tap('0', 0, [] { return true; });
        EXPECT_TRUE(tap(VK_RETURN, 0, [] { return !editHasFocus(); }));
        EXPECT_FLOAT_EQ(value(0), expected);
        EXPECT_EQ(GetFocus(), panel);
    };
    takeFocus(kExpansionText);
    edit('3', 0.30f);
    takeFocus(kExpansionText);
    edit('4', 0.40f);
    edit('6', 0.60f);
    expectGestures(0, 3);
    VARIANT focus;
    EXPECT_EQ(reader->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, kExpansionText);
}

// A client in the host's process holds the panel's object itself, and may keep it after the host
// closed the editor and the plug-in and let go of the module: calls on it answer errors, and its
// release finds its code still there.
TEST_F(PanelAccess, ObjectKeptPastThePluginsUnloadingAnswersWithoutCrashing) {
    openWithClient();
    dispatch(effect, effEditClose);
    pumpMessages();
    dispatch(effect, effClose);
    effect = nullptr;
    plugin.unload();
    EXPECT_NE(GetModuleHandleA("Talon5800.dll"), nullptr) << "the module went with a client left";
    long children = -1;
    EXPECT_TRUE(FAILED(reader->get_accChildCount(&children)));
    EXPECT_EQ(nameOf(*reader, kExpansionKnob), "");
    reader.reset();
}

}  // namespace
