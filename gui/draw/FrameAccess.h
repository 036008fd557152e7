// What the drawing layer needs from a frame: its size, its native window and its idle service.
#pragma once

#include "gui/draw/GuiTypes.h"
#include "gui/draw/PlatformHandles.h"

namespace gui {

class CFrame;

// The frame defines these.
CRectangle frameSizeOf(CFrame* frame);
HWND frameWindowOf(CFrame* frame);
void runFrameIdle(CFrame* frame);

}  // namespace gui
