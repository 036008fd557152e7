#include "gui/controls/CSplashScreenView.h"

#include "gui/controls/CSplashScreen.h"
#include "gui/draw/CDrawContext.h"
#include "gui/views/CFrame.h"

namespace gui {

CSplashScreenView::CSplashScreenView(CSplashScreen* splashScreen)
    : CView(CRectangle()), splashScreen(splashScreen) {
    CRectangle place;
    if (splashScreen) {
        // Size and mouse area both: the view takes the clicks where it shows.
        place = splashScreen->toDisplay;
        transparency = splashScreen->getTransparency();
        setBackground(splashScreen->getBackground());
    }
    size = place;
    mouseArea = place;
}

CSplashScreenView::~CSplashScreenView() = default;

void CSplashScreenView::draw(CDrawContext* context) {
    if (splashScreen) splashScreen->drawSplash(background, context, size, transparency);
    setDirty(false);
}

void CSplashScreenView::mouse(CDrawContext* context, CPosition&, std::int32_t buttons) {
    if (buttons == kButtonsFromContext) buttons = context ? context->getButtonState() : 0;
    if (!(buttons & kButtonLeft) || !splashScreen) return;
    // The listener hears the splash go and may remove its control, which takes this view down
    // too: the view lives to the end of the click.
    retain();
    splashScreen->unSplash(context);
    if (splashScreen) {
        CFrame* frame = parentFrame;
        if (frame) {
            frame->setDirty(true);
            if (frame->getModalView() == this) frame->setModalView(nullptr);
        }
        CSplashScreen* owner = splashScreen;
        splashScreen = nullptr;
        owner->viewClosed(this);
    }
    release();
}

}  // namespace gui
