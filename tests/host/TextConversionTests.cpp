// Number-to-text helpers and the bounded text copies they rest on.
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <string>

#include "HostFakes.h"
#include "host/BoundedText.h"

namespace {

constexpr int32 kParamLen = 8;  // the host's parameter text buffer, without terminator
constexpr int32 kWide = 24;
constexpr char kGuard = 0x7F;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// A text buffer pre-filled with guard bytes, to see exactly which bytes a call wrote.
struct GuardedText {
    char bytes[32];
    GuardedText() { std::memset(bytes, kGuard, sizeof(bytes)); }
    std::string text() const { return std::string(bytes, strnlen(bytes, sizeof(bytes))); }
    bool untouchedFrom(std::size_t first) const {
        for (std::size_t i = first; i < sizeof(bytes); ++i)
            if (bytes[i] != kGuard) return false;
        return true;
    }
};

// Writes with maxLen 8, 3 and 0: nothing past text[maxLen] may change and the text must end by
// then.
void expectBounded(const std::function<void(char*, int32)>& write) {
    for (int32 maxLen : {8, 3, 0}) {
        GuardedText out;
        write(out.bytes, maxLen);
        EXPECT_TRUE(out.untouchedFrom(static_cast<std::size_t>(maxLen) + 1)) << "maxLen " << maxLen;
        EXPECT_LE(out.text().size(), static_cast<std::size_t>(maxLen)) << "maxLen " << maxLen;
    }
}

}  // namespace

class TextConversionTest : public HostLayerTest {
  protected:
    std::string floatText(float value, int32 maxLen = kParamLen) {
        GuardedText out;
        effect.float2string(value, out.bytes, maxLen);
        return out.text();
    }
    std::string intText(int32 value) {
        GuardedText out;
        effect.int2string(value, out.bytes, kParamLen);
        return out.text();
    }
};

TEST_F(TextConversionTest, FloatFillsEightPositionsWithTheFraction) {
    EXPECT_EQ(floatText(1.5f), "1.500000");
    EXPECT_EQ(floatText(123.25f), "123.2500");
    EXPECT_EQ(floatText(-2.0f), "-2.00000");
    EXPECT_EQ(floatText(-5.0f), "-5.00000");
    EXPECT_EQ(floatText(0.0f), "0.000000");
}

TEST_F(TextConversionTest, FloatOutOfRangeOrNotANumberIsHuge) {
    for (float value : {100000000.0f, -10000000.0f, kNaN, kInf, -kInf}) {
        EXPECT_EQ(floatText(value), "Huge!") << "value " << value;
    }
}

TEST_F(TextConversionTest, FloatLayoutKeepsEightPositionsAndEveryIntegerDigitInAWideBuffer) {
    EXPECT_EQ(floatText(12345678.0f, kWide), "12345678.");
    EXPECT_EQ(floatText(-1234567.0f, kWide), "-1234567.");
    EXPECT_EQ(floatText(1.5f, kWide), "1.500000");
}

TEST_F(TextConversionTest, IntegerTextStopsAtEightDigits) {
    EXPECT_EQ(intText(-42), "-42");
    EXPECT_EQ(intText(1000), "1000");
    EXPECT_EQ(intText(0), "0");
    EXPECT_EQ(intText(100000000), "Huge!");
    EXPECT_EQ(intText(-100000000), "Huge!");
    EXPECT_EQ(intText(INT32_MIN), "Huge!");
}

TEST_F(TextConversionTest, DecibelsOfZeroAreMinusInfinity) {
    GuardedText zero, unity;
    effect.dB2string(0.0f, zero.bytes, kParamLen);
    effect.dB2string(1.0f, unity.bytes, kParamLen);
    EXPECT_EQ(zero.text(), "-oo");
    EXPECT_EQ(unity.text(), "0.000000");
}

TEST_F(TextConversionTest, HertzAndMillisecondsUseTheSampleRate) {
    effect.setSampleRate(48000.0f);
    GuardedText hertz, millis, none;
    effect.Hz2string(480.0f, hertz.bytes, kParamLen);
    effect.ms2string(48.0f, millis.bytes, kParamLen);
    effect.Hz2string(0.0f, none.bytes, kParamLen);
    EXPECT_EQ(hertz.text(), "100.0000");
    EXPECT_EQ(millis.text(), "1.000000");
    EXPECT_EQ(none.text(), floatText(0.0f));
}

TEST_F(TextConversionTest, EveryConversionStaysWithinMaxLenAndTerminates) {
    for (float value : {0.0f, 1e-3f, 3.0f, -1234567.0f, 12345678.0f, -99999.0f, 1e30f, kNaN}) {
        SCOPED_TRACE(testing::Message() << "value " << value);
        expectBounded([&](char* t, int32 n) { effect.dB2string(value, t, n); });
        expectBounded([&](char* t, int32 n) { effect.Hz2string(value, t, n); });
        expectBounded([&](char* t, int32 n) { effect.ms2string(value, t, n); });
        expectBounded([&](char* t, int32 n) { effect.float2string(value, t, n); });
    }
    for (int32 value : {0, -42, 99999999, -99999999, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(testing::Message() << "value " << value);
        expectBounded([&](char* t, int32 n) { effect.int2string(value, t, n); });
    }
}

TEST(BoundedText, CopyZeroFillsAndTerminatesAtMaxLen) {
    GuardedText shortText, longText;
    boundedCopy(shortText.bytes, "abc", 8);
    EXPECT_EQ(std::memcmp(shortText.bytes, "abc\0\0\0\0\0\0", 9), 0);
    EXPECT_TRUE(shortText.untouchedFrom(9));
    boundedCopy(longText.bytes, "abcdefghijk", 5);
    EXPECT_EQ(longText.text(), "abcde");
    EXPECT_TRUE(longText.untouchedFrom(6));
}

TEST(BoundedText, AppendNeverGrowsTheTextPastMaxLen) {
    GuardedText out;
    boundedCopy(out.bytes, "abc", 5);
    boundedAppend(out.bytes, "defgh", 5);
    EXPECT_EQ(out.text(), "abcde");
    EXPECT_TRUE(out.untouchedFrom(6));

    GuardedText early;  // terminated before maxLen, guard bytes after the terminator
    std::memcpy(early.bytes, "ab", 3);
    boundedAppend(early.bytes, "c", 5);
    EXPECT_EQ(early.text(), "abc");
    EXPECT_EQ(early.bytes[5], '\0');

    GuardedText unterminated;
    boundedAppend(unterminated.bytes, "x", 3);
    EXPECT_EQ(unterminated.bytes[3], '\0');
    EXPECT_TRUE(unterminated.untouchedFrom(4));
}

TEST(BoundedText, NullOrNegativeMaxLenWritesNothing) {
    GuardedText out;
    boundedCopy(out.bytes, nullptr, 8);
    boundedCopy(out.bytes, "abc", -3);
    boundedAppend(out.bytes, nullptr, 8);
    boundedAppend(out.bytes, "abc", -3);
    boundedCopy(nullptr, "abc", 8);
    boundedAppend(nullptr, "abc", 8);
    EXPECT_TRUE(out.untouchedFrom(0));
}
