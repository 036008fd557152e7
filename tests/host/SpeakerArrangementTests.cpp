// Speaker arrangements: allocation, release and copies of variable-length records.
#include <cstring>
#include <string>
#include <vector>

#include "AllocationWatch.h"
#include "HostFakes.h"

namespace {

constexpr std::size_t kSpeakerBytes = 112;
constexpr std::size_t kHeaderBytes = 8;

VstSpeakerProperties speakerNamed(const char* name, float azimuth, int32 type) {
    VstSpeakerProperties speaker{};
    speaker.azimuth = azimuth;
    speaker.elevation = -azimuth;
    speaker.radius = 2.0f;
    speaker.reserved = 3.0f;
    std::strncpy(speaker.name, name, sizeof(speaker.name) - 1);
    speaker.type = type;
    std::memset(speaker.future, 0x5A, sizeof(speaker.future));
    return speaker;
}

}  // namespace

class SpeakerArrangementTest : public HostLayerTest {
  protected:
    void TearDown() override {
        allocationWatch::watchRelease(nullptr);
        effect.deallocateArrangement(&arrangement);
    }
    VstSpeakerArrangement* arrangement = nullptr;
};

TEST_F(SpeakerArrangementTest, AllocatesAZeroedRecordSizedForItsChannels) {
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    ASSERT_NE(arrangement, nullptr);
    EXPECT_EQ(allocationWatch::lastArraySize(), 232u);
    std::vector<unsigned char> expected(232, 0);
    expected[4] = 2;  // numChannels, little-endian
    EXPECT_EQ(std::memcmp(arrangement, expected.data(), expected.size()), 0);
}

TEST_F(SpeakerArrangementTest, ReallocationReleasesTheOldRecord) {
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    allocationWatch::watchRelease(arrangement);
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 3));
    EXPECT_EQ(allocationWatch::releasesOfWatched(), 1);
    EXPECT_EQ(allocationWatch::lastArraySize(), kHeaderBytes + 3 * kSpeakerBytes);
    EXPECT_EQ(arrangement->numChannels, 3);
}

TEST_F(SpeakerArrangementTest, NegativeChannelCountFailsAndLeavesNoRecord) {
    EXPECT_FALSE(effect.allocateArrangement(&arrangement, -1));
    EXPECT_EQ(arrangement, nullptr);
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    allocationWatch::watchRelease(arrangement);
    EXPECT_FALSE(effect.allocateArrangement(&arrangement, -2));
    EXPECT_EQ(arrangement, nullptr);
    EXPECT_EQ(allocationWatch::releasesOfWatched(), 1);
}

TEST_F(SpeakerArrangementTest, DeallocationReleasesAndNullsThePointer) {
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 1));
    allocationWatch::watchRelease(arrangement);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_EQ(arrangement, nullptr);
    EXPECT_EQ(allocationWatch::releasesOfWatched(), 1);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_TRUE(effect.deallocateArrangement(nullptr));
}

TEST_F(SpeakerArrangementTest, CopySpeakerCopiesEveryFieldAndCutsTheNameTo63Characters) {
    VstSpeakerProperties from = speakerNamed("", 0.5f, 7);
    std::memset(from.name, 'n', sizeof(from.name));  // fills the field without a terminator
    VstSpeakerProperties to;
    std::memset(&to, 0x7F, sizeof(to));
    ASSERT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(std::string(to.name), std::string(63, 'n'));
    EXPECT_EQ(to.type, 7);
    EXPECT_EQ(to.azimuth, 0.5f);
    EXPECT_EQ(to.elevation, -0.5f);
    EXPECT_EQ(to.radius, 2.0f);
    EXPECT_EQ(to.reserved, 3.0f);
    EXPECT_EQ(std::memcmp(to.future, from.future, sizeof(to.future)), 0);
}

TEST_F(SpeakerArrangementTest, CopySpeakerRefusesANullRecord) {
    VstSpeakerProperties speaker = speakerNamed("L", 0.0f, 1);
    EXPECT_FALSE(effect.copySpeaker(&speaker, nullptr));
    EXPECT_FALSE(effect.copySpeaker(nullptr, &speaker));
}

TEST_F(SpeakerArrangementTest, MatchArrangementCopiesTheTypeAndEverySpeaker) {
    VstSpeakerArrangement* from = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&from, 3));
    from->type = 11;
    const char* names[] = {"Left", "Right", "Centre"};
    for (int32 channel = 0; channel < 3; ++channel)
        from->speakers[channel] = speakerNamed(names[channel], 0.25f * channel, 100 + channel);
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 1));

    ASSERT_TRUE(effect.matchArrangement(&arrangement, from));
    EXPECT_EQ(arrangement->type, 11);
    EXPECT_EQ(arrangement->numChannels, 3);
    EXPECT_EQ(std::memcmp(arrangement, from, kHeaderBytes + 3 * kSpeakerBytes), 0);
    effect.deallocateArrangement(&from);
}

TEST_F(SpeakerArrangementTest, MatchArrangementRefusesANullSource) {
    EXPECT_FALSE(effect.matchArrangement(&arrangement, nullptr));
}
