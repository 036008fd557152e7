#include "effect/lv2/Lv2Plugin.h"

#include <cstring>

#include "effect/PluginCore.h"

namespace talonLv2 {

namespace {

constexpr intptr kHostVersion = 2400;
// The largest block handed to the effect in one call: its frame count is a signed 32-bit number.
constexpr std::uint32_t kMaxCall = 1u << 30;

// The effect asks its host a few questions; an LV2 host has no such callback, so this one
// answers the version and nothing else.
intptr VSTCALLBACK silentHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
    return opcode == audioMasterVersion ? kHostVersion : 0;
}

std::uint32_t bitsOf(float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class Instance {
  public:
    explicit Instance(double sampleRate) : core(silentHost) {
        core.setSampleRate(static_cast<float>(sampleRate));
    }

    void connect(std::uint32_t port, void* data) {
        switch (port) {
            case kPortInLeft: inputs[0] = static_cast<float*>(data); break;
            case kPortInRight: inputs[1] = static_cast<float*>(data); break;
            case kPortOutLeft: outputs[0] = static_cast<float*>(data); break;
            case kPortOutRight: outputs[1] = static_cast<float*>(data); break;
            case kPortExpansion: expansionPort = static_cast<const float*>(data); break;
            case kPortOutput: outputPort = static_cast<const float*>(data); break;
            default: break;
        }
    }

    void run(std::uint32_t frames) {
        readControls();
        if (!inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) {
            silenceConnectedOutputs(frames);
            return;
        }
        // The usual block goes in one call, straight from the connected channels.
        if (frames <= kMaxCall) {
            core.processReplacing(inputs, outputs, static_cast<int32>(frames));
            return;
        }
        for (std::uint32_t done = 0; done < frames;) {
            const std::uint32_t count = frames - done < kMaxCall ? frames - done : kMaxCall;
            float* in[kNumChannels] = {inputs[0] + done, inputs[1] + done};
            float* out[kNumChannels] = {outputs[0] + done, outputs[1] + done};
            core.processReplacing(in, out, static_cast<int32>(count));
            done += count;
        }
    }

  private:
    // Through setParameter, as a VST host's automation arrives. The decibel conversion is
    // repeated only when the port's value changes.
    void readControls() {
        if (expansionPort) core.setParameter(kParamExpansion, expansionFromPercent(*expansionPort));
        if (outputPort) {
            const std::uint32_t bits = bitsOf(*outputPort);
            if (!hasOutputValue || bits != outputBits) {
                outputBits = bits;
                outputValue = outputFromDecibels(*outputPort);
                hasOutputValue = true;
            }
            core.setParameter(kParamOutput, outputValue);
        }
    }

    void silenceConnectedOutputs(std::uint32_t frames) {
        for (float* channel : outputs)
            if (channel) std::memset(channel, 0, sizeof(float) * static_cast<std::size_t>(frames));
    }

    PluginCore core;
    float* inputs[kNumChannels] = {nullptr, nullptr};
    float* outputs[kNumChannels] = {nullptr, nullptr};
    const float* expansionPort = nullptr;
    const float* outputPort = nullptr;
    bool hasOutputValue = false;
    std::uint32_t outputBits = 0;
    float outputValue = 0.0f;
};

// The effect has no state that depends on the rate; a rate no host could run at is refused.
LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const*) {
    if (!(sampleRate >= 1.0 && sampleRate <= 1.0e7)) return nullptr;
    // No exception may cross into the host: a failed construction is a refusal.
    try {
        return new Instance(sampleRate);
    } catch (...) {
        return nullptr;
    }
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    static_cast<Instance*>(handle)->connect(port, data);
}

void run(LV2_Handle handle, uint32_t frames) { static_cast<Instance*>(handle)->run(frames); }

void cleanup(LV2_Handle handle) { delete static_cast<Instance*>(handle); }

const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor kDescriptor = {
    TALON_LV2_URI, instantiate, connectPort, nullptr, run, nullptr, cleanup, extensionData,
};

}  // namespace

const LV2_Descriptor* descriptor(std::uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}

}  // namespace talonLv2
