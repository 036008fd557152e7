// The buttons and switches: the strip frame each value shows, read back from pixels; clicks
// already released when they arrive, the wheel, the reset click and the order of the guards; and
// presses under real input, the left button held through the system's queue and the cursor moved
// between passes from the frame's idle cycle. The frame has no window, so frame coordinates are
// screen coordinates. Moving the cursor makes the window system re-read the modifier keys, so
// modifiers are pressed after the cursor has moved.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>

#include "gui/controls/CHorizontalSwitch.h"
#include "gui/controls/CKickButton.h"
#include "gui/controls/CMovieButton.h"
#include "gui/controls/COnOffButton.h"
#include "gui/controls/CRockerSwitch.h"
#include "gui/controls/CVerticalSwitch.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/views/ViewTestSupport.h"

using namespace controltest;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr std::int32_t kTag = 9;
constexpr gui::ButtonState kLeft = gui::kButtonLeft;
// A column of 5 positions in 80 pixels, 16 each; frames of the strips are as high.
const CRectangle kColumn(100, 100, 120, 180);
constexpr int kHeight = 80;
const CPosition kMiddle(110, 140);
const CPosition kOutside(250, 250);

std::uint32_t bandColor(int k) { return rgbOf(40 * k + 10, 90, 40); }

// count bands of width × height, band k painted bandColor(k).
gui::CBitmap* bands(int count, int width = 20, int height = kHeight) {
    auto* strip = new gui::CBitmap(nullptr, width, count * height);
    for (int k = 0; k < count; ++k)
        viewtest::paintBitmap(*strip, {0, k * height, width, (k + 1) * height},
                              viewtest::platformRgb(40 * k + 10, 90, 40));
    return strip;
}

struct Buttons : ::testing::Test {
    ~Buttons() override {
        for (gui::CBitmap* strip : {two, three, five}) strip->release();
    }
    template <typename Control>
    Control* framed(Control* control) {
        hosted.frame.addView(control);  // the frame drops both references
        control->setDirty(false);
        return control;
    }
    void click(CControl& control, gui::ButtonState buttons) {
        CPosition where = kMiddle;
        control.mouse(&context, where, buttons);
    }
    // Left button down at click, then per idle cycle: the frame's redraw, the next point of path
    // or, past its end, the button up, and during. A pass reads the point set in the cycle
    // before, so the last of path is never read.
    void press(CControl* control, const CPosition& click, const std::vector<CPosition>& path,
               const std::function<void(int)>& during = {}) {
        testsupport::placeCursor(click.h, click.v);
        HeldInput left = HeldInput::leftButton();
        hosted.frame.idleCycles = 0;
        hosted.frame.onIdle = [&](int cycle) {
            if (control->isDirty()) control->draw(&context);
            if (cycle <= static_cast<int>(path.size()))
                testsupport::placeCursor(path[cycle - 1].h, path[cycle - 1].v);
            else
                left.up();
            if (during) during(cycle);
        };
        CPosition where = click;
        control->mouse(&context, where, gui::kButtonsFromContext);
        hosted.frame.onIdle = nullptr;
    }
    // The band the control shows over its whole size; -1 when the pixels are no whole band.
    static int shownBand(CControl& control, float value) {
        viewtest::Canvas canvas(250, 250);
        control.setValue(value);
        control.draw(canvas.context.get());
        CRectangle area;
        control.getViewRect(area);
        for (int k = 0; k < 6; ++k)
            if (canvas.surface.count(bandColor(k), area.left, area.top, area.right, area.bottom) ==
                area.getWidth() * area.getHeight())
                return k;
        return -1;
    }

    RecordingListener listener;
    HostedFrame hosted;
    PixelSurface surface{8, 8};
    CDrawContext context{&hosted.frame, surface.device(), nullptr};
    gui::CBitmap* two = bands(2);
    gui::CBitmap* three = bands(3);
    gui::CBitmap* five = bands(5);
};

}  // namespace

TEST_F(Buttons, OnOffTogglesByTruncationAndNotifiesAroundTheRepaintAsItsStyleSays) {
    auto* button = framed(
        new gui::COnOffButton(kColumn, &listener, kTag, two, gui::COnOffButton::notifyAfterRedraw));
    std::size_t heardAtRepaint = 99;
    hosted.frame.onIdle = [&](int) { heardAtRepaint = listener.values.size(); };
    button->setValue(0.7f);
    click(*button, kLeft);
    EXPECT_EQ(heardAtRepaint, 0u);
    button->setStyle(gui::COnOffButton::notifyBeforeRedraw);
    click(*button, kLeft);
    EXPECT_EQ(heardAtRepaint, 2u);
    button->setStyle(2);
    click(*button, kLeft);
    click(*button, gui::kButtonRight);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(button->getValue(), 1.0f);
    EXPECT_EQ(hosted.frame.idleCycles, 3) << "repainted without telling anyone";
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2));
    EXPECT_EQ(shownBand(*button, 0.0f), 0);
    EXPECT_EQ(shownBand(*button, 0.3f), 1) << "the lower half for any value but 0";
}

TEST_F(Buttons, ReleasedKickSendsOneThenZeroAndReleasedMovieButtonToggles) {
    auto* kick = framed(new gui::CKickButton(kColumn, &listener, kTag, two, {}));
    click(*kick, kLeft);
    auto* movie = framed(new gui::CMovieButton(kColumn, &listener, kTag, two, {}));
    click(*movie, kLeft);
    click(*movie, kLeft);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f, 0.0f}));
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 3));
}

TEST_F(Buttons, RockerWheelRocksAndReturnsAsOneGesture) {
    auto* rocker = framed(new gui::CRockerSwitch(kColumn, &listener, kTag, kHeight, three, {}, 0));
    for (float distance : {1.0f, -1.0f, 0.0f, kNaN})
        EXPECT_TRUE(rocker->onWheel(&context, CPosition(), distance));
    EXPECT_EQ(listener.values, (std::vector<float>{-1, 0, 1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 4));
    rocker->setMouseEnabled(false);
    EXPECT_FALSE(rocker->onWheel(&context, CPosition(), 1.0f));
}

TEST_F(Buttons, FramesFollowTheStripsOrderAndStayInsideIt) {
    gui::CRockerSwitch rocker(kColumn, nullptr, 0, kHeight, three, {}, 0);
    EXPECT_EQ(shownBand(rocker, -1.0f), 0);
    EXPECT_EQ(shownBand(rocker, 0.0f), 1);
    EXPECT_EQ(shownBand(rocker, 1.0f), 2);
    EXPECT_EQ(shownBand(rocker, 0.5f), 0) << "neither 0 nor 1";
    gui::CRockerSwitch lower(kColumn, nullptr, 0, kHeight, three, CPosition(0, kHeight), 0);
    EXPECT_EQ(shownBand(lower, 1.0f), 2) << "the last frame below the offset";
    gui::CVerticalSwitch positions(kColumn, nullptr, 0, 5, kHeight, 5, five, {});
    EXPECT_EQ(shownBand(positions, 0.625f), 3) << "the nearest position";
    EXPECT_EQ(shownBand(positions, 1.5f), 4);
    EXPECT_EQ(shownBand(positions, -1.0f), 0);
    EXPECT_EQ(shownBand(positions, kNaN), 0);
    gui::CMovieButton movie(kColumn, nullptr, 0, two, {});
    EXPECT_EQ(shownBand(movie, 3.0f), 1);
    EXPECT_EQ(movie.getValue(), 1.0f) << "bounded before drawing";
    gui::CBitmap* one = bands(1);
    gui::CKickButton oneFrame(kColumn, nullptr, 0, one, {});
    EXPECT_EQ(shownBand(oneFrame, 1.0f), 0);
    one->release();
}

TEST_F(Buttons, ControlClickResetsSwitchesAndOnlySomeOfferClicksWithoutTheLeftButton) {
    std::vector<CControl*> both = {
        framed(new gui::CVerticalSwitch(kColumn, &listener, kTag, five, {})),
        framed(new gui::CHorizontalSwitch(kColumn, &listener, kTag, five, {}))};
    for (CControl* control : both) {
        control->setValue(0.75f);
        control->setDirty(false);  // drawn at 0.75
        click(*control, kLeft | gui::kModifierControl);
    }
    EXPECT_EQ(listener.values, (std::vector<float>{0.0f, 0.0f}));
    EXPECT_EQ(listener.modifierStates.size(), 2u) << "offered to the listener first";
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2));
    std::vector<std::unique_ptr<CControl>> all;
    all.emplace_back(new gui::COnOffButton(kColumn, &listener, 0, two, 0));
    all.emplace_back(new gui::CKickButton(kColumn, &listener, 0, two, {}));
    all.emplace_back(new gui::CRockerSwitch(kColumn, &listener, 0, three, {}, 0));
    all.emplace_back(new gui::CVerticalSwitch(kColumn, &listener, 0, five, {}));
    all.emplace_back(new gui::CHorizontalSwitch(kColumn, &listener, 0, five, {}));
    all.emplace_back(new gui::CMovieButton(kColumn, &listener, 0, two, {}));
    std::vector<int> offered;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::size_t before = listener.modifierStates.size();
        click(*all[i], gui::kButtonRight | gui::kModifierAlt);
        if (listener.modifierStates.size() > before) offered.push_back(static_cast<int>(i));
        // Without artwork nothing is drawn, and the horizontal switch has no width to map.
        all[i]->setBackground(nullptr);
        EXPECT_EQ(shownBand(*all[i], kNaN), -1);
        click(*all[i], kLeft);
    }
    EXPECT_EQ(offered, (std::vector<int>{1, 2, 4, 5}));
    EXPECT_TRUE(std::isnan(all[4]->getValue()));
}

TEST_F(Buttons, SwitchesWithoutTwoPositionsOrAnyHeightIgnoreTheMouse) {
    gui::CVerticalSwitch one(kColumn, &listener, 0, 5, kHeight, 1, five, {});
    gui::CVerticalSwitch flat(kColumn, &listener, 0, 5, 0, 5, five, {});
    gui::CHorizontalSwitch negative(kColumn, &listener, 0, 5, kHeight, -3, five, {});
    for (CControl* control : {static_cast<CControl*>(&one), static_cast<CControl*>(&flat),
                              static_cast<CControl*>(&negative)}) {
        control->setValue(0.25f);
        click(*control, kLeft);
        EXPECT_EQ(control->getValue(), 0.25f);
        EXPECT_EQ(shownBand(*control, 0.9f), 0);
    }
}

TEST_F(Buttons, VerticalSwitchTakesThePositionUnderTheMouseWithinItsBounds) {
    auto* column = framed(new gui::CVerticalSwitch(kColumn, &listener, kTag, 5, 80, 5, five, {}));
    press(column, kMiddle, {});
    EXPECT_EQ(listener.values, std::vector<float>{0.5f}) << "40 pixels down: position 2";
    EXPECT_EQ(shownBand(*column, column->getValue()), 2);
    press(column, kMiddle, {{110, 175}, {110, 400}, {110, 60}, {110, 60}});
    EXPECT_EQ(listener.values, (std::vector<float>{0.5f, 1.0f, 0.0f}));
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2));
    std::optional<HeldInput> shift;
    press(column, kMiddle, {{110, 175}, {110, 175}}, [&shift](int cycle) {
        if (cycle == 1) shift.emplace(HeldInput::shift());
    });
    shift.reset();
    EXPECT_EQ(column->getValue(), 0.5f) << "Shift ended the drag before the move was read";
    EXPECT_EQ(hosted.frame.idleCycles, 1);
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 3));
}

TEST_F(Buttons, HorizontalSwitchOfTheShortConstructorMapsTheStripWidthOntoItsFrames) {
    gui::CBitmap* row = bands(4, 100, 20);
    auto* across = framed(
        new gui::CHorizontalSwitch(CRectangle(100, 100, 200, 120), &listener, kTag, row, {}));
    row->release();
    press(across, CPosition(160, 110), {{199, 110}, {199, 110}});
    EXPECT_EQ(listener.values, (std::vector<float>{2.0f / 3.0f, 1.0f}));
    EXPECT_EQ(shownBand(*across, 1.0f), 3);
    EXPECT_EQ(shownBand(*across, 1.0f / 3.0f), 1);
}

TEST_F(Buttons, HeldKickAndMovieButtonPreviewOnlyOverThemselves) {
    auto* kick = framed(new gui::CKickButton(kColumn, &listener, kTag, kHeight, two, {}));
    press(kick, kMiddle, {kOutside, {120, 180}, {120, 180}});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f, 0.0f})) << "ends at 0";
    listener.values.clear();
    auto* movie = framed(new gui::CMovieButton(kColumn, &listener, kTag, kHeight, two, {}));
    press(movie, kMiddle, {});
    press(movie, kMiddle, {kOutside, kOutside});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 1.0f}));
    EXPECT_EQ(shownBand(*movie, movie->getValue()), 1) << "released off it: still on";
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 3));
}

TEST_F(Buttons, RockerGivesTheHeldHalfUntilEverythingIsUpThenZero) {
    auto* rocker = framed(new gui::CRockerSwitch(kColumn, &listener, kTag, kHeight, three, {}, 0));
    press(rocker, kMiddle, {{110, 141}, {110, 141}});
    EXPECT_EQ(listener.values, (std::vector<float>{-1.0f, 1.0f, 0.0f})) << "the middle is up";
    listener.values.clear();
    auto* sideways = framed(new gui::CRockerSwitch(kColumn, &listener, kTag, kHeight, three, {},
                                                   gui::CRockerSwitch::horizontalRocker));
    std::optional<HeldInput> shift;
    press(sideways, CPosition(115, 140), {kOutside}, [&shift](int cycle) {
        if (cycle == 1) shift.emplace(HeldInput::shift());
        if (cycle == 4) shift.reset();
    });
    EXPECT_EQ(hosted.frame.idleCycles, 4) << "Shift held after the button kept it tracking";
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f, 0.0f}));
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2));
}

TEST_F(Buttons, ButtonRemovedMidPressEndsItsGestureOnceAndTellsNobodyMore) {
    auto* kick = framed(new gui::CKickButton(kColumn, &listener, kTag, kHeight, two, {}));
    kick->retain();
    press(kick, kMiddle, {kOutside, kOutside, kOutside}, [this, kick](int cycle) {
        if (cycle == 2) hosted.frame.removeView(kick, true);
    });
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    EXPECT_EQ(hosted.frame.idleCycles, 2);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f}) << "no release value after leaving";
    kick->release();
}
