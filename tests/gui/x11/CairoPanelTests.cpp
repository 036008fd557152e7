// The panel drawn offscreen through the toolkit's bitmaps over Cairo, compared with the pictures
// the Windows build takes of itself: outside the two value texts, whose glyphs come from another
// rasteriser, every pixel must be the same.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <string>
#include <vector>

#include "effect/ParameterText.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/draw/FakeFrame.h"
#include "gui/draw/PixelSurface.h"
#include "gui/x11/PanelPictures.h"
#include "resources/ArtworkResources.h"

using namespace gui;

namespace {

using panelpictures::kPanelHeight;
using panelpictures::kPanelWidth;

constexpr int kFrameCount = 61;
constexpr int kKnobFrameHeight = 80;
constexpr int kStripFrameHeight = 20;
// The pictures show the demo's setting: expansion at 75 %, output at its default, halfway. The
// frames are those the knob and the strip pick for these values.
constexpr float kExpansionValue = 0.75f;
constexpr float kOutputValue = 0.5f;
const CRectangle kExpansionKnobRect(64, 0, 144, 80);
const CRectangle kOutputKnobRect(488, 0, 568, 80);
const CRectangle kStripRect(227, 26, 455, 46);

void writePicture(const PixelSurface& surface, const std::string& path) {
    std::vector<unsigned char> bytes;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            const std::uint32_t rgb = surface.rgb(x, y);
            bytes.insert(bytes.end(),
                         {static_cast<unsigned char>(rgb >> 16),
                          static_cast<unsigned char>(rgb >> 8), static_cast<unsigned char>(rgb)});
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_RGB;
    png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr);
}

CBitmap* artwork(std::int32_t id, std::int32_t twice, std::int32_t thrice) {
    auto* bitmap = new CBitmap(id);
    bitmap->addScaledResource(2, twice);
    bitmap->addScaledResource(3, thrice);
    return bitmap;
}

// What the editor's views draw at open, in panel coordinates: the background, the knobs' and
// the strip's frames for the shown value.
void drawPanel(CDrawContext& context) {
    CBitmap* background =
        artwork(IDP_PANEL_BACKGROUND, IDP_PANEL_BACKGROUND_2X, IDP_PANEL_BACKGROUND_3X);
    CBitmap* knob = artwork(IDP_KNOB_STRIP, IDP_KNOB_STRIP_2X, IDP_KNOB_STRIP_3X);
    CBitmap* strip = artwork(IDP_EXPANSION_STRIP, IDP_EXPANSION_STRIP_2X, IDP_EXPANSION_STRIP_3X);
    background->draw(&context, CRectangle(0, 0, kPanelWidth, kPanelHeight), CPosition(0, 0));
    const auto frameOf = [](float value) { return static_cast<int>(value * (kFrameCount - 1)); };
    knob->draw(&context, kExpansionKnobRect,
               CPosition(0, frameOf(kExpansionValue) * kKnobFrameHeight));
    knob->draw(&context, kOutputKnobRect, CPosition(0, frameOf(kOutputValue) * kKnobFrameHeight));
    strip->draw(&context, kStripRect, CPosition(0, frameOf(kExpansionValue) * kStripFrameHeight));
    background->release();
    knob->release();
    strip->release();
}

// The value texts as the entries show them; their pixels are the font rasteriser's and are not
// compared, but the written picture shows them.
void drawValueTexts(CDrawContext& context) {
    constexpr CColorValue kEntryTextColor = {0, 255, 0, 255};
    constexpr std::int32_t kTextLength = 16;
    char expansion[kTextLength] = {};
    char output[kTextLength] = {};
    expansionToText(kExpansionValue, expansion, kTextLength - 1);
    outputToText(kOutputValue, output, kTextLength - 1);
    context.setFont(kFontSmall);
    context.setFontColor(kEntryTextColor);
    for (int i = 0; i < panelpictures::kTextRegionCount; ++i) {
        const panelpictures::Region& region = panelpictures::kTextRegions[i];
        const CRectangle rect(region.left, region.top, region.right, region.bottom);
        context.drawText(i == 0 ? expansion : output, rect, 0, kAlignCenter);
    }
}

void compareWithWindows(int scale, const char* reference, const char* written) {
    CFrame frame(CRectangle(0, 0, kPanelWidth, kPanelHeight), nullptr);
    frame.scale = scale;
    PixelSurface surface(kPanelWidth * scale, kPanelHeight * scale);
    CDrawContext context(&frame, surface.device(), nullptr);
    drawPanel(context);
    drawValueTexts(context);
    writePicture(surface, std::string(TALON_OUTPUT_DIR "/") + written);

    const std::string referencePath = std::string(TALON_DOCS_DIR "/") + reference;
    const panelpictures::Picture windows = panelpictures::readPicture(referencePath);
    ASSERT_EQ(windows.width, surface.width());
    ASSERT_EQ(windows.height, surface.height());
    int compared = 0;
    int differing = 0;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x) {
            if (panelpictures::textRegionAt(x, y, scale) >= 0) continue;
            ++compared;
            const std::uint32_t expected = windows.at(x, y);
            if (surface.rgb(x, y) == expected) continue;
            if (++differing <= 5)
                ADD_FAILURE() << "at " << x << ", " << y << std::hex << ": " << surface.rgb(x, y)
                              << " instead of " << expected;
        }
    std::printf("panel at %d.0: %d artwork pixels compared, %d differ\n", scale, compared,
                differing);
    EXPECT_EQ(differing, 0);
    EXPECT_GT(compared, kPanelWidth * kPanelHeight * scale * scale * 9 / 10);
}

}  // namespace

TEST(CairoPanel, ArtworkAtOneMatchesTheWindowsPicturePixelForPixel) {
    compareWithWindows(1, "panel.png", "panel-linux-offscreen.png");
}

TEST(CairoPanel, ArtworkAtTwoMatchesTheWindowsPicturePixelForPixel) {
    compareWithWindows(2, "panel@2x.png", "panel-linux-offscreen@2x.png");
}

TEST(CairoPanel, ArtworkAtThreeMatchesTheWindowsPicturePixelForPixel) {
    compareWithWindows(3, "panel@3x.png", "panel-linux-offscreen@3x.png");
}
