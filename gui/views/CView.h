// Base of everything shown in the editor window: a rectangle in its parent's coordinates, the
// area that takes the mouse, links to its frame and container, an optional background bitmap and
// the inert defaults of every drawing and input operation.
#pragma once

#include <cstdint>
#include <string>

#include "gui/draw/CReferenceCounter.h"
#include "gui/draw/GuiTypes.h"
#include "host/aeffect.h"

namespace gui {

class CBitmap;
class CDrawContext;
class CDragContainer;
class CFrame;
class CViewContainer;

// Asked with notify(): a container answers kNotifyHandled exactly for this pointer.
extern const char* const kMsgCheckIfViewContainer;

enum : std::int32_t { kNotifyIgnored = 0, kNotifyHandled = 1 };
// What assistive technology is told a view is; views of kRoleNone take no part.
enum AccessibleRole : std::int32_t {
    kRoleNone = 0,
    kRoleSlider,
    kRoleEditableText,
    kRoleStaticText,
    kRoleCheckButton,
    kRolePushButton,
    kRoleComboBox,
    kRoleIndicator,
};
// States a view reports beside focusable and focused, which the frame knows.
enum : std::uint32_t {
    kAccessibleChecked = 1,
    kAccessibleReadOnly = 2,
    kAccessibleUnavailable = 4,
};
// Every spoken value fits this, terminator included.
constexpr std::int32_t kAccessibleTextSize = 256;

// Result of the key operations when nobody handled the key.
constexpr std::int32_t kKeyNotHandled = -1;
// A buttons argument of -1 tells the receiver to read the buttons from the drawing context.
constexpr std::int32_t kButtonsFromContext = -1;

class CView : public CReferenceCounter {
  public:
    explicit CView(const CRectangle& size);
    ~CView() override;

    virtual void draw(CDrawContext* context);
    virtual void drawArea(CDrawContext* context, const CRectangle& updateRect);
    virtual bool checkUpdate(const CRectangle& updateRect);
    virtual void mouse(CDrawContext* context, CPosition& where,
                       std::int32_t buttons = kButtonsFromContext);
    virtual void setBackground(CBitmap* bitmap);
    virtual CBitmap* getBackground() { return background; }
    virtual std::int32_t onKeyDown(VstKeyCode& key);
    virtual std::int32_t onKeyUp(VstKeyCode& key);
    virtual bool onWheel(CDrawContext* context, const CPosition& where, float distance);
    virtual bool onWheelAxis(CDrawContext* context, const CPosition& where, std::int32_t axis,
                             float distance);
    virtual bool onDrop(CDrawContext* context, CDragContainer* drag, const CPosition& where);
    virtual void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPosition& where);
    virtual void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPosition& where);
    virtual void onDragMove(CDrawContext* context, CDragContainer* drag, const CPosition& where);
    virtual void loseFocus(CDrawContext* context);
    virtual void gainFocus(CDrawContext* context);
    virtual bool isDirty() { return dirty; }
    virtual void setDirty(bool value = true) { dirty = value; }
    virtual void setMouseEnabled(bool value = true) { mouseEnabled = value; }
    virtual bool getMouseEnabled() { return mouseEnabled; }
    virtual void setMouseArea(const CRectangle& rect) { mouseArea = rect; }
    virtual CRectangle& getMouseArea(CRectangle& out);
    virtual bool hitTest(const CPosition& where, std::int32_t buttons = kButtonsFromContext);
    virtual void setTransparency(bool value) { transparency = value; }
    virtual bool getTransparency() { return transparency; }
    virtual void setViewRect(const CRectangle& rect);
    virtual CRectangle& getViewRect(CRectangle& out);
    virtual bool removed(CView* parent);
    virtual bool attached(CView* parent);
    virtual void getMousePoint(CDrawContext* context, CPosition& where);
    virtual CPosition toLocal(const CPosition& point);
    virtual CPosition toFrame(const CPosition& point);
    virtual void* getEditor();
    virtual std::int32_t notify(CView* sender, const char* message);
    virtual void redrawArea(CDrawContext* context, const CRectangle& rect);
    virtual bool wantsFocus() { return wantsFocusFlag; }
    virtual void setWantsFocus(bool value) { wantsFocusFlag = value; }
    virtual bool isTypeOf(const char* className);
    virtual void update(CDrawContext* context);

    // UI thread, asked by assistive technology. text holds kAccessibleTextSize bytes and gets the
    // value as a person would say it; false when the view has none.
    virtual AccessibleRole accessibleRole() { return kRoleNone; }
    virtual std::uint32_t accessibleStates() { return 0; }
    virtual bool accessibleValue(char* text);
    // Takes a value typed as text, as one edit gesture; false when the view takes none.
    virtual bool accessibleSetValue(const char* text);
    // Changes whenever the spoken value does: the frame compares it to announce changes.
    virtual float accessibleValueKey() { return 0.0f; }
    void setAccessibleName(const char* name) { accessibleName = name ? name : ""; }
    const char* getAccessibleName() const { return accessibleName.c_str(); }

    // Tagged byte blocks; an identifier keeps the size it was created with.
    bool setAttribute(std::int32_t id, std::int32_t size, const void* data);
    bool getAttributeSize(std::int32_t id, std::int32_t& size) const;
    bool getAttribute(std::int32_t id, std::int32_t inSize, void* data,
                      std::int32_t& outSize) const;
    // Draws this view at once through its frame.
    void redraw();

    CFrame* getFrame() const { return parentFrame; }
    CView* getParentView() const { return parentView; }

  protected:
    struct ViewAttributeNode;

    CRectangle size;
    CRectangle mouseArea;
    CFrame* parentFrame = nullptr;
    CView* parentView = nullptr;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparency = false;
    bool wantsFocusFlag = false;
    CBitmap* background = nullptr;
    ViewAttributeNode* attributes = nullptr;
    std::string accessibleName;

    // The container that adopts a view sets its frame and parent.
    friend class CViewContainer;
};

}  // namespace gui
