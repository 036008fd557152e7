// The frame's side of its window: creating and destroying it, what the window's paint, mouse and
// owner-drawn menu events mean for the frame, the cursor, drop-target registration and the
// platform services the frame starts and stops. The system calls are the backend's
// (gui/platform/Window.h).
#include <memory>

#include "gui/draw/COffscreenContext.h"
#include "gui/draw/FrameAccess.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/DragAndDrop.h"
#include "gui/platform/ModuleHandle.h"
#include "gui/platform/Window.h"
#include "gui/views/CFrame.h"
#include "gui/views/MenuItemHooks.h"

namespace gui {

MenuItemHooks menuItemHooks;

namespace {

constexpr double kStandardDpi = 96.0;
// What a tracking loop without an editor waits per pass instead of an idle cycle.
constexpr std::uint32_t kPauseWithoutEditorMs = 4;

using TemporaryContext = ScopedReference<CDrawContext>;

TemporaryContext contextOnWindow(CFrame* frame, NativeWindow window) {
    return TemporaryContext(new CDrawContext(frame, nullptr, window));
}

}  // namespace

void CFrame::windowDestroyed() {
    disconnectAccessible();
    markOpen(false);
    parentWindow = nullptr;
    forgetDestroyedWindow();
}

void CFrame::paintWindow(NativeDevice device, const CRectangle& painted) {
    const CRectangle area = coveringPanelRect(painted, scale);
    // A view that resizes the frame while it draws drops the frame's buffer, not this hold.
    COffscreenContext* const buffer = getBackBuffer();
    buffer->retain();
    const ScopedReference<COffscreenContext> hold(buffer);
    drawArea(buffer, area);
    if (backBuffer == buffer) {
        const TemporaryContext onDevice(new CDrawContext(this, device, nullptr));
        buffer->copyToContext(onDevice.get(), area, CPosition(area.left, area.top));
    } else {
        setDirty(true);  // the next idle draws the whole frame into the new buffer
    }
}

void CFrame::windowButtonDown(NativeWindow on, const CPosition& point, std::int32_t press) {
    const TemporaryContext context = contextOnWindow(this, on);
    CPosition where = toPanel(point, scale);
    mouse(context.get(), where, press);
}

bool CFrame::windowWheel(NativeWindow on, const CPosition& point, float distance) {
    const TemporaryContext context = contextOnWindow(this, on);
    return onWheel(context.get(), toPanel(point, scale), distance);
}

bool CFrame::focusViewIs(const char* className) {
    return focusView && focusView->isTypeOf(className);
}

bool CFrame::focusMenuDrawsItems() {
    return focusViewIs("COptionMenu") && menuItemHooks.measure && menuItemHooks.draw;
}

bool CFrame::measureMenuItem(NativeWindow on, std::uintptr_t itemData, CPosition& size) {
    const TemporaryContext context = contextOnWindow(this, on);
    CPosition panelSize;
    if (!menuItemHooks.measure(focusView, itemData, context.get(), panelSize)) return false;
    size = toDevice(panelSize, scale);
    return true;
}

bool CFrame::drawMenuItem(NativeDevice device, std::uintptr_t itemData, std::uint32_t itemId,
                          std::int32_t state, const CRectangle& area) {
    const CRectangle rect = coveringPanelRect(area, scale);
    const TemporaryContext context(new CDrawContext(this, device, nullptr));
    return menuItemHooks.draw(focusView, itemData, itemId, state, context.get(), rect);
}

void CFrame::setUpPlatform() {
    componentServicesStarted = platform::startComponentServices();
    imagingLibrary = platform::loadImagingLibrary();
}

// The back buffer goes between the two platform steps: the order of tear-down is fixed.
void CFrame::tearDownPlatform() {
    if (componentServicesStarted) platform::stopComponentServices();
    componentServicesStarted = false;
    if (backBuffer) backBuffer->release();
    backBuffer = nullptr;
    platform::freeModule(imagingLibrary);
    imagingLibrary = nullptr;
}

bool CFrame::createNativeWindow(NativeWindow parent) {
    if (!parent) return false;
    window = platform::createFrameWindow(parent, this, toDevice(size.getWidth(), scale),
                                         toDevice(size.getHeight(), scale));
    setDropAccepted(true);
    return true;
}

void CFrame::destroyNativeWindow() {
    if (!window) {
        // The host destroyed the window earlier; the class may not have been free to go then.
        platform::finishWindowClassRemoval();
        return;
    }
    // The window is still the frame's while its children go.
    platform::destroyFrameWindow(window);
    window = nullptr;
}

// The drop target is revoked while the window still exists: once it is gone the platform would
// keep the target, which points at this frame, for good. The handle may be reused by another
// window afterwards, so the frame forgets it.
void CFrame::forgetDestroyedWindow() {
    if (!window) return;
    setDropAccepted(false);
    platform::forgetFrameWindow(window);
    window = nullptr;
}

void CFrame::pauseWithoutEditor() { platform::sleepFor(kPauseWithoutEditorMs); }

bool CFrame::getCurrentMousePoint(CPosition& where) {
    where = toPanel(platform::mouseInWindow(window), scale);
    return true;
}

void CFrame::setCursor(CCursorType shape) { platform::showCursor(shape, defaultCursor); }

bool CFrame::setDropAccepted(bool active) {
    if (!dropAccepted && !active) return true;
    if (!window) return false;
    if (dropTarget) {
        // The platform drops its reference, which deletes the target.
        platform::revokeDropTarget(window);
        dropTarget = nullptr;
    }
    if (active) dropTarget = platform::registerDropTarget(window, this);
    dropAccepted = active;
    return true;
}

CRectangle frameSizeOf(CFrame* frame) {
    CRectangle rect;
    frame->getViewRect(rect);
    return CRectangle(0, 0, rect.getWidth(), rect.getHeight());
}

NativeWindow frameWindowOf(CFrame* frame) { return frame->getWindow(); }

double frameScaleOf(CFrame* frame) { return frame->getScale(); }

double CFrame::displayScaleOf(NativeWindow window) {
    const std::uint32_t dpi = platform::windowDpi(window);
    if (dpi == 0) return kSmallestScale;
    const double factor = dpi / kStandardDpi;
    if (factor < kSmallestScale) return kSmallestScale;
    return factor > kLargestScale ? kLargestScale : factor;
}

bool runFrameIdle(CFrame* frame) {
    const std::weak_ptr<const void> lifetime = frame->getLifetime();
    frame->runIdleCycle();
    return !lifetime.expired();
}

}  // namespace gui
