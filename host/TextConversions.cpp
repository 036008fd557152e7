// Number-to-text helpers of AudioEffect: a fixed layout of eight sign-or-digit positions.
#include <cmath>
#include <cstdint>

#include "host/AudioEffect.h"
#include "host/BoundedText.h"

namespace {

constexpr int kPositions = 8;
constexpr double kLargestPositive = 99999999.0;
constexpr double kLargestNegativeMagnitude = 9999999.0;
constexpr int32 kLargestInteger = 99999999;
const char* const kHugeText = "Huge!";
const char* const kMinusInfinityText = "-oo";

// Digits of value written right to left so that they end just before end; returns the start.
char* writeDigitsBackwards(char* end, std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) {
        *--end = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return end;
}

int digitCount(std::uint32_t value) {
    int count = 1;
    while (value >= 10) {
        value /= 10;
        ++count;
    }
    return count;
}

}  // namespace

void AudioEffect::dB2string(float value, char* text, int32 maxLen) {
    if (value <= 0.0f)
        boundedCopy(text, kMinusInfinityText, maxLen);
    else
        float2string(static_cast<float>(20.0 * std::log10(value)), text, maxLen);
}

void AudioEffect::Hz2string(float samples, char* text, int32 maxLen) {
    const float rate = getSampleRate();
    float2string(samples == 0.0f ? 0.0f : rate / samples, text, maxLen);
}

void AudioEffect::ms2string(float samples, char* text, int32 maxLen) {
    float2string(static_cast<float>(samples * 1000.0 / getSampleRate()), text, maxLen);
}

void AudioEffect::float2string(float value, char* text, int32 maxLen) {
    double magnitude = value;
    const bool negative = magnitude < 0.0;
    if (negative) magnitude = -magnitude;
    // NaN fails every comparison and gets the same answer as an out-of-range value.
    if (!(magnitude <= (negative ? kLargestNegativeMagnitude : kLargestPositive))) {
        boundedCopy(text, kHugeText, maxLen);
        return;
    }
    // The integer part keeps all its digits; only the fraction gives way to the eight positions.
    const auto integerPart = static_cast<std::uint32_t>(std::floor(magnitude));
    char scratch[32];
    char* end = scratch + sizeof(scratch) - 1;
    *end = '\0';
    *--end = '.';
    const int integerDigits = digitCount(integerPart);
    char* start = writeDigitsBackwards(end, integerPart, integerDigits);
    if (negative) *--start = '-';
    const int used = (negative ? 1 : 0) + 1 + integerDigits;
    boundedCopy(text, start, maxLen);
    if (used >= kPositions) return;

    const int fractionDigits = kPositions - used;
    const double scaled = std::fmod(magnitude, 1.0) * std::pow(10.0, fractionDigits);
    char fraction[kPositions + 1];
    fraction[fractionDigits] = '\0';
    writeDigitsBackwards(fraction + fractionDigits, static_cast<std::uint32_t>(scaled),
                         fractionDigits);
    boundedAppend(text, fraction, maxLen);
}

void AudioEffect::int2string(int32 value, char* text, int32 maxLen) {
    // Both signs stop at eight digits; the magnitude of the most negative value is not an int32.
    if (value > kLargestInteger || value < -kLargestInteger) {
        boundedCopy(text, kHugeText, maxLen);
        return;
    }
    char scratch[16];
    char* end = scratch + sizeof(scratch) - 1;
    *end = '\0';
    const auto magnitude = static_cast<std::uint32_t>(value < 0 ? -value : value);
    char* start = writeDigitsBackwards(end, magnitude, digitCount(magnitude));
    if (value < 0) *--start = '-';
    boundedCopy(text, start, maxLen);
}
