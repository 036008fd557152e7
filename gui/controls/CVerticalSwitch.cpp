#include "gui/controls/CVerticalSwitch.h"

#include <cstring>

#include "gui/controls/ButtonSupport.h"

namespace gui {

CVerticalSwitch::CVerticalSwitch(const CRectangle& size, CControlListener* listener,
                                 std::int32_t tag, CBitmap* background, const CPosition& offset)
    : CVerticalSwitch(size, listener, tag, buttonkit::framesInStrip(background, size.getHeight()),
                      size.getHeight(), buttonkit::framesInStrip(background, size.getHeight()),
                      background, offset) {}

CVerticalSwitch::CVerticalSwitch(const CRectangle& size, CControlListener* listener,
                                 std::int32_t tag, std::int32_t frameCount,
                                 std::int32_t frameHeight, std::int32_t maxPositions,
                                 CBitmap* background, const CPosition& offset)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      frameCount(frameCount),
      frameHeight(frameHeight),
      maxPositions(maxPositions) {
    defaultValue = 0.0f;
}

CVerticalSwitch::~CVerticalSwitch() = default;

void CVerticalSwitch::draw(CDrawContext* context) {
    if (!context) return;
    buttonkit::drawSwitch(background, transparency, context, size, value, maxPositions,
                          frameHeight);
    setDirty(false);
}

void CVerticalSwitch::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = buttonkit::heldButtons(context);
    if (!(buttons & kButtonLeft)) return;
    if (modifierClickTaken(context, buttons) || resetToDefaultOnClick(context, buttons)) return;
    double step = 0.0;
    if (!buttonkit::switchStep(frameHeight, maxPositions, step)) return;
    retain();
    beginEdit();
    buttonkit::trackPress(
        *this, context, where,
        [this, step, context](const CPosition& point) {
            const std::int64_t along = static_cast<std::int64_t>(point.v) - size.top;
            value = buttonkit::switchValueAt(along, step, maxPositions);
            notifyIfDirty(context);
        },
        // Pressing or releasing a modifier ends the gesture too.
        [buttons](ButtonState held) { return held == buttons; });
    endEdit();
    release();
}

bool CVerticalSwitch::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CVerticalSwitch") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
