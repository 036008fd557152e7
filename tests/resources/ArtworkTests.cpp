// The panel's artwork as the built plug-in carries it: each image under type "PNG" in US English,
// with the size and colour type the editor's controls are laid out for, decoding whole.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "gui/draw/BitmapTestSupport.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/PlatformGlobals.h"
#include "resources/ArtworkResources.h"

namespace {

constexpr int kColourRgb = 2;
constexpr int kColourRgba = 6;
constexpr int kFrameCount = 61;
constexpr int kKnobSize = 80;
constexpr int kStripHeight = 20;

struct Artwork {
    int id;
    std::uint32_t width;
    std::uint32_t height;
    int colourType;
};
constexpr Artwork kArtwork[] = {{IDP_PANEL_BACKGROUND, 752, 80, kColourRgb},
                                {IDP_KNOB_STRIP, kKnobSize, kKnobSize* kFrameCount, kColourRgba},
                                {IDP_EXPANSION_STRIP, 228, kStripHeight* kFrameCount, kColourRgba}};

std::uint32_t bigEndian(const unsigned char* bytes) {
    return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
           std::uint32_t{bytes[2]} << 8 | bytes[3];
}

class ArtworkTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(plugin, nullptr) << "Talon5800.dll did not load"; }
    void TearDown() override {
        gui::moduleHandle = savedModule;
        if (plugin) FreeLibrary(plugin);
    }

    std::vector<unsigned char> png(int id) const {
        HRSRC found = FindResourceExA(plugin, "PNG", MAKEINTRESOURCEA(id),
                                      MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
        if (!found) return {};
        const auto* data =
            static_cast<const unsigned char*>(LockResource(LoadResource(plugin, found)));
        return std::vector<unsigned char>(data, data + SizeofResource(plugin, found));
    }
    // Loaded as the editor loads it: by number from the plug-in's resources.
    gui::ScopedReference<gui::CBitmap> loadFromPlugin(int id) {
        gui::moduleHandle = plugin;
        return gui::ScopedReference<gui::CBitmap>(new gui::CBitmap(id));
    }

    HMODULE plugin = LoadLibraryExA("Talon5800.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HMODULE savedModule = gui::moduleHandle;
};

}  // namespace

TEST_F(ArtworkTest, EachImageHasItsSizeAndColourType) {
    for (const Artwork& art : kArtwork) {
        SCOPED_TRACE(art.id);
        const std::vector<unsigned char> bytes = png(art.id);
        // Signature, then the header chunk's length, type, width, height, depth, colour type.
        ASSERT_GE(bytes.size(), 26u);
        EXPECT_EQ(std::memcmp(bytes.data(), "\x89PNG\r\n\x1a\n", 8), 0);
        EXPECT_EQ(std::memcmp(bytes.data() + 12, "IHDR", 4), 0);
        EXPECT_EQ(bigEndian(bytes.data() + 16), art.width);
        EXPECT_EQ(bigEndian(bytes.data() + 20), art.height);
        EXPECT_EQ(bytes[24], 8);
        EXPECT_EQ(bytes[25], art.colourType);
    }
}

TEST_F(ArtworkTest, EachImageDecodesWholeAtItsSize) {
    for (const Artwork& art : kArtwork) {
        SCOPED_TRACE(art.id);
        const std::vector<unsigned char> bytes = png(art.id);
        gui::ScopedReference<gui::CBitmap> decoded(new gui::CBitmap());
        EXPECT_TRUE(decoded->loadFromMemory(bytes.data(), std::uint32_t(bytes.size())));
        const auto bitmap = loadFromPlugin(art.id);
        ASSERT_TRUE(bitmap->isLoaded());
        EXPECT_EQ(bitmap->getWidth(), std::int32_t(art.width));
        EXPECT_EQ(bitmap->getHeight(), std::int32_t(art.height));
        EXPECT_FALSE(bitmap->getIgnoreAlpha());
    }
}

// Frames are see-through at their corners, where the panel shows, and the knob's pointer runs
// from the lower left (frame 0) over the top (30) to the lower right (60).
TEST_F(ArtworkTest, FramesAreSeeThroughAtTheCornersAndTheKnobTurnsAlongItsTravel) {
    const auto knob = loadFromPlugin(IDP_KNOB_STRIP);
    const auto strip = loadFromPlugin(IDP_EXPANSION_STRIP);
    ASSERT_TRUE(knob->isLoaded() && strip->isLoaded());
    const double pi = std::acos(-1.0);
    for (int frame = 0; frame < kFrameCount; ++frame) {
        SCOPED_TRACE(frame);
        const int top = frame * kKnobSize;
        EXPECT_EQ(bitmaptest::pixelAt(*knob, 0, top).alpha, 0);
        EXPECT_EQ(bitmaptest::pixelAt(*knob, kKnobSize - 1, top + kKnobSize - 1).alpha, 0);
        EXPECT_EQ(bitmaptest::pixelAt(*strip, 0, frame * kStripHeight).alpha, 0);
        const double angle = (225.0 - 270.0 * frame / (kFrameCount - 1)) * pi / 180.0;
        const int x = int(kKnobSize / 2 + 12 * std::cos(angle));
        const int y = int(kKnobSize / 2 - 12 * std::sin(angle));
        const bitmaptest::Bgra pointer = bitmaptest::pixelAt(*knob, x, top + y);
        EXPECT_GT(pointer.red + pointer.green + pointer.blue, 3 * 200) << x << ", " << y;
        const bitmaptest::Bgra opposite =
            bitmaptest::pixelAt(*knob, kKnobSize - x, top + kKnobSize - y);
        EXPECT_LT(opposite.red + opposite.green + opposite.blue, 3 * 150);
    }
}
