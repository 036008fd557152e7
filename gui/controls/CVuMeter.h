// A level meter: the on bitmap revealed over the off bitmap up to the shown level, which rises at
// once and falls back by at most fallStep per draw. Always drawn through its own offscreen.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class COffscreenContext;

class CVuMeter : public CControl {
  public:
    // Style bit: the level grows from left to right instead of from the bottom up.
    static constexpr std::int32_t horizontalMeter = 1;

    // Either bitmap may be null; nothing is drawn without the on bitmap. A LED count of 0 or
    // less shows the level without steps.
    CVuMeter(const CRectangle& size, CBitmap* onBitmap, CBitmap* offBitmap, std::int32_t ledCount,
             std::int32_t style);
    ~CVuMeter() override;

    void draw(CDrawContext* context) override;
    // Only the view's flag: oldValue carries the level shown, so the meter stays dirty until it
    // has fallen to the value.
    void setDirty(bool value = true) override;
    bool attached(CView* parent) override;
    bool removed(CView* parent) override;
    bool isTypeOf(const char* className) override;

    virtual void setFallStep(float step) { fallStep = step; }

  protected:
    CBitmap* litBitmap;
    CBitmap* unlitBitmap;
    COffscreenContext* offscreen = nullptr;
    std::int32_t ledCount;
    std::int32_t style;
    float fallStep = 0.1f;
    CRectangle litRect;
    CRectangle unlitRect;

  private:
    void createOffscreen();
    void dropOffscreen();
    // The level for this draw, from the value and the level drawn last.
    float shownLevel() const;
    // Pixels of length revealed for level, whole LED steps at a time.
    std::int32_t revealed(float level, std::int32_t length) const;
    void drawPart(CBitmap* bitmap, const CRectangle& rect, const CPosition& source);
};

}  // namespace gui
