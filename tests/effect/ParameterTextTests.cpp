#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <string>

#include "effect/ParameterText.h"

namespace {

std::string expansionText(float value) {
    char text[16] = {};
    expansionToText(value, text, 8);
    return text;
}

std::string outputText(float value) {
    char text[16] = {};
    outputToText(value, text, 8);
    return text;
}

}  // namespace

TEST(ParameterText, ExpansionShowsWholePercent) {
    EXPECT_EQ(expansionText(0.5f), "50");
    EXPECT_EQ(expansionText(0.123f), "12");
    EXPECT_EQ(expansionText(1.0f), "100");
    EXPECT_EQ(expansionText(0.0f), "0");
    EXPECT_EQ(expansionText(0.756f), "76");
    EXPECT_EQ(expansionText(0.754f), "75");
}

TEST(ParameterText, OutputShowsDecibelsOfTwiceTheValue) {
    EXPECT_EQ(outputText(0.5f), "0.0");
    EXPECT_EQ(outputText(1.0f), "6.0");
    EXPECT_EQ(outputText(0.25f), "-6.0");
}

TEST(ParameterText, OutputAtOrBelowZeroIsMinusInfinity) {
    EXPECT_EQ(outputText(0.0f), "-oo");
    EXPECT_EQ(outputText(-0.3f), "-oo");
}

TEST(ParameterText, DisplayNeverExceedsSixCharacters) {
    EXPECT_EQ(outputText(FLT_TRUE_MIN), "-891.0");
    for (int step = 0; step <= 1000; ++step) {
        const float value = static_cast<float>(step) / 1000.0f;
        EXPECT_LE(expansionText(value).size(), 6u) << value;
        EXPECT_LE(outputText(value).size(), 6u) << value;
    }
}

TEST(ParameterText, TextsStayWithinTheGivenLength) {
    char text[8];
    std::memset(text, 0x7F, sizeof(text));
    outputToText(FLT_TRUE_MIN, text, 3);
    EXPECT_STREQ(text, "-89");
    EXPECT_EQ(text[4], 0x7F);
}

TEST(ParameterText, TypedPercentIsBoundedToTheRange) {
    EXPECT_FLOAT_EQ(expansionFromText("-3"), 0.0f);
    EXPECT_FLOAT_EQ(expansionFromText("150"), 1.0f);
    EXPECT_FLOAT_EQ(expansionFromText("42"), 0.42f);
    EXPECT_FLOAT_EQ(expansionFromText("abc"), 0.0f);
    EXPECT_FLOAT_EQ(expansionFromText("  75%"), 0.75f);
    EXPECT_FLOAT_EQ(expansionFromText(""), 0.0f);
    EXPECT_FLOAT_EQ(expansionFromText(nullptr), 0.0f);
}

TEST(ParameterText, TypedDecibelsAreLimitedToSix) {
    EXPECT_FLOAT_EQ(outputFromText("10"), outputFromText("6"));
    EXPECT_NEAR(outputFromText("6"), 0.9976f, 1e-4f);
    EXPECT_FLOAT_EQ(outputFromText("0"), 0.5f);
    EXPECT_NEAR(outputFromText("-6"), 0.2506f, 1e-4f);
    EXPECT_FLOAT_EQ(outputFromText("no number"), 0.5f);
    EXPECT_GE(outputFromText("-1000"), 0.0f);
    EXPECT_LT(outputFromText("-1000"), 1e-30f);
}

TEST(ParameterText, OnlyPlainDecimalNumbersAreRead) {
    EXPECT_DOUBLE_EQ(readDecimalPrefix("  -2.5e1dB"), -25.0);
    EXPECT_DOUBLE_EQ(readDecimalPrefix(".5"), 0.5);
    EXPECT_DOUBLE_EQ(readDecimalPrefix("3."), 3.0);
    EXPECT_DOUBLE_EQ(readDecimalPrefix("7e"), 7.0);
    EXPECT_DOUBLE_EQ(readDecimalPrefix("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(readDecimalPrefix("nan"), 0.0);
    EXPECT_DOUBLE_EQ(readDecimalPrefix("inf"), 0.0);
    EXPECT_DOUBLE_EQ(readDecimalPrefix("-."), 0.0);
    // A number too large for a float still gives a bounded parameter.
    EXPECT_FLOAT_EQ(expansionFromText("1e999"), 1.0f);
    EXPECT_FLOAT_EQ(outputFromText("1e999"), outputFromText("6"));
}
