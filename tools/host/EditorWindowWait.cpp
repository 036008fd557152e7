// Waiting for the editor to be drawn, the same on every platform: the window's own loop and its
// notion of a pending paint are the platform's.
#include "tools/host/EditorWindow.h"
#include "tools/host/HostError.h"

namespace {

// How many more ticks than asked the painting may take before it counts as never done.
constexpr int kPaintPatience = 20;

}  // namespace

void EditorWindow::runUntilPainted(const IdleFunction& idle, int minimumTicks) {
    const int start = ticks_;
    while (handleNextMessage(idle)) {
        const int done = ticks_ - start;
        if (done >= minimumTicks && !paintPending()) return;
        if (done > minimumTicks * kPaintPatience) {
            throw HostError("the editor window was never completely painted");
        }
    }
    throw HostError("the editor window was closed before it was drawn");
}
