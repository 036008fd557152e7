// An LV2 instance of the plug-in as a host holds it, and the VST path it must match.
#pragma once

#include <lv2/core/lv2.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "effect/PluginCore.h"

namespace lv2test {

inline intptr VSTCALLBACK versionOnlyHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

class Instance {
  public:
    Instance(const LV2_Descriptor* descriptor, double rate) : descriptor(descriptor) {
        static const LV2_Feature* const noFeatures[] = {nullptr};
        handle =
            descriptor->instantiate(descriptor, rate, "/tmp/a bundle with spaces/", noFeatures);
    }
    ~Instance() {
        if (handle) descriptor->cleanup(handle);
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    bool valid() const { return handle != nullptr; }
    void connect(std::uint32_t port, void* data) { descriptor->connect_port(handle, port, data); }
    void run(std::uint32_t frames) { descriptor->run(handle, frames); }

  private:
    const LV2_Descriptor* descriptor;
    LV2_Handle handle = nullptr;
};

// Two channels of seeded noise in -1..1.
struct Stereo {
    std::vector<float> left, right;

    Stereo(std::size_t frames, unsigned seed) : left(frames), right(frames) {
        std::mt19937 random(seed);
        std::uniform_real_distribution<float> sample(-1.0f, 1.0f);
        for (std::size_t i = 0; i < frames; ++i) {
            left[i] = sample(random);
            right[i] = sample(random);
        }
    }
    float* channels[2] = {nullptr, nullptr};
    float** pointers() {
        channels[0] = left.data();
        channels[1] = right.data();
        return channels;
    }
    // Bit for bit: signed zeros and NaNs count.
    bool sameBits(const Stereo& other) const {
        return left.size() == other.left.size() &&
               std::memcmp(left.data(), other.left.data(), left.size() * sizeof(float)) == 0 &&
               std::memcmp(right.data(), other.right.data(), right.size() * sizeof(float)) == 0;
    }
};

}  // namespace lv2test
