// talonhost photographs the Linux VST plug-in's panel in a window on this test's X display at the
// demo's setting (StEx 75), at 1.0, 2.0 and 3.0; the pictures go to out/ and are compared with
// those the Windows build takes of itself. The artwork must come out the same pixel for pixel;
// the value entries' digits come from another font rasteriser and may differ within bounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gui/x11/PanelPictures.h"

using namespace panelpictures;

namespace {

// Where the two rasterisers disagree about the digits: along the glyphs' edges, where one pixel
// is a little greener than the other, never over the whole entry nor by a whole stroke. At 1.0
// and 2.0 at most 7 % of an entry's pixels differ, by at most 135 of 255, and the pixels that are
// clearly ink in both pictures are at least 74 % of either's ink. At 3.0 an edge may sit a whole
// pixel over, so the largest difference is only reported. A missing, misplaced or wrong-coloured
// value puts full ink against background, or shares little of it.
constexpr double kMostTextPixelsDiffering = 0.15;
constexpr double kLeastSharedInk = 0.60;
// The entries' text is pure green on near black: ink is a pixel clearly greener than it is red
// or blue.
constexpr int kInkGreenMargin = 64;

struct TextDifference {
    int pixels = 0;
    int differing = 0;
    int largest = 0;  // the largest difference of one channel, 0 to 255
    int linuxInk = 0;
    int windowsInk = 0;
    int sharedInk = 0;
};

bool isInk(std::uint32_t rgb) {
    const int red = static_cast<int>((rgb >> 16) & 0xFF);
    const int green = static_cast<int>((rgb >> 8) & 0xFF);
    const int blue = static_cast<int>(rgb & 0xFF);
    return green - std::max(red, blue) > kInkGreenMargin;
}

void countText(TextDifference& text, std::uint32_t linux, std::uint32_t windows) {
    ++text.pixels;
    const bool linuxInk = isInk(linux);
    const bool windowsInk = isInk(windows);
    text.linuxInk += linuxInk;
    text.windowsInk += windowsInk;
    text.sharedInk += linuxInk && windowsInk;
    const int difference = channelDifference(linux, windows);
    if (difference == 0) return;
    ++text.differing;
    text.largest = std::max(text.largest, difference);
}

// What differs in the artwork and in each text region.
struct Comparison {
    int artworkPixels = 0;
    int artworkDiffering = 0;
    TextDifference text[kTextRegionCount];
};

// Runs talonhost on the plug-in at the demo's setting; scale 1 leaves the factor unannounced, as
// the Windows picture was taken. The picture goes to out/.
Picture photographPanel(int scale, const std::string& file) {
    const std::string path = std::string(TALON_OUTPUT_DIR "/") + file;
    std::remove(path.c_str());
    std::string command = std::string("'" TALON_HOST_PROGRAM "' --plugin '" TALON_PLUGIN "'") +
                          " --set StEx=75 --screenshot '" + path + "'";
    if (scale != 1) command += " --scale " + std::to_string(scale);
    const int status = std::system((command + " >/dev/null").c_str());
    EXPECT_EQ(status, 0) << command;
    return readPicture(path);
}

Comparison compare(const Picture& linux, const Picture& windows, int scale) {
    Comparison found;
    for (int y = 0; y < linux.height; ++y)
        for (int x = 0; x < linux.width; ++x) {
            const int region = textRegionAt(x, y, scale);
            if (region >= 0) {
                countText(found.text[region], linux.at(x, y), windows.at(x, y));
                continue;
            }
            ++found.artworkPixels;
            if (linux.at(x, y) != windows.at(x, y) && ++found.artworkDiffering <= 5)
                ADD_FAILURE() << "artwork pixel " << x << ", " << y << std::hex << ": "
                              << linux.at(x, y) << " instead of " << windows.at(x, y);
        }
    return found;
}

void expectOnlyRasteriserDifferences(const TextDifference& text, int entry) {
    std::printf(
        "  value text %d: %d of %d pixels differ, by at most %d of 255; ink %d here, %d on "
        "Windows, %d shared\n",
        entry, text.differing, text.pixels, text.largest, text.linuxInk, text.windowsInk,
        text.sharedInk);
    EXPECT_LE(text.differing, static_cast<int>(text.pixels * kMostTextPixelsDiffering));
    EXPECT_GT(text.windowsInk, 0);
    EXPECT_GE(text.sharedInk, static_cast<int>(text.windowsInk * kLeastSharedInk));
    EXPECT_GE(text.sharedInk, static_cast<int>(text.linuxInk * kLeastSharedInk));
}

void comparePhotographWithWindows(int scale, const char* reference, const char* written) {
    const std::string referencePath = std::string(TALON_DOCS_DIR "/") + reference;
    const Picture linux = photographPanel(scale, written);
    ASSERT_EQ(linux.width, kPanelWidth * scale);
    ASSERT_EQ(linux.height, kPanelHeight * scale);
    const Picture windows = readPicture(referencePath);
    ASSERT_GT(windows.width, 0) << referencePath;
    ASSERT_EQ(windows.width, linux.width);
    ASSERT_EQ(windows.height, linux.height);

    const Comparison found = compare(linux, windows, scale);
    std::printf("panel at %d.0: %d artwork pixels, %d differ\n", scale, found.artworkPixels,
                found.artworkDiffering);
    EXPECT_EQ(found.artworkDiffering, 0);
    EXPECT_GT(found.artworkPixels, kPanelWidth * kPanelHeight * scale * scale * 9 / 10);
    for (int i = 0; i < kTextRegionCount; ++i)
        expectOnlyRasteriserDifferences(found.text[i], i + 1);
}

}  // namespace

TEST(HostScreenshot, PanelAtOneMatchesTheWindowsPicture) {
    comparePhotographWithWindows(1, "panel.png", "panel-linux.png");
}

TEST(HostScreenshot, PanelAtTwoMatchesTheWindowsPicture) {
    comparePhotographWithWindows(2, "panel@2x.png", "panel-linux@2x.png");
}

TEST(HostScreenshot, PanelAtThreeMatchesTheWindowsPicture) {
    comparePhotographWithWindows(3, "panel@3x.png", "panel-linux@3x.png");
}
