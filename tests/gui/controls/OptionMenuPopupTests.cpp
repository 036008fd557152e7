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

namespace {

constexpr std::int32_t kTag = 9;
constexpr int kFrameWidth = 300;
constexpr int kFrameHeight = 200;
const CRectangle kMenuRect(20, 20, 120, 40);
constexpr char kPopupClass[] = "#32768";
// Pause after each input, so that the popup's loop has taken it.
constexpr DWORD kStepMs = 60;
constexpr int kWaitSteps = 80;
// A loaded machine may take a while to show what an input did; a key the popup's loop shows no
// sign of having taken is pressed again.
constexpr DWORD kPollMs = 20;
constexpr int kPollsPerPress = 250;
constexpr int kMostPresses = 8;

void pause() { Sleep(kStepMs); }

template <typename Condition>
bool eventually(Condition done) {
    for (int poll = 0; poll < kPollsPerPress; ++poll, Sleep(kPollMs))
        if (done()) return true;
    return done();
}

void sendKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = key;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    pause();
}

void sendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
    pause();
}

int highlightedItem(HMENU menu) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
    return -1;
}

// Presses key until the item at position is highlighted.
bool moveTo(HMENU menu, int position, WORD key = VK_DOWN) {
    for (int press = 0; press < kMostPresses && highlightedItem(menu) != position; ++press) {
        const int before = highlightedItem(menu);
        sendKey(key);
        eventually([&] { return highlightedItem(menu) != before; });
    }
    return highlightedItem(menu) == position;
}

HWND visiblePopup() {
    HWND popup = FindWindowA(kPopupClass, nullptr);
    return popup && IsWindowVisible(popup) ? popup : nullptr;
}

// Return or Escape, pressed again while the popup shows no sign of having taken it.
void closeWith(WORD key) {
    for (int press = 0; press < 3 && visiblePopup(); ++press) {
        sendKey(key);
        eventually([] { return !visiblePopup(); });
    }
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

POINT itemCentre(const SeenPopup& popup, int position) {
    RECT item = {};
    GetMenuItemRect(popup.window, popup.menu, static_cast<UINT>(position), &item);
    return {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
}

// Waits on its own thread for the popup, lets go of the button that opened it, runs the script
// and makes sure the popup closes: when the script leaves it open, Escape closes it.
class PopupDriver {
  public:
    PopupDriver(DWORD releaseFlag, std::function<void(SeenPopup&)> script)
        : worker([this, releaseFlag, script] { drive(releaseFlag, script); }) {}
    ~PopupDriver() { join(); }
    void join() {
        if (worker.joinable()) worker.join();
    }
    bool allMenusGone() const {
        for (HMENU menu : seen.menus)
            if (IsMenu(menu)) return false;
        return !seen.menus.empty();
    }

    SeenPopup seen;
    std::atomic<bool> opened{false};
    bool closedByScript = false;

  private:
    void drive(DWORD releaseFlag, const std::function<void(SeenPopup&)>& script) {
        for (int step = 0; step < kWaitSteps && !seen.window; ++step, pause())
            seen.window = visiblePopup();
        sendMouse(releaseFlag);
        if (!seen.window) return;
        seen.menu = reinterpret_cast<HMENU>(SendMessageA(seen.window, MN_GETHMENU, 0, 0));
        collectMenus(seen.menu, seen.menus);
        GetWindowRect(seen.window, &seen.placed);
        opened = true;
        script(seen);
        for (int step = 0; step < kWaitSteps && visiblePopup(); ++step) pause();
        closedByScript = !visiblePopup();
        for (int tries = 0; tries < 3 && visiblePopup(); ++tries) sendKey(VK_ESCAPE);
    }

    std::thread worker;
};

struct ChoiceListener : gui::CControlListener {
    void valueChanged(CDrawContext*, CControl* control) override {
        controls.push_back(control);
        values.push_back(control->getValue());
    }
    std::vector<CControl*> controls;
    std::vector<float> values;
};

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
        drawnStates.push_back(std::string(text) + ":" + std::to_string(state));
    }
    std::vector<std::string> measured;
    std::vector<std::string> drawnStates;
    int height = 0;
};

class OptionMenuPopup : public ::testing::Test {
  protected:
    OptionMenuPopup() {
        frame->addView(menu);  // the frame drops both references
        UpdateWindow(frame->getWindow());
        pumpMessages();
    }
    static void SetUpTestSuite() { host = new HostWindow(kFrameWidth, kFrameHeight); }
    static void TearDownTestSuite() { delete host; }

    // A real press over the menu; the driver lets go of the button once the popup is open.
    void press(DWORD downFlag) {
        POINT point = {(kMenuRect.left + kMenuRect.right) / 2,
                       (kMenuRect.top + kMenuRect.bottom) / 2};
        ClientToScreen(frame->getWindow(), &point);
        SetCursorPos(point.x, point.y);
        sendMouse(downFlag);
        pumpMessages();  // returns when the popup has closed
    }
    void clickAndRun(std::function<void(SeenPopup&)> script) {
        PopupDriver driver(MOUSEEVENTF_LEFTUP, std::move(script));
        press(MOUSEEVENTF_LEFTDOWN);
        driver.join();
        ASSERT_TRUE(driver.opened);
        EXPECT_TRUE(driver.closedByScript);
        EXPECT_TRUE(driver.allMenusGone());
        EXPECT_EQ(menu->getMenuHandle(), nullptr);
        seen = driver.seen;
    }
    Gestures gestures() const { return testsupport::gesturesIn(fakeHost); }

    static inline HostWindow* host = nullptr;
    FakeHost fakeHost;
    TestEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);  // the effect deletes it
    ChoiceListener listener;
    std::unique_ptr<gui::CFrame> frame = std::make_unique<gui::CFrame>(
        CRectangle(0, 0, kFrameWidth, kFrameHeight), host->get(), editor);
    COptionMenu* menu = new COptionMenu(kMenuRect, &listener, kTag);
    SeenPopup seen;
};

// Highlights the item at position with the arrow keys and takes it with Return.
const auto choose = [](int position) {
    return [position](SeenPopup& popup) {
        moveTo(popup.menu, position);
        closeWith(VK_RETURN);
    };
};

}  // namespace

TEST_F(OptionMenuPopup, KeysChooseAnEntryBelowTheControlAndTheListenerHearsOnce) {
    menu->setPrefixNumbers(3);
    for (const char* text : {"Alpha", "Beta", "Gamma"}) menu->addEntry(text);
    clickAndRun(choose(1));
    POINT corner = {kMenuRect.left, kMenuRect.bottom};
    ClientToScreen(frame->getWindow(), &corner);
    EXPECT_EQ(seen.placed.left, corner.x);
    EXPECT_EQ(seen.placed.top, corner.y);
    EXPECT_EQ(listener.controls, std::vector<CControl*>({menu}));
    EXPECT_EQ(listener.values, std::vector<float>({1.0f}));
    std::int32_t index = -1;
    EXPECT_EQ(menu->getLastItemMenu(index), menu);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(gestures(), gesturesOf(kTag));
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(OptionMenuPopup, ASubmenuChoiceReachesTheTopListenerWithTheSubmenu) {
    auto* sub = new COptionMenu(kMenuRect, nullptr, 0);
    for (const char* text : {"x", "y", "z"}) sub->addEntry(text);
    menu->addEntry("Alpha");
    menu->addSubMenuEntry(sub, "More");
    sub->release();  // the menu holds it
    clickAndRun([](SeenPopup& popup) {
        HMENU more = GetSubMenu(popup.menu, 1);
        moveTo(popup.menu, 1);
        moveTo(more, 0, VK_RIGHT);
        moveTo(more, 1);
        closeWith(VK_RETURN);
    });
    EXPECT_EQ(seen.menus.size(), 2u);
    EXPECT_EQ(listener.controls, std::vector<CControl*>({sub}));
    EXPECT_EQ(listener.values, std::vector<float>({1.0f}));
    EXPECT_EQ(menu->getCurrent(), 0);
    std::int32_t index = -1;
    EXPECT_EQ(menu->getLastItemMenu(index), sub);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(sub->getMenuHandle(), nullptr);
    EXPECT_EQ(gestures(), gesturesOf(kTag));
}

TEST_F(OptionMenuPopup, EscapeChangesNothingAndAChoiceTogglesItsCheckMark) {
    menu->setStyle(gui::multipleCheck);
    for (const char* text : {"One", "Two"}) menu->addEntry(text);
    clickAndRun([](SeenPopup& popup) {
        moveTo(popup.menu, 0);
        closeWith(VK_ESCAPE);
    });
    EXPECT_TRUE(listener.values.empty());
    std::int32_t index = 0;
    EXPECT_EQ(menu->getLastItemMenu(index), nullptr);
    EXPECT_FALSE(menu->isCheckEntry(0));
    clickAndRun(choose(1));
    EXPECT_TRUE(menu->isCheckEntry(1));
    UINT shownState = 0;
    clickAndRun([&](SeenPopup& popup) {
        shownState = GetMenuState(popup.menu, 1, MF_BYPOSITION);
        choose(1)(popup);
    });
    EXPECT_TRUE(shownState & MF_CHECKED);
    EXPECT_FALSE(menu->isCheckEntry(1));
    EXPECT_EQ(listener.values, std::vector<float>({1.0f, 1.0f}));
    EXPECT_EQ(gestures(), gesturesOf(kTag, 3));
}

TEST_F(OptionMenuPopup, ARightClickOpensAPopupThatTheRightButtonChoosesFrom) {
    for (const char* text : {"One", "Two", "Three"}) menu->addEntry(text);
    PopupDriver driver(MOUSEEVENTF_RIGHTUP, [](SeenPopup& popup) {
        const POINT third = itemCentre(popup, 2);
        SetCursorPos(third.x, third.y);
        pause();
        sendMouse(MOUSEEVENTF_RIGHTDOWN);
        sendMouse(MOUSEEVENTF_RIGHTUP);
    });
    press(MOUSEEVENTF_RIGHTDOWN);
    driver.join();
    ASSERT_TRUE(driver.opened);
    EXPECT_TRUE(driver.closedByScript) << "the right button did not choose";
    EXPECT_EQ(listener.values, std::vector<float>({2.0f}));
    EXPECT_TRUE(driver.allMenusGone());
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
    PopupDriver driver(MOUSEEVENTF_LEFTUP, [](SeenPopup&) { popupShown = true; });
    press(MOUSEEVENTF_LEFTDOWN);
    driver.join();
    KillTimer(nullptr, timer);
    ASSERT_TRUE(driver.opened);
    EXPECT_EQ(frame, nullptr);
    EXPECT_TRUE(driver.closedByScript) << "the popup closed with its frame";
    EXPECT_TRUE(driver.allMenusGone());
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(gestures(), gesturesOf(kTag));
    EXPECT_EQ(menu->getNbReference(), 1);
    EXPECT_EQ(sub->getNbReference(), 2);
    menu->release();
    EXPECT_EQ(sub->getNbReference(), 1);
    sub->release();
}

TEST_F(OptionMenuPopup, ASchemeMeasuresAndDrawsTheItemsThroughTheFrame) {
    auto* scheme = new RecordingScheme;
    menu->setScheme(scheme);
    menu->setStyle(gui::checkCurrent);
    for (const char* text : {"Alpha", "-", "-GGrey", "-TTitle"}) menu->addEntry(text);
    LRESULT strangeData = 1;
    bool plainShown = false, selectedShown = false;
    int itemHeight = 0;
    HWND const frameWindow = frame->getWindow();
    clickAndRun([&](SeenPopup& popup) {
        // Item data the popup never handed out gets the default handling.
        MEASUREITEMSTRUCT strange = {ODT_MENU, 0, 0, 0, 0, 12345};
        strangeData =
            SendMessageA(frameWindow, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&strange));
        RECT item = {};
        GetMenuItemRect(popup.window, popup.menu, 0, &item);
        itemHeight = item.bottom - item.top;
        const POINT inside = {item.right - 3, (item.top + item.bottom) / 2};
        HDC screen = GetDC(nullptr);
        const auto shows = [&](gui::CColorValue color) {
            return eventually([&] {
                return GetPixel(screen, inside.x, inside.y) == testsupport::platformColor(color);
            });
        };
        plainShown = shows(scheme->getBackgroundColor());
        moveTo(popup.menu, 0);
        selectedShown = shows(scheme->getSelectionColor());
        ReleaseDC(nullptr, screen);
        closeWith(VK_ESCAPE);
    });
    EXPECT_EQ(strangeData, 0);
    EXPECT_EQ(scheme->measured, std::vector<std::string>({"Alpha", "-GGrey", "-TTitle"}));
    EXPECT_EQ(itemHeight, scheme->height);
    EXPECT_TRUE(plainShown);
    EXPECT_TRUE(selectedShown);
    const auto drawn = [&](const std::string& prefix) {
        for (const std::string& entry : scheme->drawnStates)
            if (entry.compare(0, prefix.size(), prefix) == 0) return true;
        return false;
    };
    EXPECT_TRUE(drawn("Alpha:1")) << "checked";
    EXPECT_TRUE(drawn("Alpha:5")) << "checked and selected";
    EXPECT_TRUE(drawn("-GGrey:") && drawn("-TTitle:"));
    scheme->release();
}
