#include "gui/controls/CHorizontalSwitch.h"

#include <cstring>

#include "gui/controls/ButtonSupport.h"

namespace gui {

// The strip is read downwards whichever way the positions lie, so the frames are as high as the
// control, as for the vertical switch.
CHorizontalSwitch::CHorizontalSwitch(const CRectangle& size, CControlListener* listener,
                                     std::int32_t tag, CBitmap* background, const CPosition& offset)
    : CHorizontalSwitch(size, listener, tag, buttonkit::framesInStrip(background, size.getHeight()),
                        size.getHeight(), buttonkit::framesInStrip(background, size.getHeight()),
                        background, offset) {}

CHorizontalSwitch::CHorizontalSwitch(const CRectangle& size, CControlListener* listener,
                                     std::int32_t tag, std::int32_t frameCount,
                                     std::int32_t frameHeight, std::int32_t maxPositions,
                                     CBitmap* background, const CPosition& offset)
    : CControl(size, listener, tag, background),
      bitmapOffset(offset),
      frameCount(frameCount),
      maxPositions(maxPositions),
      frameHeight(frameHeight) {
    defaultValue = 0.0f;
}

CHorizontalSwitch::~CHorizontalSwitch() = default;

void CHorizontalSwitch::draw(CDrawContext* context) {
    if (!context) return;
    buttonkit::drawSwitch(background, transparency, context, size, value, maxPositions,
                          frameHeight);
    setDirty(false);
}

void CHorizontalSwitch::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = buttonkit::heldButtons(context);
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    if (resetToDefaultOnClick(context, buttons)) return;
    double step = 0.0;
    const std::int32_t span = background ? background->getWidth() : 0;
    if (!buttonkit::switchStep(span, maxPositions, step)) return;
    retain();
    beginEdit();
    buttonkit::trackPress(
        *this, context, where,
        [this, step, context](const CPosition& point) {
            const std::int64_t along = static_cast<std::int64_t>(point.h) - size.left;
            value = buttonkit::switchValueAt(along, step, maxPositions);
            notifyIfDirty(context);
        },
        // Pressing or releasing a modifier ends the gesture too.
        [buttons](ButtonState held) { return held == buttons; });
    endEdit();
    release();
}

bool CHorizontalSwitch::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CHorizontalSwitch") == 0) ||
           CControl::isTypeOf(className);
}

}  // namespace gui
