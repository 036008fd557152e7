// A click area that shows its bitmap over the frame as a modal view (an about box, say) until
// that view is clicked. The value is 1 while the splash is up and 0 otherwise.
#pragma once

#include <cstdint>

#include "gui/controls/CControl.h"

namespace gui {

class CSplashScreenView;

class CSplashScreen : public CControl {
  public:
    // toDisplay is where the splash goes, in frame coordinates; offset is read from the bitmap.
    CSplashScreen(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                  CBitmap* background, const CRectangle& toDisplay, const CPosition& offset);
    // A splash still up goes with its control.
    ~CSplashScreen() override;

    // Draws the splash into toDisplay only while the value is not 0.
    void draw(CDrawContext* context) override;
    // Left button: shows the splash when hidden; otherwise only turns the value back to 0.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    // Only the left button hits, edges of the mouse area included.
    bool hitTest(const CPosition& where, std::int32_t buttons = kButtonsFromContext) override;
    bool isTypeOf(const char* className) override;
    // Leaving the tree takes a splash that is up down with it, without telling the listener.
    bool removed(CView* parent) override;

    // Turns the value to 0 and tells the listener; the view is the caller's to take down.
    virtual void unSplash(CDrawContext* context);

    // 255 copies the splash plainly; below that it is blended with this alpha, and 0 draws it
    // colour-keyed instead.
    void setSplashAlpha(std::uint8_t alpha);
    std::uint8_t getSplashAlpha() const { return splashAlpha; }
    const CPosition& getSplashOffset() const { return splashOffset; }
    // The splash view while it is the frame's modal view, else null.
    CSplashScreenView* getSplashView() const { return splashView; }

    // The splash way of drawing a bitmap, shared with the view: plain unless transparent, then
    // blended with the splash alpha or, at alpha 0, colour-keyed.
    void drawSplash(CBitmap* bitmap, CDrawContext* context, const CRectangle& rect,
                    bool transparent);

  protected:
    CRectangle toDisplay;
    CPosition splashOffset;
    std::uint8_t splashAlpha = 255;

  private:
    // The view hid itself; it drops the reference it was created with.
    void viewClosed(CSplashScreenView* view);
    // Takes a view that is up out of its frame and drops it.
    void dismissView();
    friend class CSplashScreenView;

    // Holds the reference the view was created with, while the frame shows it.
    CSplashScreenView* splashView = nullptr;
};

}  // namespace gui
