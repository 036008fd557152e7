// The frame over the headless windowing of the in-memory platform: its window is one of the
// pretend screen's, and the platform's services answer as absent or keep their state in-process.
#include <gtest/gtest.h>

#include "gui/platform/DragAndDrop.h"
#include "gui/platform/PointerInput.h"
#include "gui/platform/UserSettings.h"
#include "gui/platform/Window.h"
#include "gui/platform/memory/MemoryHandles.h"
#include "gui/platform/memory/MemoryPlatform.h"
#include "gui/views/CFrame.h"
#include "host/aeffect.h"

namespace {

using gui::CPosition;
using gui::CRectangle;
namespace memory = gui::memory;
namespace platform = gui::platform;

struct PretendHost {
    PretendHost() { memory::resetInput(); }
    ~PretendHost() { memory::destroyWindow(window); }
    gui::NativeWindow window = memory::createWindow(400, 300, CPosition(50, 20));
};

TEST(HeadlessFrame, OpensAWindowAtItsHostsCornerThatFollowsItsSizeAndTheCursor) {
    PretendHost host;
    gui::CFrame frame(CRectangle(0, 0, 120, 80), host.window, nullptr);
    ASSERT_TRUE(frame.getWindow());
    frame.markOpen(true);
    CRectangle onScreen;
    ASSERT_TRUE(platform::windowRectOnScreen(frame.getWindow(), onScreen));
    EXPECT_EQ(onScreen, CRectangle(50, 20, 170, 100));

    EXPECT_TRUE(frame.setSize(200, 90));
    ASSERT_TRUE(platform::windowRectOnScreen(frame.getWindow(), onScreen));
    EXPECT_EQ(onScreen, CRectangle(50, 20, 250, 110));
    // A bad size leaves the window as it was.
    platform::resizeWindow(frame.getWindow(), 0, -5);
    ASSERT_TRUE(platform::windowRectOnScreen(frame.getWindow(), onScreen));
    EXPECT_EQ(onScreen.getWidth(), 200);

    memory::input().cursor = CPosition(60, 35);
    CPosition where;
    ASSERT_TRUE(frame.getCurrentMousePoint(where));
    EXPECT_EQ(where, CPosition(10, 15));
    frame.markOpen(false);
}

TEST(HeadlessFrame, KeyboardFocusGoesWithTheWindowThatHeldIt) {
    PretendHost host;
    gui::NativeWindow first = platform::createFrameWindow(host.window, nullptr, 10, 10);
    platform::takeKeyboardFocus(first);
    EXPECT_TRUE(platform::hasKeyboardFocus(first));
    platform::destroyFrameWindow(first);
    // A later window may reuse the address; it must not inherit the focus.
    gui::NativeWindow second = platform::createFrameWindow(host.window, nullptr, 10, 10);
    EXPECT_FALSE(platform::hasKeyboardFocus(second));
    EXPECT_FALSE(platform::hasKeyboardFocus(nullptr));
    platform::destroyFrameWindow(second);
}

TEST(HeadlessFrame, KeysComeAsLowerCaseCharactersWithTheScriptedModifiers) {
    memory::resetInput();
    memory::input().buttons = platform::kShiftDown | platform::kControlDown;
    const VstKeyCode letter = platform::hostKeyOf('Q');
    EXPECT_EQ(letter.character, 'q');
    EXPECT_EQ(letter.modifier, MODIFIER_SHIFT | MODIFIER_COMMAND);
    memory::input().buttons = 0;
    const VstKeyCode control = platform::hostKeyOf(0x1B);
    EXPECT_EQ(control.character, 0);
    EXPECT_EQ(control.modifier, 0);
    // Waiting moves the scripted clock on, so that loops waiting for a deadline end.
    const std::uint32_t before = memory::input().tick;
    platform::sleepFor(30);
    EXPECT_EQ(memory::input().tick, before + 30);
}

TEST(HeadlessSettings, AreKeptPerVendorAndProductAndRefuseMissingNames) {
    const platform::SettingsScope mine{"Talon", "5800"};
    const platform::SettingsScope other{"Talon", "Other"};
    std::uint32_t value = 7;
    EXPECT_FALSE(platform::readSetting(mine, "scale", value));
    EXPECT_EQ(value, 7u);
    ASSERT_TRUE(platform::writeSetting(mine, "scale", 200));
    EXPECT_FALSE(platform::readSetting(other, "scale", value));
    ASSERT_TRUE(platform::readSetting(mine, "scale", value));
    EXPECT_EQ(value, 200u);
    EXPECT_TRUE(platform::removeSetting(mine, "scale"));
    EXPECT_TRUE(platform::removeSetting(mine, "scale"));
    EXPECT_FALSE(platform::readSetting(mine, "scale", value));
    EXPECT_FALSE(platform::writeSetting(mine, nullptr, 1));
    EXPECT_FALSE(platform::writeSetting({nullptr, "5800"}, "scale", 1));
}

}  // namespace
