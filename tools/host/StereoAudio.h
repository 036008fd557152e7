// Two channels of audio held as separate sample arrays of equal length.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct StereoAudio {
    std::uint32_t sampleRate = 44100;
    std::vector<float> left;
    std::vector<float> right;

    std::size_t frames() const { return left.size(); }
    void resize(std::size_t frameCount) {
        left.assign(frameCount, 0.0f);
        right.assign(frameCount, 0.0f);
    }
};
