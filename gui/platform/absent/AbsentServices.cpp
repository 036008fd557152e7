// Drag and drop and assistive technology where the platform's backend does not offer them: the
// frame accepts no drops, hands out no accessible object and announces nothing. The headless
// backend and the X11 one (until it speaks XDND and AT-SPI) compile this.
#include <string>
#include <vector>

#include "gui/platform/Accessibility.h"
#include "gui/platform/DragAndDrop.h"
#include "gui/views/CFrame.h"

namespace gui {

// No assistive technology asks for the frame's accessible object.
std::intptr_t CFrame::answerObjectRequest(std::uintptr_t) { return 0; }

// Nothing was handed out, so nothing is taken back.
void CFrame::disconnectAccessible() {}

namespace platform {

// Nobody hears the announcements.
void announceFocus(NativeWindow, std::int32_t) {}

void announceValueChange(NativeWindow, std::int32_t) {}

// There is no drag-and-drop service: the frame accepts no drops.
CDropTarget* registerDropTarget(NativeWindow, CFrame*) { return nullptr; }

void revokeDropTarget(NativeWindow) {}

// No drag data exists, so none is held.
void retainDragData(NativeDragData) {}

void releaseDragData(NativeDragData) {}

bool dragDataHasText(NativeDragData) { return false; }

bool readDragText(NativeDragData, std::vector<char>&) { return false; }

std::int32_t dragFileCount(NativeDragData) { return 0; }

DragFileRead readDragFile(NativeDragData, std::int32_t, std::string&) {
    return DragFileRead::kNoList;
}

}  // namespace platform
}  // namespace gui
