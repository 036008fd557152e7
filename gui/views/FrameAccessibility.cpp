// The frame's views as assistive technology sees them: the list of views that take part, their
// places, the default action, the focus ring, and which values changed since the last idle.
#include <cstring>

#include "gui/draw/CDrawContext.h"
#include "gui/platform/Accessibility.h"
#include "gui/platform/Window.h"
#include "gui/views/AccessibleTree.h"
#include "gui/views/CFrame.h"
#include "gui/views/ClassNames.h"

namespace gui {

namespace {

constexpr std::int32_t kFocusRingWidth = 2;

void collectAccessible(CViewContainer& container, std::vector<CView*>& found) {
    for (std::int32_t index = 0; index < container.getViewCount(); ++index) {
        CView* view = container.getView(index);
        if (view->accessibleRole() != kRoleNone) found.push_back(view);
        if (view->isTypeOf(kContainerClassName))
            collectAccessible(*static_cast<CViewContainer*>(view), found);
    }
}

// Equal bits count as unchanged, so that a NaN value is not announced at every idle.
bool sameKey(float a, float b) { return std::memcmp(&a, &b, sizeof(a)) == 0; }

}  // namespace

std::vector<CView*> CFrame::accessibleViews() {
    std::vector<CView*> found;
    if (openFlag) collectAccessible(*this, found);
    return found;
}

CRectangle CFrame::frameRectOf(CView* view) {
    CRectangle rect;
    view->getViewRect(rect);
    CView* parent = view->getParentView();
    if (parent && parent != this) {
        const CPosition origin = parent->toFrame(CPosition(0, 0));
        rect.offset(origin.h, origin.v);
    }
    return rect;
}

void CFrame::doDefaultAction(CView* view) {
    if (!openFlag || !view) return;
    const CRectangle rect = frameRectOf(view);
    CPosition middle((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    const ScopedReference<CDrawContext> context(getDrawContext());
    mouse(context.get(), middle, kButtonLeft);
}

void CFrame::drawFocusRing(CDrawContext* context) {
    if (!context || !focusView || !focusView->wantsFocus() || !hasKeyboardFocus()) return;
    CRectangle ring = frameRectOf(focusView);
    const CColorValue savedColor = context->getLineColor();
    const std::int32_t savedWidth = context->getLineWidth();
    context->setLineColor(focusColor);
    context->setLineWidth(1);
    for (std::int32_t line = 0; line < kFocusRingWidth; ++line) {
        context->drawRectangle(ring, kFrameOnly);
        ring = CRectangle(ring.left + 1, ring.top + 1, ring.right - 1, ring.bottom - 1);
    }
    context->setLineWidth(savedWidth);
    context->setLineColor(savedColor);
}

// Runs at every idle, so it only walks the frame's own children: the list of views that take
// part is built only for a change to announce.
void CFrame::announceValueChanges() {
    std::size_t index = 0;
    bool sameViews = true;
    for (ChildNode* node = firstChild; node && sameViews; node = node->next, ++index)
        sameViews = index < announcedValues.size() && announcedValues[index].first == node->view;
    if (!sameViews || index != announcedValues.size()) {
        // New views have nothing to announce yet; the next change of each has.
        announcedValues.clear();
        for (ChildNode* node = firstChild; node; node = node->next)
            announcedValues.emplace_back(node->view, node->view->accessibleValueKey());
        return;
    }
    index = 0;
    for (ChildNode* node = firstChild; node; node = node->next, ++index) {
        const float key = node->view->accessibleValueKey();
        if (sameKey(key, announcedValues[index].second)) continue;
        announcedValues[index].second = key;
        const std::int32_t child = accessibleChildNumber(*this, node->view);
        if (child != kAccessibleSelf) announceValueChange(child);
    }
}

bool CFrame::hasKeyboardFocus() { return platform::hasKeyboardFocus(window); }

void CFrame::takeKeyboardFocus() { platform::takeKeyboardFocus(window); }

void CFrame::announceFocus() {
    if (!openFlag || !hasKeyboardFocus()) return;
    platform::announceFocus(window, accessibleChildNumber(*this, focusView));
}

void CFrame::announceValueChange(std::int32_t childNumber) {
    platform::announceValueChange(window, childNumber);
}

void CFrame::keyboardFocusChanged() {
    // The focus ring comes or goes with the next idle.
    if (focusView) focusView->setDirty(true);
    announceFocus();
}

}  // namespace gui
