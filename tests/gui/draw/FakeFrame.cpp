#include "gui/draw/FakeFrame.h"

namespace gui {

CRectangle frameSizeOf(CFrame* frame) { return frame->size; }

HWND frameWindowOf(CFrame* frame) { return frame->window; }

void runFrameIdle(CFrame* frame) {
    ++frame->idleRuns;
    if (frame->onIdle) frame->onIdle(*frame);
}

}  // namespace gui
