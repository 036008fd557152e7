#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "tools/host/DisplayValueSearch.h"
#include "tools/host/HostError.h"

namespace {

constexpr double kMinusInfinity = -std::numeric_limits<double>::infinity();

// Display texts as an effect would write them, parsed back the way the host reads them.
struct DisplayingParameter {
    std::string (*format)(float normalized);
    int probes = 0;
    float last = 0.0f;

    std::string shownAt(float normalized) const { return format(normalized); }
    DisplayProbe probe() {
        return [this](float normalized) {
            ++probes;
            last = normalized;
            return parseDisplayNumber(format(normalized));
        };
    }
};

std::string text(const char* pattern, double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

std::string percent(float v) { return text("%.0f", std::round(v * 100.0)); }
std::string decibels(float v) {
    return v <= 0.0f ? "-oo" : text("%.1f", 20.0 * std::log10(2.0 * v));
}
std::string falling(float v) { return text("%.1f ms", 100.0 - 80.0 * v); }
std::string tenths(float v) { return text("%.1f", 100.0 * v); }
std::string onOff(float v) { return v < 0.5f ? "Off" : "On"; }

TEST(ParseDisplayNumber, ReadsLeadingNumbersAndInfinity) {
    EXPECT_EQ(parseDisplayNumber("75"), 75.0);
    EXPECT_EQ(parseDisplayNumber("  -3.0 dB"), -3.0);
    EXPECT_EQ(parseDisplayNumber("+6.0"), 6.0);
    EXPECT_EQ(parseDisplayNumber("-oo"), kMinusInfinity);
    EXPECT_EQ(parseDisplayNumber("-inf dB"), kMinusInfinity);
    EXPECT_EQ(parseDisplayNumber("+oo"), std::numeric_limits<double>::infinity());
    EXPECT_FALSE(parseDisplayNumber("On").has_value());
    EXPECT_FALSE(parseDisplayNumber("").has_value());
    EXPECT_FALSE(parseDisplayNumber("nan").has_value());
}

TEST(FindNormalizedForDisplay, LandsInTheMiddleOfARoundedValue) {
    DisplayingParameter width{percent};
    const float found = findNormalizedForDisplay(width.probe(), 75.0);
    EXPECT_EQ(width.shownAt(found), "75");
    EXPECT_NEAR(found, 0.75f, 0.001f);
    EXPECT_LT(width.probes, 400);
}

TEST(FindNormalizedForDisplay, CentersOnValuesFoundBetweenScanPoints) {
    DisplayingParameter fine{tenths};  // "42.3" spans 0.4225..0.4235, between two scan points
    const float found = findNormalizedForDisplay(fine.probe(), 42.3);
    EXPECT_EQ(fine.shownAt(found), "42.3");
    EXPECT_NEAR(found, 0.423f, 0.0001f);
}

TEST(FindNormalizedForDisplay, ChoosesTheEndsForValuesShownThere) {
    DisplayingParameter width{percent};
    EXPECT_EQ(findNormalizedForDisplay(width.probe(), 0.0), 0.0f);
    EXPECT_EQ(findNormalizedForDisplay(width.probe(), 100.0), 1.0f);
    DisplayingParameter output{decibels};
    EXPECT_EQ(findNormalizedForDisplay(output.probe(), kMinusInfinity), 0.0f);
}

TEST(FindNormalizedForDisplay, FindsDecibelsBetweenScanPoints) {
    DisplayingParameter output{decibels};
    for (double target : {-3.0, 0.0, 4.5, -20.0, -60.0}) {
        const float found = findNormalizedForDisplay(output.probe(), target);
        EXPECT_EQ(output.shownAt(found), text("%.1f", target)) << target;
    }
}

TEST(FindNormalizedForDisplay, ClampsTargetsOutsideTheRange) {
    DisplayingParameter output{decibels};  // at most +6.0
    EXPECT_EQ(findNormalizedForDisplay(output.probe(), 20.0), 1.0f);
    DisplayingParameter width{percent};
    EXPECT_EQ(findNormalizedForDisplay(width.probe(), -5.0), 0.0f);
}

TEST(FindNormalizedForDisplay, HandlesFallingDisplays) {
    DisplayingParameter time{falling};
    const float found = findNormalizedForDisplay(time.probe(), 33.3);
    EXPECT_EQ(time.shownAt(found), "33.3 ms");
}

TEST(FindNormalizedForDisplay, RejectsTextThatIsNotANumber) {
    DisplayingParameter toggle{onOff};
    EXPECT_THROW(findNormalizedForDisplay(toggle.probe(), 1.0), UsageError);
}

}  // namespace
