// The film-strip knob: the frame a value shows, read back from pixels drawn into memory, input
// that must not read outside the strip, and its dirty rule.
#include <gtest/gtest.h>

#include <limits>

#include "gui/controls/CAnimKnob.h"
#include "gui/views/ViewTestSupport.h"

using gui::CAnimKnob;
using gui::CRectangle;

namespace {

constexpr int kFrames = 61;
constexpr int kSide = 80;
const CRectangle kKnobSize(0, 0, kSide, kSide);

std::uint32_t frameColor(int k) { return rgbOf(4 * k, 100, 50); }

struct FilmStrip : ::testing::Test {
    FilmStrip() {
        for (int k = 0; k < kFrames; ++k) {
            const CRectangle area(0, k * kSide, kSide, (k + 1) * kSide);
            viewtest::paintBitmap(*strip, area, viewtest::platformRgb(4 * k, 100, 50));
        }
    }
    ~FilmStrip() override { strip->release(); }

    // The frame the knob shows for value; -1 when the pixels are no whole frame.
    int shownFrame(CAnimKnob& knob, float value) {
        viewtest::Canvas canvas(kSide, kSide);
        knob.setValue(value);
        knob.draw(canvas.context.get());
        for (int k = 0; k < kFrames; ++k)
            if (canvas.surface.count(frameColor(k), 0, 0, kSide, kSide) == kSide * kSide) return k;
        return -1;
    }
    CAnimKnob knob(int frames, int frameHeight) {
        return CAnimKnob(kKnobSize, nullptr, 1, frames, frameHeight, strip, {});
    }

    gui::CBitmap* strip = new gui::CBitmap(nullptr, kSide, kFrames* kSide);
};

}  // namespace

TEST_F(FilmStrip, ValueSelectsTheTruncatedFrameOfSixty) {
    CAnimKnob panel = knob(kFrames, kSide);
    EXPECT_EQ(shownFrame(panel, 0.5f), 30);
    EXPECT_EQ(shownFrame(panel, 1.0f), 60);
    EXPECT_EQ(shownFrame(panel, 0.999f), 59);
    EXPECT_EQ(shownFrame(panel, -0.1f), 0);
    EXPECT_EQ(shownFrame(panel, std::numeric_limits<float>::quiet_NaN()), 0);
    // Frames as high as the control, as many as the strip holds.
    CAnimKnob sized(kKnobSize, nullptr, 1, strip, {});
    EXPECT_EQ(shownFrame(sized, 1.0f), 60);
}

TEST_F(FilmStrip, NothingReadsOutsideTheStrip) {
    CAnimKnob panel = knob(kFrames, kSide);
    EXPECT_EQ(shownFrame(panel, 1.5f), 60);
    EXPECT_EQ(shownFrame(panel, 1e30f), 60);
    CAnimKnob tooMany = knob(100, kSide);
    EXPECT_EQ(shownFrame(tooMany, 1.0f), 60);
    CAnimKnob flat = knob(kFrames, 0);
    EXPECT_EQ(shownFrame(flat, 0.7f), 0);
    CAnimKnob noHeight(CRectangle(0, 0, kSide, 0), nullptr, 1, strip, {});
    EXPECT_EQ(noHeight.frameOffset(), 0);
    CAnimKnob noStrip(kKnobSize, nullptr, 1, nullptr, {});
    noStrip.setValue(0.5f);
    EXPECT_EQ(noStrip.frameOffset(), 0);
}

TEST_F(FilmStrip, ChangeNeedsDrawingWhenTheHandlePointOrTheFrameMoves) {
    CAnimKnob panel = knob(kFrames, kSide);
    EXPECT_EQ(shownFrame(panel, 0.4999f), 29);
    EXPECT_FALSE(panel.isDirty());
    panel.setValue(0.4998f);  // same handle point (40, 0), same frame
    EXPECT_FALSE(panel.isDirty());
    panel.setValue(0.5f);  // same handle point, next frame
    EXPECT_TRUE(panel.isDirty());
    panel.setValue(0.4998f);
    panel.setDirty(true);
    EXPECT_TRUE(panel.isDirty());
}
