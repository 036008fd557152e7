// The splash screen: shown over the frame as its modal view and hidden by a click on it, the
// three ways it draws, the clicks it ignores, a frame that refuses it, and its control going
// while it is up. The bitmap's reference count tells whether a splash view still exists.
#include <gtest/gtest.h>

#include <cstdlib>

#include "gui/controls/CSplashScreen.h"
#include "gui/controls/CSplashScreenView.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/views/ViewTestSupport.h"

using namespace controltest;
using gui::CSplashScreen;

namespace {

constexpr std::int32_t kTag = 9;
const CRectangle kClickArea(10, 10, 30, 30);
const CRectangle kDisplay(40, 20, 100, 60);
constexpr int kSplashWidth = 60;
const std::uint32_t kSplashColor = rgbOf(200, 100, 0);
// The bitmap's left column is white, the default key colour.
constexpr int kKeyColumns = 20;

struct Splash : ::testing::Test {
    Splash() {
        viewtest::paintBitmap(*art, {0, 0, 80, 60}, viewtest::platformRgb(200, 100, 0));
        viewtest::paintBitmap(*art, {10, 0, 10 + kKeyColumns, 60},
                              viewtest::platformRgb(255, 255, 255));
        hosted.frame.addView(splash);  // the frame drops both references
    }
    ~Splash() override { art->release(); }

    void click(CPosition where, gui::ButtonState buttons = gui::kButtonLeft) {
        hosted.frame.mouse(&context, where, buttons);
    }
    void show() { click({20, 20}); }
    // Holders of the bitmap besides the test: the control and a splash view.
    int artHolders() const { return art->getNbReference() - 1; }
    // Draws the shown view over the untouched colour; the offset skips the bitmap's first ten
    // columns, so the key columns come first.
    void drawView(viewtest::Canvas& canvas) { splash->getSplashView()->draw(canvas.context.get()); }

    RecordingListener listener;
    HostedFrame hosted;
    gui::CBitmap* art = new gui::CBitmap(nullptr, 80, 60);
    CSplashScreen* splash = new CSplashScreen(kClickArea, &listener, kTag, art, kDisplay, {10, 0});
    PixelSurface surface{8, 8};
    CDrawContext context{&hosted.frame, surface.device(), nullptr};
};

bool closeTo(std::uint32_t got, int red, int green, int blue) {
    return std::abs(static_cast<int>(got >> 16) - red) <= 2 &&
           std::abs(static_cast<int>((got >> 8) & 0xFF) - green) <= 2 &&
           std::abs(static_cast<int>(got & 0xFF) - blue) <= 2;
}

}  // namespace

TEST_F(Splash, ClickShowsItAsModalViewAndAClickOnItHidesIt) {
    EXPECT_EQ(artHolders(), 1);
    show();
    EXPECT_EQ(splash->getValue(), 1.0f);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    gui::CView* modal = hosted.frame.getModalView();
    ASSERT_NE(modal, nullptr);
    EXPECT_EQ(modal, splash->getSplashView());
    CRectangle placed;
    EXPECT_EQ(modal->getViewRect(placed), kDisplay);
    EXPECT_EQ(artHolders(), 2);
    click({20, 20});
    EXPECT_EQ(splash->getValue(), 1.0f) << "the click outside the splash reaches no view";
    click({kDisplay.right, kDisplay.bottom});  // edges take the mouse
    EXPECT_EQ(splash->getValue(), 0.0f);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(hosted.frame.getModalView(), nullptr);
    EXPECT_EQ(splash->getSplashView(), nullptr);
    EXPECT_EQ(artHolders(), 1) << "the view is gone";
    show();
    EXPECT_EQ(listener.values.size(), 3u) << "and can be shown again";
}

TEST_F(Splash, PlainBlendedAndKeyedByTheAlpha) {
    viewtest::Canvas hidden(120, 80);
    splash->draw(hidden.context.get());
    EXPECT_EQ(hidden.surface.count(kSplashColor, 0, 0, 120, 80), 0) << "hidden: nothing drawn";
    show();
    viewtest::Canvas plain(120, 80);
    drawView(plain);
    EXPECT_EQ(plain.at(kDisplay.left, 30), rgbOf(255, 255, 255)) << "copied, white and all";
    EXPECT_EQ(plain.surface.count(kSplashColor, 0, 0, 120, 80), (kSplashWidth - kKeyColumns) * 40);
    click({50, 30});
    splash->setSplashAlpha(128);
    EXPECT_TRUE(splash->getTransparency());
    show();
    viewtest::Canvas blended(120, 80);
    drawView(blended);
    // Half of the splash over half of the untouched 0x336699.
    EXPECT_TRUE(closeTo(blended.at(kDisplay.left + kKeyColumns, 30), 126, 101, 76))
        << std::hex << blended.at(kDisplay.left + kKeyColumns, 30);
    click({50, 30});
    splash->setSplashAlpha(0);
    show();
    viewtest::Canvas keyed(120, 80);
    drawView(keyed);
    EXPECT_EQ(keyed.at(kDisplay.left, 30), viewtest::kUntouched) << "the key colour is left out";
    EXPECT_EQ(keyed.at(kDisplay.left + kKeyColumns, 30), kSplashColor);
    // The control draws its splash the same way while its value is not 0.
    viewtest::Canvas control(120, 80);
    splash->draw(control.context.get());
    EXPECT_EQ(control.at(kDisplay.left, 30), viewtest::kUntouched);
    EXPECT_EQ(control.at(kDisplay.left + kKeyColumns, 30), kSplashColor);
    splash->setSplashAlpha(255);
    EXPECT_FALSE(splash->getTransparency());
}

TEST_F(Splash, RightClicksAndModifierClicksTakenByTheListenerChangeNothing) {
    EXPECT_FALSE(splash->hitTest({20, 20}, gui::kButtonRight));
    CPosition inside(20, 20);
    splash->mouse(&context, inside, gui::kButtonRight);
    EXPECT_EQ(splash->getValue(), 0.0f);
    listener.modifierAnswer = 1;
    click({20, 20}, gui::kButtonLeft | gui::kModifierAlt);
    EXPECT_EQ(splash->getValue(), 0.0f);
    listener.modifierAnswer = 0;
    show();
    click({50, 30}, gui::kButtonRight);
    CPosition onView(50, 30);
    splash->getSplashView()->mouse(&context, onView, gui::kButtonRight);
    EXPECT_EQ(splash->getValue(), 1.0f);
    EXPECT_NE(hosted.frame.getModalView(), nullptr);
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    EXPECT_EQ(listener.modifierStates.size(), 1u);
}

TEST_F(Splash, RefusedByTheFrameItTurnsToOneUntoldAndLeavesNoView) {
    auto* other = new testsupport::RecordingView(CRectangle(0, 0, 5, 5));
    ASSERT_TRUE(hosted.frame.setModalView(other));
    other->release();  // the frame holds it now
    CPosition where(20, 20);
    splash->mouse(&context, where, gui::kButtonLeft);
    EXPECT_EQ(splash->getValue(), 1.0f);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(hosted.frame.getModalView(), other);
    EXPECT_EQ(splash->getSplashView(), nullptr);
    EXPECT_EQ(artHolders(), 1) << "the refused view is gone at once";
    splash->mouse(&context, where, gui::kButtonLeft);
    EXPECT_EQ(splash->getValue(), 0.0f);
    EXPECT_TRUE(listener.values.empty()) << "turning back to 0 tells nobody";
    // Outside any frame the view has nowhere to go either.
    CSplashScreen loose(kClickArea, &listener, kTag, art, kDisplay, {0, 0});
    loose.mouse(nullptr, where, gui::kButtonLeft);
    EXPECT_EQ(loose.getValue(), 1.0f);
    EXPECT_EQ(artHolders(), 2);
}

TEST_F(Splash, ControlRemovedWhileShownTakesItsViewAlong) {
    show();
    hosted.frame.removeView(splash, true);
    EXPECT_EQ(hosted.frame.getModalView(), nullptr);
    EXPECT_EQ(artHolders(), 0) << "control and view both gone";
    click({50, 30});  // nothing left there to reach a dead control
}

TEST_F(Splash, RemoveAllWhileShownReleasesTheViewOnce) {
    show();
    gui::CView* view = hosted.frame.getModalView();
    ASSERT_NE(view, nullptr);
    // Two of the test's own, so that a release too many shows in the count and frees nothing.
    view->retain();
    view->retain();
    hosted.frame.removeAll();
    EXPECT_EQ(view->getNbReference(), 2) << "frame and control let go of it once each";
    EXPECT_EQ(hosted.frame.getModalView(), nullptr);
    view->release();
    view->release();
    EXPECT_EQ(artHolders(), 0);
}

TEST_F(Splash, ListenerRemovingTheControlWhenTheSplashHides) {
    struct Remover : RecordingListener {
        void valueChanged(CDrawContext* context, CControl* control) override {
            RecordingListener::valueChanged(context, control);
            if (control->getValue() == 0.0f) frame->removeView(control, true);
        }
        gui::CFrame* frame = nullptr;
    } remover;
    remover.frame = &hosted.frame;
    auto* own = new CSplashScreen(kClickArea, &remover, kTag, art, kDisplay, {0, 0});
    hosted.frame.removeView(splash, true);
    hosted.frame.addView(own);
    show();
    click({50, 30});
    EXPECT_EQ(remover.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(hosted.frame.getModalView(), nullptr);
    EXPECT_EQ(artHolders(), 0);
}

TEST(SplashFrame, FrameClosingWhileTheSplashIsUpLeavesNothing) {
    gui::CBitmap* art = new gui::CBitmap(nullptr, 60, 40);
    {
        HostedFrame hosted;
        auto* splash = new CSplashScreen(kClickArea, nullptr, kTag, art, kDisplay, {0, 0});
        hosted.frame.addView(splash);  // the frame drops both references
        CPosition where(20, 20);
        hosted.frame.mouse(nullptr, where, gui::kButtonLeft);
        ASSERT_NE(hosted.frame.getModalView(), nullptr);
    }
    EXPECT_EQ(art->getNbReference(), 1);
    art->release();
}
