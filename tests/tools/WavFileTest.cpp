#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>

#include "tools/host/HostError.h"
#include "tools/host/WavFile.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;
constexpr std::uint16_t kExtensible = 0xFFFE;

void putU16(Bytes& out, std::uint16_t v) {
    out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8)});
}
void putU32(Bytes& out, std::uint32_t v) {
    putU16(out, static_cast<std::uint16_t>(v));
    putU16(out, static_cast<std::uint16_t>(v >> 16));
}
void putFloat(Bytes& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    putU32(out, bits);
}
void put24(Bytes& out, std::int32_t v) {
    out.insert(out.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16)});
}

Bytes fmtBody(std::uint16_t code, std::uint16_t channels, std::uint16_t bits,
              std::uint32_t rate = 48000) {
    Bytes body;
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    putU16(body, code);
    putU16(body, channels);
    putU32(body, rate);
    putU32(body, rate * blockAlign);
    putU16(body, blockAlign);
    putU16(body, bits);
    return body;
}

Bytes extensibleFmtBody(std::uint16_t subFormat, std::uint16_t channels, std::uint16_t bits) {
    Bytes body = fmtBody(kExtensible, channels, bits);
    putU16(body, 22);    // extension size
    putU16(body, bits);  // valid bits
    putU32(body, 3);     // channel mask: front left and right
    putU16(body, subFormat);
    body.insert(body.end(), {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38,
                             0x9B, 0x71});
    return body;
}

// Assembles a RIFF/WAVE file chunk by chunk; a chunk may declare a size other than its body's.
class WavBuilder {
  public:
    WavBuilder& chunk(const char* id, const Bytes& body,
                      std::optional<std::uint32_t> declared = std::nullopt) {
        chunks_.insert(chunks_.end(), id, id + 4);
        putU32(chunks_, declared.value_or(static_cast<std::uint32_t>(body.size())));
        chunks_.insert(chunks_.end(), body.begin(), body.end());
        if (body.size() % 2 == 1) chunks_.push_back(0);
        return *this;
    }
    Bytes bytes() const {
        Bytes out = {'R', 'I', 'F', 'F'};
        putU32(out, static_cast<std::uint32_t>(4 + chunks_.size()));
        out.insert(out.end(), {'W', 'A', 'V', 'E'});
        out.insert(out.end(), chunks_.begin(), chunks_.end());
        return out;
    }

  private:
    Bytes chunks_;
};

Bytes simpleWav(const Bytes& fmt, const Bytes& data) {
    return WavBuilder().chunk("fmt ", fmt).chunk("data", data).bytes();
}

Bytes pcm16(std::initializer_list<std::int16_t> samples) {
    Bytes data;
    for (std::int16_t s : samples) putU16(data, static_cast<std::uint16_t>(s));
    return data;
}

TEST(WavRead, Pcm16StereoKeepsChannelOrderAndScale) {
    const Bytes file =
        simpleWav(fmtBody(kPcm, 2, 16, 44100), pcm16({16384, -32768, 32767, -16384}));
    const DecodedWav wav = decodeWav(file);
    EXPECT_EQ(wav.audio.sampleRate, 44100u);
    EXPECT_EQ(wav.channels, 2);
    EXPECT_EQ(wav.formatName, "PCM 16-bit");
    ASSERT_EQ(wav.audio.frames(), 2u);
    EXPECT_FLOAT_EQ(wav.audio.left[0], 0.5f);
    EXPECT_FLOAT_EQ(wav.audio.right[0], -1.0f);
    EXPECT_FLOAT_EQ(wav.audio.left[1], 32767.0f / 32768.0f);
    EXPECT_FLOAT_EQ(wav.audio.right[1], -0.5f);
}

TEST(WavRead, Pcm24ExtendsTheSignOfNegativeSamples) {
    Bytes data;
    for (std::int32_t s : {-1, -8388608, 8388607, 4194304, -4194304, 1}) put24(data, s);
    const DecodedWav wav = decodeWav(simpleWav(fmtBody(kPcm, 2, 24), data));
    ASSERT_EQ(wav.audio.frames(), 3u);
    EXPECT_FLOAT_EQ(wav.audio.left[0], -1.0f / 8388608.0f);
    EXPECT_FLOAT_EQ(wav.audio.right[0], -1.0f);
    EXPECT_FLOAT_EQ(wav.audio.left[1], 8388607.0f / 8388608.0f);
    EXPECT_FLOAT_EQ(wav.audio.right[1], 0.5f);
    EXPECT_FLOAT_EQ(wav.audio.left[2], -0.5f);
    EXPECT_FLOAT_EQ(wav.audio.right[2], 1.0f / 8388608.0f);
}

TEST(WavRead, FloatAndExtensibleFormatsDecodeTheSameSamples) {
    Bytes floats;
    for (float s : {0.25f, -0.75f, 1.5f, -0.0625f}) putFloat(floats, s);
    const Bytes pcm = pcm16({8192, -24576, 16384, -2048});
    const DecodedWav plain = decodeWav(simpleWav(fmtBody(kFloat, 2, 32), floats));
    const DecodedWav extFloat = decodeWav(simpleWav(extensibleFmtBody(kFloat, 2, 32), floats));
    const DecodedWav extPcm = decodeWav(simpleWav(extensibleFmtBody(kPcm, 2, 16), pcm));
    for (const DecodedWav* wav : {&plain, &extFloat, &extPcm}) {
        ASSERT_EQ(wav->audio.frames(), 2u);
        EXPECT_FLOAT_EQ(wav->audio.left[0], 0.25f);
        EXPECT_FLOAT_EQ(wav->audio.right[0], -0.75f);
        EXPECT_FLOAT_EQ(wav->audio.right[1], -0.0625f);
    }
    EXPECT_FLOAT_EQ(plain.audio.left[1], 1.5f);  // float input may exceed full scale
    EXPECT_EQ(extFloat.formatName, "IEEE float 32-bit");
}

TEST(WavRead, MonoFeedsBothChannels) {
    const DecodedWav wav = decodeWav(simpleWav(fmtBody(kPcm, 1, 16), pcm16({16384, -8192})));
    EXPECT_EQ(wav.channels, 1);
    ASSERT_EQ(wav.audio.frames(), 2u);
    EXPECT_EQ(wav.audio.left, wav.audio.right);
    EXPECT_FLOAT_EQ(wav.audio.right[1], -0.25f);
}

TEST(WavRead, SkipsUnknownOddChunksAndFindsDataBeforeFmt) {
    const Bytes file = WavBuilder()
                           .chunk("LIST", Bytes{1, 2, 3})  // odd: followed by a padding byte
                           .chunk("data", pcm16({100, 200}))
                           .chunk("junk", Bytes{9})
                           .chunk("fmt ", fmtBody(kPcm, 2, 16))
                           .bytes();
    const DecodedWav wav = decodeWav(file);
    ASSERT_EQ(wav.audio.frames(), 1u);
    EXPECT_FLOAT_EQ(wav.audio.right[0], 200.0f / 32768.0f);
}

TEST(WavRead, ClampsADataChunkLargerThanTheFileAndDropsAPartialFrame) {
    // Three stereo frames and half of a fourth, while the header claims far more.
    const Bytes file = WavBuilder()
                           .chunk("fmt ", fmtBody(kPcm, 2, 16))
                           .chunk("data", pcm16({1, 2, 3, 4, 5, 6, 7}), 0xFFFFFFF0u)
                           .bytes();
    const DecodedWav wav = decodeWav(file);
    ASSERT_EQ(wav.audio.frames(), 3u);
    EXPECT_FLOAT_EQ(wav.audio.right[2], 6.0f / 32768.0f);
}

TEST(WavRead, RejectsDamagedAndUnsupportedFiles) {
    const Bytes goodFmt = fmtBody(kPcm, 2, 16);
    const Bytes someData = pcm16({1, 2});
    Bytes badGuid = extensibleFmtBody(kFloat, 2, 32);
    badGuid.back() ^= 0xFF;
    Bytes wrongAlign = goodFmt;
    wrongAlign[12] = 3;
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"empty file", Bytes{}},
        {"header only", Bytes{'R', 'I', 'F', 'F'}},
        {"not RIFF", Bytes(64, 'x')},
        {"RIFF but not WAVE", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}},
        {"no chunks", WavBuilder().bytes()},
        {"no data chunk", WavBuilder().chunk("fmt ", goodFmt).bytes()},
        {"no fmt chunk", WavBuilder().chunk("data", someData).bytes()},
        {"truncated fmt",
         WavBuilder().chunk("fmt ", Bytes(goodFmt.begin(), goodFmt.begin() + 8), 16).bytes()},
        {"short fmt", WavBuilder()
                          .chunk("fmt ", Bytes(goodFmt.begin(), goodFmt.begin() + 14))
                          .chunk("data", someData)
                          .bytes()},
        {"absurd chunk before fmt", WavBuilder()
                                        .chunk("junk", Bytes{1, 2}, 0xFFFFFFFFu)
                                        .chunk("fmt ", goodFmt)
                                        .chunk("data", someData)
                                        .bytes()},
        {"8-bit", simpleWav(fmtBody(kPcm, 2, 8), someData)},
        {"32-bit PCM", simpleWav(fmtBody(kPcm, 2, 32), someData)},
        {"64-bit float", simpleWav(fmtBody(kFloat, 2, 64), someData)},
        {"3 channels", simpleWav(fmtBody(kPcm, 3, 16), pcm16({1, 2, 3}))},
        {"0 channels", simpleWav(fmtBody(kPcm, 0, 16), someData)},
        {"sample rate 0", simpleWav(fmtBody(kPcm, 2, 16, 0), someData)},
        {"block align mismatch", simpleWav(wrongAlign, someData)},
        {"compressed format", simpleWav(fmtBody(2, 2, 16), someData)},
        {"unknown sub-format", simpleWav(badGuid, someData)},
        {"extensible too short", simpleWav(fmtBody(kExtensible, 2, 16), someData)},
    };
    for (const auto& [name, bytes] : cases) EXPECT_THROW(decodeWav(bytes), HostError) << name;
}

TEST(WavRead, EveryTruncationOfAValidFileDecodesOrFailsCleanly) {
    const Bytes file = WavBuilder()
                           .chunk("fmt ", extensibleFmtBody(kPcm, 2, 24))
                           .chunk("LIST", Bytes{'a', 'b', 'c'})
                           .chunk("data", Bytes(6 * 5, 0x7F))
                           .bytes();
    for (std::size_t length = 0; length <= file.size(); ++length) {
        const Bytes prefix(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        try {
            const DecodedWav wav = decodeWav(prefix);
            EXPECT_LE(wav.audio.frames() * 6, length) << length;
        } catch (const HostError&) {
        }
    }
}

TEST(WavWrite, FloatFileHasACorrectHeaderAndReadsBackExactly) {
    StereoAudio audio;
    audio.sampleRate = 96000;
    audio.left = {0.0f, 0.5f, -1.25f};
    audio.right = {1.0f, -0.125f, 3.0e-8f};
    const Bytes bytes = encodeFloatWav(audio);
    ASSERT_GE(bytes.size(), 12u + 26 + 12 + 8 + 24);
    auto u32 = [&](std::size_t at) {
        return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
               std::uint32_t(bytes[at + 3]) << 24;
    };
    EXPECT_EQ(u32(4), bytes.size() - 8);       // RIFF size
    EXPECT_EQ(bytes[20] | bytes[21] << 8, 3);  // IEEE float
    EXPECT_EQ(bytes[22] | bytes[23] << 8, 2);  // channels
    EXPECT_EQ(u32(24), 96000u);
    EXPECT_EQ(u32(28), 96000u * 8);             // byte rate
    EXPECT_EQ(bytes[32] | bytes[33] << 8, 8);   // block align
    EXPECT_EQ(bytes[34] | bytes[35] << 8, 32);  // bits

    const DecodedWav back = decodeWav(bytes);
    EXPECT_EQ(back.audio.sampleRate, 96000u);
    EXPECT_EQ(back.audio.left, audio.left);
    EXPECT_EQ(back.audio.right, audio.right);
}

TEST(WavWrite, FileRoundTripAndMissingFiles) {
    const std::string path = "talonhost-wav-roundtrip-test.wav";
    StereoAudio audio;
    audio.sampleRate = 22050;
    audio.left = {0.1f, 0.2f};
    audio.right = {-0.3f, -0.4f};
    writeWavFile(path, audio);
    const DecodedWav back = readWavFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(back.audio.left, audio.left);
    EXPECT_EQ(back.audio.right, audio.right);

    EXPECT_THROW(readWavFile("no-such-folder/no-such-file.wav"), HostError);
    EXPECT_THROW(writeWavFile("no-such-folder/out.wav", audio), HostError);
}

}  // namespace
