// What assistive technology hears from the frame's window. UI thread. The backend also implements
// CFrame::answerObjectRequest and CFrame::disconnectAccessible: they hand out and take back the
// platform's accessible object of the frame, which asks the frame's views for names, roles,
// values and places.
#pragma once

#include <cstdint>

#include "gui/platform/NativeHandle.h"

namespace gui::platform {

// The child in the window's accessible object has the focus; 0 for the window itself.
void announceFocus(NativeWindow window, std::int32_t childNumber);
// The child's value changed; nothing for a null window.
void announceValueChange(NativeWindow window, std::int32_t childNumber);

}  // namespace gui::platform
