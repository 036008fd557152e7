// Checks the gallery's screenshot against the gallery's own pictures:
//   talon_gallery_check SCREENSHOT.png ART_FOLDER
// Every film strip must show, pixel for pixel, the frame its starting value selects; the sliders
// and the meter must show their parts split where their values put the split; the knobs and the
// text controls, which draw over a picture, must show that picture with something drawn on it.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "GalleryLayout.h"

namespace {

using gallery::Box;

// Blending an opaque picture may round a channel by a step or two.
constexpr int kChannelTolerance = 2;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    bool at(int x, int y, std::uint8_t (&out)[3]) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return false;
        const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        return true;
    }
};

bool readRgb(const std::string& path, Image& image) {
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&header, path.c_str())) {
        std::printf("%s: not readable as PNG: %s\n", path.c_str(), header.message);
        return false;
    }
    header.format = PNG_FORMAT_RGB;
    image.width = static_cast<int>(header.width);
    image.height = static_cast<int>(header.height);
    image.rgb.resize(PNG_IMAGE_SIZE(header));
    if (!png_image_finish_read(&header, nullptr, image.rgb.data(), 0, nullptr)) {
        std::printf("%s: cannot decode: %s\n", path.c_str(), header.message);
        return false;
    }
    return true;
}

bool similar(const std::uint8_t (&a)[3], const std::uint8_t (&b)[3], int tolerance) {
    for (int c = 0; c < 3; ++c)
        if (std::abs(a[c] - b[c]) > tolerance) return false;
    return true;
}

struct Checker {
    std::string artFolder;
    Image shot;
    int failures = 0;

    // Read once; a picture that cannot be read counts every pixel compared with it as wrong.
    const Image* picture(const std::string& name) {
        auto found = pictures.find(name);
        if (found == pictures.end())
            found = pictures.emplace(name, readable(artFolder + "/" + name)).first;
        return found->second.width > 0 ? &found->second : nullptr;
    }
    static Image readable(const std::string& path) {
        Image image;
        if (!readRgb(path, image)) image = Image();
        return image;
    }

    // Pixels of the screen area (x, y, w, h) that differ from the picture's area at (sx, sy).
    int differing(int x, int y, int w, int h, const std::string& name, int sx, int sy) {
        const Image* art = picture(name);
        if (!art) return w * h;
        int count = 0;
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col) {
                std::uint8_t a[3], b[3];
                if (!shot.at(x + col, y + row, a) || !art->at(sx + col, sy + row, b) ||
                    !similar(a, b, kChannelTolerance))
                    ++count;
            }
        return count;
    }

    void report(bool ok, const std::string& what, const std::string& detail) {
        std::printf("%s %s%s%s\n", ok ? "ok  " : "FAIL", what.c_str(), detail.empty() ? "" : ": ",
                    detail.c_str());
        if (!ok) ++failures;
    }

    // The screen area shows exactly that part of the picture.
    void exact(const std::string& what, int x, int y, int w, int h, const std::string& name, int sx,
               int sy) {
        const int wrong = differing(x, y, w, h, name, sx, sy);
        report(wrong == 0, what, wrong ? std::to_string(wrong) + " pixels differ" : "");
    }
    void frame(const std::string& what, const Box& box, const std::string& name, int k) {
        const int h = box.bottom - box.top;
        exact(what + " frame " + std::to_string(k), box.left, box.top, box.right - box.left, h,
              name, 0, k * h);
    }
    // The picture shows through, with between minDrawn and maxDrawn pixels drawn over it.
    void drawnOver(const std::string& what, const Box& box, const std::string& name, int minDrawn,
                   int maxDrawn) {
        const int w = box.right - box.left;
        const int h = box.bottom - box.top;
        const int wrong = differing(box.left, box.top, w, h, name, 0, 0);
        report(wrong >= minDrawn && wrong <= maxDrawn, what,
               std::to_string(wrong) + " of " + std::to_string(w * h) + " pixels drawn over");
    }

    std::map<std::string, Image> pictures;
};

void checkStrips(Checker& c) {
    using namespace gallery;
    // 0.3125 of 60 steps is 18.75; a knob's strip counts whole steps only: frame 18.
    c.frame("CAnimKnob", kAnimKnobBox, "anim_knob.png", 18);
    // 0.625 of 20 steps is 12.5, halves round up: frame 13.
    c.frame("CMovieBitmap", kMovieBox, "wave.png", 13);
    c.frame("CAutoAnimation", kSpinnerBox, "spinner.png", 3);
    c.frame("COnOffButton on", kOnOffBox, "on_off.png", 1);
    c.frame("CKickButton released", kKickBox, "kick.png", 0);
    c.frame("CMovieButton on", kLatchBox, "latch.png", 1);
    c.frame("CRockerSwitch at 0", kRockerBox, "rocker.png", 1);
    // 2/3 of 3 steps: position 2 of 0 to 3; 1/3: position 1.
    c.frame("CVerticalSwitch", kVerticalSwitchBox, "vswitch.png", 2);
    c.frame("CHorizontalSwitch", kHorizontalSwitchBox, "hswitch.png", 1);
    const int digits[kDigitCount] = {0, 3, 1, 3};
    for (int i = 0; i < kDigitCount; ++i) {
        const int x = kDigitsBox.left + i * kDigitStrip.width;
        c.exact("CSpecialDigit digit " + std::to_string(i) + " shows " + std::to_string(digits[i]),
                x, kDigitsBox.top, kDigitStrip.width, kDigitStrip.height, "digits.png", 0,
                digits[i] * kDigitStrip.height);
    }
}

void checkSplits(Checker& c) {
    using namespace gallery;
    // 0.75 with 8 LEDs: 6 lit, so the top quarter of the 160 rows is unlit.
    const Box& m = kVuMeterBox;
    const int unlit = 40;
    c.exact("CVuMeter unlit top", m.left, m.top, m.right - m.left, unlit, "meter_off.png", 0, 0);
    c.exact("CVuMeter lit bottom", m.left, m.top + unlit, m.right - m.left,
            m.bottom - m.top - unlit, "meter_on.png", 0, unlit);
    // The handles travel 140 pixels: value 0.75 (1 at the top) puts it 35 down, 0.625 87 across.
    const Box& v = kVerticalSliderBox;
    const int vw = v.right - v.left;
    const int down = 35;
    const int handle = 20;
    c.exact("CVerticalSlider track above", v.left, v.top, vw, down, "slider_v_track.png", 0, 0);
    c.exact("CVerticalSlider handle", v.left, v.top + down, vw, handle, "slider_v_handle.png", 0,
            0);
    c.exact("CVerticalSlider track below", v.left, v.top + down + handle, vw,
            v.bottom - v.top - down - handle, "slider_v_track.png", 0, down + handle);
    const Box& h = kHorizontalSliderBox;
    const int hh = h.bottom - h.top;
    const int across = 87;
    c.exact("CHorizontalSlider track left", h.left, h.top, across, hh, "slider_h_track.png", 0, 0);
    c.exact("CHorizontalSlider handle", h.left + across, h.top, handle, hh, "slider_h_handle.png",
            0, 0);
    c.exact("CHorizontalSlider track right", h.left + across + handle, h.top,
            h.right - h.left - across - handle, hh, "slider_h_track.png", across + handle, 0);
}

void checkDrawnOver(Checker& c) {
    using namespace gallery;
    // A handle line or dot, a value or a text: a few dozen to a few hundred pixels, never the
    // whole control.
    c.drawnOver("CKnob handle line over its face", kKnobLineBox, "knob_face.png", 30, 400);
    c.drawnOver("CKnob handle dot over its ring", kKnobDotBox, "knob_ring.png", 30, 400);
    c.drawnOver("CParamDisplay text over its well", kParamDisplayBox, "display_well.png", 60, 1500);
    c.drawnOver("CTextEdit text over its well", kTextEditBox, "display_well.png", 60, 1500);
    c.drawnOver("COptionMenu entry over its well", kOptionMenuBox, "menu_well.png", 60, 1500);
    // The label is transparent: its text lies straight on the background.
    const Box& l = kTextLabelBox;
    const int drawn = c.differing(l.left, l.top, l.right - l.left, l.bottom - l.top,
                                  "background.png", l.left, l.top);
    c.report(drawn >= 60 && drawn <= 2000, "CTextLabel text over the background",
             std::to_string(drawn) + " pixels drawn over");
    // A hidden splash screen draws nothing: the background shows, and so do the header and labels.
    const Box& s = kSplashBox;
    c.exact("CSplashScreen hidden", s.left, s.top, s.right - s.left, s.bottom - s.top,
            "background.png", s.left, s.top);
    c.exact("header", 0, 0, kWindowWidth, 56, "background.png", 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: talon_gallery_check SCREENSHOT.png ART_FOLDER\n");
        return 2;
    }
    Checker checker;
    checker.artFolder = argv[2];
    if (!readRgb(argv[1], checker.shot)) return 1;
    if (checker.shot.width != gallery::kWindowWidth ||
        checker.shot.height != gallery::kWindowHeight) {
        std::printf("%s is %d x %d, expected %d x %d\n", argv[1], checker.shot.width,
                    checker.shot.height, gallery::kWindowWidth, gallery::kWindowHeight);
        return 1;
    }
    checkStrips(checker);
    checkSplits(checker);
    checkDrawnOver(checker);
    std::printf("%d checks failed\n", checker.failures);
    return checker.failures == 0 ? 0 : 1;
}
