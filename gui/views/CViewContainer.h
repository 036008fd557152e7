// A view that owns an ordered list of children: paints a background, draws the children bottom
// to top (optionally through a buffer of its own), redraws only what is dirty, and routes the
// mouse, keys, wheel, drags and keyboard focus to them. Children use coordinates whose origin is
// the container's top-left corner.
#pragma once

#include "gui/views/CView.h"

namespace gui {

class COffscreenContext;

enum : std::int32_t {
    kRedrawAll = 0,        // anything dirty redraws the whole container
    kRedrawDirtyOnly = 1,  // only dirty children are redrawn
};

class CViewContainer : public CView {
  public:
    CViewContainer(const CRectangle& size, CFrame* frame, CBitmap* background = nullptr);
    ~CViewContainer() override;

    void draw(CDrawContext* context) override;
    void drawArea(CDrawContext* context, const CRectangle& updateRect) override;
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    std::int32_t onKeyDown(VstKeyCode& key) override;
    std::int32_t onKeyUp(VstKeyCode& key) override;
    bool onWheel(CDrawContext* context, const CPosition& where, float distance) override;
    bool onWheelAxis(CDrawContext* context, const CPosition& where, std::int32_t axis,
                     float distance) override;
    bool onDrop(CDrawContext* context, CDragContainer* drag, const CPosition& where) override;
    void onDragEnter(CDrawContext* context, CDragContainer* drag, const CPosition& where) override;
    void onDragLeave(CDrawContext* context, CDragContainer* drag, const CPosition& where) override;
    void onDragMove(CDrawContext* context, CDragContainer* drag, const CPosition& where) override;
    void loseFocus(CDrawContext* context) override;
    void gainFocus(CDrawContext* context) override;
    bool isDirty() override;
    bool hitTest(const CPosition& where, std::int32_t buttons = kButtonsFromContext) override;
    void setViewRect(const CRectangle& rect) override;
    bool removed(CView* parent) override;
    bool attached(CView* parent) override;
    CPosition toLocal(const CPosition& point) override;
    CPosition toFrame(const CPosition& point) override;
    std::int32_t notify(CView* sender, const char* message) override;
    void redrawArea(CDrawContext* context, const CRectangle& rect) override;
    bool isTypeOf(const char* className) override;
    void update(CDrawContext* context) override;

    virtual void addView(CView* view);
    virtual void addViewWithArea(CView* view, const CRectangle& mouseArea, bool mouseEnabled);
    // withForget drops the caller's reference too, which normally deletes the view.
    virtual void removeView(CView* view, bool withForget = true);
    virtual void removeAll(bool withForget = true);
    virtual bool isChild(CView* view);
    virtual std::int32_t getViewCount();
    // Counted from the bottom-most child; null outside 0 .. count - 1.
    virtual CView* getView(std::int32_t index);
    virtual void setBackgroundColor(CColorValue color);
    virtual CColorValue getBackgroundColor() { return backgroundColor; }
    virtual void setBackgroundOffset(const CPosition& offset) { backgroundOffset = offset; }
    virtual CPosition getBackgroundOffset() { return backgroundOffset; }
    // rect is in local coordinates.
    virtual void drawBackgroundArea(CDrawContext* context, const CRectangle& rect);
    virtual void setMode(std::int32_t value) { mode = value; }
    virtual std::int32_t getMode() { return mode; }
    virtual void setUseOffscreen(bool value);
    virtual CView* getViewUnderMouse();
    virtual CView* getViewAt(const CPosition& where, bool deep = false);
    virtual bool moveFocus(CView* oldFocus, bool reverse);

    bool hitTestChildren(const CPosition& where, std::int32_t buttons);

  protected:
    struct ChildNode {
        CView* view;
        ChildNode* next;      // towards the top
        ChildNode* previous;  // towards the bottom
    };

    ChildNode* firstChild = nullptr;
    ChildNode* lastChild = nullptr;
    std::int32_t mode = kRedrawDirtyOnly;
    COffscreenContext* offscreen = nullptr;
    CColorValue backgroundColor = kBlackColor;
    CPosition backgroundOffset;
    bool useOffscreen = false;
    CView* dragTarget = nullptr;

  private:
    // Moves a context into this container's coordinates (origin and drawing offset) for the
    // life of the object, and puts the four values back afterwards. A null context is left alone.
    class ShiftedContext {
      public:
        ShiftedContext(CDrawContext* context, const CPosition& by);
        ~ShiftedContext();
        ShiftedContext(const ShiftedContext&) = delete;
        ShiftedContext& operator=(const ShiftedContext&) = delete;

      private:
        CDrawContext* context;
        CPosition savedOrigin;
        CPosition savedOffset;
    };

    CPosition origin() const { return CPosition(size.left, size.top); }
    CRectangle localBounds() const { return CRectangle(0, 0, size.getWidth(), size.getHeight()); }
    void createOffscreen();
    void dropOffscreen();
    // Steps shared by draw and drawArea: the buffer, what shows through it, the drawing target.
    CDrawContext* beginDrawing(CDrawContext* context);
    // The caller's clip in this container's coordinates.
    CRectangle localClip(CDrawContext* context, CDrawContext* target);
    void releaseNode(ChildNode* node, bool withForget);
    void unlinkNode(ChildNode* node);
    ChildNode* topmostChildAt(const CPosition& local);
};

}  // namespace gui
