// The slider: where its handle is drawn, the value from the click point and from a drag under
// real input (Shift for fine steps), keys and wheel, and a slider without travel. The frame has
// no window, so frame coordinates are screen coordinates.
#include <gtest/gtest.h>

#include <limits>
#include <optional>

#include "gui/controls/CSlider.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/views/ViewTestSupport.h"

using namespace controltest;
using gui::CHorizontalSlider;
using gui::CVerticalSlider;

namespace {

constexpr std::int32_t kTag = 4;
constexpr int kHandle = 20;
// The slider spans 100 to 300; the handle's left edge travels 180 pixels, and a click at 109
// puts the handle's centre (less one) there for value 0.
const CRectangle kTrack(100, 100, 300, 120);
constexpr int kZeroAt = 109;
constexpr int kRow = 110;
constexpr float kTravel = 180.0f;
const std::uint32_t kBackColor = rgbOf(10, 20, 30);
const std::uint32_t kHandleColor = rgbOf(200, 180, 40);

gui::CBitmap* solidBitmap(int width, int height, std::uint32_t color) {
    auto* bitmap = new gui::CBitmap(nullptr, width, height);
    viewtest::paintBitmap(*bitmap, {0, 0, width, height},
                          viewtest::platformRgb(color >> 16, (color >> 8) & 0xFF, color & 0xFF));
    return bitmap;
}

struct Slider : ::testing::Test {
    Slider() {
        hosted.frame.addView(slider);  // the frame drops both references
        slider->setValue(0.5f);
        slider->setDirty(false);
    }
    ~Slider() override {
        handle->release();
        back->release();
    }

    // Left button down at h, one position of path per idle cycle (after during), then up. Each
    // pass is reported (taking the focus marks the slider dirty); the click point serves two
    // passes, and the position read last none, as the loop leaves first.
    void drag(gui::CSlider* target, int h, const std::vector<int>& path,
              const std::function<void(int)>& during = {}) {
        testsupport::placeCursor(h, kRow);
        HeldInput left = HeldInput::leftButton();
        hosted.frame.idleCycles = 0;
        hosted.frame.onIdle = [&](int cycle) {
            if (during) during(cycle);
            if (cycle > static_cast<int>(path.size())) return left.up();
            testsupport::placeCursor(path[cycle - 1], kRow);
        };
        CPosition where(h, kRow);
        target->mouse(&context, where, gui::kButtonsFromContext);
        hosted.frame.onIdle = nullptr;
    }
    static float at(int h) { return (h - kZeroAt) / kTravel; }

    RecordingListener listener;
    HostedFrame hosted;
    gui::CBitmap* handle = solidBitmap(kHandle, kHandle, kHandleColor);
    gui::CBitmap* back = solidBitmap(200, kHandle, kBackColor);
    CHorizontalSlider* slider = new CHorizontalSlider(kTrack, &listener, kTag, CPosition(0, 0), 200,
                                                      handle, back, {}, gui::valueTowardEnd);
    PixelSurface surface{8, 8};
    CDrawContext context{&hosted.frame, surface.device(), nullptr};
};

void expectValues(const std::vector<float>& got, const std::vector<float>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-5) << i;
}

// The columns of the first row that show the handle, as [first, last + 1).
std::pair<int, int> handleColumns(gui::CSlider& slider, float value) {
    viewtest::Canvas canvas(320, 130);
    slider.setValue(value);
    slider.draw(canvas.context.get());
    int first = -1;
    int end = -1;
    for (int x = 0; x < 320; ++x) {
        if (canvas.at(x, kRow) != kHandleColor) continue;
        if (first < 0) first = x;
        end = x + 1;
    }
    EXPECT_EQ(canvas.surface.count(kHandleColor, 0, 0, 320, 130) +
                  canvas.surface.count(kBackColor, 0, 0, 320, 130),
              200 * kHandle);
    return {first, end};
}

}  // namespace

TEST_F(Slider, HandleIsDrawnAtTheValueInBothDirectionsWithAndWithoutBuffer) {
    slider->setTransparentHandle(false);
    // In the frame the slider draws through its own buffer.
    EXPECT_EQ(handleColumns(*slider, 0.5f), std::make_pair(190, 210));
    EXPECT_EQ(handleColumns(*slider, 1.0f), std::make_pair(280, 300));
    EXPECT_EQ(handleColumns(*slider, 7.0f), std::make_pair(280, 300)) << "kept to its limits";
    CHorizontalSlider loose(kTrack, nullptr, 0, CPosition(0, 0), 200, handle, back, {},
                            gui::valueTowardStart);
    loose.setTransparentHandle(false);
    EXPECT_EQ(handleColumns(loose, 0.25f), std::make_pair(235, 255)) << "grows toward the left";
    EXPECT_EQ(handleColumns(loose, std::numeric_limits<float>::quiet_NaN()).first, 100);
}

TEST_F(Slider, ClickJumpsTheHandleCentreAndDragFollowsTheMouse) {
    drag(slider, 190, {253, 400, 400});
    expectValues(listener.values, {at(190), at(190), at(253), 1.0f});
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    // Value growing toward the top: the top of the travel is 1.
    CVerticalSlider* vertical =
        new CVerticalSlider(CRectangle(100, 100, 120, 300), &listener, 5, CPosition(0, 0), 200,
                            handle, back, {}, gui::valueTowardStartVertical);
    hosted.frame.addView(vertical);
    testsupport::placeCursor(kRow, 109);
    HeldInput left = HeldInput::leftButton();
    hosted.frame.onIdle = [&](int) { left.up(); };
    CPosition where(kRow, 109);
    vertical->mouse(&context, where, gui::kButtonsFromContext);
    EXPECT_FLOAT_EQ(vertical->getValue(), 1.0f);
}

TEST_F(Slider, WithoutJumpOnlyTheHandleTakesTheClickAndDoesNotJump) {
    slider->setJumpToClick(false);
    drag(slider, 250, {260, 260});
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    EXPECT_TRUE(hosted.gestures().empty());
    // The handle covers 190 to 210; grabbed at 195 it keeps its place.
    drag(slider, 195, {213, 213});
    expectValues(listener.values, {0.5f, 0.5f, 0.5f + 18.0f / kTravel});
}

TEST_F(Slider, ShiftMovesATenthAsFarAndReleasingItPutsTheHandleBackUnderTheMouse) {
    std::optional<HeldInput> shift;
    drag(slider, 190, {217, 235, 253, 253}, [&shift](int cycle) {
        if (cycle == 2) shift.emplace(HeldInput::shift());
        if (cycle == 4) shift.reset();
    });
    const float pressed = at(190);
    expectValues(listener.values, {pressed, pressed, pressed + (at(217) - pressed) / 10,
                                   pressed + (at(235) - pressed) / 10, at(253)});
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
}

TEST_F(Slider, KeysAndWheelStepAsOneGestureEach) {
    VstKeyCode up = {0, 12, 0};
    VstKeyCode fineDown = {0, 14, 1};
    VstKeyCode other = {'a', 0, 0};
    EXPECT_EQ(slider->onKeyDown(up), 1);
    EXPECT_EQ(slider->onKeyDown(fineDown), 1);
    EXPECT_EQ(slider->onKeyDown(other), gui::kKeyNotHandled);
    EXPECT_TRUE(slider->onWheel(&context, CPosition(), 20.0f));
    expectValues(listener.values, {0.6f, 0.59f, 1.0f});
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 3));
}

TEST_F(Slider, SliderWithoutTravelIgnoresDrags) {
    // First and last pixel equal: no travel to divide by.
    auto* still = new CHorizontalSlider(kTrack, &listener, 6, 150, 150, handle, back, {},
                                        gui::valueTowardEnd);
    hosted.frame.addView(still);
    still->setValue(0.3f);
    drag(still, 200, {250, 250});
    EXPECT_FLOAT_EQ(still->getValue(), 0.3f);
    EXPECT_TRUE(hosted.gestures().empty());
}

TEST_F(Slider, SliderRemovedMidDragEndsItsGestureOnceAndStops) {
    slider->retain();
    drag(slider, 199, {217, 235, 253}, [this](int cycle) {
        if (cycle == 2) hosted.frame.removeView(slider, true);
    });
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    EXPECT_EQ(hosted.frame.idleCycles, 2);
    slider->release();
}
