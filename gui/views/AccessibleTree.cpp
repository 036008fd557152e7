#include "gui/views/AccessibleTree.h"

#include <vector>

#include "gui/draw/Scaling.h"
#include "gui/views/CFrame.h"

namespace gui {

bool accessibleChild(CFrame& frame, std::int32_t number, CView*& view) {
    view = nullptr;
    if (number == kAccessibleSelf) return true;
    const std::vector<CView*> views = frame.accessibleViews();
    if (number < 1 || static_cast<std::size_t>(number) > views.size()) return false;
    view = views[static_cast<std::size_t>(number) - 1];
    return true;
}

std::int32_t accessibleChildNumber(CFrame& frame, CView* view) {
    const std::vector<CView*> views = frame.accessibleViews();
    for (std::size_t index = 0; index < views.size(); ++index)
        if (views[index] == view) return static_cast<std::int32_t>(index) + 1;
    return kAccessibleSelf;
}

std::int32_t accessibleChildAt(CFrame& frame, const CPosition& windowPoint) {
    const CPosition point = toPanel(windowPoint, frame.getScale());
    CRectangle whole;
    frame.getViewRect(whole);
    if (!CRectangle(0, 0, whole.getWidth(), whole.getHeight()).pointInside(point)) return -1;
    const std::vector<CView*> views = frame.accessibleViews();
    // The topmost view under the point; the bare background is the frame itself.
    for (std::size_t index = views.size(); index > 0; --index)
        if (frame.frameRectOf(views[index - 1]).pointInside(point))
            return static_cast<std::int32_t>(index);
    return kAccessibleSelf;
}

CRectangle accessibleRectInWindow(CFrame& frame, CView* view) {
    CRectangle rect;
    frame.getViewRect(rect);
    rect = view ? frame.frameRectOf(view) : CRectangle(0, 0, rect.getWidth(), rect.getHeight());
    return toDevice(rect, frame.getScale());
}

std::int32_t accessibleNeighbour(CFrame& frame, std::int32_t start, AccessibleStep step) {
    const auto count = static_cast<std::int32_t>(frame.accessibleViews().size());
    const bool fromFrame = start == kAccessibleSelf;
    std::int32_t target = 0;
    if (fromFrame && step == AccessibleStep::kFirstChild)
        target = 1;
    else if (fromFrame && step == AccessibleStep::kLastChild)
        target = count;
    else if (!fromFrame && step == AccessibleStep::kNext)
        target = start + 1;
    else if (!fromFrame && step == AccessibleStep::kPrevious)
        target = start - 1;
    return target < 1 || target > count ? 0 : target;
}

const char* accessibleDefaultAction(AccessibleRole role) {
    switch (role) {
        case kRoleEditableText: return "Edit";
        case kRoleCheckButton: return "Toggle";
        case kRolePushButton: return "Press";
        case kRoleComboBox: return "Open";
        default: return nullptr;
    }
}

void runDefaultAction(CFrame& frame, std::uintptr_t childNumber) {
    const std::vector<CView*> views = frame.accessibleViews();
    if (childNumber < 1 || childNumber > views.size()) return;
    frame.doDefaultAction(views[childNumber - 1]);
}

}  // namespace gui
