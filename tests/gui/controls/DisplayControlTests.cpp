// The display controls, read back from pixels drawn into memory: the film strip's frame for a
// value and its safety limits, the stepped animation, the digit row and the falling meter.
#include <gtest/gtest.h>

#include <limits>

#include "gui/controls/CAutoAnimation.h"
#include "gui/controls/CMovieBitmap.h"
#include "gui/controls/CSpecialDigit.h"
#include "gui/controls/CVuMeter.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/views/ViewTestSupport.h"

using namespace controltest;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr int kFrames = 61;
constexpr int kStripWidth = 228;
constexpr int kFrameHeight = 20;
const CRectangle kStripSize(0, 0, kStripWidth, kFrameHeight);

std::uint32_t frameColor(int k) { return rgbOf(4 * k, 100, 50); }

// A strip of count bands of the given height, band k painted frameColor(k).
gui::CBitmap* bandedStrip(int width, int height, int count) {
    auto* strip = new gui::CBitmap(nullptr, width, count * height);
    for (int k = 0; k < count; ++k)
        viewtest::paintBitmap(*strip, {0, k * height, width, (k + 1) * height},
                              viewtest::platformRgb(4 * k, 100, 50));
    return strip;
}

// The band a control shows over its whole size; -1 when the pixels are no whole band.
int shownBand(CControl& control, float value, int width, int height, int bands) {
    viewtest::Canvas canvas(width, height);
    control.setValue(value);
    control.draw(canvas.context.get());
    for (int k = 0; k < bands; ++k)
        if (canvas.surface.count(frameColor(k), 0, 0, width, height) == width * height) return k;
    return -1;
}

struct MovieStrip : ::testing::Test {
    ~MovieStrip() override { strip->release(); }
    int shown(gui::CMovieBitmap& movie, float value) {
        return shownBand(movie, value, kStripWidth, kFrameHeight, kFrames);
    }
    gui::CBitmap* strip = bandedStrip(kStripWidth, kFrameHeight, kFrames);
    gui::CMovieBitmap panel{kStripSize, nullptr, 0, kFrames, kFrameHeight, strip, {0, 0}};
};

}  // namespace

TEST_F(MovieStrip, ValueSelectsTheNearestOfSixtyOneFrames) {
    EXPECT_EQ(shown(panel, 0.0083f), 0);
    EXPECT_EQ(shown(panel, 0.0084f), 1);
    EXPECT_EQ(shown(panel, 0.5f), 30);
    EXPECT_EQ(shown(panel, 1.0f), 60);
    EXPECT_EQ(shown(panel, 1.5f), 60);
    EXPECT_EQ(panel.getValue(), 1.0f) << "a value above 1 is stored back as 1";
    EXPECT_EQ(shown(panel, -0.2f), 0);
    EXPECT_EQ(panel.getValue(), -0.2f);
    EXPECT_EQ(shown(panel, kNaN), 0);
    gui::CMovieBitmap sized(kStripSize, nullptr, 0, strip, {0, 0});
    EXPECT_EQ(shown(sized, 1.0f), 60) << "61 frames as high as the control";
}

TEST_F(MovieStrip, NothingIsReadOutsideTheStrip) {
    gui::CMovieBitmap tooMany(kStripSize, nullptr, 0, 100, kFrameHeight, strip, {0, 0});
    EXPECT_EQ(shown(tooMany, 1.0f), 60);
    // Read from one frame lower, the last frame the strip still holds whole is its 60th.
    gui::CMovieBitmap shifted(kStripSize, nullptr, 0, kFrames, kFrameHeight, strip,
                              {0, kFrameHeight});
    EXPECT_EQ(shown(shifted, 1.0f), 60);
    EXPECT_EQ(shown(shifted, 0.0f), 1);
    gui::CMovieBitmap flat(kStripSize, nullptr, 0, kFrames, 0, strip, {0, 0});
    EXPECT_EQ(shown(flat, 0.7f), 0);
    gui::CMovieBitmap noHeight(CRectangle(0, 0, kStripWidth, 0), nullptr, 0, strip, {0, 0});
    EXPECT_EQ(noHeight.frameIndex(), 0);
    gui::CMovieBitmap noStrip(kStripSize, nullptr, 0, nullptr, {0, 0});
    EXPECT_EQ(shown(noStrip, 0.5f), -1);
}

TEST(AutoAnimation, StepsSkipTheLastFrameStartAndClicksShowAndHide) {
    gui::CBitmap* strip = bandedStrip(10, 10, 4);
    RecordingListener listener;
    gui::CAutoAnimation animation(CRectangle(0, 0, 10, 10), &listener, 1, 4, 10, strip, {0, 0});
    std::vector<float> forward;
    for (int i = 0; i < 3; ++i) {
        animation.nextFrame();
        forward.push_back(animation.getValue());
    }
    EXPECT_EQ(forward, (std::vector<float>{10, 20, 0}));
    animation.previousFrame();
    EXPECT_EQ(animation.getValue(), 29.0f);
    EXPECT_EQ(shownBand(animation, 20.0f, 10, 10, 4), -1) << "hidden: nothing drawn";
    CPosition where;
    animation.mouse(nullptr, where, gui::kButtonRight);
    EXPECT_FALSE(animation.isAnimationShown());
    animation.mouse(nullptr, where, gui::kButtonLeft);
    EXPECT_TRUE(animation.isAnimationShown());
    EXPECT_EQ(listener.values, std::vector<float>{0.0f});
    EXPECT_EQ(shownBand(animation, 20.0f, 10, 10, 4), 2);
    EXPECT_EQ(shownBand(animation, 1e9f, 10, 10, 4), 3) << "kept inside the strip";
    animation.mouse(nullptr, where, gui::kButtonLeft);
    EXPECT_FALSE(animation.isAnimationShown());
    EXPECT_EQ(listener.values.size(), 1u) << "hiding tells nobody";
    listener.modifierAnswer = 1;
    animation.mouse(nullptr, where, gui::kButtonLeft | gui::kModifierShift);
    EXPECT_FALSE(animation.isAnimationShown()) << "the listener took the click";
    strip->release();
}

TEST(SpecialDigit, DigitsMostSignificantFirstWithinTheirReach) {
    gui::CBitmap* digits = bandedStrip(10, 12, 10);
    gui::CSpecialDigit row(CRectangle(5, 0, 35, 12), nullptr, 1, 42, 3, nullptr, nullptr, 10, 12,
                           digits);
    auto shownDigits = [&](float value) {
        viewtest::Canvas canvas(40, 12);
        row.setValue(value);
        row.draw(canvas.context.get());
        std::vector<int> found;
        for (int i = 0; i < 3; ++i)
            for (int d = 0; d < 10; ++d)
                if (canvas.at(5 + 10 * i + 5, 6) == frameColor(d)) found.push_back(d);
        return found;
    };
    EXPECT_EQ(row.getMax(), 999.0f);
    EXPECT_EQ(shownDigits(42), (std::vector<int>{0, 4, 2}));
    EXPECT_EQ(shownDigits(1234), (std::vector<int>{9, 9, 9}));
    EXPECT_EQ(shownDigits(-5), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(shownDigits(kNaN), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(row.getNormalizedValue(), 0.0f);
    row.setValue(500);
    EXPECT_NEAR(row.getNormalizedValue(), 500.0f / 999.0f, 1e-6);
    row.setMax(5);  // below the reach of the digits: no place left to divide by
    EXPECT_EQ(shownDigits(7), (std::vector<int>{0, 0, 0}));
    const std::int32_t xs[9] = {30, 20, 10, 0, 0, 0, 0, 0, 0};
    const std::int32_t ys[9] = {};
    gui::CSpecialDigit many(CRectangle(0, 0, 40, 12), nullptr, 1, 0, 9, xs, ys, 10, 12, digits);
    EXPECT_EQ(many.getMax(), 9999999.0f) << "at most seven digits";
    digits->release();
}

namespace {

gui::CBitmap* solid(std::uint32_t color) {
    auto* bitmap = new gui::CBitmap(nullptr, 100, 100);
    viewtest::paintBitmap(*bitmap, {0, 0, 100, 100},
                          viewtest::platformRgb(color >> 16, (color >> 8) & 0xFF, color & 0xFF));
    return bitmap;
}

struct Meter : ::testing::Test {
    ~Meter() override {
        lit->release();
        unlit->release();
    }
    // Pixels of the on bitmap the meter shows after one draw.
    int litPixels(gui::CVuMeter& meter) {
        viewtest::Canvas canvas(100, 100);
        meter.draw(canvas.context.get());
        return canvas.surface.count(frameColor(1), 0, 0, 100, 100);
    }
    gui::CBitmap* lit = solid(frameColor(1));
    gui::CBitmap* unlit = solid(frameColor(0));
};

}  // namespace

TEST_F(Meter, RisesAtOnceAndFallsByTheFallStepPerDraw) {
    gui::CVuMeter meter(CRectangle(0, 0, 100, 100), lit, unlit, 10, gui::CVuMeter::horizontalMeter);
    HostedFrame hosted;
    meter.retain();
    hosted.frame.addView(&meter);
    meter.setValue(1.0f);
    EXPECT_EQ(litPixels(meter), 100 * 100);
    meter.setValue(0.0f);
    std::vector<int> columns;
    for (int pass = 0; pass < 12 && meter.isDirty(); ++pass) {
        const int shown = litPixels(meter) / 100;
        if (columns.empty() || columns.back() != shown) columns.push_back(shown);
    }
    EXPECT_EQ(columns, (std::vector<int>{90, 80, 70, 60, 50, 40, 30, 20, 10, 0}));
    EXPECT_FALSE(meter.isDirty());
    hosted.frame.removeView(&meter);
}

TEST_F(Meter, VerticalLevelsRevealWholeLedStepsAndOddInputIsSafe) {
    gui::CVuMeter meter(CRectangle(0, 0, 100, 100), lit, unlit, 10, 0);
    meter.setFallStep(1.0f);
    meter.setValue(0.5f);
    EXPECT_EQ(litPixels(meter), 50 * 100) << "five steps from the bottom";
    meter.setValue(0.56f);
    EXPECT_EQ(litPixels(meter), 60 * 100) << "six steps";
    gui::CVuMeter steady(CRectangle(0, 0, 100, 100), lit, unlit, 0, gui::CVuMeter::horizontalMeter);
    steady.setFallStep(1.0f);
    steady.setValue(0.37f);
    EXPECT_EQ(litPixels(steady), 37 * 100) << "no LED steps without a LED count";
    steady.setValue(kNaN);
    EXPECT_EQ(litPixels(steady), 0);
    gui::CVuMeter blind(CRectangle(0, 0, 100, 100), nullptr, nullptr, 10, 0);
    blind.setValue(0.5f);
    EXPECT_EQ(litPixels(blind), 0);
    EXPECT_FALSE(blind.isDirty());
}
