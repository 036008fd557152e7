#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "effect/UserSettings.h"
#include "gui/platform/UserSettings.h"

namespace fs = std::filesystem;

namespace {

constexpr gui::platform::SettingsScope kScope = {"Mirevox", "Talon 5800"};

// A configuration folder of the test's own, named by XDG_CONFIG_HOME while the test runs.
class XdgSettings : public ::testing::Test {
  protected:
    XdgSettings() {
        folder = fs::temp_directory_path() /
                 ("talon-xdg-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    }
    ~XdgSettings() override {
        unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(folder);
    }

    fs::path settingsFile() const { return folder / "Mirevox" / "Talon 5800"; }
    std::string settingsText() const {
        std::ifstream file(settingsFile());
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    void writeSettingsText(const std::string& text) const {
        fs::create_directories(settingsFile().parent_path());
        std::ofstream(settingsFile()) << text;
    }

    fs::path folder;
};

}  // namespace

TEST_F(XdgSettings, PanelSizeIsKeptInTheVendorsFolderAndReadBack) {
    EXPECT_EQ(userSettings::panelScale(), 0.0);
    ASSERT_TRUE(userSettings::setPanelScale(2.0));
    EXPECT_EQ(settingsText(), "Size=200\n");
    EXPECT_EQ(userSettings::panelScale(), 2.0);
    ASSERT_TRUE(userSettings::setPanelScale(1.5));
    EXPECT_EQ(settingsText(), "Size=150\n");
    // A refused size forgets the choice, so the host's or the display's scale applies again.
    ASSERT_TRUE(userSettings::setPanelScale(7.0));
    EXPECT_EQ(settingsText(), "");
    EXPECT_EQ(userSettings::panelScale(), 0.0);
    EXPECT_FALSE(fs::exists(settingsFile().string() + ".new"));
}

TEST_F(XdgSettings, OtherLinesSurviveAWriteAndDamagedValuesReadAsUnset) {
    writeSettingsText("Theme=3\nSize=abc\nbroken line\n=7\n");
    std::uint32_t value = 0;
    EXPECT_FALSE(gui::platform::readSetting(kScope, "Size", value));
    ASSERT_TRUE(gui::platform::writeSetting(kScope, "Size", 300));
    EXPECT_EQ(settingsText(), "Size=300\nTheme=3\n");
    for (const char* damaged : {"Size=-5\n", "Size=4294967296\n", "Size=\n", "Size=12x\n"}) {
        writeSettingsText(damaged);
        EXPECT_FALSE(gui::platform::readSetting(kScope, "Size", value)) << damaged;
    }
    writeSettingsText("Size=4294967295\n");
    ASSERT_TRUE(gui::platform::readSetting(kScope, "Size", value));
    EXPECT_EQ(value, 4294967295u);
}

TEST_F(XdgSettings, NamesThatWouldBreakTheFileOrLeaveTheFolderAreRefused) {
    std::uint32_t value = 0;
    for (const char* name : {"a=b", "two\nlines", "", "..", "x/y"}) {
        EXPECT_FALSE(gui::platform::writeSetting(kScope, name, 1)) << name;
        EXPECT_FALSE(gui::platform::readSetting(kScope, name, value)) << name;
    }
    EXPECT_FALSE(gui::platform::writeSetting({"..", "x"}, "Size", 1));
    EXPECT_FALSE(gui::platform::writeSetting(kScope, nullptr, 1));
    EXPECT_FALSE(fs::exists(folder / "Mirevox"));
}

TEST_F(XdgSettings, RelativeConfigFolderFallsBackToHomeAndNoHomeStoresNothing) {
    const std::string savedHome = getenv("HOME") ? getenv("HOME") : "";
    setenv("XDG_CONFIG_HOME", "relative/config", 1);
    setenv("HOME", folder.c_str(), 1);
    EXPECT_TRUE(gui::platform::writeSetting(kScope, "Size", 250));
    EXPECT_TRUE(fs::exists(folder / ".config" / "Mirevox" / "Talon 5800"));
    unsetenv("HOME");
    std::uint32_t value = 0;
    EXPECT_FALSE(gui::platform::writeSetting(kScope, "Size", 200));
    EXPECT_FALSE(gui::platform::readSetting(kScope, "Size", value));
    setenv("HOME", savedHome.c_str(), 1);
}

TEST_F(XdgSettings, UnwritableFolderFailsTheWriteAndKeepsTheOldValue) {
    ASSERT_TRUE(gui::platform::writeSetting(kScope, "Size", 200));
    // A file where the vendor's folder would be: nothing can be written below it.
    const fs::path blocked = folder / "blocked";
    std::ofstream(blocked) << "not a folder";
    setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
    std::uint32_t value = 0;
    EXPECT_FALSE(gui::platform::writeSetting(kScope, "Size", 300));
    EXPECT_FALSE(gui::platform::readSetting(kScope, "Size", value));
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    ASSERT_TRUE(gui::platform::readSetting(kScope, "Size", value));
    EXPECT_EQ(value, 200u);
}
