// The panel's artwork as the built plug-in carries it: each image under type "PNG" in US English,
// with the size and colour type the editor's controls are laid out for, decoding whole, at 100 %
// and again at 200 % and 300 %.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "gui/draw/BitmapTestSupport.h"
#include "gui/draw/CBitmap.h"
#include "gui/platform/win32/Win32Globals.h"
#include "gui/platform/win32/Win32Handles.h"
#include "resources/ArtworkResources.h"

namespace {

constexpr int kColourRgb = 2;
constexpr int kColourRgba = 6;
constexpr int kFrameCount = 61;
constexpr int kKnobSize = 80;
constexpr int kStripHeight = 20;
// The stereo image in a strip frame: it reaches from the centre by kImageMinimum plus the frame's
// share of kImageTravel, ends in a 1.6-pixel bright edge and glows up to 2 pixels further.
constexpr double kStripCentre = 114.0;
constexpr double kImageMinimum = 1.5;
constexpr double kImageTravel = 108.5;
constexpr double kEdgeCentreInside = 0.8;
constexpr double kPastTheGlow = 3.0;

struct Artwork {
    int id;
    std::uint32_t width;
    std::uint32_t height;
    int colourType;
};
constexpr Artwork kArtwork[] = {{IDP_PANEL_BACKGROUND, 752, 80, kColourRgb},
                                {IDP_KNOB_STRIP, kKnobSize, kKnobSize* kFrameCount, kColourRgba},
                                {IDP_EXPANSION_STRIP, 228, kStripHeight* kFrameCount, kColourRgba},
                                {IDP_PANEL_BACKGROUND_2X, 1504, 160, kColourRgb},
                                {IDP_KNOB_STRIP_2X, 160, 9760, kColourRgba},
                                {IDP_EXPANSION_STRIP_2X, 456, 2440, kColourRgba},
                                {IDP_PANEL_BACKGROUND_3X, 2256, 240, kColourRgb},
                                {IDP_KNOB_STRIP_3X, 240, 14640, kColourRgba},
                                {IDP_EXPANSION_STRIP_3X, 684, 3660, kColourRgba}};

struct ScaledStrips {
    int scale;
    int knobId;
    int stripId;
};
constexpr ScaledStrips kScaledStrips[] = {{2, IDP_KNOB_STRIP_2X, IDP_EXPANSION_STRIP_2X},
                                          {3, IDP_KNOB_STRIP_3X, IDP_EXPANSION_STRIP_3X}};

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

// The knob's pointer runs from the lower left (frame 0) over the top (30) to the lower right
// (60): 12 pixels out from the centre along it the frame is white, opposite it dark.
void expectPointerOfFrame(const gui::CBitmap& knob, int frame, int scale) {
    const double angle = (225.0 - 270.0 * frame / (kFrameCount - 1)) * std::acos(-1.0) / 180.0;
    const int size = kKnobSize * scale;
    const int x = int(scale * (kKnobSize / 2 + 12 * std::cos(angle)));
    const int y = int(scale * (kKnobSize / 2 - 12 * std::sin(angle)));
    const bitmaptest::Bgra pointer = bitmaptest::pixelAt(knob, x, frame * size + y);
    EXPECT_GT(pointer.red + pointer.green + pointer.blue, 3 * 200) << x << ", " << y;
    const bitmaptest::Bgra opposite = bitmaptest::pixelAt(knob, size - x, frame * size + size - y);
    EXPECT_LT(opposite.red + opposite.green + opposite.blue, 3 * 150);
}

// Along a scaled strip frame's middle row, the right edge of its stereo image is opaque where
// the edge of that frame's image lies, and nothing is drawn just past its glow: the neighbouring
// frames' images end 1.8 pixels nearer or further.
void expectImageEdgeOfFrame(const gui::CBitmap& strip, int frame, int scale) {
    const double edge = kStripCentre + kImageMinimum + kImageTravel * frame / (kFrameCount - 1);
    const int y = scale * (frame * kStripHeight + kStripHeight / 2);
    EXPECT_GE(bitmaptest::pixelAt(strip, int(scale * (edge - kEdgeCentreInside)), y).alpha, 240);
    EXPECT_EQ(bitmaptest::pixelAt(strip, int(scale * (edge + kPastTheGlow)), y).alpha, 0);
}

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
    for (int frame = 0; frame < kFrameCount; ++frame) {
        SCOPED_TRACE(frame);
        const int top = frame * kKnobSize;
        EXPECT_EQ(bitmaptest::pixelAt(*knob, 0, top).alpha, 0);
        EXPECT_EQ(bitmaptest::pixelAt(*knob, kKnobSize - 1, top + kKnobSize - 1).alpha, 0);
        EXPECT_EQ(bitmaptest::pixelAt(*strip, 0, frame * kStripHeight).alpha, 0);
        expectPointerOfFrame(*knob, frame, 1);
    }
}

// At 200 % and 300 % the knob and the strip hold the same 61 frames, each its 100 % frame drawn
// larger: the images are 2 and 3 times as wide and high, and frame k shows frame k's value.
TEST_F(ArtworkTest, ScaledStripsHoldTheOneTimesFramesDrawnLarger) {
    const auto knob = loadFromPlugin(IDP_KNOB_STRIP);
    const auto strip = loadFromPlugin(IDP_EXPANSION_STRIP);
    ASSERT_TRUE(knob->isLoaded() && strip->isLoaded());
    for (const ScaledStrips& scaled : kScaledStrips) {
        SCOPED_TRACE(scaled.scale);
        const auto largeKnob = loadFromPlugin(scaled.knobId);
        const auto largeStrip = loadFromPlugin(scaled.stripId);
        ASSERT_TRUE(largeKnob->isLoaded() && largeStrip->isLoaded());
        EXPECT_EQ(largeKnob->getWidth(), scaled.scale * knob->getWidth());
        EXPECT_EQ(largeKnob->getHeight(), scaled.scale * knob->getHeight());
        EXPECT_EQ(largeStrip->getWidth(), scaled.scale * strip->getWidth());
        EXPECT_EQ(largeStrip->getHeight(), scaled.scale * strip->getHeight());
        for (int frame = 0; frame < kFrameCount; ++frame) {
            SCOPED_TRACE(frame);
            expectPointerOfFrame(*largeKnob, frame, scaled.scale);
            expectImageEdgeOfFrame(*largeStrip, frame, scaled.scale);
        }
    }
}
