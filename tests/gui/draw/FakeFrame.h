// A stand-in for the toolkit's frame in the drawing layer's tests: a size, a native window, a scale
// and an idle service that counts its runs and may act on each one.
#pragma once

#include <functional>
#include <memory>

#include "gui/draw/FrameAccess.h"

namespace gui {

class CFrame {
  public:
    CFrame(const CRectangle& size, NativeWindow window) : size(size), window(window) {}

    CRectangle size;
    NativeWindow window;
    double scale = 1.0;
    int idleRuns = 0;
    // Called on every idle run, after the count has gone up.
    std::function<void(CFrame&)> onIdle;
    std::shared_ptr<const void> lifetime = std::make_shared<char>(0);
};

}  // namespace gui
