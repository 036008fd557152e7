#include "effect/ParameterText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "host/BoundedText.h"

namespace {

constexpr double kPercent = 100.0;
constexpr float kMaxTypedDecibels = 6.0f;
const char* const kMinusInfinityText = "-oo";

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// Length of the digits starting at text[from].
std::size_t digitRun(const char* text, std::size_t from) {
    std::size_t end = from;
    while (isDigit(text[end])) ++end;
    return end - from;
}

// Length of the longest prefix of text that is a decimal number with optional sign, fraction and
// exponent; 0 when text does not start with one.
std::size_t decimalPrefixLength(const char* text) {
    std::size_t at = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    const std::size_t wholeDigits = digitRun(text, at);
    at += wholeDigits;
    std::size_t fractionDigits = 0;
    if (text[at] == '.') {
        fractionDigits = digitRun(text, at + 1);
        if (wholeDigits + fractionDigits > 0) at += 1 + fractionDigits;
    }
    if (wholeDigits + fractionDigits == 0) return 0;
    if (text[at] == 'e' || text[at] == 'E') {
        std::size_t exponentAt = at + 1;
        if (text[exponentAt] == '+' || text[exponentAt] == '-') ++exponentAt;
        const std::size_t exponentDigits = digitRun(text, exponentAt);
        if (exponentDigits > 0) at = exponentAt + exponentDigits;
    }
    return at;
}

}  // namespace

double readDecimalPrefix(const char* text) {
    if (!text) return 0.0;
    while (std::isspace(static_cast<unsigned char>(*text))) ++text;
    const std::size_t length = decimalPrefixLength(text);
    if (length == 0) return 0.0;
    const std::string number(text, length);
    return std::strtod(number.c_str(), nullptr);
}

void expansionToText(float value, char* text, int32 maxLen) {
    char formatted[64];
    std::snprintf(formatted, sizeof(formatted), "%.0f", value * kPercent);
    boundedCopy(text, formatted, maxLen);
}

void outputToText(float value, char* text, int32 maxLen) {
    if (!(value > 0.0f)) {
        boundedCopy(text, kMinusInfinityText, maxLen);
        return;
    }
    char formatted[64];
    std::snprintf(formatted, sizeof(formatted), "%.1f", 20.0 * std::log10(2.0 * value));
    boundedCopy(text, formatted, maxLen);
}

float expansionFromText(const char* text) {
    const auto percent = static_cast<float>(readDecimalPrefix(text));
    if (percent < 0.0f) return 0.0f;
    if (percent > 100.0f) return 1.0f;
    return static_cast<float>(percent / kPercent);
}

float outputFromText(const char* text) {
    float decibels = static_cast<float>(readDecimalPrefix(text));
    if (decibels > kMaxTypedDecibels) decibels = kMaxTypedDecibels;
    return static_cast<float>(0.5 * std::pow(10.0, decibels / 20.0));
}
