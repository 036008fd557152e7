// What a drag over a frame's window means for the frame: the drag in progress, shared by the whole
// process while it lasts, and its events handed to the frame's views. The platform's drop target
// calls these on the UI thread, inside the platform's drag loop.
#pragma once

#include "gui/platform/NativeHandle.h"

namespace gui {

class CDragContainer;
class CFrame;

enum class DropEvent { kEnter, kMove, kLeave, kDrop };

// The drag in progress over any frame of the process, or null.
CDragContainer* currentDrag();
// A new drag of data: an earlier one that never left ends first.
void beginDrag(NativeDragData data);
void endDrag();
// Hands the current drag to the frame with a context and the mouse position; false when the
// frame failed by an exception, which never unwinds into the caller.
bool deliverDrag(CFrame* frame, DropEvent event);

}  // namespace gui
