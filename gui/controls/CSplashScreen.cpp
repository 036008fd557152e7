#include "gui/controls/CSplashScreen.h"

#include <cstring>

#include "gui/controls/CSplashScreenView.h"
#include "gui/draw/CBitmap.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

constexpr std::uint8_t kOpaque = 255;
// An alpha of 0 would blend nothing; it selects colour-keyed drawing instead.
constexpr std::uint8_t kKeyedAlpha = 0;

}  // namespace

CSplashScreen::CSplashScreen(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                             CBitmap* background, const CRectangle& toDisplay,
                             const CPosition& offset)
    : CControl(size, listener, tag, background), toDisplay(toDisplay), splashOffset(offset) {}

CSplashScreen::~CSplashScreen() { dismissView(); }

void CSplashScreen::drawSplash(CBitmap* bitmap, CDrawContext* context, const CRectangle& rect,
                               bool transparent) {
    if (!bitmap || !context) return;
    if (!transparent)
        bitmap->draw(context, rect, splashOffset);
    else if (splashAlpha != kKeyedAlpha)
        bitmap->drawBlended(context, rect, splashOffset, splashAlpha);
    else
        bitmap->drawKeyed(context, rect, splashOffset);
}

void CSplashScreen::draw(CDrawContext* context) {
    if (value != 0.0f && background) drawSplash(background, context, toDisplay, transparency);
    setDirty(false);
}

bool CSplashScreen::hitTest(const CPosition& where, std::int32_t buttons) {
    return (buttons & kButtonLeft) != 0 && CControl::hitTest(where, buttons);
}

void CSplashScreen::mouse(CDrawContext* context, CPosition&, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = context ? context->getButtonState() : 0;
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    if (value != 0.0f) {
        value = 0.0f;
        return;
    }
    // The listener may take the control out of the tree; it lives to the end of the click.
    retain();
    value = 1.0f;
    // A view the owner left up after an outside unSplash goes before a new one comes.
    dismissView();
    auto* view = new CSplashScreenView(this);
    if (parentFrame && parentFrame->setModalView(view)) {
        splashView = view;
        if (listener) listener->valueChanged(context, this);
    } else {
        // Refused (another modal view is up) or no frame: the view is never shown, so it goes
        // now rather than linger with a pointer to this control.
        view->detach();
        view->release();
    }
    setDirty(true);
    release();
}

void CSplashScreen::unSplash(CDrawContext* context) {
    if (value == 0.0f) return;
    value = 0.0f;
    if (listener) listener->valueChanged(context, this);
}

void CSplashScreen::setSplashAlpha(std::uint8_t alpha) {
    splashAlpha = alpha;
    setTransparency(alpha != kOpaque);
}

bool CSplashScreen::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CSplashScreen") == 0) ||
           CControl::isTypeOf(className);
}

bool CSplashScreen::removed(CView* parent) {
    if (splashView) {
        dismissView();
        value = 0.0f;
    }
    return CControl::removed(parent);
}

void CSplashScreen::viewClosed(CSplashScreenView* view) {
    if (view != splashView) return;
    splashView = nullptr;
    view->release();
}

void CSplashScreen::dismissView() {
    CSplashScreenView* view = splashView;
    if (!view) return;
    splashView = nullptr;
    view->detach();
    CFrame* frame = view->getFrame();
    if (frame && frame->getModalView() == view) {
        frame->setModalView(nullptr);
        frame->setDirty(true);
    }
    view->release();
}

}  // namespace gui
