// Where the gallery's controls sit, in frame pixels, and the sizes of its film
// strips. Written by make_gallery_art.py; run it again rather than editing this file.
#pragma once

namespace gallery {

struct Box {
    int left, top, right, bottom;
};
struct Strip {
    int width, height, count;
};

constexpr int kWindowWidth = 1040;
constexpr int kWindowHeight = 660;
constexpr int kDigitCount = 4;
constexpr int kLedCount = 8;
constexpr Box kSplashDisplayBox = {320, 220, 720, 440};

constexpr Box kKnobLineBox = {25, 142, 121, 238};
constexpr Box kKnobDotBox = {138, 142, 234, 238};
constexpr Box kAnimKnobBox = {251, 142, 347, 238};
constexpr Box kVerticalSliderBox = {404, 112, 440, 272};
constexpr Box kHorizontalSliderBox = {468, 174, 628, 210};
constexpr Box kVuMeterBox = {688, 112, 716, 272};
constexpr Box kDigitsBox = {764, 112, 860, 152};
constexpr Box kSpinnerBox = {938, 108, 986, 156};
constexpr Box kMovieBox = {780, 222, 980, 254};
constexpr Box kOnOffBox = {55, 390, 103, 438};
constexpr Box kKickBox = {181, 390, 229, 438};
constexpr Box kLatchBox = {295, 400, 367, 428};
constexpr Box kRockerBox = {443, 384, 471, 444};
constexpr Box kVerticalSwitchBox = {120, 498, 164, 594};
constexpr Box kHorizontalSwitchBox = {280, 530, 448, 562};
constexpr Box kParamDisplayBox = {566, 384, 742, 414};
constexpr Box kTextLabelBox = {566, 474, 742, 500};
constexpr Box kTextEditBox = {566, 562, 742, 592};
constexpr Box kOptionMenuBox = {816, 384, 996, 412};
constexpr Box kSplashBox = {842, 496, 970, 540};

constexpr Strip kAnimKnobStrip = {96, 96, 61};
constexpr Strip kDigitStrip = {24, 40, 10};
constexpr Strip kMovieStrip = {200, 32, 21};
constexpr Strip kSpinnerStrip = {48, 48, 12};
constexpr Strip kOnOffStrip = {48, 48, 2};
constexpr Strip kKickStrip = {48, 48, 2};
constexpr Strip kLatchStrip = {72, 28, 2};
constexpr Strip kRockerStrip = {28, 60, 3};
constexpr Strip kVerticalSwitchStrip = {44, 96, 4};
constexpr Strip kHorizontalSwitchStrip = {168, 32, 4};

}  // namespace gallery
