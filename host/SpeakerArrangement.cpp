// Speaker arrangements: variable-length records allocated as one byte array.
#include <cstring>
#include <limits>
#include <new>

#include "host/AudioEffectX.h"

namespace {

constexpr std::size_t kSpeakerSize = sizeof(VstSpeakerProperties);
// Keeps the byte count of a record well inside what one allocation can hold.
constexpr int32 kMaxChannels = 1 << 20;

VstSpeakerProperties* speakerAt(VstSpeakerArrangement* arrangement, int32 channel) {
    auto* bytes = reinterpret_cast<char*>(arrangement);
    return reinterpret_cast<VstSpeakerProperties*>(
        bytes + kSpeakerArrangementHeaderSize + kSpeakerSize * static_cast<std::size_t>(channel));
}

void releaseArrangement(VstSpeakerArrangement* arrangement) {
    delete[] reinterpret_cast<char*>(arrangement);
}

}  // namespace

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, int32 channels) {
    if (!arrangement) return false;
    if (*arrangement) {
        releaseArrangement(*arrangement);
        *arrangement = nullptr;
    }
    if (channels < 0 || channels > kMaxChannels) return false;
    const std::size_t size =
        kSpeakerArrangementHeaderSize + kSpeakerSize * static_cast<std::size_t>(channels);
    char* bytes = new (std::nothrow) char[size];
    if (!bytes) return false;
    std::memset(bytes, 0, size);
    auto* record = reinterpret_cast<VstSpeakerArrangement*>(bytes);
    record->numChannels = channels;
    *arrangement = record;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (arrangement && *arrangement) {
        releaseArrangement(*arrangement);
        *arrangement = nullptr;
    }
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (!to || !from) return false;
    const std::size_t nameLimit = sizeof(to->name) - 1;
    std::strncpy(to->name, from->name, nameLimit);
    to->name[nameLimit] = '\0';
    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memcpy(to->future, from->future, sizeof(to->future));
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (!from || !to) return false;
    if (!deallocateArrangement(to) || !allocateArrangement(to, from->numChannels)) return false;
    (*to)->type = from->type;
    for (int32 channel = 0; channel < from->numChannels; ++channel) {
        if (!copySpeaker(speakerAt(*to, channel), speakerAt(from, channel))) return false;
    }
    return true;
}
