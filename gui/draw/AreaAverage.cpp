#include "gui/draw/AreaAverage.h"

#include <algorithm>
#include <cmath>

namespace gui {

namespace {

constexpr int kChannels = 4;
constexpr int kChannelBits = 8;
constexpr std::uint32_t kChannelMask = 0xFF;

// The old pixels one new pixel covers along one axis, with the share of each.
struct Span {
    std::int32_t first = 0;
    std::vector<float> weights;
};

std::vector<Span> spansOf(std::int32_t length, std::int32_t newLength) {
    std::vector<Span> spans(static_cast<std::size_t>(newLength));
    const double step = static_cast<double>(length) / newLength;
    for (std::int32_t i = 0; i < newLength; ++i) {
        const double start = i * step;
        const double end = start + step;
        Span& span = spans[static_cast<std::size_t>(i)];
        span.first = static_cast<std::int32_t>(std::floor(start));
        const auto last = std::min(length - 1, static_cast<std::int32_t>(std::ceil(end)) - 1);
        for (std::int32_t old = span.first; old <= last; ++old) {
            const double covered = std::min<double>(end, old + 1) - std::max<double>(start, old);
            span.weights.push_back(static_cast<float>(covered / step));
        }
    }
    return spans;
}

struct Channels {
    float value[kChannels] = {};
    void add(std::uint32_t pixel, float weight) {
        for (int c = 0; c < kChannels; ++c)
            value[c] += weight * static_cast<float>((pixel >> (c * kChannelBits)) & kChannelMask);
    }
    void add(const Channels& other, float weight) {
        for (int c = 0; c < kChannels; ++c) value[c] += weight * other.value[c];
    }
    std::uint32_t packed() const {
        std::uint32_t pixel = 0;
        for (int c = 0; c < kChannels; ++c) {
            const long rounded = std::lround(value[c]);
            const auto channel = static_cast<std::uint32_t>(std::clamp(rounded, 0L, 255L));
            pixel |= channel << (c * kChannelBits);
        }
        return pixel;
    }
};

}  // namespace

std::vector<std::uint32_t> areaAverage(const std::vector<std::uint32_t>& source, std::int32_t width,
                                       std::int32_t height, std::int32_t newWidth,
                                       std::int32_t newHeight) {
    if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0) return {};
    if (source.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return {};
    const std::vector<Span> columns = spansOf(width, newWidth);
    const std::vector<Span> rows = spansOf(height, newHeight);
    // Across first, into floats, then down: each old row is reduced once.
    std::vector<Channels> across(static_cast<std::size_t>(newWidth) * height);
    for (std::int32_t y = 0; y < height; ++y) {
        const std::uint32_t* row = source.data() + static_cast<std::size_t>(y) * width;
        Channels* out = across.data() + static_cast<std::size_t>(y) * newWidth;
        for (std::int32_t x = 0; x < newWidth; ++x) {
            const Span& span = columns[static_cast<std::size_t>(x)];
            for (std::size_t k = 0; k < span.weights.size(); ++k)
                out[x].add(row[span.first + static_cast<std::int32_t>(k)], span.weights[k]);
        }
    }
    std::vector<std::uint32_t> result(static_cast<std::size_t>(newWidth) * newHeight);
    for (std::int32_t y = 0; y < newHeight; ++y) {
        const Span& span = rows[static_cast<std::size_t>(y)];
        for (std::int32_t x = 0; x < newWidth; ++x) {
            Channels sum;
            for (std::size_t k = 0; k < span.weights.size(); ++k) {
                const std::size_t oldRow = static_cast<std::size_t>(span.first) + k;
                sum.add(across[oldRow * newWidth + x], span.weights[k]);
            }
            result[static_cast<std::size_t>(y) * newWidth + x] = sum.packed();
        }
    }
    return result;
}

}  // namespace gui
