// The panel's pictures as the Windows build takes them (docs/panel*.png) and how they are cut for
// comparison: the value entries' texts are the font rasteriser's, everything else is artwork and
// must come out the same pixel for pixel on every platform.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace panelpictures {

constexpr int kPanelWidth = 752;
constexpr int kPanelHeight = 80;

// A rectangle in panel coordinates (at 1.0), right and bottom exclusive.
struct Region {
    int left;
    int top;
    int right;
    int bottom;
};

// The two value entries' texts, expansion then output: the only text the panel draws at run
// time.
constexpr Region kTextRegions[] = {{154, 24, 202, 48}, {578, 24, 626, 48}};
constexpr int kTextRegionCount = 2;

// The index of the text region holding pixel (x, y) of a picture at scale, or -1 for artwork.
inline int textRegionAt(int x, int y, int scale) {
    for (int i = 0; i < kTextRegionCount; ++i) {
        const Region& region = kTextRegions[i];
        if (x >= region.left * scale && x < region.right * scale && y >= region.top * scale &&
            y < region.bottom * scale)
            return i;
    }
    return -1;
}

struct Picture {
    int width = 0;
    int height = 0;
    // 0x00RRGGBB, rows top-down.
    std::vector<std::uint32_t> rgb;

    std::uint32_t at(int x, int y) const {
        return rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x)];
    }
};

// The picture in a PNG file; empty (0 x 0) when it cannot be read.
Picture readPicture(const std::string& path);

// The largest difference of one colour channel between two pixels.
int channelDifference(std::uint32_t a, std::uint32_t b);

}  // namespace panelpictures
