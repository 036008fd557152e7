// The child list, the background and the drawing passes of a container.
#include "gui/views/CViewContainer.h"

#include <cstring>

#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/draw/COffscreenContext.h"
#include "gui/views/CFrame.h"
#include "gui/views/ClassNames.h"

namespace gui {

CViewContainer::ShiftedContext::ShiftedContext(CDrawContext* shifted, const CPosition& by)
    : context(shifted) {
    if (!context) return;
    savedOrigin = context->windowOrigin;
    savedOffset = context->offset;
    context->windowOrigin.h += by.h;
    context->windowOrigin.v += by.v;
    context->offset.h += by.h;
    context->offset.v += by.v;
}

CViewContainer::ShiftedContext::~ShiftedContext() {
    if (!context) return;
    context->windowOrigin = savedOrigin;
    context->offset = savedOffset;
}

CViewContainer::CViewContainer(const CRectangle& rect, CFrame* frame, CBitmap* backgroundBitmap)
    : CView(rect) {
    parentFrame = frame;
    setBackground(backgroundBitmap);
}

CViewContainer::~CViewContainer() {
    removeAll(true);
    dropOffscreen();
}

void CViewContainer::addView(CView* view) {
    // A container inside itself would recurse forever on the first draw.
    if (!view || view == this) return;
    auto* node = new ChildNode{view, nullptr, nullptr};
    view->retain();
    view->parentFrame = parentFrame;
    view->parentView = this;
    ChildNode* last = firstChild;
    while (last && last->next) last = last->next;
    if (last) {
        last->next = node;
        node->previous = last;
    } else {
        firstChild = node;
    }
    lastChild = node;
    view->attached(this);
    view->setDirty(true);
}

void CViewContainer::addViewWithArea(CView* view, const CRectangle& area, bool enabled) {
    if (!view) return;
    view->setMouseEnabled(enabled);
    view->setMouseArea(area);
    addView(view);
}

void CViewContainer::releaseNode(ChildNode* node, bool withForget) {
    CView* view = node->view;
    if (view == dragTarget) dragTarget = nullptr;  // never leave a drag on a released view
    if (parentFrame) parentFrame->forgetView(view);
    view->removed(this);
    if (withForget) view->release();
    view->release();
}

void CViewContainer::unlinkNode(ChildNode* node) {
    if (node->previous)
        node->previous->next = node->next;
    else
        firstChild = node->next;
    if (node->next)
        node->next->previous = node->previous;
    else
        lastChild = node->previous;
    delete node;
}

void CViewContainer::removeView(CView* view, bool withForget) {
    if (!view) return;
    for (ChildNode* node = firstChild; node; node = node->next) {
        if (node->view != view) continue;
        releaseNode(node, withForget);
        unlinkNode(node);
        return;
    }
}

void CViewContainer::removeAll(bool withForget) {
    ChildNode* node = firstChild;
    // Detach the list first: a released child must not find itself still listed.
    firstChild = nullptr;
    lastChild = nullptr;
    while (node) {
        ChildNode* next = node->next;
        releaseNode(node, withForget);
        delete node;
        node = next;
    }
}

bool CViewContainer::isChild(CView* view) {
    for (ChildNode* node = firstChild; node; node = node->next)
        if (node->view == view) return true;
    return false;
}

std::int32_t CViewContainer::getViewCount() {
    std::int32_t count = 0;
    for (ChildNode* node = firstChild; node; node = node->next) ++count;
    return count;
}

CView* CViewContainer::getView(std::int32_t index) {
    if (index < 0) return nullptr;
    ChildNode* node = firstChild;
    for (std::int32_t i = 0; node && i < index; ++i) node = node->next;
    return node ? node->view : nullptr;
}

void CViewContainer::setBackgroundColor(CColorValue color) {
    backgroundColor = color;
    setDirty(true);
}

void CViewContainer::createOffscreen() {
    // An empty buffer cannot be made; such a container draws straight into the context.
    if (size.getWidth() <= 0 || size.getHeight() <= 0) return;
    offscreen = new COffscreenContext(parentFrame, size.getWidth(), size.getHeight(), kBlackColor);
}

void CViewContainer::dropOffscreen() {
    if (offscreen) offscreen->release();
    offscreen = nullptr;
}

void CViewContainer::setUseOffscreen(bool value) {
    useOffscreen = value;
    if (!value) dropOffscreen();
}

bool CViewContainer::attached(CView*) {
    if (useOffscreen && !offscreen) createOffscreen();
    return true;
}

bool CViewContainer::removed(CView*) {
    dropOffscreen();
    return true;
}

void CViewContainer::setViewRect(const CRectangle& rect) {
    size = rect;
    setDirty(true);
    if (offscreen && useOffscreen) {
        dropOffscreen();
        createOffscreen();
    }
}

CDrawContext* CViewContainer::beginDrawing(CDrawContext* context) {
    if (useOffscreen && !offscreen) createOffscreen();
    // What lies behind a transparent container shows through its buffer.
    if (offscreen && transparency) offscreen->copyFromContext(context, size, CPosition(0, 0));
    return useOffscreen && offscreen ? offscreen : context;
}

CRectangle CViewContainer::localClip(CDrawContext* context, CDrawContext* target) {
    CRectangle clip = context->getClipRectangle();
    // The caller's clip is in parent coordinates when the container draws into its own buffer.
    if (target != context && static_cast<CView*>(parentFrame) != this)
        clip.offset(-size.left, -size.top);
    return clip;
}

void CViewContainer::draw(CDrawContext* context) {
    if (!context) return;
    CDrawContext* target = beginDrawing(context);
    {
        ShiftedContext shift(target == context ? context : nullptr, origin());
        const CRectangle bounds = localBounds();
        const CRectangle oldClip = localClip(context, target);
        const CRectangle clip = oldClip;
        target->setClipRectangle(CRectangle(bounds).bound(clip));
        if (background) {
            if (transparency)
                background->drawKeyed(target, bounds, backgroundOffset);
            else
                background->draw(target, bounds, backgroundOffset);
        } else if (!transparency) {
            target->setFillColor(backgroundColor);
            target->fillRectangle(bounds);
        }
        for (ChildNode* node = firstChild; node; node = node->next) {
            target->setClipRectangle(CRectangle(node->view->size).bound(clip));
            node->view->draw(target);
        }
        target->setClipRectangle(oldClip);
    }
    if (target != context) offscreen->copyToContext(context, size, CPosition(0, 0));
    setDirty(false);
}

void CViewContainer::drawArea(CDrawContext* context, const CRectangle& updateRect) {
    if (!context) return;
    CDrawContext* target = beginDrawing(context);
    const CRectangle area = CRectangle(updateRect).bound(size);
    const CRectangle local = CRectangle(area).offset(-size.left, -size.top);
    {
        ShiftedContext shift(target == context ? context : nullptr, origin());
        const CRectangle oldClip = localClip(context, target);
        const CRectangle visible = CRectangle(local).bound(oldClip);
        target->setClipRectangle(visible);
        drawBackgroundArea(target, local);
        for (ChildNode* node = firstChild; node; node = node->next) {
            CView* child = node->view;
            if (!child->checkUpdate(local)) continue;
            const CRectangle part = CRectangle(child->size).bound(visible);
            if (part.getWidth() <= 0 || part.getHeight() <= 0) continue;
            target->setClipRectangle(part);
            const bool wasDirty = child->isDirty();
            child->drawArea(target, local);
            // Drawn only in part: the next idle cycle must still draw it whole.
            if (wasDirty && part != child->size) child->setDirty(true);
        }
        target->setClipRectangle(oldClip);
    }
    if (target != context)
        offscreen->copyToContext(context, area, CPosition(local.left, local.top));
    setDirty(false);
}

void CViewContainer::drawBackgroundArea(CDrawContext* context, const CRectangle& rect) {
    if (!context) return;
    if (background) {
        const CRectangle saved = context->getClipRectangle();
        context->setClipRectangle(CRectangle(rect).bound(saved));
        // At the bitmap's own size from the origin: never stretched.
        const CRectangle whole(0, 0, background->getWidth(), background->getHeight());
        if (transparency)
            background->drawKeyed(context, whole, backgroundOffset);
        else
            background->draw(context, whole, backgroundOffset);
        context->setClipRectangle(saved);
    } else if (!transparency) {
        context->setFillColor(backgroundColor);
        context->fillRectangle(rect);
    }
}

bool CViewContainer::isDirty() {
    if (dirty) return true;
    const CRectangle bounds = localBounds();
    for (ChildNode* node = firstChild; node; node = node->next) {
        if (!node->view->isDirty()) continue;
        const CRectangle inside = CRectangle(node->view->size).bound(bounds);
        if (inside.getWidth() > 0 && inside.getHeight() > 0) return true;
    }
    return false;
}

void CViewContainer::update(CDrawContext* context) {
    const CRectangle bounds = localBounds();
    if (mode == kRedrawAll || (mode == kRedrawDirtyOnly && dirty)) {
        if (!isDirty()) return;
        redrawArea(context, bounds);
        setDirty(false);
        return;
    }
    if (mode != kRedrawDirtyOnly) return;
    for (ChildNode* node = firstChild; node; node = node->next) {
        CView* child = node->view;
        if (!child->isDirty() || !child->checkUpdate(bounds)) continue;
        if (child->notify(this, kMsgCheckIfViewContainer) != kNotifyIgnored)
            child->update(context);
        else
            child->redrawArea(context, CRectangle(child->size).bound(bounds));
    }
    setDirty(false);
}

void CViewContainer::redrawArea(CDrawContext* context, const CRectangle& rect) {
    const CRectangle area = CRectangle(rect).offset(size.left, size.top);
    if (transparency) {
        // What lies behind must be painted first, so the parent redraws the area.
        if (parentView)
            parentView->redrawArea(context, area);
        else if (parentFrame)
            parentFrame->drawArea(context, area);
        return;
    }
    CPosition shiftBy;
    if (parentView) shiftBy = parentView->toFrame(CPosition(0, 0));
    ShiftedContext shift(parentView ? context : nullptr, shiftBy);
    drawArea(context, area);
}

std::int32_t CViewContainer::notify(CView*, const char* message) {
    return message == kMsgCheckIfViewContainer ? kNotifyHandled : kNotifyIgnored;
}

bool CViewContainer::isTypeOf(const char* className) {
    return className && (std::strcmp(className, kContainerClassName) == 0 ||
                         std::strcmp(className, kViewClassName) == 0);
}

}  // namespace gui
