// The class names that isTypeOf answers to, shared by every view class that checks for them.
#pragma once

namespace gui {

inline constexpr char kViewClassName[] = "CView";
inline constexpr char kContainerClassName[] = "CViewContainer";
inline constexpr char kFrameClassName[] = "CFrame";

}  // namespace gui
