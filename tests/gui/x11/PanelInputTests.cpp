// The Linux plug-in's panel driven by real pointer and keyboard input under Xvfb, through a host
// of the test's own: what the knobs, the entries and the panel's menu do reaches the host as it
// would from a user's hands.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "gui/x11/InputPlayer.h"
#include "gui/x11/VstTestHost.h"

namespace {

// Before any other Xlib call: the host and the player use their connections on two threads.
const bool xlibThreaded = XInitThreads() != 0;

// No window manager runs under Xvfb: the host's window stays where it is made.
constexpr int kWindowX = 100;
constexpr int kWindowY = 100;
constexpr int32 kExpansion = 0;
constexpr intptr kLinearKnobs = 2;
constexpr unsigned int kLeft = 1;
constexpr unsigned int kRight = 3;
constexpr unsigned int kWheelUp = 4;

// The panel at 100 %: the expansion knob's and entry's centres, and a point of the background.
constexpr int kKnobX = 104;
constexpr int kKnobY = 40;
constexpr int kEntryX = 178;
constexpr int kEntryY = 36;
// Inside the expansion entry, right of its centred digits.
constexpr int kEntryRightX = 199;
constexpr int kPastDoubleClickMilliseconds = 600;
constexpr int kBackgroundX = 20;
constexpr int kBackgroundY = 40;

class PanelInput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(xlibThreaded);
        char pattern[] = "/tmp/talon-panel-input-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        configHome = pattern;
        setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
        host = std::make_unique<VstTestHost>(TALON_PLUGIN_PATH);
        ASSERT_NE(host->effect(), nullptr);
        host->dispatch(effSetEditKnobMode, 0, kLinearKnobs);
        ASSERT_TRUE(host->openEditor(kWindowX, kWindowY));
    }
    void TearDown() override {
        host.reset();
        std::filesystem::remove_all(configHome);
    }

    float parameter(int32 index) { return host->effect()->getParameter(host->effect(), index); }
    // A click into the expansion entry, then the keys; 0 for no second key.
    void typeIntoTheExpansionEntry(KeySym first, KeySym second = 0) {
        host->playWhilePumping([=] {
            InputPlayer input;
            input.moveTo(kWindowX + kEntryX, kWindowY + kEntryY);
            input.click(kLeft);
            input.key(first);
            if (second != 0) input.key(second);
        });
    }

    std::string configHome;
    std::unique_ptr<VstTestHost> host;
};

TEST_F(PanelInput, DraggingTheExpansionKnobUpFortyPixelsAutomatesParameterZeroToSeventyPercent) {
    host->playWhilePumping([] {
        InputPlayer input;
        input.moveTo(kWindowX + kKnobX, kWindowY + kKnobY);
        input.press(kLeft);
        // A linear knob sweeps its range over 200 pixels: 40 up add 0.2 to the default 0.5.
        input.glideTo(kWindowX + kKnobX, kWindowY + kKnobY - 40);
        input.release(kLeft);
    });
    EXPECT_NEAR(parameter(kExpansion), 0.7f, 1e-5f);
    const std::vector<float>& values = host->automated(kExpansion);
    ASSERT_GE(values.size(), 2u);
    // The value climbs from the default as the pointer goes up, and ends where the knob does.
    EXPECT_NEAR(values.front(), 0.5f, 0.05f);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_NEAR(values.back(), 0.7f, 1e-5f);
    EXPECT_EQ(host->beginEdits(kExpansion), 1);
    EXPECT_EQ(host->endEdits(kExpansion), 1);
}

TEST_F(PanelInput, DoubleClickingTheExpansionKnobResetsItToItsDefaultOfHalf) {
    host->effect()->setParameter(host->effect(), kExpansion, 0.9f);
    host->pump(100);
    host->playWhilePumping([] {
        InputPlayer input;
        input.moveTo(kWindowX + kKnobX, kWindowY + kKnobY);
        input.click(kLeft);
        input.click(kLeft);
    });
    EXPECT_FLOAT_EQ(parameter(kExpansion), 0.5f);
    ASSERT_FALSE(host->automated(kExpansion).empty());
    EXPECT_FLOAT_EQ(host->automated(kExpansion).back(), 0.5f);
    EXPECT_EQ(host->beginEdits(kExpansion), host->endEdits(kExpansion));
}

TEST_F(PanelInput, OneWheelNotchUpOverTheExpansionKnobAddsATenth) {
    host->playWhilePumping([] {
        InputPlayer input;
        input.moveTo(kWindowX + kKnobX, kWindowY + kKnobY);
        input.click(kWheelUp);
    });
    EXPECT_NEAR(parameter(kExpansion), 0.6f, 1e-5f);
    ASSERT_EQ(host->automated(kExpansion).size(), 1u);
    EXPECT_NEAR(host->automated(kExpansion).front(), 0.6f, 1e-5f);
    EXPECT_EQ(host->beginEdits(kExpansion), 1);
    EXPECT_EQ(host->endEdits(kExpansion), 1);
}

TEST_F(PanelInput, Typing75AndReturnIntoTheExpansionEntrySetsParameterZeroToThreeQuarters) {
    host->playWhilePumping([] {
        InputPlayer input;
        input.moveTo(kWindowX + kEntryX, kWindowY + kEntryY);
        input.click(kLeft);
        // The entry opens with its "50" selected: the typing replaces it.
        input.key(XK_7);
        input.key(XK_5);
        input.key(XK_Return);
    });
    EXPECT_FLOAT_EQ(parameter(kExpansion), 0.75f);
    ASSERT_EQ(host->automated(kExpansion).size(), 1u);
    EXPECT_FLOAT_EQ(host->automated(kExpansion).front(), 0.75f);
    EXPECT_EQ(host->beginEdits(kExpansion), 1);
    EXPECT_EQ(host->endEdits(kExpansion), 1);
}

// The entry opens with "50" selected; a click near its right edge puts the caret after the "0",
// so Backspace leaves "5".
TEST_F(PanelInput, AClickInTheOpenEntryPlacesTheCaretWhereTheNextKeyEdits) {
    host->playWhilePumping([] {
        InputPlayer input;
        input.moveTo(kWindowX + kEntryX, kWindowY + kEntryY);
        input.click(kLeft);
        // Not a double click, which would select everything again.
        input.wait(kPastDoubleClickMilliseconds);
        input.moveTo(kWindowX + kEntryRightX, kWindowY + kEntryY);
        input.click(kLeft);
        input.key(XK_BackSpace);
        input.key(XK_Return);
    });
    EXPECT_FLOAT_EQ(parameter(kExpansion), 0.05f);
    EXPECT_EQ(host->beginEdits(kExpansion), host->endEdits(kExpansion));
}

TEST_F(PanelInput, EscapeInTheExpansionEntryKeepsParameterZeroAndSendsNoValue) {
    typeIntoTheExpansionEntry(XK_9, XK_Escape);
    EXPECT_FLOAT_EQ(parameter(kExpansion), 0.5f);
    EXPECT_TRUE(host->automated(kExpansion).empty());
    EXPECT_EQ(host->beginEdits(kExpansion), 1);
    EXPECT_EQ(host->endEdits(kExpansion), 1);
}

// Typed but not committed when the editor goes: nothing reaches the host, and the gesture ends.
TEST_F(PanelInput, AnEntryOpenWhenTheEditorClosesCommitsNothingAndEndsItsGesture) {
    typeIntoTheExpansionEntry(XK_9);
    host->closeEditor();
    EXPECT_FLOAT_EQ(parameter(kExpansion), 0.5f);
    EXPECT_TRUE(host->automated(kExpansion).empty());
    EXPECT_EQ(host->beginEdits(kExpansion), 1);
    EXPECT_EQ(host->endEdits(kExpansion), 1);
}

TEST_F(PanelInput, AnEntryOpenWhenTheHostDestroysItsWindowCommitsNothingAndEndsItsGesture) {
    typeIntoTheExpansionEntry(XK_9);
    host->destroyWindow();
    host->pump(100);
    host->closeEditor();
    EXPECT_FLOAT_EQ(parameter(kExpansion), 0.5f);
    EXPECT_TRUE(host->automated(kExpansion).empty());
    EXPECT_EQ(host->beginEdits(kExpansion), host->endEdits(kExpansion));
}

TEST_F(PanelInput, ChoosingSize200PercentFromTheMenuResizesThePanelTo1504By160AndKeepsIt) {
    std::size_t popupsAfterOpening = 0;
    std::size_t popupsAfterHover = 0;
    std::size_t popupsAfterChoice = 0;
    host->playWhilePumping([&] {
        InputPlayer input;
        input.moveTo(kWindowX + kBackgroundX, kWindowY + kBackgroundY);
        // The release of the opening click leaves the menu open.
        input.click(kRight);
        const std::vector<ScreenRect> opened = input.popups();
        popupsAfterOpening = opened.size();
        if (opened.size() != 1) return;
        const ScreenRect top = opened.front();
        input.glideTo(top.x + top.width / 2, top.y + top.height / 2);
        const std::vector<ScreenRect> hovered = input.popups();
        popupsAfterHover = hovered.size();
        if (hovered.size() != 2) return;
        // The sizes menu: seven items of one height inside a one-pixel border; "200 %" is the
        // fifth.
        const ScreenRect sizes = hovered.back();
        const int itemHeight = (sizes.height - 2) / 7;
        input.glideTo(sizes.x + sizes.width / 2, sizes.y + 1 + itemHeight * 4 + itemHeight / 2);
        input.click(kLeft);
        input.wait(200);
        popupsAfterChoice = input.popups().size();
    });
    EXPECT_EQ(popupsAfterOpening, 1u);
    EXPECT_EQ(popupsAfterHover, 2u);
    EXPECT_EQ(popupsAfterChoice, 0u);
    int width = 0;
    int height = 0;
    host->editorSize(width, height);
    EXPECT_EQ(width, 1504);
    EXPECT_EQ(height, 160);
    host->windowSize(host->window(), width, height);
    EXPECT_EQ(width, 1504);
    EXPECT_EQ(height, 160);
    host->windowSize(host->panelWindow(), width, height);
    EXPECT_EQ(width, 1504);
    EXPECT_EQ(height, 160);
    std::ifstream settings(configHome + "/Mirevox/Talon 5800");
    const std::string stored((std::istreambuf_iterator<char>(settings)),
                             std::istreambuf_iterator<char>());
    EXPECT_NE(stored.find("Size=200"), std::string::npos) << stored;
}

}  // namespace

namespace {

TEST_F(PanelInput, TheMenuKeysDownRightDownFourTimesAndReturnChooseSize200Percent) {
    host->playWhilePumping([] {
        InputPlayer input;
        input.moveTo(kWindowX + kBackgroundX, kWindowY + kBackgroundY);
        input.click(kRight);
        // "Size", then its first entry "Automatic", then four down to "200 %".
        for (const unsigned long keysym :
             {XK_Down, XK_Right, XK_Down, XK_Down, XK_Down, XK_Down, XK_Return})
            input.key(keysym);
    });
    int width = 0;
    int height = 0;
    host->editorSize(width, height);
    EXPECT_EQ(width, 1504);
    EXPECT_EQ(height, 160);
}

}  // namespace
