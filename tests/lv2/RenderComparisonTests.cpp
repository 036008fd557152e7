// One stereo signal rendered at the same settings by three hosts, each run as a black box on its
// own files: Debian's lv2apply through the bundle, talonhost through the Linux VST object, and
// talonhost.exe through the Windows DLL under Wine. The processing is one piece of code on every
// platform, so the renders must agree sample for sample.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "effect/lv2/Lv2Plugin.h"
#include "tools/host/TestSignal.h"
#include "tools/host/WavFile.h"

namespace fs = std::filesystem;

namespace {

struct Setting {
    const char* fileStem;
    float percent;   // the bundle's StEx control
    float decibels;  // the bundle's Output control
};

constexpr Setting kSettings[] = {{"stex50-out0", 50.0f, 0.0f}, {"stex100-out-6", 100.0f, -6.0f}};

// Where the effect's cross-feed leaves a sample as it was (the other channel at zero), the
// render may equal the input; everywhere else it must not.
constexpr double kMinChangedShare = 0.99;

// The Windows build to compare, as ./test.sh names it once it has built that: win32 or win64.
constexpr const char* kWindowsBuildVariable = "TALON_WINDOWS_BUILD";

// Signed zeros and NaNs count.
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::string quoted(const std::string& text) { return "'" + text + "'"; }

// Nine significant digits give back the very float the bundle's control maps to.
std::string normalizedArgument(float value) {
    std::ostringstream text;
    text << "norm:" << std::setprecision(9) << value;
    return text.str();
}

// Runs a command line with its output in log; the exit status, 0 for success.
int runLogged(const std::string& command, const fs::path& log) {
    return std::system((command + " >" + quoted(log.string()) + " 2>&1").c_str());
}

std::string logText(const fs::path& log) {
    std::ifstream file(log);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class Renders : public ::testing::Test {
  protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::path(TALON_RENDER_FOLDER) / test->name();
        fs::remove_all(folder);
        fs::create_directories(folder);
        input = makeTestSignal();
        writeWavFile((folder / "in.wav").string(), input);
    }

    // lv2apply's render through the bundle at the setting's control values.
    StereoAudio lv2applyRender(const Setting& setting) {
        const fs::path out = folder / (std::string(setting.fileStem) + "-lv2.wav");
        std::ostringstream command;
        command << "LV2_PATH=" << quoted(TALON_LV2_PATH) << ' ' << TALON_LV2APPLY << " -i "
                << quoted((folder / "in.wav").string()) << " -o " << quoted(out.string())
                << " -c StEx " << setting.percent << " -c Output " << setting.decibels << ' '
                << TALON_LV2_URI;
        return rendered(command.str(), out);
    }

    // talonhost's render through a VST plug-in at the normalized values the controls map to;
    // hostCommand is the program, with the emulator that runs it where it needs one.
    StereoAudio talonhostRender(const std::string& hostCommand, const std::string& plugin,
                                const Setting& setting, const std::string& suffix) {
        const fs::path out = folder / (std::string(setting.fileStem) + "-" + suffix + ".wav");
        const std::string command =
            hostCommand + " --plugin " + quoted(plugin) +
            " --set StEx=" + normalizedArgument(talonLv2::expansionFromPercent(setting.percent)) +
            " --set Output=" + normalizedArgument(talonLv2::outputFromDecibels(setting.decibels)) +
            ' ' + quoted((folder / "in.wav").string()) + " -o " + quoted(out.string());
        return rendered(command, out);
    }

    StereoAudio rendered(const std::string& command, const fs::path& out) {
        const fs::path log = fs::path(out).replace_extension(".log");
        const int status = runLogged(command, log);
        EXPECT_EQ(status, 0) << command << '\n' << logText(log);
        if (status != 0 || !fs::exists(out)) return StereoAudio();
        return readWavFile(out.string()).audio;
    }

    // The same frames, bit for bit, and changed from the input nearly everywhere.
    void expectSameRender(const StereoAudio& reference, const StereoAudio& render,
                          const Setting& setting) {
        ASSERT_EQ(reference.frames(), input.frames()) << setting.fileStem;
        ASSERT_EQ(render.frames(), input.frames()) << setting.fileStem;
        std::size_t differing = 0;
        std::size_t changed = 0;
        for (std::size_t i = 0; i < input.frames(); ++i) {
            differing += !sameBits(reference.left[i], render.left[i]) +
                         !sameBits(reference.right[i], render.right[i]);
            changed +=
                (reference.left[i] != input.left[i]) + (reference.right[i] != input.right[i]);
        }
        const std::size_t samples = 2 * input.frames();
        EXPECT_EQ(differing, 0u) << setting.fileStem << ": of " << samples << " samples";
        EXPECT_GE(changed, kMinChangedShare * samples) << setting.fileStem << ": of " << samples;
    }

    fs::path folder;
    StereoAudio input;
};

TEST_F(Renders, TalonhostOnTheLinuxVstObjectMatchesLv2apply) {
    for (const Setting& setting : kSettings) {
        expectSameRender(lv2applyRender(setting),
                         talonhostRender(quoted(TALON_HOST), TALON_VST_OBJECT, setting, "so"),
                         setting);
    }
}

TEST_F(Renders, TalonhostOnTheWindowsDllMatchesLv2apply) {
    const char* build = std::getenv(kWindowsBuildVariable);
    if (build == nullptr || *build == '\0') {
        GTEST_SKIP() << "no Windows build named: " << kWindowsBuildVariable
                     << "=win32 (or win64) compares its DLL; ./test.sh does once it has built it";
    }
    ASSERT_TRUE(std::string(build) == "win32" || std::string(build) == "win64") << build;
    const fs::path bin = fs::path(TALON_SOURCE_DIR) / "build" / build / "bin";
    ASSERT_TRUE(fs::exists(bin / "Talon5800.dll")) << bin;
    const std::string host = quoted(std::string(TALON_SOURCE_DIR) + "/scripts/wine-run.sh") + ' ' +
                             build + ' ' + quoted((bin / "talonhost.exe").string());
    std::cout << "comparing " << (bin / "Talon5800.dll").string() << '\n';
    for (const Setting& setting : kSettings) {
        expectSameRender(lv2applyRender(setting),
                         talonhostRender(host, (bin / "Talon5800.dll").string(), setting, build),
                         setting);
    }
}

}  // namespace
