// The frame's views as one accessible object with simple children, the way every platform's
// assistive technology asks for them: children are numbered from 1 in the order of
// CFrame::accessibleViews, and 0 stands for the frame itself. UI thread; the platform's accessible
// object answers its clients through these.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/views/CView.h"

namespace gui {

class CFrame;

constexpr std::int32_t kAccessibleSelf = 0;

enum class AccessibleStep { kFirstChild, kLastChild, kNext, kPrevious, kNone };

// The view of child number, null for kAccessibleSelf; false for a number that is no child.
bool accessibleChild(CFrame& frame, std::int32_t number, CView*& view);
// The child number of view; kAccessibleSelf for null or a view that takes no part.
std::int32_t accessibleChildNumber(CFrame& frame, CView* view);
// The topmost child under a point of the frame's window, in the window's pixels;
// kAccessibleSelf for the bare background, -1 for a point outside the frame.
std::int32_t accessibleChildAt(CFrame& frame, const CPosition& windowPoint);
// A child's rectangle in the window's pixels; the whole frame for a null view.
CRectangle accessibleRectInWindow(CFrame& frame, CView* view);
// The child one step from start (kAccessibleSelf for the frame); 0 when the step leads nowhere.
std::int32_t accessibleNeighbour(CFrame& frame, std::int32_t start, AccessibleStep step);
// What the default action of a view with the role does ("Press"); null for a role without one.
const char* accessibleDefaultAction(AccessibleRole role);
// Runs the default action of child number, when the child is still there.
void runDefaultAction(CFrame& frame, std::uintptr_t childNumber);

}  // namespace gui
