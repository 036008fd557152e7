#include "tools/host/WavFile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>

#include "tools/host/HostError.h"

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kBasicFmtSize = 16;
constexpr std::size_t kExtensibleFmtSize = 40;
constexpr std::size_t kSubFormatOffset = 24;
// Every WAVE_FORMAT_EXTENSIBLE sub-format GUID ends like this after its leading format code.
constexpr std::uint8_t kSubFormatGuidTail[12] = {0x00, 0x00, 0x10, 0x00, 0x80, 0x00,
                                                 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
constexpr std::uint32_t kMaxSampleRate = 1000000;
constexpr std::uint16_t kOutputChannels = 2;
constexpr std::uint16_t kOutputBits = 32;
constexpr double kPcm16Scale = 1.0 / 32768.0;
constexpr double kPcm24Scale = 1.0 / 8388608.0;
constexpr std::int32_t kPcm24SignBit = 0x800000;
constexpr std::int32_t kPcm24Range = 0x1000000;

std::uint16_t readU16(const std::uint8_t* at) {
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

std::uint32_t readU32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

bool hasId(const std::uint8_t* at, const char* id) { return std::memcmp(at, id, 4) == 0; }

struct WavFormat {
    std::uint16_t code = 0;  // kFormatPcm or kFormatFloat after resolving EXTENSIBLE
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
};

struct ByteSpan {
    std::size_t offset = 0;
    std::size_t size = 0;
};

std::uint16_t extensibleSubFormat(const std::uint8_t* fmt, std::size_t size) {
    if (size < kExtensibleFmtSize) throw HostError("WAVE_FORMAT_EXTENSIBLE fmt chunk too short");
    const std::uint8_t* guid = fmt + kSubFormatOffset;
    if (readU16(guid + 2) != 0 || std::memcmp(guid + 4, kSubFormatGuidTail, 12) != 0) {
        throw HostError("unsupported WAV format: unknown WAVE_FORMAT_EXTENSIBLE sub-format");
    }
    return readU16(guid);
}

WavFormat parseFmtChunk(const std::uint8_t* fmt, std::size_t size) {
    if (size < kBasicFmtSize) throw HostError("fmt chunk too short");
    WavFormat format;
    format.code = readU16(fmt);
    format.channels = readU16(fmt + 2);
    format.sampleRate = readU32(fmt + 4);
    format.blockAlign = readU16(fmt + 12);
    format.bitsPerSample = readU16(fmt + 14);
    if (format.code == kFormatExtensible) format.code = extensibleSubFormat(fmt, size);
    return format;
}

struct ChunkScan {
    std::optional<WavFormat> format;
    std::optional<ByteSpan> data;
};

// Visits the chunks after the RIFF header; a chunk running past the end is clamped to the file.
ChunkScan scanChunks(const std::vector<std::uint8_t>& bytes) {
    ChunkScan scan;
    std::size_t position = kRiffHeaderSize;
    while (position + kChunkHeaderSize <= bytes.size()) {
        const std::uint8_t* header = bytes.data() + position;
        const std::size_t bodyOffset = position + kChunkHeaderSize;
        const std::size_t available = bytes.size() - bodyOffset;
        const std::uint32_t declaredSize = readU32(header + 4);
        const std::size_t bodySize = std::min<std::size_t>(declaredSize, available);
        if (hasId(header, "fmt ") && !scan.format) {
            if (declaredSize > available) throw HostError("truncated fmt chunk");
            scan.format = parseFmtChunk(bytes.data() + bodyOffset, bodySize);
        } else if (hasId(header, "data") && !scan.data) {
            scan.data = ByteSpan{bodyOffset, bodySize};
        }
        if (declaredSize >= available) break;
        // Chunk bodies of odd size are followed by one padding byte.
        position = bodyOffset + declaredSize + (declaredSize & 1u);
    }
    return scan;
}

std::string formatName(const WavFormat& format) {
    return (format.code == kFormatFloat ? "IEEE float " : "PCM ") +
           std::to_string(format.bitsPerSample) + "-bit";
}

void checkSupported(const WavFormat& format) {
    const bool pcm =
        format.code == kFormatPcm && (format.bitsPerSample == 16 || format.bitsPerSample == 24);
    const bool floating = format.code == kFormatFloat && format.bitsPerSample == 32;
    if (!pcm && !floating) {
        throw HostError("unsupported WAV format: code " + std::to_string(format.code) + ", " +
                        std::to_string(format.bitsPerSample) +
                        "-bit (PCM 16/24-bit or float 32-bit only)");
    }
    if (format.channels < 1 || format.channels > 2) {
        throw HostError("unsupported WAV format: " + std::to_string(format.channels) +
                        " channels (mono or stereo only)");
    }
    if (format.sampleRate == 0 || format.sampleRate > kMaxSampleRate) {
        throw HostError("unsupported WAV sample rate " + std::to_string(format.sampleRate));
    }
    if (format.blockAlign != format.channels * (format.bitsPerSample / 8)) {
        throw HostError("WAV block alignment " + std::to_string(format.blockAlign) +
                        " does not match the sample format");
    }
}

float decodeSample(const std::uint8_t* at, const WavFormat& format) {
    if (format.code == kFormatFloat) {
        const std::uint32_t bits = readU32(at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    if (format.bitsPerSample == 16) {
        return static_cast<float>(static_cast<std::int16_t>(readU16(at)) * kPcm16Scale);
    }
    std::int32_t value = at[0] | (at[1] << 8) | (at[2] << 16);
    if (value & kPcm24SignBit) value -= kPcm24Range;
    return static_cast<float>(value * kPcm24Scale);
}

void putU16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
    }
}

void putId(std::vector<std::uint8_t>& out, const char* id) { out.insert(out.end(), id, id + 4); }

void putFloat(std::vector<std::uint8_t>& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, bits);
}

}  // namespace

DecodedWav decodeWav(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kRiffHeaderSize || !hasId(bytes.data(), "RIFF") ||
        !hasId(bytes.data() + 8, "WAVE")) {
        throw HostError("not a RIFF/WAVE file");
    }
    const ChunkScan scan = scanChunks(bytes);
    if (!scan.format) throw HostError("WAV file has no fmt chunk");
    if (!scan.data) throw HostError("WAV file has no data chunk");
    const WavFormat& format = *scan.format;
    checkSupported(format);

    DecodedWav decoded;
    decoded.formatName = formatName(format);
    decoded.channels = format.channels;
    decoded.audio.sampleRate = format.sampleRate;
    const std::size_t frames = scan.data->size / format.blockAlign;
    const std::size_t sampleBytes = format.bitsPerSample / 8;
    decoded.audio.resize(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const std::uint8_t* at = bytes.data() + scan.data->offset + frame * format.blockAlign;
        decoded.audio.left[frame] = decodeSample(at, format);
        decoded.audio.right[frame] = format.channels == 2 ? decodeSample(at + sampleBytes, format)
                                                          : decoded.audio.left[frame];
    }
    return decoded;
}

DecodedWav readWavFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw HostError("cannot open input file '" + path + "'");
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    file.seekg(0, std::ios::beg);
    if (size < 0 || !file) throw HostError("cannot read input file '" + path + "'");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    if (!file) throw HostError("cannot read input file '" + path + "'");
    try {
        return decodeWav(bytes);
    } catch (const HostError& error) {
        throw HostError("'" + path + "': " + error.what());
    }
}

std::vector<std::uint8_t> encodeFloatWav(const StereoAudio& audio) {
    constexpr std::uint16_t blockAlign = kOutputChannels * kOutputBits / 8;
    constexpr std::size_t fmtSize = 18;  // the basic record plus an empty extension size
    constexpr std::size_t factSize = 4;
    constexpr std::size_t headerBytes =
        4 + (kChunkHeaderSize + fmtSize) + (kChunkHeaderSize + factSize) + kChunkHeaderSize;
    const std::size_t frames = audio.frames();
    if (frames > (std::numeric_limits<std::uint32_t>::max() - headerBytes) / blockAlign) {
        throw HostError("output too long for a WAV file");
    }
    const auto dataSize = static_cast<std::uint32_t>(frames * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(kChunkHeaderSize + headerBytes + dataSize);
    putId(out, "RIFF");
    putU32(out, static_cast<std::uint32_t>(headerBytes + dataSize));
    putId(out, "WAVE");
    putId(out, "fmt ");
    putU32(out, fmtSize);
    putU16(out, kFormatFloat);
    putU16(out, kOutputChannels);
    putU32(out, audio.sampleRate);
    putU32(out, audio.sampleRate * blockAlign);
    putU16(out, blockAlign);
    putU16(out, kOutputBits);
    putU16(out, 0);
    putId(out, "fact");
    putU32(out, factSize);
    putU32(out, static_cast<std::uint32_t>(frames));
    putId(out, "data");
    putU32(out, dataSize);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        putFloat(out, audio.left[frame]);
        putFloat(out, audio.right[frame]);
    }
    return out;
}

void writeWavFile(const std::string& path, const StereoAudio& audio) {
    const std::vector<std::uint8_t> bytes = encodeFloatWav(audio);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw HostError("cannot create output file '" + path + "'");
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw HostError("cannot write output file '" + path + "'");
}
