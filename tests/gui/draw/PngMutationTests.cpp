// Thousands of damaged variants of the test images, made by a seeded generator so that every run
// decodes the same bytes. None may crash, leave a bitmap behind, or yield a section that does not
// match the size the bitmap reports.
#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tests/gui/draw/BitmapTestSupport.h"

using namespace gui;

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::uint32_t kSeed = 5800;
constexpr int kVariantsPerImage = 180;
constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kLengthSize = 4;
constexpr std::size_t kTypeSize = 4;
constexpr std::size_t kChunkHeaderSize = kLengthSize + kTypeSize;
constexpr std::size_t kCrcSize = 4;
constexpr std::size_t kIhdrWidthAt = kSignatureSize + kChunkHeaderSize;
// Sides a changed header claims; those above 16384 must be refused.
constexpr std::uint32_t kClaimedSides[] = {
    0, 1, 2, 3, 7, 64, 1000, 4096, 16385, 65536, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};

std::uint32_t readBig(const Bytes& bytes, std::size_t at) {
    return (std::uint32_t{bytes[at]} << 24) | (std::uint32_t{bytes[at + 1]} << 16) |
           (std::uint32_t{bytes[at + 2]} << 8) | bytes[at + 3];
}

void writeBig(Bytes& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<unsigned char>(value >> (24 - 8 * i));
}

// Offsets of the length fields of the chunks that lie wholly inside the bytes.
std::vector<std::size_t> chunkStarts(const Bytes& bytes) {
    std::vector<std::size_t> starts;
    for (std::size_t at = kSignatureSize; at + kChunkHeaderSize <= bytes.size();) {
        const std::size_t end = at + kChunkHeaderSize + readBig(bytes, at) + kCrcSize;
        if (end > bytes.size()) break;
        starts.push_back(at);
        at = end;
    }
    return starts;
}

// Gives the chunk at start a correct checksum, so that damage inside it reaches the decoder.
void fixCrc(Bytes& bytes, std::size_t start) {
    const std::uint32_t length = readBig(bytes, start);
    const std::size_t crcAt = start + kChunkHeaderSize + length;
    const auto* body = bytes.data() + start + kLengthSize;
    writeBig(bytes, crcAt, static_cast<std::uint32_t>(crc32(0, body, kTypeSize + length)));
}

class Mutator {
  public:
    explicit Mutator(std::uint32_t seed) : random(seed) {}

    Bytes mutate(Bytes bytes) {
        const std::vector<std::size_t> chunks = chunkStarts(bytes);
        const std::size_t chunk = chunks[pick(chunks.size())];
        switch (pick(5)) {
            case 0: flipBits(bytes, 0, bytes.size()); break;
            case 1: flipInsideChunk(bytes, chunk); break;
            case 2: bytes.resize(pick(bytes.size())); break;
            case 3: writeBig(bytes, chunk, random()); break;
            default: claimSize(bytes); break;
        }
        return bytes;
    }

  private:
    std::size_t pick(std::size_t count) { return random() % count; }

    void flipBits(Bytes& bytes, std::size_t from, std::size_t to) {
        if (to <= from) return;
        for (std::size_t flips = 1 + pick(4); flips > 0; --flips)
            bytes[from + pick(to - from)] ^= static_cast<unsigned char>(1u << pick(8));
    }

    void flipInsideChunk(Bytes& bytes, std::size_t chunk) {
        const std::size_t dataAt = chunk + kChunkHeaderSize;
        flipBits(bytes, dataAt, dataAt + readBig(bytes, chunk));
        fixCrc(bytes, chunk);
    }

    void claimSize(Bytes& bytes) {
        constexpr std::size_t count = sizeof(kClaimedSides) / sizeof(kClaimedSides[0]);
        writeBig(bytes, kIhdrWidthAt, kClaimedSides[pick(count)]);
        writeBig(bytes, kIhdrWidthAt + kLengthSize, kClaimedSides[pick(count)]);
        fixCrc(bytes, kSignatureSize);
    }

    std::mt19937 random;
};

class PngMutation : public bitmaptest::BitmapTest {};

TEST_F(PngMutation, DamagedVariantsNeitherCrashNorLeakNorMisreportTheirSize) {
    const int sources[] = {IDP_GREY1,     IDP_GREY16,        IDP_GREY8_TRNS, IDP_GREY_ALPHA16,
                           IDP_RGB8,      IDP_RGB16,         IDP_RGBA8,      IDP_RGBA16,
                           IDP_PALETTE2,  IDP_PALETTE8_TRNS, IDP_INTERLACED, IDP_INTERLACED_GREY1,
                           IDP_TRUNCATED, IDP_RGB8_TRNS};
    Mutator mutator(kSeed);
    const DWORD gdiObjects = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const std::int32_t alive = ownedBitmaps::alive();
    int decoded = 0, refused = 0;
    for (int id : sources) {
        const Bytes original = bitmaptest::resourceBytes(id);
        ASSERT_FALSE(original.empty()) << id;
        for (int i = 0; i < kVariantsPerImage; ++i) {
            const Bytes variant = mutator.mutate(original);
            CBitmap bitmap;
            decoded +=
                bitmap.loadFromMemory(variant.data(), static_cast<std::uint32_t>(variant.size()));
            refused += bitmap.isLoaded() ? 0 : 1;
            if (bitmap.isLoaded()) {
                const DIBSECTION section = bitmaptest::sectionOf(bitmap);
                ASSERT_EQ(section.dsBmih.biWidth, bitmap.getWidth()) << id << " variant " << i;
                ASSERT_EQ(section.dsBmih.biHeight, bitmap.getHeight()) << id << " variant " << i;
                ASSERT_LE(bitmap.getWidth(), 16384);
                ASSERT_LE(bitmap.getHeight(), 16384);
            }
            bitmap.dispose();
            ASSERT_EQ(ownedBitmaps::alive(), alive) << id << " variant " << i;
        }
    }
    // The variants reach both ends: some still decode whole, some are refused outright.
    EXPECT_GT(decoded, 0);
    EXPECT_GT(refused, 0);
    // Wine reports no count (0); where the system keeps one it must not have grown.
    if (gdiObjects != 0) {
        EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiObjects);
    }
}

}  // namespace
