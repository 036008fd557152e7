// The frame as the root of the view tree: drawing through the back buffer, idle redraw, focus and
// modal view, input routing and the relays to the editor. Everything that touches the window
// system lives in the window-binding sources.
#include "gui/views/CFrame.h"

#include <cstring>

#include "gui/draw/COffscreenContext.h"
#include "host/AEffGUIEditor.h"

namespace gui {

namespace {

// The host's virtual key code for Tab and the Shift bit of its modifier byte.
constexpr unsigned char kVirtualKeyTab = 2;
constexpr unsigned char kModifierShiftBit = 1;

// Overlap with shared edges counting as overlap.
bool touches(const CRectangle& a, const CRectangle& b) {
    return a.right >= b.left && a.left <= b.right && a.bottom >= b.top && a.top <= b.bottom;
}

CRectangle boundedBy(CRectangle rect, const CRectangle& limit) { return rect.bound(limit); }

// Releases a context the frame obtained for the length of one call.
class ContextLease {
  public:
    explicit ContextLease(CDrawContext* context) : context(context) {}
    ~ContextLease() {
        if (context) context->release();
    }
    ContextLease(const ContextLease&) = delete;
    ContextLease& operator=(const ContextLease&) = delete;

  private:
    CDrawContext* context;
};

}  // namespace

CFrame::CFrame(const CRectangle& size, HWND parentWindow, AEffGUIEditor* editor)
    : CViewContainer(size, nullptr, nullptr), editor(editor), parentWindow(parentWindow) {
    parentFrame = this;
    setUpPlatform();
    createNativeWindow(parentWindow);
}

CFrame::~CFrame() {
    if (modalView) CViewContainer::removeView(modalView, false);
    setCursor(kCursorDefault);
    setDropAccepted(false);
    if (frameContext) frameContext->release();
    frameContext = nullptr;
    tearDownPlatform();
    destroyNativeWindow();
}

void CFrame::draw(CDrawContext* context) {
    firstDrawPending = false;
    CDrawContext* target = context ? context : frameContext;
    if (target) CViewContainer::draw(target);
}

void CFrame::drawArea(CDrawContext* context, const CRectangle& rect) {
    firstDrawPending = false;
    CDrawContext* own = context ? nullptr : getDrawContext();
    ContextLease lease(own);
    if (own) context = own;
    const CRectangle saved = context->getClipRectangle();
    context->setClipRectangle(boundedBy(rect, saved));
    if (rect.getWidth() > 0 && rect.getHeight() > 0) CViewContainer::drawArea(context, rect);
    context->setClipRectangle(saved);
}

void CFrame::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!context) context = frameContext;
    // Any press inside the frame takes the keyboard focus away first.
    if (focusView) setFocusView(nullptr);
    if (buttons == kButtonsFromContext && context) buttons = context->getButtonState();
    if (modalView) {
        if (modalView->hitTest(where, buttons)) modalView->mouse(context, where, buttons);
        return;
    }
    CViewContainer::mouse(context, where, buttons);
}

std::int32_t CFrame::onKeyDown(VstKeyCode& key) {
    if (focusView) {
        const std::int32_t result = focusView->onKeyDown(key);
        if (result != kKeyNotHandled) return result;
    }
    if (modalView) {
        const std::int32_t result = modalView->onKeyDown(key);
        if (result != kKeyNotHandled) return result;
    }
    if (key.virt == kVirtualKeyTab) {
        const bool reverse = (key.modifier & kModifierShiftBit) != 0;
        return moveFocus(focusView, reverse) ? 1 : kKeyNotHandled;
    }
    return kKeyNotHandled;
}

std::int32_t CFrame::onKeyUp(VstKeyCode& key) {
    if (focusView) {
        const std::int32_t result = focusView->onKeyUp(key);
        if (result != kKeyNotHandled) return result;
    }
    if (modalView) return modalView->onKeyUp(key);
    return kKeyNotHandled;
}

bool CFrame::onWheel(CDrawContext* context, const CPosition& where, float distance) {
    constexpr std::int32_t kPlainWheelAxis = 1;
    return onWheelAxis(context, where, kPlainWheelAxis, distance);
}

bool CFrame::onWheelAxis(CDrawContext* context, const CPosition& where, std::int32_t axis,
                         float distance) {
    CView* target = modalView ? modalView : getViewAt(where, false);
    if (!target) return false;
    CDrawContext* own = context ? nullptr : getDrawContext();
    ContextLease lease(own);
    return target->onWheelAxis(context ? context : own, where, axis, distance);
}

void CFrame::setViewRect(const CRectangle& rect) { setSize(rect.getWidth(), rect.getHeight()); }

void* CFrame::getEditor() { return editor; }

bool CFrame::isTypeOf(const char* className) {
    return std::strcmp(className, "CFrame") == 0 || CViewContainer::isTypeOf(className);
}

void CFrame::update(CDrawContext* context) {
    if (!openFlag || updateLock) return;
    CDrawContext* const saved = frameContext;
    COffscreenContext* const buffer = getBackBuffer();
    // Every getDrawContext during the update hands out the back buffer.
    frameContext = buffer;
    if (dirty) {
        draw(buffer);
        setDirty(false);
    } else {
        const CRectangle clip = buffer->getClipRectangle();
        if (modalView && modalView->isDirty()) modalView->update(buffer);
        for (ChildNode* node = firstChild; node; node = node->next) {
            CRectangle childRect;
            node->view->getViewRect(childRect);
            buffer->setClipRectangle(boundedBy(childRect, clip));
            node->view->update(buffer);
        }
        buffer->setClipRectangle(clip);
    }
    // A view that resized the frame during the update has dropped the buffer.
    if (backBuffer) backBuffer->copyToContext(context, size, CPosition(0, 0));
    frameContext = saved;
}

CView* CFrame::getViewUnderMouse() {
    return modalView ? modalView : CViewContainer::getViewUnderMouse();
}

bool CFrame::moveFocus(CView* oldFocus, bool reverse) {
    if (modalView) return false;
    if (!oldFocus) oldFocus = focusView;
    if (!oldFocus) return CViewContainer::moveFocus(nullptr, reverse);
    if (isChild(oldFocus)) {
        if (CViewContainer::moveFocus(oldFocus, reverse)) return true;
        // No wrap-around: the next Tab starts again from the first view.
        setFocusView(nullptr);
        return false;
    }
    CView* child = oldFocus;
    CView* parent = oldFocus->getParentView();
    while (parent && parent->isTypeOf("CViewContainer")) {
        if (static_cast<CViewContainer*>(parent)->moveFocus(child, reverse)) return true;
        child = parent;
        parent = parent->getParentView();
    }
    return false;
}

void CFrame::idle() {
    // Nothing reaches the window before the first paint has filled the back buffer.
    if (!openFlag || firstDrawPending || !isDirty()) return;
    CDrawContext* context = getDrawContext();
    ContextLease lease(context);
    update(context);
}

void CFrame::runIdleCycle() {
    if (editor) editor->runIdleCycle();
}

unsigned long CFrame::tickCount() { return editor ? editor->tickCount() : 0; }

std::int32_t CFrame::getKnobMode() { return AEffGUIEditor::knobMode; }

bool CFrame::setPosition(std::int32_t, std::int32_t) { return false; }

bool CFrame::getSize(CRectangle& rect) { return getSize(&rect); }

bool CFrame::setModalView(CView* view) {
    if (view) {
        if (modalView) return false;
        modalView = view;
        addView(view);
        return true;
    }
    if (modalView) {
        removeView(modalView, false);
        modalView = nullptr;
    }
    return true;
}

void CFrame::beginEdit(std::int32_t index) {
    if (editor) editor->beginEdit(index);
}

void CFrame::endEdit(std::int32_t index) {
    if (editor) editor->endEdit(index);
}

void CFrame::setFocusView(CView* view) {
    CView* const old = focusView;
    focusView = view;
    if (view && view->wantsFocus()) view->setDirty(true);
    if (old) {
        old->loseFocus(nullptr);
        if (old->wantsFocus()) old->setDirty(true);
    }
}

void CFrame::invalidate(const CRectangle& rect) {
    for (ChildNode* node = firstChild; node; node = node->next) {
        CRectangle childRect;
        if (touches(node->view->getViewRect(childRect), rect)) node->view->setDirty(true);
    }
}

bool CFrame::setUpdateLock(bool value) {
    const bool previous = updateLock;
    updateLock = value;
    return previous;
}

void CFrame::drawView(CView* view) {
    CDrawContext* context = getDrawContext();
    ContextLease lease(context);
    if (view && isChild(view))
        view->draw(context);
    else
        draw(context);
}

CDrawContext* CFrame::getDrawContext() {
    if (frameContext) {
        frameContext->retain();
        return frameContext;
    }
    return new CDrawContext(this, nullptr, window);
}

COffscreenContext* CFrame::getBackBuffer() {
    if (!backBuffer)
        backBuffer = new COffscreenContext(this, size.getWidth(), size.getHeight(), kBlackColor);
    return backBuffer;
}

}  // namespace gui
