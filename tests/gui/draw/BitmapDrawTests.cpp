// Drawing: opaque copies, per-pixel and constant alpha, film-strip frames chosen by the source
// offset, colour keys through TransparentBlt, a made-on-the-spot mask or a stored key mask.
#include <cstdint>
#include <cstdlib>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/FakeFrame.h"
#include "gui/draw/PixelSurface.h"
#include "gui/platform/win32/Win32Handles.h"
#include "tests/gui/draw/BitmapTestSupport.h"

using namespace gui;

namespace {

constexpr int kSurfaceSide = 96;
constexpr std::uint32_t kBackground = rgbOf(0x33, 0x66, 0x99);
constexpr int kTolerance = 1;  // the platform blend rounds its division by 255 either way

testing::AssertionResult closeTo(std::uint32_t rgb, int red, int green, int blue) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    if (std::abs(r - red) <= kTolerance && std::abs(g - green) <= kTolerance &&
        std::abs(b - blue) <= kTolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "got (" << r << ", " << g << ", " << b << ")";
}

class BitmapDraw : public bitmaptest::BitmapTest {
  protected:
    void SetUp() override {
        BitmapTest::SetUp();
        surface.fill(kBackground);
    }
    int untouched() const { return surface.count(kBackground, 0, 0, kSurfaceSide, kSurfaceSide); }
    static constexpr int kAllPixels = kSurfaceSide * kSurfaceSide;

    PixelSurface surface{kSurfaceSide, kSurfaceSide};
    CDrawContext context{nullptr, surface.device(), nullptr};
};

TEST_F(BitmapDraw, OpaquePngCopiesItsPremultipliedColoursToTheOffsetDestination) {
    CBitmap bitmap(IDP_RGB8);
    context.offset = CPosition(10, 5);
    bitmap.draw(&context, CRectangle(2, 3, 4, 5));
    EXPECT_EQ(surface.rgb(12, 8), rgbOf(199, 99, 49));
    EXPECT_EQ(surface.rgb(13, 8), rgbOf(254, 0, 0));
    EXPECT_EQ(surface.rgb(12, 9), rgbOf(0, 254, 0));
    EXPECT_EQ(surface.rgb(13, 9), rgbOf(0, 0, 254));
    EXPECT_EQ(untouched(), kAllPixels - 4);
}

TEST_F(BitmapDraw, PerPixelAlphaBlendsOverTheBackground) {
    CBitmap bitmap(IDP_RGBA8);
    bitmap.draw(&context, CRectangle(0, 0, 2, 2));
    EXPECT_EQ(surface.rgb(1, 0), kBackground);       // alpha 0
    EXPECT_EQ(surface.rgb(0, 1), rgbOf(9, 19, 29));  // alpha 255
    // (100, 50, 25) at alpha 128 over (51, 102, 153): source + background x 127 / 255.
    EXPECT_TRUE(closeTo(surface.rgb(0, 0), 125, 101, 101));
    EXPECT_TRUE(closeTo(surface.rgb(1, 1), 101, 108, 115));
}

TEST_F(BitmapDraw, SourceOffsetPicksTheFilmStripFrame) {
    CBitmap strip(IDP_FILM_STRIP);
    ASSERT_EQ(strip.getHeight(), 61 * 80);
    // Frame n is the solid colour (4n, 255 - 4n, n), premultiplied at alpha 255.
    const struct {
        int frame;
        std::uint32_t colour;
    } frames[] = {{0, rgbOf(0, 254, 0)},
                  {1, rgbOf(3, 250, 0)},
                  {30, rgbOf(119, 134, 29)},
                  {60, rgbOf(239, 14, 59)}};
    for (const auto& expected : frames) {
        surface.fill(kBackground);
        strip.draw(&context, CRectangle(0, 0, 80, 80), CPosition(0, 80 * expected.frame));
        EXPECT_EQ(surface.count(expected.colour, 0, 0, 80, 80), 80 * 80) << expected.frame;
        EXPECT_EQ(untouched(), kAllPixels - 80 * 80);
    }
}

TEST_F(BitmapDraw, AreaPastTheEndOfTheStripDrawsTheRowsThatExistOnEveryPath) {
    CBitmap strip(IDP_FILM_STRIP);
    const std::uint32_t lastFrame = rgbOf(239, 14, 59);
    const CRectangle knob(0, 0, 80, 80);
    // Half a frame past the last one: 40 rows exist, 40 do not.
    const CPosition halfPastLast(0, 80 * 60 + 40);
    const auto expectUpperHalf = [&](const char* path) {
        EXPECT_EQ(surface.count(lastFrame, 0, 0, 80, 40), 80 * 40) << path;
        EXPECT_EQ(untouched(), kAllPixels - 80 * 40) << path;
        surface.fill(kBackground);
    };
    strip.draw(&context, knob, halfPastLast);
    expectUpperHalf("blend");
    osVersion.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    osVersion.dwMajorVersion = 4;
    osVersion.dwMinorVersion = 10;
    strip.draw(&context, knob, halfPastLast);
    expectUpperHalf("blend through a copy");
    alphaBlendEntry = nullptr;
    strip.draw(&context, knob, halfPastLast);
    expectUpperHalf("opaque copy");
    strip.draw(&context, knob, CPosition(-10, 80 * 61));
    EXPECT_EQ(untouched(), kAllPixels);  // wholly outside: nothing
}

TEST_F(BitmapDraw, ConstantAlphaScalesTheImage) {
    surface.fill(0);
    CBitmap bitmap(IDP_RGB8);
    bitmap.drawBlended(&context, CRectangle(0, 0, 2, 2), CPosition(0, 0), 128);
    EXPECT_TRUE(closeTo(surface.rgb(1, 0), 128, 0, 0));  // 254 x 128 / 255
    EXPECT_TRUE(closeTo(surface.rgb(0, 0), 100, 50, 25));
    surface.fill(kBackground);
    bitmap.drawBlended(&context, CRectangle(0, 0, 2, 2), CPosition(0, 0), 0);
    EXPECT_EQ(untouched(), kAllPixels);
}

TEST_F(BitmapDraw, WithoutAlphaBlendTheImageIsCopiedOpaquely) {
    alphaBlendEntry = nullptr;
    CBitmap bitmap(IDP_RGBA8);
    bitmap.drawBlended(&context, CRectangle(0, 0, 2, 2), CPosition(0, 0), 0);
    EXPECT_EQ(untouched(), kAllPixels);
    bitmap.draw(&context, CRectangle(0, 0, 2, 2));
    EXPECT_EQ(surface.rgb(0, 0), rgbOf(100, 50, 25));
    EXPECT_EQ(surface.rgb(1, 0), 0u);  // the premultiplied clear pixel, no longer left out
}

TEST_F(BitmapDraw, Windows98BlendsThroughACopyWithTheSameResult) {
    CBitmap picture(IDP_INTERLACED);
    PixelSurface other(kSurfaceSide, kSurfaceSide);
    other.fill(kBackground);
    CDrawContext otherContext(nullptr, other.device(), nullptr);
    const CRectangle rect(3, 2, 10, 9);
    const CPosition source(4, 2);
    picture.drawBlended(&context, rect, source, 200);
    osVersion.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    osVersion.dwMajorVersion = 4;
    osVersion.dwMinorVersion = 10;
    picture.drawBlended(&otherContext, rect, source, 200);
    EXPECT_EQ(untouched(), kAllPixels - 7 * 7);
    for (int y = 0; y < kSurfaceSide; ++y)
        for (int x = 0; x < kSurfaceSide; ++x)
            ASSERT_EQ(surface.rgb(x, y), other.rgb(x, y)) << x << ", " << y;
}

TEST_F(BitmapDraw, PlainBitmapIsCopiedUnchanged) {
    CBitmap bitmap(IDB_PLAIN);
    bitmap.draw(&context, CRectangle(0, 0, 4, 2));
    EXPECT_EQ(surface.rgb(0, 0), rgbOf(255, 255, 255));
    EXPECT_EQ(surface.rgb(1, 0), rgbOf(255, 0, 0));
    EXPECT_EQ(surface.rgb(3, 1), rgbOf(10, 20, 30));
}

// The plain bitmap's top row is white, red, white, blue; its bottom row green, white, black,
// (10, 20, 30). Checks one keyed copy at (8, 4) with the pixels of `leftOut` left out.
void expectKeyedCopy(const PixelSurface& surface, std::uint32_t leftOut) {
    const std::uint32_t picture[2][4] = {
        {rgbOf(255, 255, 255), rgbOf(255, 0, 0), rgbOf(255, 255, 255), rgbOf(0, 0, 255)},
        {rgbOf(0, 255, 0), rgbOf(255, 255, 255), 0, rgbOf(10, 20, 30)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(surface.rgb(8 + x, 4 + y),
                      picture[y][x] == leftOut ? kBackground : picture[y][x])
                << x << ", " << y;
}

TEST_F(BitmapDraw, KeyedDrawingLeavesOutTheKeyColourWithOrWithoutTransparentBlt) {
    ASSERT_NE(transparentBltEntry, nullptr);
    const TransparentBltFunction entries[] = {transparentBltEntry, nullptr};
    for (TransparentBltFunction entry : entries) {
        transparentBltEntry = entry;
        CBitmap bitmap(IDB_PLAIN);
        surface.fill(kBackground);
        bitmap.drawKeyed(&context, CRectangle(8, 4, 12, 6));
        expectKeyedCopy(surface, rgbOf(255, 255, 255));
        surface.fill(kBackground);
        const COLORREF background = GetBkColor(surface.device());
        const COLORREF text = GetTextColor(surface.device());
        bitmap.setKeyColor(kRedColor);
        bitmap.drawKeyed(&context, CRectangle(8, 4, 12, 6));
        expectKeyedCopy(surface, rgbOf(255, 0, 0));
        EXPECT_EQ(GetBkColor(surface.device()), background);
        EXPECT_EQ(GetTextColor(surface.device()), text);
    }
}

TEST_F(BitmapDraw, KeyMaskTakenFromTheDeviceDecidesWhatIsLeftOut) {
    CBitmap bitmap(IDB_PLAIN);
    bitmap.draw(&context, CRectangle(0, 0, 4, 2));
    const COLORREF background = GetBkColor(surface.device());
    context.offset = CPosition(20, 20);  // the mask is read in device coordinates
    bitmap.setKeyMask(&context, CPosition(0, 0));
    ASSERT_TRUE(bitmap.hasKeyMask());
    EXPECT_EQ(GetBkColor(surface.device()), background);
    context.offset = CPosition(0, 0);
    bitmap.setKeyColor(kRedColor);  // no longer consulted: the mask was made with white
    surface.fill(kBackground);
    bitmap.drawKeyed(&context, CRectangle(8, 4, 12, 6));
    expectKeyedCopy(surface, rgbOf(255, 255, 255));
}

TEST_F(BitmapDraw, BitmapWithAlphaBlendsInsteadOfKeying) {
    CBitmap bitmap(IDP_RGBA8);
    bitmap.setKeyColor(CColorValue{9, 19, 29, 255});
    bitmap.drawKeyed(&context, CRectangle(0, 0, 2, 2));
    EXPECT_EQ(surface.rgb(0, 1), rgbOf(9, 19, 29));
    EXPECT_EQ(surface.rgb(1, 0), kBackground);
}

TEST_F(BitmapDraw, BitmapWithoutAnImageDrawsNothing) {
    CBitmap empty;
    CBitmap missing(ID_MISSING);
    for (CBitmap* bitmap : {&empty, &missing}) {
        bitmap->draw(&context, CRectangle(0, 0, 10, 10));
        bitmap->drawKeyed(&context, CRectangle(0, 0, 10, 10));
        bitmap->drawBlended(&context, CRectangle(0, 0, 10, 10), CPosition(0, 0), 255);
    }
    EXPECT_EQ(untouched(), kAllPixels);
}

// A larger drawing of another layout does not fit: at 2.0 the bitmap shows its own pixels
// enlarged, whether the picture was prepared ahead in the background or on the first drawing.
TEST_F(BitmapDraw, LargerDrawingThatDoesNotFitFallsBackToTheOwnPixelsInBothPaths) {
    for (const bool ahead : {true, false}) {
        CFrame frame(CRectangle(0, 0, 48, 48), nullptr);
        frame.scale = 2.0;
        CDrawContext doubled{&frame, surface.device(), nullptr};
        surface.fill(kBackground);
        CBitmap bitmap(IDP_RGB8);
        bitmap.addScaledResource(2, IDP_RGBA8);  // 2 x 2, where 4 x 4 would fit
        if (ahead) bitmap.prepareAhead(2.0);
        bitmap.draw(&doubled, CRectangle(1, 1, 3, 3));
        for (int y = 2; y < 6; ++y)
            for (int x = 2; x < 6; ++x) {
                const std::uint32_t own[2][2] = {{rgbOf(199, 99, 49), rgbOf(254, 0, 0)},
                                                 {rgbOf(0, 254, 0), rgbOf(0, 0, 254)}};
                EXPECT_EQ(surface.rgb(x, y), own[(y - 2) / 2][(x - 2) / 2])
                    << (ahead ? "prepared ahead: " : "first drawing: ") << x << ", " << y;
            }
        EXPECT_EQ(untouched(), kAllPixels - 16);
        CBitmap::releaseSharedScaledPixels();
    }
}

}  // namespace
