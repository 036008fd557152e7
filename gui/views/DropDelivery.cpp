#include "gui/views/DropDelivery.h"

#include "gui/draw/CDrawContext.h"
#include "gui/views/CDragContainer.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

CDragContainer* dragInProgress = nullptr;

}  // namespace

CDragContainer* currentDrag() { return dragInProgress; }

void beginDrag(NativeDragData data) {
    // An enter without a leave before it must not leak the earlier drag.
    endDrag();
    dragInProgress = new CDragContainer(data);
}

void endDrag() {
    CDragContainer* drag = dragInProgress;
    dragInProgress = nullptr;
    if (drag) drag->release();
}

bool deliverDrag(CFrame* frame, DropEvent event) {
    try {
        const ScopedReference<CDrawContext> context(frame->getDrawContext());
        CPosition where(0, 0);
        frame->getMousePoint(context.get(), where);
        switch (event) {
            case DropEvent::kEnter: frame->onDragEnter(context.get(), dragInProgress, where); break;
            case DropEvent::kMove: frame->onDragMove(context.get(), dragInProgress, where); break;
            case DropEvent::kLeave: frame->onDragLeave(context.get(), dragInProgress, where); break;
            case DropEvent::kDrop: frame->onDrop(context.get(), dragInProgress, where); break;
        }
        return true;
    } catch (...) {
        // Nothing may unwind into the platform's drag loop.
        return false;
    }
}

}  // namespace gui
