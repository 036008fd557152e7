// talon_lv2_bench: the cost per frame of the LV2 plug-in's run(), called through its descriptor
// as a host does, beside the straight loop of the same formula on the same buffers, natively.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "bench/Baselines.h"
#include "effect/PluginCore.h"
#include "effect/lv2/Lv2Plugin.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kBlockSizes[] = {32, 512, 4096};
constexpr int kRounds = 7;
constexpr long long kFramesPerRun = 20'000'000;
constexpr double kTarget = 1.2;  // run() against the straight loop, from block 512 up
constexpr float kPercent = 80.0f;
constexpr float kDecibels = 1.5f;

intptr VSTCALLBACK benchHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

struct Block {
    std::vector<float> storage[4];
    float* inputs[2];
    float* outputs[2];

    explicit Block(std::uint32_t frames) {
        for (auto& channel : storage) channel.assign(frames, 0.0f);
        for (std::uint32_t i = 0; i < frames; ++i) {
            storage[0][i] = static_cast<float>(0.5 * std::sin(0.01 * i));
            storage[1][i] = static_cast<float>(0.5 * std::cos(0.013 * i));
        }
        inputs[0] = storage[0].data();
        inputs[1] = storage[1].data();
        outputs[0] = storage[2].data();
        outputs[1] = storage[3].data();
    }
};

template <typename Run>
double nanosecondsPerFrame(Run run, std::uint32_t frames) {
    const long long blocks = std::max(1LL, kFramesPerRun / frames);
    const Clock::time_point start = Clock::now();
    for (long long i = 0; i < blocks; ++i) run();
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    return elapsed.count() * 1e9 / (static_cast<double>(blocks) * frames);
}

// Returns whether run() met the target at this block size.
bool measure(std::uint32_t frames, double& checksum) {
    const LV2_Descriptor* descriptor = talonLv2::descriptor(0);
    LV2_Handle plugin = descriptor->instantiate(descriptor, 48000.0, "", nullptr);
    Block block(frames);
    float percent = kPercent, decibels = kDecibels;
    descriptor->connect_port(plugin, talonLv2::kPortInLeft, block.inputs[0]);
    descriptor->connect_port(plugin, talonLv2::kPortInRight, block.inputs[1]);
    descriptor->connect_port(plugin, talonLv2::kPortOutLeft, block.outputs[0]);
    descriptor->connect_port(plugin, talonLv2::kPortOutRight, block.outputs[1]);
    descriptor->connect_port(plugin, talonLv2::kPortExpansion, &percent);
    descriptor->connect_port(plugin, talonLv2::kPortOutput, &decibels);
    const BlockParameters parameters{talonLv2::expansionFromPercent(kPercent),
                                     talonLv2::outputFromDecibels(kDecibels)};
    const int32 count = static_cast<int32>(frames);
    PluginCore core(benchHost);
    core.setParameter(kParamExpansion, parameters.expansion);
    core.setParameter(kParamOutput, parameters.output);
    double runCost = std::numeric_limits<double>::infinity(), straightCost = runCost;
    double entryCost = runCost;
    for (int round = 0; round < kRounds; ++round) {
        runCost = std::min(runCost,
                           nanosecondsPerFrame([&] { descriptor->run(plugin, frames); }, frames));
        checksum += block.outputs[0][frames - 1];
        straightCost = std::min(
            straightCost,
            nanosecondsPerFrame(
                [&] { straightLoop(block.inputs, block.outputs, count, parameters); }, frames));
        checksum += block.outputs[1][frames - 1];
        entryCost = std::min(
            entryCost,
            nanosecondsPerFrame([&] { core.processReplacing(block.inputs, block.outputs, count); },
                                frames));
    }
    descriptor->cleanup(plugin);
    const double ratio = runCost / straightCost;
    const bool met = frames < 512 || ratio <= kTarget;
    std::printf(
        "block %5u: run() %.3f ns/frame, processReplacing %.3f, straight loop %.3f, "
        "run()/straight %.2f%s\n",
        frames, runCost, entryCost, straightCost, ratio, met ? "" : "  (over target)");
    return met;
}

}  // namespace

int main() {
    double checksum = 0.0;
    bool met = true;
    for (std::uint32_t frames : kBlockSizes) met = measure(frames, checksum) && met;
    std::printf("checksum %g; target: run() at most %.1f x the straight loop from block 512: %s\n",
                checksum, kTarget, met ? "met" : "NOT met");
    return met ? 0 : 1;
}
