// Option menus in a real frame window: a real click opens the native popup, and a second thread
// chooses from it with real keys and mouse buttons while the popup's own loop runs on the test's
// thread. Afterwards no native menu is left and the host has seen balanced gestures.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "gui/controls/COptionMenu.h"
#include "gui/controls/COptionMenuScheme.h"
#include "gui/controls/ControlTestSupport.h"
#include "support/EditorWindow.h"

using namespace controltest;
using gui::COptionMenu;
using testsupport::HostWindow;
using testsupport::pumpMessages;
using Controls = std::vector<CControl*>;
using Values = std::vector<float>;

namespace {

constexpr std::int32_t kTag = 9;
const CRectangle kMenuRect(20, 20, 120, 40);
constexpr DWORD kStepMs = 60;
// A loaded machine may take seconds to show what an input did.
constexpr DWORD kPollMs = 20;
constexpr int kPolls = 250;

template <typename Condition>
bool eventually(Condition done) {
    for (int poll = 0; poll < kPolls && !done(); ++poll) Sleep(kPollMs);
    return done();
}

void sendKey(WORD key) {
    testsupport::HeldInput::key(key);  // pressed and released
    Sleep(kStepMs);
}

void sendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    Sleep(kStepMs);
}

// Only this process's popups count: other test programs may share the window system.
HWND visiblePopup() {
    for (HWND popup = FindWindowExA(nullptr, nullptr, "#32768", nullptr); popup;
         popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(popup, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(popup)) return popup;
    }
    return nullptr;
}

int highlightedItem(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

// Presses key until the item at position is highlighted, waiting for each press to show.
void moveTo(HMENU menu, int position, WORD key = VK_DOWN) {
    for (int press = 0; press < 8 && highlightedItem(menu) != position; ++press) {
        const int before = highlightedItem(menu);
        sendKey(key);
        eventually([&] { return highlightedItem(menu) != before; });
    }
}

// Return or Escape, pressed again while the popup shows no sign of having taken it.
void closeWith(WORD key) {
    for (int press = 0; press < 3 && visiblePopup(); ++press) {
        sendKey(key);
        eventually([] { return !visiblePopup(); });
    }
}

// Ends a popup that keys could not close (they went to another window), so that a failing test
// fails instead of leaving the popup's loop waiting for ever. Wine's EndMenu serves any thread of
// the process; the posted cancel wakes the loop up.
bool forceShut() {
    HWND popup = visiblePopup();
    if (!popup) return false;
    EndMenu();
    PostMessageA(popup, WM_CANCELMODE, 0, 0);
    return true;
}

// The popup as the second thread found it, with every native menu of its tree.
struct SeenPopup {
    HWND window = nullptr;
    HMENU menu = nullptr;
    std::vector<HMENU> menus;
    RECT placed = {};
};

void collectMenus(HMENU menu, std::vector<HMENU>& into) {
    into.push_back(menu);
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (HMENU sub = GetSubMenu(menu, i)) collectMenus(sub, into);
}

using Script = std::function<void(SeenPopup&)>;

const auto choose = [](int position) {
    return [position](SeenPopup& popup) {
        moveTo(popup.menu, position);
        closeWith(VK_RETURN);
    };
};

struct ChoiceListener : gui::CControlListener {
    void valueChanged(CDrawContext*, CControl* control) override {
        controls.push_back(control);
        values.push_back(control->getValue());
    }
    Controls controls;
    Values values;
};

class OptionMenuPopup : public ::testing::Test {
  protected:
    OptionMenuPopup() {
        frame->addView(menu);  // the frame drops both references
        UpdateWindow(frame->getWindow());
        pumpMessages();
    }
    static void SetUpTestSuite() { host = new HostWindow(300, 200); }
    static void TearDownTestSuite() { delete host; }

    // A real press over the menu. A second thread waits for the popup, lets go of the button,
    // runs the script and makes sure the popup closes: Escape closes what the script left open.
    SeenPopup press(DWORD downFlag, DWORD upFlag, const Script& script) {
        SeenPopup seen;
        bool opened = false, closedByScript = false, forcedShut = false;
        std::thread driver([&] {
            opened = eventually([&] { return (seen.window = visiblePopup()) != nullptr; });
            sendMouse(upFlag);
            if (!opened) return;
            seen.menu = reinterpret_cast<HMENU>(SendMessageA(seen.window, MN_GETHMENU, 0, 0));
            collectMenus(seen.menu, seen.menus);
            GetWindowRect(seen.window, &seen.placed);
            script(seen);
            closedByScript = eventually([] { return !visiblePopup(); });
            closeWith(VK_ESCAPE);
            forcedShut = forceShut();
        });
        POINT point = {scaled(kMenuRect.left + 10), scaled(kMenuRect.top + 10)};
        ClientToScreen(frame->getWindow(), &point);
        SetCursorPos(point.x, point.y);
        sendMouse(downFlag);
        pumpMessages();  // returns when the popup has closed
        driver.join();
        EXPECT_TRUE(opened);
        EXPECT_TRUE(closedByScript);
        EXPECT_FALSE(forcedShut) << "the popup took no key and had to be cancelled";
        EXPECT_FALSE(seen.menus.empty());
        for (HMENU native : seen.menus) EXPECT_FALSE(IsMenu(native)) << "a menu left behind";
        return seen;
    }
    SeenPopup click(const Script& script) {
        return press(MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, script);
    }
    Gestures gestures() const { return testsupport::gesturesIn(fakeHost); }
    // Panel units as the frame's window shows them.
    LONG scaled(LONG panel) const { return static_cast<LONG>(panel * frame->getScale()); }

    static inline HostWindow* host = nullptr;
    FakeHost fakeHost;
    TestEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);  // the effect deletes it
    ChoiceListener listener;
    std::unique_ptr<gui::CFrame> frame =
        std::make_unique<gui::CFrame>(CRectangle(0, 0, 300, 200), host->get(), editor);
    COptionMenu* menu = new COptionMenu(kMenuRect, &listener, kTag);
};

}  // namespace

TEST_F(OptionMenuPopup, KeysChooseFromMenuAndSubmenuAndEscapeChangesNothing) {
    auto* sub = new COptionMenu(kMenuRect, nullptr, 0);
    for (const char* text : {"x", "y", "z"}) sub->addEntry(text);
    menu->setPrefixNumbers(3);
    menu->addEntry("Alpha");
    menu->addEntry("Beta");
    menu->addSubMenuEntry(sub, "More");
    sub->release();  // the menu holds it
    const SeenPopup seen = click(choose(1));
    POINT corner = {kMenuRect.left, kMenuRect.bottom};
    ClientToScreen(frame->getWindow(), &corner);
    EXPECT_EQ(seen.placed.left, corner.x) << "below the control";
    EXPECT_EQ(seen.placed.top, corner.y);
    EXPECT_EQ(seen.menus.size(), 2u);
    click([](SeenPopup& popup) {
        moveTo(popup.menu, 0);
        closeWith(VK_ESCAPE);
    });
    EXPECT_EQ(menu->getCurrent(), 1) << "a dismissed popup changes nothing";
    std::int32_t index = 0;
    EXPECT_EQ(menu->getLastItemMenu(index), nullptr);
    EXPECT_EQ(index, -1);
    click([](SeenPopup& popup) {
        HMENU more = GetSubMenu(popup.menu, 2);
        moveTo(popup.menu, 2);
        moveTo(more, 0, VK_RIGHT);
        moveTo(more, 1);
        closeWith(VK_RETURN);
    });
    EXPECT_EQ(listener.controls, Controls({menu, sub}));
    EXPECT_EQ(listener.values, Values({1.0f, 1.0f}));
    EXPECT_EQ(menu->getCurrent(), 1) << "the submenu's choice is its own";
    EXPECT_EQ(menu->getLastItemMenu(index), sub);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(menu->getMenuHandle(), nullptr);
    EXPECT_EQ(sub->getMenuHandle(), nullptr);
    EXPECT_EQ(gestures(), gesturesOf(kTag, 3));
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(OptionMenuPopup, ARightClickOpensAPopupThatTheRightButtonChoosesFrom) {
    for (const char* text : {"One", "Two", "Three"}) menu->addEntry(text);
    press(MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, [](SeenPopup& popup) {
        RECT item = {};
        GetMenuItemRect(popup.window, popup.menu, 2, &item);
        SetCursorPos((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        Sleep(kStepMs);
        sendMouse(MOUSEEVENTF_RIGHTDOWN);
        sendMouse(MOUSEEVENTF_RIGHTUP);
    });
    EXPECT_EQ(listener.values, Values({2.0f})) << "the right button did not choose";
}

namespace {
std::atomic<bool> popupShown{false};
std::unique_ptr<gui::CFrame>* closingFrame = nullptr;
// The host closes its editor from a timer while the popup is open.
void CALLBACK closeEditor(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!popupShown) return;
    KillTimer(nullptr, timer);
    closingFrame->reset();
}
}  // namespace

TEST_F(OptionMenuPopup, ClosingTheEditorWhileThePopupIsOpenLeavesNothingBehind) {
    auto* sub = new COptionMenu(kMenuRect, nullptr, 0);
    sub->addEntry("x");
    menu->addEntry("Alpha");
    menu->addSubMenuEntry(sub, "More");
    menu->retain();  // kept to look at after the frame has gone
    popupShown = false;
    closingFrame = &frame;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, closeEditor);
    click([](SeenPopup&) { popupShown = true; });
    KillTimer(nullptr, timer);
    EXPECT_EQ(frame, nullptr);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(gestures(), gesturesOf(kTag));
    EXPECT_EQ(menu->getNbReference(), 1);
    EXPECT_EQ(sub->getNbReference(), 2);
    menu->release();
    EXPECT_EQ(sub->getNbReference(), 1);
    sub->release();
}

namespace {
// Records what the frame's window asks of the scheme, and draws as the scheme does.
struct RecordingScheme : gui::COptionMenuScheme {
    void getItemSize(const char* text, CDrawContext* context, CPosition& size) override {
        COptionMenuScheme::getItemSize(text, context, size);
        measured.push_back(text);
        height = size.v;
    }
    void drawItem(const char* text, std::uint32_t id, std::int32_t state, CDrawContext* context,
                  const CRectangle& rect) override {
        COptionMenuScheme::drawItem(text, id, state, context, rect);
        drawn.push_back(std::string(text) + ":" + std::to_string(state));
    }
    std::vector<std::string> measured, drawn;
    int height = 0;
};
}  // namespace

TEST_F(OptionMenuPopup, ASchemeMeasuresAndDrawsTheItemsThroughTheFrame) {
    const gui::ScopedReference<RecordingScheme> scheme(new RecordingScheme);
    menu->setScheme(scheme.get());
    menu->setStyle(gui::checkCurrent);
    for (const char* text : {"Alpha", "-", "-GGrey", "-TTitle"}) menu->addEntry(text);
    LRESULT strangeData = 1;
    bool selectedShown = false;
    int itemHeight = 0;
    HWND const frameWindow = frame->getWindow();
    const COLORREF selection = testsupport::platformColor(scheme->getSelectionColor());
    click([&](SeenPopup& popup) {
        // Item data the popup never handed out gets the default handling.
        MEASUREITEMSTRUCT strange = {ODT_MENU, 0, 0, 0, 0, 12345};
        strangeData =
            SendMessageA(frameWindow, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&strange));
        RECT item = {};
        GetMenuItemRect(popup.window, popup.menu, 0, &item);
        itemHeight = item.bottom - item.top;
        moveTo(popup.menu, 0);
        HDC screen = GetDC(nullptr);
        selectedShown = eventually([&] {
            return GetPixel(screen, item.right - 3, (item.top + item.bottom) / 2) == selection;
        });
        ReleaseDC(nullptr, screen);
        closeWith(VK_ESCAPE);
    });
    EXPECT_EQ(strangeData, 0);
    EXPECT_EQ(scheme->measured, std::vector<std::string>({"Alpha", "-GGrey", "-TTitle"}));
    EXPECT_EQ(itemHeight, scheme->height);
    EXPECT_TRUE(selectedShown);
    const auto drawnAs = [&](const std::string& prefix) {
        for (const std::string& entry : scheme->drawn)
            if (entry.compare(0, prefix.size(), prefix) == 0) return true;
        return false;
    };
    EXPECT_TRUE(drawnAs("Alpha:1")) << "checked";
    EXPECT_TRUE(drawnAs("Alpha:5")) << "checked and selected";
    EXPECT_TRUE(drawnAs("-GGrey:") && drawnAs("-TTitle:"));
}

TEST_F(OptionMenuPopup, AtTwiceTheScaleTheSchemeRowsAndThePopupsPlaceDouble) {
    ASSERT_TRUE(frame->setScale(2.0));
    pumpMessages();
    const gui::ScopedReference<RecordingScheme> scheme(new RecordingScheme);
    menu->setScheme(scheme.get());
    for (const char* text : {"Alpha", "Beta"}) menu->addEntry(text);
    int itemHeight = 0;
    const SeenPopup seen = click([&](SeenPopup& popup) {
        RECT item = {};
        GetMenuItemRect(popup.window, popup.menu, 0, &item);
        itemHeight = item.bottom - item.top;
        closeWith(VK_ESCAPE);
    });
    EXPECT_EQ(itemHeight, 2 * scheme->height);
    POINT corner = {2 * kMenuRect.left, 2 * kMenuRect.bottom};
    ClientToScreen(frame->getWindow(), &corner);
    EXPECT_EQ(seen.placed.left, corner.x) << "below the control as the window shows it";
    EXPECT_EQ(seen.placed.top, corner.y);
    frame.reset();
    host->setClientSize(300, 200);
}
