// The root of the view tree, bound to a child window of its own inside the host's editor window.
// It paints through a frame-sized back buffer, redraws dirty views when the editor's idle call
// comes, keeps the keyboard focus and an optional modal view, and relays edit gestures and idle
// requests from the controls to the editor.
#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "gui/platform/NativeHandle.h"
#include "gui/views/CViewContainer.h"

class AEffGUIEditor;

namespace gui {

class CDropTarget;
class FrameAccessible;
enum class WindowKeyEvent;

// Cursor shapes for setCursor.
enum CCursorType : std::int32_t {
    kCursorDefault = 0,
    kCursorWait = 1,
    kCursorHSize = 2,
    kCursorVSize = 3,
    kCursorSizeAll = 4,
    kCursorNESWSize = 5,
    kCursorNWSESize = 6,
    kCursorCopy = 7,
    kCursorNotAllowed = 8,
    kCursorHand = 9,
};

// The members live in these sources:
// - CFrame.cpp: the root of the view tree: drawing through the back buffer, idle redraw, input
//   routing, focus and modal view, invalidation, the relays to the editor.
// - FrameWindow.cpp: the frame's window: creating and destroying it, what its events mean for
//   the frame, cursor, mouse point, drop-target registration, platform start and stop.
// - FrameGeometry.cpp: the frame among the host's windows: setSize, setScale, getSize,
//   getPosition, getOuterWindow.
// - FrameAccessibility.cpp: the views as assistive technology sees them, the focus ring and the
//   announcements; FrameKeyboard.cpp: the keys that reach the frame's window.
// The platform's backend implements answerObjectRequest and disconnectAccessible
// (gui/platform/Accessibility.h) and calls the window events through FrameWindowProcedure.
class CFrame : public CViewContainer {
  public:
    // scale: device pixels per panel unit of the frame's window, 1.0 to 3.0 (else 1.0).
    CFrame(const CRectangle& size, NativeWindow parentWindow, AEffGUIEditor* editor,
           double scale = 1.0);
    ~CFrame() override;

    void draw(CDrawContext* context) override;
    void drawArea(CDrawContext* context, const CRectangle& rect) override;
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    std::int32_t onKeyDown(VstKeyCode& key) override;
    std::int32_t onKeyUp(VstKeyCode& key) override;
    bool onWheel(CDrawContext* context, const CPosition& where, float distance) override;
    bool onWheelAxis(CDrawContext* context, const CPosition& where, std::int32_t axis,
                     float distance) override;
    void setViewRect(const CRectangle& rect) override;
    void* getEditor() override;
    bool isTypeOf(const char* className) override;
    void update(CDrawContext* context) override;
    CView* getViewUnderMouse() override;
    bool moveFocus(CView* oldFocus, bool reverse) override;
    // The modal view goes without its owner's reference; the owner still holds it.
    void removeAll(bool withForget = true) override;

    virtual bool open() { return false; }
    virtual bool close() { return false; }
    virtual bool isOpen() { return openFlag; }
    // UI thread, editor open: redraws the dirty views through the back buffer.
    virtual void idle();
    virtual void runIdleCycle();
    virtual unsigned long tickCount();
    virtual std::int32_t getKnobMode();
    virtual bool setPosition(std::int32_t x, std::int32_t y);
    virtual bool getPosition(std::int32_t& x, std::int32_t& y);
    virtual bool setSize(std::int32_t width, std::int32_t height);
    virtual bool getSize(CRectangle* rect);
    virtual bool getSize(CRectangle& rect);
    virtual bool setModalView(CView* view);
    virtual CView* getModalView() { return modalView; }
    virtual void beginEdit(std::int32_t index);
    virtual void endEdit(std::int32_t index);
    // Mouse position relative to the frame's window.
    virtual bool getCurrentMousePoint(CPosition& where);
    virtual void setCursor(CCursorType shape);
    virtual void setFocusView(CView* view);
    virtual CView* getFocusView() { return focusView; }
    virtual bool setDropAccepted(bool active);
    virtual bool isDropAccepted() { return dropAccepted; }
    virtual void markOpen(bool value) { openFlag = value; }
    virtual bool wasOpened() { return openFlag; }
    // Marks every direct child touching rect dirty; nothing is drawn now.
    virtual void invalidate(const CRectangle& rect);
    virtual bool isUpdateLocked() { return updateLock; }
    // Returns the previous value.
    virtual bool setUpdateLock(bool value);
    // Draws at once, through the back buffer, and copies the drawn area to the window.
    virtual void drawView(CView* view);
    // UI thread, editor open: shows the panel at another scale. The windows are resized the way
    // setSize resizes them; the views keep their panel coordinates. False when nothing changed:
    // the same or an unacceptable factor, or a host that refused the new size, and then the
    // panel stays as it was.
    virtual bool setScale(double factor);
    double getScale() const { return scale; }
    // The DPI scale of a window (1.0 at 96 DPI, at most the largest scale); 1.0 where the system
    // cannot tell.
    static double displayScaleOf(NativeWindow window);

    // A context on the frame's window (the back buffer during update); the caller releases it.
    CDrawContext* getDrawContext();
    COffscreenContext* getBackBuffer();
    bool createNativeWindow(NativeWindow parent);
    // The host's outermost window that tightly wraps the frame's window.
    NativeWindow getOuterWindow();
    NativeWindow getWindow() const { return window; }
    NativeWindow getParentWindow() const { return parentWindow; }
    // A view is leaving the tree: the focus and the modal view must not point into it.
    void forgetView(CView* view);
    // Expires when the frame is deleted: tells a caller of the host whether the frame outlived it.
    std::weak_ptr<const void> getLifetime() const { return lifetime; }

    // UI thread. The views that take part for assistive technology, depth first in drawing
    // order; a view's child number is its place in this list plus one.
    std::vector<CView*> accessibleViews();
    // A view's rectangle in the frame's coordinates.
    CRectangle frameRectOf(CView* view);
    // A press in the middle of the view, as a click of the left button would make.
    void doDefaultAction(CView* view);
    // The focus ring's colour; the ring shows while the frame's window has the keyboard focus.
    void setFocusColor(CColorValue color) { focusColor = color; }
    // Platform side: whether the frame's window has the keyboard focus, and taking it.
    bool hasKeyboardFocus();
    void takeKeyboardFocus();

  protected:
    AEffGUIEditor* editor;
    NativeWindow parentWindow;
    CView* modalView = nullptr;
    CView* focusView = nullptr;
    bool firstDrawPending = true;
    bool openFlag = true;
    std::shared_ptr<const void> lifetime = std::make_shared<char>(0);
    bool dropAccepted = false;
    bool updateLock = false;
    NativeWindow window = nullptr;
    NativeModule imagingLibrary = nullptr;
    CDropTarget* dropTarget = nullptr;
    COffscreenContext* backBuffer = nullptr;
    CDrawContext* frameContext = nullptr;
    NativeCursor defaultCursor = nullptr;
    double scale = 1.0;

  private:
    enum class WindowResize { kByHost, kByFrame, kWalkStopped, kRefused, kFrameGone };
    // Asks the host, else walks the wrapping windows, for a window of width x height panel units
    // at the current scale. A host that refuses is passed by only when walkWhenRefused.
    WindowResize resizeWindows(std::int32_t width, std::int32_t height, bool walkWhenRefused);
    void dropBackBuffer();
    // Clears the focus; false when the frame lost the old focus view meanwhile (the editor closed).
    bool focusDroppedInFrame();
    // Platform side, in the window-binding source.
    void setUpPlatform();
    void tearDownPlatform();
    void destroyNativeWindow();
    // The host destroyed the frame's window: let go of everything tied to it.
    void forgetDestroyedWindow();
    // A tracking loop without an editor to pace it must still not spin.
    void pauseWithoutEditor();
    // Events of the frame's window, in its pixels; the backend's window procedure calls them.
    // The system destroyed the window.
    void windowDestroyed();
    // Draws the painted area through the back buffer and copies it to device.
    void paintWindow(NativeDevice device, const CRectangle& painted);
    void windowButtonDown(NativeWindow on, const CPosition& point, std::int32_t press);
    // False when no view used the turn.
    bool windowWheel(NativeWindow on, const CPosition& point, float distance);
    bool focusViewIs(const char* className);
    // The focus view is an option menu whose popup items the toolkit draws.
    bool focusMenuDrawsItems();
    // An owner-drawn item of the focus view's popup; false leaves it to the platform.
    bool measureMenuItem(NativeWindow on, std::uintptr_t itemData, CPosition& size);
    bool drawMenuItem(NativeDevice device, std::uintptr_t itemData, std::uint32_t itemId,
                      std::int32_t state, const CRectangle& area);
    friend struct FrameWindowProcedure;

    // Assistive technology and keys (FrameAccessibility.cpp, FrameKeyboard.cpp; the object
    // requests are the backend's).
    void drawFocusRing(CDrawContext* context);
    // From the idle: one value event per view whose spoken value changed since the last idle.
    void announceValueChanges();
    void announceFocus();
    void announceValueChange(std::int32_t childNumber);
    // The window's keyboard focus came or went.
    void keyboardFocusChanged();
    // A key message of the frame's window with the platform's key code; false when it goes on
    // to the host's window.
    bool routeWindowKey(WindowKeyEvent event, std::uintptr_t platformKey);
    // Hands out the frame's object for an object request of the window; 0 when none.
    std::intptr_t answerObjectRequest(std::uintptr_t wParam);
    // Every object handed out answers errors from now on.
    void disconnectAccessible();
    FrameAccessible* accessible = nullptr;
    NativeModule accessibilityLibrary = nullptr;
    std::vector<std::pair<CView*, float>> announcedValues;
    CColorValue focusColor = kWhiteColor;

    // Only a successful start of the component services is paired with a stop.
    bool componentServicesStarted = false;
};

}  // namespace gui
