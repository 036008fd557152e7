#include "gui/draw/FakeFrame.h"

namespace gui {

CRectangle frameSizeOf(CFrame* frame) { return frame->size; }

NativeWindow frameWindowOf(CFrame* frame) { return frame->window; }

double frameScaleOf(CFrame* frame) { return frame->scale; }

bool runFrameIdle(CFrame* frame) {
    const std::weak_ptr<const void> lifetime = frame->lifetime;
    ++frame->idleRuns;
    if (frame->onIdle) frame->onIdle(*frame);
    return !lifetime.expired();
}

}  // namespace gui
