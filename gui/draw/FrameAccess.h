// What the drawing layer needs from a frame: its size, its native window, its scale and its idle
// service.
#pragma once

#include "gui/draw/GuiTypes.h"
#include "gui/platform/NativeHandle.h"

namespace gui {

class CFrame;

// The frame defines these.
CRectangle frameSizeOf(CFrame* frame);
NativeWindow frameWindowOf(CFrame* frame);
// Device pixels per panel unit of the frame's window.
double frameScaleOf(CFrame* frame);
// Runs the frame's idle service; false when the frame was deleted meanwhile (a host may close the
// editor from its idle), and then the frame must not be touched again.
bool runFrameIdle(CFrame* frame);

}  // namespace gui
