// The frame as the root of the view tree: drawing through the back buffer, idle redraw, focus and
// modal view, input routing and the relays to the editor. Everything that touches the window
// system lives in the window-binding sources.
#include "gui/views/CFrame.h"

#include <cstring>

#include "gui/draw/COffscreenContext.h"
#include "gui/draw/Scaling.h"
#include "gui/views/ClassNames.h"
#include "host/AEffGUIEditor.h"

namespace gui {

namespace {

CRectangle boundedBy(CRectangle rect, const CRectangle& limit) { return rect.bound(limit); }

// A context the frame obtained for the length of one call.
using ContextLease = ScopedReference<CDrawContext>;

bool isWithin(CView* inner, CView* outer) {
    for (CView* view = inner; view; view = view->getParentView())
        if (view == outer) return true;
    return false;
}

}  // namespace

CFrame::CFrame(const CRectangle& size, NativeWindow parentWindow, AEffGUIEditor* editor,
               double initialScale)
    : CViewContainer(size, nullptr, nullptr), editor(editor), parentWindow(parentWindow) {
    parentFrame = this;
    if (acceptedScale(initialScale) != 0.0) scale = initialScale;
    setUpPlatform();
    createNativeWindow(parentWindow);
}

CFrame::~CFrame() {
    // Children may call back into the frame while they go (a text entry ends its edit and gives
    // up the focus), so they go while the frame is still whole and nothing points at them after.
    // A closing frame takes no more changes: an edit in progress ends without its commit.
    openFlag = false;
    // Screen readers may hold the frame's object long after this: it answers errors from now.
    disconnectAccessible();
    setFocusView(nullptr);
    CFrame::removeAll(true);
    focusView = nullptr;
    modalView = nullptr;
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
    drawFocusRing(target);
}

void CFrame::drawArea(CDrawContext* context, const CRectangle& rect) {
    firstDrawPending = false;
    CDrawContext* own = context ? nullptr : getDrawContext();
    const ContextLease lease(own);
    if (own) context = own;
    const CRectangle saved = context->getClipRectangle();
    context->setClipRectangle(boundedBy(rect, saved));
    if (rect.getWidth() > 0 && rect.getHeight() > 0) CViewContainer::drawArea(context, rect);
    drawFocusRing(context);
    context->setClipRectangle(saved);
}

void CFrame::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    if (!context) context = frameContext;
    if (buttons == kButtonsFromContext && context) buttons = context->getButtonState();
    // Any press inside the frame takes the keyboard focus away first.
    if (focusView && !focusDroppedInFrame()) return;
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
    if (key.virt == VKEY_TAB) {
        const bool reverse = (key.modifier & MODIFIER_SHIFT) != 0;
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
    const ContextLease lease(own);
    return target->onWheelAxis(context ? context : own, where, axis, distance);
}

void CFrame::setViewRect(const CRectangle& rect) { setSize(rect.getWidth(), rect.getHeight()); }

void* CFrame::getEditor() { return editor; }

bool CFrame::isTypeOf(const char* className) {
    return std::strcmp(className, kFrameClassName) == 0 || CViewContainer::isTypeOf(className);
}

void CFrame::update(CDrawContext* context) {
    if (!openFlag || updateLock) return;
    CDrawContext* const saved = frameContext;
    COffscreenContext* const buffer = getBackBuffer();
    // A view that resizes the frame during the update drops the frame's hold on the buffer;
    // this one keeps it alive until the update is over.
    buffer->retain();
    const ScopedReference<COffscreenContext> hold(buffer);
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
    drawFocusRing(buffer);
    // A view that resized the frame during the update has dropped the buffer: nothing of it
    // goes out, and the next idle draws the whole frame into the new one.
    if (backBuffer == buffer)
        buffer->copyToContext(context, size, CPosition(0, 0));
    else
        setDirty(true);
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
    while (parent && parent->isTypeOf(kContainerClassName)) {
        if (static_cast<CViewContainer*>(parent)->moveFocus(child, reverse)) return true;
        child = parent;
        parent = parent->getParentView();
    }
    return false;
}

void CFrame::idle() {
    if (!openFlag) return;
    // At most one value event per view and idle, however often the values changed meanwhile.
    announceValueChanges();
    // Nothing reaches the window before the first paint has filled the back buffer.
    if (firstDrawPending || !isDirty()) return;
    const ContextLease context(getDrawContext());
    update(context.get());
}

void CFrame::runIdleCycle() {
    if (editor)
        editor->runIdleCycle();
    else
        pauseWithoutEditor();
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

// The modal view belongs to whoever set it and goes first, without its owner's reference: the
// owner's dismissal, run as the other children go, can no longer find it in the list.
void CFrame::removeAll(bool withForget) {
    if (modalView) CViewContainer::removeView(modalView, false);
    modalView = nullptr;
    CViewContainer::removeAll(withForget);
}

void CFrame::beginEdit(std::int32_t index) {
    if (editor) editor->beginEdit(index);
}

void CFrame::endEdit(std::int32_t index) {
    if (editor) editor->endEdit(index);
}

// An entry that commits as it loses the focus reaches the host, and a host may close the editor
// there: the press then goes nowhere. The frame itself cannot be held (the editor deletes it), the
// view that had the focus can: it leaves the frame when the frame goes.
bool CFrame::focusDroppedInFrame() {
    const auto old = keptAlive(focusView);
    setFocusView(nullptr);
    return old->getFrame() == this;
}

void CFrame::setFocusView(CView* view) {
    // The old view's listener may remove it while it loses the focus.
    const auto old = keptAlive(focusView);
    const std::weak_ptr<const void> frameAlive = lifetime;
    focusView = view;
    if (view && view->wantsFocus()) view->setDirty(true);
    if (old) {
        old->loseFocus(nullptr);
        if (old->wantsFocus()) old->setDirty(true);
        // The commit reaches the host, which may close the editor there and delete this frame.
        if (frameAlive.expired()) return;
    }
    if (view != old.get()) announceFocus();
}

void CFrame::invalidate(const CRectangle& rect) {
    for (ChildNode* node = firstChild; node; node = node->next) {
        CRectangle childRect;
        if (node->view->getViewRect(childRect).touches(rect)) node->view->setDirty(true);
    }
}

bool CFrame::setUpdateLock(bool value) {
    const bool previous = updateLock;
    updateLock = value;
    return previous;
}

void CFrame::drawView(CView* view) {
    const bool wholeFrame = !view || !isChild(view);
    CRectangle area(0, 0, size.getWidth(), size.getHeight());
    if (!wholeFrame) view->getViewRect(area);
    CDrawContext* const target = frameContext ? frameContext : getBackBuffer();
    const auto drawInto = [&](CDrawContext* context) {
        if (wholeFrame)
            draw(context);
        else
            view->draw(context);
    };
    // Inside an update the back buffer is the target already and is copied out after it.
    if (frameContext) {
        drawInto(target);
        return;
    }
    // All output goes through the back buffer: a view drawn on the window alone would be
    // painted over by the next copy of the buffer.
    COffscreenContext* const buffer = backBuffer;
    buffer->retain();
    const ScopedReference<COffscreenContext> hold(buffer);
    frameContext = buffer;
    drawInto(buffer);
    drawFocusRing(buffer);
    frameContext = nullptr;
    if (backBuffer != buffer) return;
    const ContextLease onWindow(getDrawContext());
    buffer->copyToContext(onWindow.get(), area, CPosition(area.left, area.top));
}

void CFrame::forgetView(CView* view) {
    if (!view || view == this) return;
    if (modalView && isWithin(modalView, view)) modalView = nullptr;
    if (focusView && isWithin(focusView, view)) setFocusView(nullptr);
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
