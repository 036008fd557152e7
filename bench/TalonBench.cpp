// talon_bench: the cost per frame of the effect's processReplacing and processDoubleReplacing,
// called through the record as a host does, beside a memcpy of the same bytes and a straight loop
// of the same formula on the same buffers (over pointers promised not to overlap, so that the
// compiler vectorises it), at several block sizes and with subnormal input.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

#include "bench/Baselines.h"
#include "effect/PluginCore.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int32 kBlockSizes[] = {32, 512, 4096};
constexpr int kBlockSizeCount = sizeof(kBlockSizes) / sizeof(kBlockSizes[0]);
constexpr int kRounds = 7;
constexpr double kRunSeconds = 0.020;
// An entry's cost against its straight loop, at the block sizes from `fromBlock` up.
struct EntryTarget {
    double ratio;
    int32 fromBlock;
};
// processReplacing reads the parameters for every sample; processDoubleReplacing once per block,
// where a small block is dominated by the call itself.
constexpr EntryTarget kFloatEntryTarget{3.0, 32};
constexpr EntryTarget kDoubleEntryTarget{1.2, 512};
constexpr double kSubnormalTarget = 1.5;  // subnormal input against normal input
constexpr intptr kHostVersion = 2400;
constexpr float kSampleRate = 44100.0f;
constexpr float kExpansion = 0.8f;
constexpr float kOutput = 0.6f;

// Collects a sample of every run's output and is printed, so that no run can be optimised away.
double checksum = 0.0;

intptr VSTCALLBACK benchHost(AEffect*, int32 opcode, int32, intptr, void*, float) {
    return opcode == audioMasterVersion ? kHostVersion : 0;
}

template <typename Sample>
struct Subnormal;
template <>
struct Subnormal<float> {
    static constexpr float value = 1e-40f;
};
template <>
struct Subnormal<double> {
    static constexpr double value = 1e-310;
};

// Normal input, subnormal input and the output every contender writes, for one block size.
template <typename Sample>
class Buffers {
  public:
    explicit Buffers(int32 frames) : storage(6, std::vector<Sample>(frames)) {
        for (int32 i = 0; i < frames; ++i) {
            const double phase = 0.01 * i;
            storage[0][i] = static_cast<Sample>(0.5 * std::sin(phase));
            storage[1][i] = static_cast<Sample>(0.5 * std::cos(1.3 * phase));
            const auto scale = static_cast<Sample>(1.0 + 0.1 * (i % 7));
            storage[2][i] = Subnormal<Sample>::value * scale;
            storage[3][i] = -Subnormal<Sample>::value * scale;
        }
        for (int channel = 0; channel < 2; ++channel) {
            normal[channel] = storage[channel].data();
            subnormal[channel] = storage[2 + channel].data();
            output[channel] = storage[4 + channel].data();
        }
    }

    Sample* normal[2];
    Sample* subnormal[2];
    Sample* output[2];

  private:
    std::vector<std::vector<Sample>> storage;
};

template <typename Sample>
struct Bench {
    AEffect* record;
    Buffers<Sample>& buffers;
    int32 frames;
    BlockParameters parameters;
};

void callEntry(AEffect* record, float** inputs, float** outputs, int32 frames) {
    record->processReplacing(record, inputs, outputs, frames);
}

void callEntry(AEffect* record, double** inputs, double** outputs, int32 frames) {
    record->processDoubleReplacing(record, inputs, outputs, frames);
}

// The contenders: each processes the same block `blocks` times over.
enum Contender { kEntry, kEntrySubnormal, kStraight, kCopy, kContenders };

template <typename Sample>
using RunBlocks = void (*)(Bench<Sample>& bench, long long blocks);

template <typename Sample>
void runEntry(Bench<Sample>& b, long long blocks) {
    for (long long i = 0; i < blocks; ++i)
        callEntry(b.record, b.buffers.normal, b.buffers.output, b.frames);
}

template <typename Sample>
void runEntrySubnormal(Bench<Sample>& b, long long blocks) {
    for (long long i = 0; i < blocks; ++i)
        callEntry(b.record, b.buffers.subnormal, b.buffers.output, b.frames);
}

template <typename Sample>
void runStraight(Bench<Sample>& b, long long blocks) {
    for (long long i = 0; i < blocks; ++i)
        straightLoop(b.buffers.normal, b.buffers.output, b.frames, b.parameters);
}

template <typename Sample>
void runCopy(Bench<Sample>& b, long long blocks) {
    for (long long i = 0; i < blocks; ++i)
        copyChannels(b.buffers.normal, b.buffers.output, b.frames);
}

template <typename Sample>
double secondsFor(RunBlocks<Sample> run, Bench<Sample>& bench, long long blocks) {
    const Clock::time_point start = Clock::now();
    run(bench, blocks);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    checksum += bench.buffers.output[0][0] + bench.buffers.output[1][bench.frames - 1];
    return elapsed.count();
}

// The number of blocks that makes one run last about kRunSeconds.
template <typename Sample>
long long calibrate(RunBlocks<Sample> run, Bench<Sample>& bench) {
    long long blocks = 1;
    double seconds = secondsFor(run, bench, blocks);
    while (seconds < kRunSeconds / 10) {
        blocks *= 2;
        seconds = secondsFor(run, bench, blocks);
    }
    return std::max(1LL,
                    static_cast<long long>(static_cast<double>(blocks) * kRunSeconds / seconds));
}

// Nanoseconds per frame of each contender, best of kRounds rounds; within a round the contenders
// take turns, so that a slow spell of the machine hits all of them alike.
struct Costs {
    double ns[kContenders];
};

template <typename Sample>
Costs measure(AEffect* record, int32 frames, const BlockParameters& parameters) {
    Buffers<Sample> buffers(frames);
    Bench<Sample> bench{record, buffers, frames, parameters};
    const RunBlocks<Sample> runs[kContenders] = {runEntry<Sample>, runEntrySubnormal<Sample>,
                                                 runStraight<Sample>, runCopy<Sample>};
    long long blocks[kContenders];
    for (int c = 0; c < kContenders; ++c) blocks[c] = calibrate(runs[c], bench);
    Costs best;
    std::fill(std::begin(best.ns), std::end(best.ns), std::numeric_limits<double>::infinity());
    for (int round = 0; round < kRounds; ++round) {
        for (int c = 0; c < kContenders; ++c) {
            const double seconds = secondsFor(runs[c], bench, blocks[c]);
            const double frameCount = static_cast<double>(blocks[c]) * frames;
            best.ns[c] = std::min(best.ns[c], seconds * 1e9 / frameCount);
        }
    }
    return best;
}

// The largest difference between the entry's output and the straight loop's on the same input:
// a fair baseline does the same arithmetic as the entry.
template <typename Sample>
double baselineDifference(AEffect* record, const BlockParameters& parameters) {
    const int32 frames = kBlockSizes[0];
    Buffers<Sample> entry(frames);
    Buffers<Sample> straight(frames);
    callEntry(record, entry.normal, entry.output, frames);
    straightLoop(straight.normal, straight.output, frames, parameters);
    double largest = 0.0;
    for (int channel = 0; channel < 2; ++channel) {
        for (int32 i = 0; i < frames; ++i) {
            const double difference = static_cast<double>(entry.output[channel][i]) -
                                      static_cast<double>(straight.output[channel][i]);
            largest = std::max(largest, std::fabs(difference));
        }
    }
    return largest;
}

// Opens the effect and starts processing the way a host does.
AEffect* openEffect() {
    auto* effect = new PluginCore(benchHost);
    AEffect* record = effect->getAeffect();
    record->dispatcher(record, effOpen, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effSetSampleRate, 0, 0, nullptr, kSampleRate);
    record->dispatcher(record, effSetBlockSize, 0, kBlockSizes[kBlockSizeCount - 1], nullptr, 0.0f);
    record->setParameter(record, kParamExpansion, kExpansion);
    record->setParameter(record, kParamOutput, kOutput);
    record->dispatcher(record, effMainsChanged, 0, 1, nullptr, 0.0f);
    return record;
}

void closeEffect(AEffect* record) {
    record->dispatcher(record, effMainsChanged, 0, 0, nullptr, 0.0f);
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
}

const char* verdict(double ratio, double target) { return ratio <= target ? "met" : "MISSED"; }

void printEntryTable(const char* entry, const Costs* costs, const EntryTarget& target) {
    std::printf("%-24s %6s %10s %12s %10s %15s %16s   %s\n", entry, "block", "entry ns",
                "straight ns", "memcpy ns", "entry/straight", "memcpy/straight", "target");
    for (int i = 0; i < kBlockSizeCount; ++i) {
        const double* ns = costs[i].ns;
        const double ratio = ns[kEntry] / ns[kStraight];
        std::printf("%-24s %6d %10.3f %12.3f %10.3f %15.2f %16.2f   ", "", kBlockSizes[i],
                    ns[kEntry], ns[kStraight], ns[kCopy], ratio, ns[kCopy] / ns[kStraight]);
        if (kBlockSizes[i] >= target.fromBlock)
            std::printf("<= %.1f %s\n", target.ratio, verdict(ratio, target.ratio));
        else
            std::printf("none\n");
    }
}

void printSubnormalTable(const char* entry, const Costs* costs) {
    std::printf("%-24s %6s %10s %13s %8s   %s\n", entry, "block", "normal ns", "subnormal ns",
                "ratio", "target");
    for (int i = 0; i < kBlockSizeCount; ++i) {
        const double* ns = costs[i].ns;
        const double ratio = ns[kEntrySubnormal] / ns[kEntry];
        std::printf("%-24s %6d %10.3f %13.3f %8.2f   <= %.1f %s\n", "", kBlockSizes[i], ns[kEntry],
                    ns[kEntrySubnormal], ratio, kSubnormalTarget, verdict(ratio, kSubnormalTarget));
    }
}

}  // namespace

int main() {
    AEffect* record = openEffect();
    const BlockParameters parameters{record->getParameter(record, kParamExpansion),
                                     record->getParameter(record, kParamOutput)};
    const double floatDifference = baselineDifference<float>(record, parameters);
    const double doubleDifference = baselineDifference<double>(record, parameters);
    Costs floatCosts[kBlockSizeCount];
    Costs doubleCosts[kBlockSizeCount];
    for (int i = 0; i < kBlockSizeCount; ++i) {
        floatCosts[i] = measure<float>(record, kBlockSizes[i], parameters);
        doubleCosts[i] = measure<double>(record, kBlockSizes[i], parameters);
    }
    closeEffect(record);

    std::printf("Talon 5800 processing cost in ns per frame, best of %d runs of about %.0f ms\n\n",
                kRounds, kRunSeconds * 1000.0);
    printEntryTable("processReplacing", floatCosts, kFloatEntryTarget);
    printEntryTable("processDoubleReplacing", doubleCosts, kDoubleEntryTarget);
    std::printf("\nSubnormal input (1e-40f, 1e-310) against normal input\n");
    printSubnormalTable("processReplacing", floatCosts);
    printSubnormalTable("processDoubleReplacing", doubleCosts);
    std::printf("\nLargest |entry - straight loop| on the same input: float %g, double %g\n",
                floatDifference, doubleDifference);
    std::printf("checksum %.6g\n", checksum);
    return 0;
}
