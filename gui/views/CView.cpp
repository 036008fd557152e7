#include "gui/views/CView.h"

#include <cstring>

#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/views/CFrame.h"
#include "gui/views/ClassNames.h"

namespace gui {

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

// One tagged attribute; the block keeps the size it was created with.
struct CView::ViewAttributeNode {
    ViewAttributeNode* next = nullptr;
    unsigned char* data = nullptr;
    std::int32_t dataSize = 0;
    std::int32_t id = 0;
};

CView::CView(const CRectangle& rect) : size(rect), mouseArea(rect) {}

CView::~CView() {
    if (background) background->release();
    while (attributes) {
        ViewAttributeNode* next = attributes->next;
        delete[] attributes->data;
        delete attributes;
        attributes = next;
    }
}

void CView::draw(CDrawContext* context) {
    if (!context) return;
    if (background) {
        const CPosition origin(0, 0);
        if (transparency)
            background->drawKeyed(context, size, origin);
        else
            background->draw(context, size, origin);
    }
    setDirty(false);
}

void CView::drawArea(CDrawContext* context, const CRectangle&) { draw(context); }

bool CView::checkUpdate(const CRectangle& updateRect) {
    // Edges count: a rectangle that only touches the view still reaches it.
    return size.touches(updateRect);
}

void CView::mouse(CDrawContext*, CPosition&, std::int32_t) {}

void CView::setBackground(CBitmap* bitmap) {
    // Retain first, so that setting the bitmap already held does not delete it.
    if (bitmap) bitmap->retain();
    if (background) background->release();
    background = bitmap;
    setDirty(true);
}

bool CView::accessibleValue(char* text) {
    if (text) text[0] = '\0';
    return false;
}

bool CView::accessibleSetValue(const char*) { return false; }

std::int32_t CView::onKeyDown(VstKeyCode&) { return kKeyNotHandled; }

std::int32_t CView::onKeyUp(VstKeyCode&) { return kKeyNotHandled; }

bool CView::onWheel(CDrawContext*, const CPosition&, float) { return false; }

bool CView::onWheelAxis(CDrawContext* context, const CPosition& where, std::int32_t,
                        float distance) {
    return onWheel(context, where, distance);
}

bool CView::onDrop(CDrawContext*, CDragContainer*, const CPosition&) { return false; }

void CView::onDragEnter(CDrawContext*, CDragContainer*, const CPosition&) {}

void CView::onDragLeave(CDrawContext*, CDragContainer*, const CPosition&) {}

void CView::onDragMove(CDrawContext*, CDragContainer*, const CPosition&) {}

void CView::loseFocus(CDrawContext*) {}

void CView::gainFocus(CDrawContext*) {}

CRectangle& CView::getMouseArea(CRectangle& out) {
    out = mouseArea;
    return out;
}

bool CView::hitTest(const CPosition& where, std::int32_t) {
    return mouseArea.left <= where.h && where.h <= mouseArea.right && mouseArea.top <= where.v &&
           where.v <= mouseArea.bottom;
}

void CView::setViewRect(const CRectangle& rect) {
    size = rect;
    setDirty(true);
}

CRectangle& CView::getViewRect(CRectangle& out) {
    out = size;
    return out;
}

bool CView::removed(CView*) { return true; }

bool CView::attached(CView*) { return true; }

void CView::getMousePoint(CDrawContext* context, CPosition& where) {
    if (!context) return;
    if (parentView && parentView->notify(this, kMsgCheckIfViewContainer) == kNotifyHandled) {
        // Each enclosing container adds its origin, so the answer ends up in this view's
        // parent coordinates.
        const CPosition savedOrigin = context->windowOrigin;
        const CPosition savedOffset = context->offset;
        const CRectangle& parentSize = parentView->size;
        context->windowOrigin.h += parentSize.left;
        context->windowOrigin.v += parentSize.top;
        context->offset.h += parentSize.left;
        context->offset.v += parentSize.top;
        parentView->getMousePoint(context, where);
        context->windowOrigin = savedOrigin;
        context->offset = savedOffset;
        return;
    }
    context->getMousePosition(where);
}

CPosition CView::toLocal(const CPosition& point) {
    if (parentView && parentView->isTypeOf(kContainerClassName)) return parentView->toLocal(point);
    return point;
}

CPosition CView::toFrame(const CPosition& point) {
    if (parentView && parentView->isTypeOf(kContainerClassName)) return parentView->toFrame(point);
    return point;
}

void* CView::getEditor() { return parentFrame ? parentFrame->getEditor() : nullptr; }

std::int32_t CView::notify(CView*, const char*) { return kNotifyIgnored; }

void CView::redrawArea(CDrawContext* context, const CRectangle& rect) {
    if (parentView)
        parentView->redrawArea(context, rect);
    else if (parentFrame)
        parentFrame->drawArea(context, rect);
}

bool CView::isTypeOf(const char* className) {
    return className && std::strcmp(className, kViewClassName) == 0;
}

void CView::update(CDrawContext* context) {
    if (!isDirty()) return;
    if (context)
        redrawArea(context, size);
    else if (parentFrame)
        parentFrame->drawView(this);
    setDirty(false);
}

bool CView::setAttribute(std::int32_t id, std::int32_t byteCount, const void* data) {
    if (byteCount < 0 || (byteCount > 0 && !data)) return false;
    ViewAttributeNode* last = nullptr;
    for (ViewAttributeNode* node = attributes; node; node = node->next) {
        last = node;
        if (node->id != id) continue;
        // An identifier never grows; a smaller value overwrites the front of the block.
        if (byteCount > node->dataSize) return false;
        if (byteCount > 0) std::memcpy(node->data, data, static_cast<std::size_t>(byteCount));
        return true;
    }
    auto* node = new ViewAttributeNode;
    node->id = id;
    node->dataSize = byteCount;
    node->data = new unsigned char[byteCount > 0 ? byteCount : 1];
    if (byteCount > 0) std::memcpy(node->data, data, static_cast<std::size_t>(byteCount));
    if (last)
        last->next = node;
    else
        attributes = node;
    return true;
}

bool CView::getAttributeSize(std::int32_t id, std::int32_t& byteCount) const {
    for (const ViewAttributeNode* node = attributes; node; node = node->next) {
        if (node->id != id) continue;
        byteCount = node->dataSize;
        return true;
    }
    return false;
}

bool CView::getAttribute(std::int32_t id, std::int32_t inSize, void* data,
                         std::int32_t& outSize) const {
    for (const ViewAttributeNode* node = attributes; node; node = node->next) {
        if (node->id != id) continue;
        if (node->dataSize > inSize || (node->dataSize > 0 && !data)) return false;
        if (node->dataSize > 0)
            std::memcpy(data, node->data, static_cast<std::size_t>(node->dataSize));
        outSize = node->dataSize;
        return true;
    }
    return false;
}

void CView::redraw() {
    if (parentFrame) parentFrame->drawView(this);
}

}  // namespace gui
