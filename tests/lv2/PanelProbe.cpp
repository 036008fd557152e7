// What a person would check of a host showing the plug-in, for the scripts that run real hosts:
//   panel_probe find NAME REFERENCE.png  the screen position of the panel inside the top-level
//                                        window NAME, found by the reference's logo at the right
//   panel_probe expansion FILE.wav       the expansion in percent that a recording of the
//                                        plug-in's outputs, fed on the left input only, shows
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include "tools/host/WavFile.h"

namespace {

// The logo and the name at the panel's right do not change with the parameters.
constexpr int kLogoLeft = 640, kLogoWidth = 112, kLogoHeight = 80;
constexpr int kChannelTolerance = 8;

Window namedWindow(Display* display, Window window, const char* name) {
    char* found = nullptr;
    if (XFetchName(display, window, &found) && found) {
        const bool same = std::strcmp(found, name) == 0;
        XFree(found);
        if (same) return window;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
    Window match = 0;
    for (unsigned i = 0; i < count && !match; ++i) match = namedWindow(display, children[i], name);
    if (children) XFree(children);
    return match;
}

bool near(unsigned long shown, std::uint32_t reference) {
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>((shown >> shift) & 0xFF);
        const int b = static_cast<int>((reference >> shift) & 0xFF);
        if (std::abs(a - b) > kChannelTolerance) return false;
    }
    return true;
}

// The share of the logo's pixels that the window shows alike with the panel's corner at x, y.
double logoMatch(XImage* image, cairo_surface_t* reference, int x, int y) {
    const auto* rows = cairo_image_surface_get_data(reference);
    const int stride = cairo_image_surface_get_stride(reference);
    int alike = 0;
    for (int row = 0; row < kLogoHeight; ++row)
        for (int column = kLogoLeft; column < kLogoLeft + kLogoWidth; ++column) {
            std::uint32_t pixel;
            std::memcpy(&pixel, rows + row * stride + column * 4, sizeof pixel);
            alike += near(XGetPixel(image, x + column, y + row), pixel) ? 1 : 0;
        }
    return static_cast<double>(alike) / (kLogoWidth * kLogoHeight);
}

int findPanel(const char* name, const char* referencePath) {
    Display* display = XOpenDisplay(nullptr);
    cairo_surface_t* reference = cairo_image_surface_create_from_png(referencePath);
    if (!display || cairo_surface_status(reference) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "panel_probe: no display or no reference %s\n", referencePath);
        return 2;
    }
    const Window window = namedWindow(display, DefaultRootWindow(display), name);
    XWindowAttributes shape{};
    if (!window || !XGetWindowAttributes(display, window, &shape)) {
        std::fprintf(stderr, "panel_probe: no window named %s\n", name);
        return 1;
    }
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(shape.width),
                              static_cast<unsigned>(shape.height), AllPlanes, ZPixmap);
    double best = 0.0;
    int bestX = 0, bestY = 0;
    for (int y = 0; image && y + kLogoHeight <= shape.height; ++y)
        for (int x = 0; x + kLogoLeft + kLogoWidth <= shape.width; ++x) {
            const double match = logoMatch(image, reference, x, y);
            if (match > best) best = match, bestX = x, bestY = y;
        }
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), bestX, bestY, &rootX, &rootY,
                          &child);
    std::fprintf(stderr, "panel_probe: %.1f %% of the logo's pixels at %d,%d of %dx%d\n",
                 best * 100.0, bestX, bestY, shape.width, shape.height);
    std::printf("%d %d\n", rootX, rootY);
    return best >= 0.99 ? 0 : 1;
}

// The outputs are the input's own channel and k times it in the other, k = 0.25 x expansion +
// 0.25 (expansion 0 to 1): the peaks' ratio gives the expansion back.
int heardExpansion(const char* path) {
    const DecodedWav recorded = readWavFile(path);
    float left = 0.0f, right = 0.0f;
    for (std::size_t i = 0; i < recorded.audio.frames(); ++i) {
        left = std::fmax(left, std::fabs(recorded.audio.left[i]));
        right = std::fmax(right, std::fabs(recorded.audio.right[i]));
    }
    if (left <= 0.0f) {
        std::fprintf(stderr, "panel_probe: %s is silent\n", path);
        return 1;
    }
    std::printf("%.0f\n", (right / left - 0.25) / 0.25 * 100.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::string(argv[1]) == "find") return findPanel(argv[2], argv[3]);
        if (argc == 3 && std::string(argv[1]) == "expansion") return heardExpansion(argv[2]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "panel_probe: %s\n", error.what());
        return 2;
    }
    std::fprintf(stderr, "usage: panel_probe find NAME REFERENCE.png | expansion FILE.wav\n");
    return 2;
}
