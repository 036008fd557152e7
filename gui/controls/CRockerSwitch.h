// A three-way switch: -1 or +1 while one half is held, back to 0 on release. The strip holds the
// -1, 0 and +1 frames from the top.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CRockerSwitch : public CControl {
  public:
    // Style bit: the halves are left (-1) and right (+1) instead of top (-1) and bottom (+1).
    static constexpr std::int32_t horizontalRocker = 1;

    // The frame height is the control's width, as it has always been.
    CRockerSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                  CBitmap* background, const CPosition& offset, std::int32_t style);
    // offset is the top-left of the -1 frame.
    CRockerSwitch(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                  std::int32_t frameHeight, CBitmap* background, const CPosition& offset,
                  std::int32_t style);
    ~CRockerSwitch() override;

    // Values other than 0 and 1 show the -1 frame.
    void draw(CDrawContext* context) override;
    // Left button: tracks until every button and modifier is up, then returns to 0.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    // A step up rocks to -1, anything else to +1, and back to 0, as one gesture.
    bool onWheel(CDrawContext* context, const CPosition& where, float distance) override;
    bool isTypeOf(const char* className) override;

  protected:
    CPosition bitmapOffset;
    std::int32_t frameHeight;
    std::int32_t style;

  private:
    // -1 or +1 for a point over one half, entry off the switch.
    float valueAt(const CPosition& point, float entry) const;
};

}  // namespace gui
