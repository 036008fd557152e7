#include "gui/controls/CSpecialDigit.h"

#include <cstring>

#include "gui/controls/ControlMath.h"
#include "gui/draw/CBitmap.h"

namespace gui {

namespace {

constexpr std::int64_t kRadix = 10;
constexpr std::int64_t kHighestDigit = 9;

std::int32_t usableDigits(std::int32_t count) {
    if (count < 0) return 0;
    return count > CSpecialDigit::kMaxDigits ? CSpecialDigit::kMaxDigits : count;
}

// The largest number count digits can show.
float largestNumber(std::int32_t count) {
    std::int32_t largest = 1;
    for (std::int32_t i = 0; i < count; ++i) largest *= static_cast<std::int32_t>(kRadix);
    return static_cast<float>(largest - 1);
}

}  // namespace

CSpecialDigit::CSpecialDigit(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                             std::int32_t initialValue, std::int32_t count,
                             const std::int32_t* xPositions, const std::int32_t* yPositions,
                             std::int32_t width, std::int32_t height, CBitmap* background)
    : CControl(size, listener, tag, background),
      digitCount(usableDigits(count)),
      digitWidth(width),
      digitHeight(height) {
    value = static_cast<float>(initialValue);
    const std::int32_t stripWidth = background ? background->getWidth() : 0;
    // Each coordinate falls back on its own when only one list is given.
    for (std::int32_t i = 0; i < digitCount; ++i) {
        digitX[i] = xPositions
                        ? xPositions[i]
                        : saturatedInt(size.left + static_cast<std::int64_t>(i) * stripWidth);
        digitY[i] = yPositions ? yPositions[i] : size.top;
    }
    minValue = 0.0f;
    maxValue = largestNumber(digitCount);
}

CSpecialDigit::~CSpecialDigit() = default;

void CSpecialDigit::draw(CDrawContext* context) {
    if (!context) return;
    const std::int64_t highest = truncatedToInt(maxValue);
    const std::int64_t lowest = truncatedToInt(minValue);
    std::int64_t n = truncatedToInt(value);
    if (n > highest)
        n = highest;
    else if (n < lowest)
        n = lowest;
    std::int64_t divisor = (highest + 1) / kRadix;
    for (std::int32_t i = 0; i < digitCount; ++i) {
        // A maximum lowered below the digits' reach runs out of places: those show 0.
        std::int64_t digit = 0;
        if (divisor > 0) {
            digit = n / divisor;
            n %= divisor;
            divisor /= kRadix;
        }
        if (digit > kHighestDigit) digit = kHighestDigit;
        if (digit < 0) digit = 0;
        if (!background) continue;
        const CRectangle place(digitX[i], digitY[i],
                               saturatedInt(static_cast<std::int64_t>(digitX[i]) + digitWidth),
                               saturatedInt(static_cast<std::int64_t>(digitY[i]) + digitHeight));
        const CPosition source(0, saturatedInt(digit * digitHeight));
        if (transparency)
            background->drawKeyed(context, place, source);
        else
            background->draw(context, place, source);
    }
    setDirty(false);
}

float CSpecialDigit::getNormalizedValue() {
    if (!(maxValue > 0.0f)) return 0.0f;
    const float share = value / maxValue;
    if (!(share > 0.0f)) return 0.0f;
    return share > 1.0f ? 1.0f : share;
}

bool CSpecialDigit::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CSpecialDigit") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
