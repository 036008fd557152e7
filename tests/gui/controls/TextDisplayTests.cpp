// Displays without a window: the texts they make of a value, and their pixels drawn into memory.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "gui/controls/CParamDisplay.h"
#include "gui/controls/CTextEdit.h"
#include "gui/controls/CTextLabel.h"
#include "gui/draw/Scaling.h"
#include "gui/views/CFrame.h"
#include "gui/views/ViewTestSupport.h"

using gui::CParamDisplay;
using gui::CRectangle;
using viewtest::Canvas;

namespace {

const CRectangle kBox(10, 10, 50, 34);
constexpr std::uint32_t kBlue = rgbOf(0, 0, 255);
constexpr std::uint32_t kRed = rgbOf(255, 0, 0);
constexpr std::uint32_t kGreen = rgbOf(0, 255, 0);

// What a display would draw for a value.
struct TextOfValue : CParamDisplay {
    using CParamDisplay::CParamDisplay;
    std::string shown(float newValue) {
        value = newValue;
        char text[gui::kDisplayTextSize];
        valueText(text);
        return text;
    }
};

void percent(float value, char* text) { std::snprintf(text, 256, "%d%%", int(value * 100)); }
void tagged(float value, char* text, void* data) {
    std::snprintf(text, 256, "%s%.1f", static_cast<const char*>(data), value);
}
void quoted(const char* text, char* shown) { std::snprintf(shown, 256, "'%s'", text); }

// Drawn in blue, framed in red, with green text of value 8 in a large font; black around it.
template <typename Display>
Canvas& drawn(Canvas& canvas, Display&& display) {
    canvas.surface.fill(0);
    display.setBackColor(gui::kBlueColor);
    display.setFrameColor(gui::kRedColor);
    display.setFontColor(gui::kGreenColor);
    display.setFont(gui::kFontHuge);
    display.setValue(8.0f);
    display.draw(canvas.context.get());
    return canvas;
}

int count(const Canvas& canvas, std::uint32_t color) {
    return canvas.surface.count(color, 0, 0, canvas.surface.width(), canvas.surface.height());
}

}  // namespace

TEST(DisplayText, TwoDecimalsUnlessTheOwnerConverts) {
    TextOfValue display(kBox);
    EXPECT_EQ(display.shown(0.5f), "0.50");
    EXPECT_EQ(display.shown(12.345f), "12.35");
    EXPECT_EQ(display.shown(-1.0f), "-1.00");
    display.setValueToText(percent);
    EXPECT_EQ(display.shown(0.25f), "25%");
    char prefix[] = "x=";
    display.setValueToTextWithData(tagged, prefix);
    EXPECT_EQ(display.shown(0.25f), "x=0.2") << "the with-data function wins";
}

TEST(DisplayText, EntryTextFollowsTheValueOnlyWithAValueConverter) {
    Canvas canvas;
    gui::CTextEdit entry(kBox, nullptr, 3, "typed");
    char text[gui::kDisplayTextSize];
    const auto drawnText = [&] {
        drawn(canvas, entry);
        entry.getText(text);
        return std::string(text);
    };
    EXPECT_EQ(drawnText(), "typed");
    entry.setValueToText(percent);
    entry.setTextToDisplay(quoted);
    EXPECT_EQ(drawnText(), "typed") << "text-to-display comes first and stores nothing";
    entry.setTextToDisplay(nullptr);
    EXPECT_EQ(drawnText(), "800%");
    entry.setText(std::string(300, 'a').c_str());
    entry.getText(text);
    EXPECT_EQ(std::string(text), std::string(255, 'a')) << "cut to fit";
}

TEST(DisplayPixels, OpaqueDisplayFillsFramesAndDrawsItsText) {
    Canvas canvas;
    drawn(canvas, CParamDisplay(kBox));
    EXPECT_EQ(canvas.at(12, 12), kBlue);
    for (const auto& [x, y] : {std::pair{10, 20}, {49, 20}, {30, 10}, {30, 33}})
        EXPECT_EQ(canvas.at(x, y), kRed) << x << "," << y;
    EXPECT_EQ(count(canvas, kRed), 2 * (40 + 24) - 4) << "nothing outside the box";
    EXPECT_GT(count(canvas, kGreen), 10);
}

TEST(DisplayPixels, StyleBitsChooseEdgesShadowAndText) {
    Canvas sunken;
    CParamDisplay edged(kBox, nullptr, gui::sunken3D | gui::shadowText);
    edged.setShadowColor(gui::kWhiteColor);
    drawn(sunken, edged);
    // Left and top (one row in) in the back colour, right and bottom in the frame colour.
    for (const auto& [x, y] : {std::pair{10, 20}, {30, 11}}) EXPECT_EQ(sunken.at(x, y), kBlue);
    for (const auto& [x, y] : {std::pair{49, 20}, {30, 33}}) EXPECT_EQ(sunken.at(x, y), kRed);
    EXPECT_GT(count(sunken, rgbOf(255, 255, 255)), 10) << "shadow";
    Canvas raised;
    drawn(raised, CParamDisplay(kBox, nullptr, gui::raised3D | gui::noText));
    EXPECT_EQ(raised.at(10, 20), kRed);
    EXPECT_EQ(raised.at(49, 20), kBlue);
    EXPECT_EQ(count(raised, kGreen), 0);
    Canvas bare;
    EXPECT_EQ(count(drawn(bare, CParamDisplay(kBox, nullptr, gui::noFrame)), kRed), 0);
}

TEST(DisplayPixels, TransparentDrawsOnlyTheTextAndNoDrawNothing) {
    Canvas canvas;
    CParamDisplay transparent(kBox);
    transparent.setTransparency(true);
    drawn(canvas, transparent);
    EXPECT_GT(count(canvas, kGreen), 10);
    int notGreen = 0;  // glyph edges blend into shades of green only
    for (int y = 0; y < canvas.surface.height(); ++y)
        for (int x = 0; x < canvas.surface.width(); ++x)
            notGreen += (canvas.at(x, y) & rgbOf(255, 0, 255)) != 0 ? 1 : 0;
    EXPECT_EQ(notGreen, 0);
    CParamDisplay hidden(kBox, nullptr, gui::noDraw);
    EXPECT_FALSE(hidden.isDirty()) << "clean from construction";
    EXPECT_EQ(count(drawn(canvas, hidden), 0), canvas.surface.width() * canvas.surface.height());
}

TEST(DisplayPixels, LabelShowsItsOwnCopyOfTheText) {
    Canvas canvas;
    std::string words = "88";
    gui::CTextLabel label(kBox, words.c_str());
    words = "";
    EXPECT_GT(count(drawn(canvas, label), kGreen), 10);
    label.setText(label.getText());  // its own text, copied before the old copy goes
    EXPECT_STREQ(label.getText(), "88");
    label.setText(nullptr);
    EXPECT_EQ(count(drawn(canvas, label), kGreen), 0);
}

// The panel's entries and the other display styles stay on the device blocks of their own
// rectangle at every factor of the size menu: outlines and edges as much as fills and text.
TEST(DisplayPixels, AtEveryScaleNothingIsDrawnOutsideTheDisplay) {
    for (const double scale : {1.0, 1.25, 1.5, 2.0, 2.5, 3.0}) {
        gui::CFrame frame(CRectangle(0, 0, 60, 45), nullptr, nullptr, scale);
        PixelSurface surface(180, 135);
        surface.fill(0);
        gui::CDrawContext context(&frame, surface.device(), nullptr);
        CParamDisplay plain(kBox);
        CParamDisplay sunken(kBox, nullptr, gui::sunken3D | gui::shadowText);
        CParamDisplay raised(kBox, nullptr, gui::raised3D);
        gui::CTextEdit entry(kBox, nullptr, 0, "-12.5 dB");
        for (CParamDisplay* display :
             std::initializer_list<CParamDisplay*>{&plain, &sunken, &raised, &entry}) {
            display->setBackColor(gui::kBlueColor);
            display->setFrameColor(gui::kRedColor);
            display->setFontColor(gui::kGreenColor);
            display->setShadowColor(gui::kWhiteColor);
            display->draw(&context);
        }
        const CRectangle inside = gui::toDevice(kBox, scale);
        for (int y = 0; y < surface.height(); ++y)
            for (int x = 0; x < surface.width(); ++x) {
                const bool within =
                    x >= inside.left && x < inside.right && y >= inside.top && y < inside.bottom;
                if (!within) {
                    ASSERT_EQ(surface.rgb(x, y), 0u) << scale << ": " << x << ", " << y;
                }
            }
        EXPECT_EQ(surface.rgb(inside.right - 1, inside.bottom - 1), kRed) << scale;
    }
}
