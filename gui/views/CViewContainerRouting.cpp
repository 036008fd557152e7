// How a container hands the mouse, keys, wheel, drags and keyboard focus to its children, and
// how it converts points between its own and its parents' coordinates.
#include "gui/draw/CDrawContext.h"
#include "gui/views/CFrame.h"
#include "gui/views/CViewContainer.h"
#include "gui/views/ClassNames.h"

namespace gui {

namespace {

// The plain wheel turns about the vertical axis.
constexpr std::int32_t kVerticalWheelAxis = 1;

CPosition minus(const CPosition& point, const CPosition& origin) {
    return CPosition(point.h - origin.h, point.v - origin.v);
}

bool areaContains(CView* view, const CPosition& point) {
    CRectangle area;
    view->getMouseArea(area);
    return area.left <= point.h && point.h <= area.right && area.top <= point.v &&
           point.v <= area.bottom;
}

}  // namespace

void CViewContainer::mouse(CDrawContext* context, CPosition& where, std::int32_t buttons) {
    CPosition local = minus(where, origin());
    if (buttons == kButtonsFromContext && context) buttons = context->getButtonState();
    for (ChildNode* node = lastChild; node; node = node->previous) {
        CView* child = node->view;
        if (!child->getMouseEnabled() || !child->hitTest(local, buttons)) continue;
        child->mouse(context, local, buttons);
        return;
    }
}

bool CViewContainer::hitTest(const CPosition& where, std::int32_t buttons) {
    return CView::hitTest(where, buttons);
}

bool CViewContainer::hitTestChildren(const CPosition& where, std::int32_t buttons) {
    const CPosition local = minus(where, origin());
    for (ChildNode* node = lastChild; node; node = node->previous)
        if (node->view->getMouseEnabled() && node->view->hitTest(local, buttons)) return true;
    return false;
}

std::int32_t CViewContainer::onKeyDown(VstKeyCode& key) {
    for (ChildNode* node = lastChild; node; node = node->previous) {
        const std::int32_t result = node->view->onKeyDown(key);
        if (result != kKeyNotHandled) return result;
    }
    return kKeyNotHandled;
}

std::int32_t CViewContainer::onKeyUp(VstKeyCode& key) {
    for (ChildNode* node = lastChild; node; node = node->previous) {
        const std::int32_t result = node->view->onKeyUp(key);
        if (result != kKeyNotHandled) return result;
    }
    return kKeyNotHandled;
}

bool CViewContainer::onWheel(CDrawContext* context, const CPosition& where, float distance) {
    return onWheelAxis(context, where, kVerticalWheelAxis, distance);
}

bool CViewContainer::onWheelAxis(CDrawContext* context, const CPosition& where, std::int32_t axis,
                                 float distance) {
    CView* target = getViewAt(where, false);
    if (!target) return false;
    ShiftedContext shift(context, origin());
    return target->onWheelAxis(context, minus(where, origin()), axis, distance);
}

void CViewContainer::onDragEnter(CDrawContext* context, CDragContainer* drag,
                                 const CPosition& where) {
    if (!parentFrame) return;
    ShiftedContext shift(context, origin());
    const CPosition local = minus(where, origin());
    if (dragTarget) dragTarget->onDragLeave(context, drag, local);
    dragTarget = getViewAt(where, false);
    if (dragTarget) dragTarget->onDragEnter(context, drag, local);
}

void CViewContainer::onDragMove(CDrawContext* context, CDragContainer* drag,
                                const CPosition& where) {
    if (!parentFrame) return;
    ShiftedContext shift(context, origin());
    const CPosition local = minus(where, origin());
    CView* view = getViewAt(where, false);
    if (view != dragTarget) {
        if (dragTarget) dragTarget->onDragLeave(context, drag, local);
        if (view) view->onDragEnter(context, drag, local);
        dragTarget = view;
    } else if (view) {
        view->onDragMove(context, drag, local);
    }
}

void CViewContainer::onDragLeave(CDrawContext* context, CDragContainer* drag,
                                 const CPosition& where) {
    if (!parentFrame) return;
    ShiftedContext shift(context, origin());
    if (dragTarget) dragTarget->onDragLeave(context, drag, minus(where, origin()));
    dragTarget = nullptr;
}

bool CViewContainer::onDrop(CDrawContext* context, CDragContainer* drag, const CPosition& where) {
    if (!parentFrame) return false;
    ShiftedContext shift(context, origin());
    const CPosition local = minus(where, origin());
    CView* view = getViewAt(where, false);
    if (view != dragTarget) {
        if (dragTarget) dragTarget->onDragLeave(context, drag, local);
        dragTarget = view;
    }
    bool result = false;
    if (view) {
        result = view->onDrop(context, drag, local);
        view->onDragLeave(context, drag, local);
    }
    dragTarget = nullptr;
    return result;
}

void CViewContainer::loseFocus(CDrawContext* context) {
    for (ChildNode* node = firstChild; node; node = node->next) node->view->loseFocus(context);
}

void CViewContainer::gainFocus(CDrawContext* context) {
    for (ChildNode* node = firstChild; node; node = node->next) node->view->gainFocus(context);
}

CViewContainer::ChildNode* CViewContainer::topmostChildAt(const CPosition& local) {
    // Mouse-disabled children still count: these searches ask what lies under a point.
    for (ChildNode* node = lastChild; node; node = node->previous)
        if (areaContains(node->view, local)) return node;
    return nullptr;
}

CView* CViewContainer::getViewAt(const CPosition& where, bool deep) {
    if (!parentFrame) return nullptr;
    const CPosition local = minus(where, origin());
    ChildNode* node = topmostChildAt(local);
    if (!node) return nullptr;
    CView* child = node->view;
    if (deep && child->isTypeOf(kContainerClassName))
        return static_cast<CViewContainer*>(child)->getViewAt(local, true);
    return child;
}

CView* CViewContainer::getViewUnderMouse() {
    if (!parentFrame) return nullptr;
    CPosition where;
    parentFrame->getCurrentMousePoint(where);
    ChildNode* node = topmostChildAt(toLocal(where));
    return node ? node->view : nullptr;
}

CPosition CViewContainer::toLocal(const CPosition& point) {
    const CPosition local = minus(point, origin());
    if (parentView && parentView->isTypeOf(kContainerClassName)) return parentView->toLocal(local);
    return local;
}

CPosition CViewContainer::toFrame(const CPosition& point) {
    const CPosition outer(point.h + size.left, point.v + size.top);
    if (parentView && parentView->isTypeOf(kContainerClassName)) return parentView->toFrame(outer);
    return outer;
}

bool CViewContainer::moveFocus(CView* oldFocus, bool reverse) {
    // Nothing can take the focus without a frame to hold it.
    if (!parentFrame) return false;
    bool passedOld = oldFocus == nullptr;
    for (ChildNode* node = reverse ? lastChild : firstChild; node;
         node = reverse ? node->previous : node->next) {
        CView* child = node->view;
        if (!passedOld) {
            passedOld = child == oldFocus;
            continue;
        }
        if (child->wantsFocus()) {
            parentFrame->setFocusView(child);
            return true;
        }
        if (child->isTypeOf(kContainerClassName) &&
            static_cast<CViewContainer*>(child)->moveFocus(nullptr, reverse))
            return true;
    }
    return false;
}

}  // namespace gui
