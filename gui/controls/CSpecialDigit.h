// A row of up to seven decimal digits cut from a strip holding the images of 0 to 9, top to
// bottom, each digitHeight high.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CSpecialDigit : public CControl {
  public:
    // Digits beyond the seventh are dropped. Without positions digit i sits at left + i times the
    // strip's width and at the top of size; positions are in the drawing context's coordinates.
    CSpecialDigit(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                  std::int32_t initialValue, std::int32_t digitCount,
                  const std::int32_t* xPositions, const std::int32_t* yPositions,
                  std::int32_t digitWidth, std::int32_t digitHeight, CBitmap* background);
    ~CSpecialDigit() override;

    // The most significant digit first; values beyond the bounds show the bound.
    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) override;

    // value / maxValue within 0 to 1.
    virtual float getNormalizedValue();

    static constexpr std::int32_t kMaxDigits = 7;

  protected:
    std::int32_t digitCount;
    std::int32_t digitX[kMaxDigits] = {};
    std::int32_t digitY[kMaxDigits] = {};
    std::int32_t digitWidth;
    std::int32_t digitHeight;
};

}  // namespace gui
