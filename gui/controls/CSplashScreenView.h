// The modal view a splash screen puts over the frame: its bitmap drawn the splash way, gone at
// the next left click.
#pragma once

#include "gui/views/CView.h"

namespace gui {

class CSplashScreen;

class CSplashScreenView : public CView {
  public:
    // Placed at the splash screen's display rectangle, with its transparency and its bitmap.
    explicit CSplashScreenView(CSplashScreen* splashScreen);
    ~CSplashScreenView() override;

    void draw(CDrawContext* context) override;
    // Left button: hides the splash, redraws the whole frame and releases the view.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;

    CSplashScreen* getSplashScreen() const { return splashScreen; }

  private:
    // Set when the splash screen lets go of the view first (it leaves the tree or is gone).
    void detach() { splashScreen = nullptr; }
    friend class CSplashScreen;

    // Not owned.
    CSplashScreen* splashScreen;
};

}  // namespace gui
