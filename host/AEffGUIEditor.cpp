#include "host/AEffGUIEditor.h"

#include "gui/draw/CDrawContext.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/PointerInput.h"
#include "gui/platform/Window.h"
#include "gui/views/CFrame.h"
#include "host/AudioEffectX.h"

std::int32_t AEffGUIEditor::knobMode = 0;

namespace {

// A call that comes too early still costs this much, so that a tracking loop does not spin.
constexpr std::uint32_t kEarlyCallWaitMs = 4;
// A cycle runs when the next one is due within this time.
constexpr std::int32_t kIdleSlackMs = 50;
constexpr std::int32_t kIdleIntervalMs = 100;
// The frame answers this for a key it handled.
constexpr std::int32_t kKeyHandled = 1;

std::uint32_t systemTicks() { return gui::platform::tickCount(); }
void systemWait(std::uint32_t milliseconds) { gui::platform::sleepFor(milliseconds); }

AEffGUIEditor::TickSource tickSource = systemTicks;
AEffGUIEditor::WaitSink waitSink = systemWait;

// Milliseconds until deadline, negative when it has passed; correct across the tick count's
// wrap-around after 49.7 days.
std::int32_t remaining(std::uint32_t deadline, std::uint32_t now) {
    return static_cast<std::int32_t>(deadline - now);
}

// No deadline is ever set further ahead than one interval after a wait that the tick count may
// not have shown yet; one that looks further away is left from before a gap of more than 2^31 ms
// without a cycle, and the cycle is long overdue.
bool notYetDue(std::uint32_t deadline, std::uint32_t now, std::int32_t slack) {
    const std::int32_t left = remaining(deadline, now);
    return left > slack && left <= kIdleIntervalMs + static_cast<std::int32_t>(kEarlyCallWaitMs);
}

}  // namespace

void AEffGUIEditor::setClock(TickSource ticks, WaitSink wait) {
    tickSource = ticks ? ticks : systemTicks;
    waitSink = wait ? wait : systemWait;
}

std::uint32_t AEffGUIEditor::tickCount() { return tickSource(); }

void AEffGUIEditor::waitMilliseconds(std::uint32_t milliseconds) { waitSink(milliseconds); }

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect)
    : AEffEditor(effect), rect{}, nextIdleTicks(0), inIdleCycle(false), frame(nullptr) {
    nextIdleTicks = tickCount();
    if (effect) effect->setEditor(this);
    componentServicesStarted = gui::platform::startComponentServices();
}

AEffGUIEditor::~AEffGUIEditor() {
    if (componentServicesStarted) gui::platform::stopComponentServices();
}

bool AEffGUIEditor::getRect(ERect** out) {
    if (!out) return false;
    const double scale = currentScale();
    reportedRect.top = static_cast<std::int16_t>(gui::toDevice(rect.top, scale));
    reportedRect.left = static_cast<std::int16_t>(gui::toDevice(rect.left, scale));
    reportedRect.bottom = static_cast<std::int16_t>(gui::toDevice(rect.bottom, scale));
    reportedRect.right = static_cast<std::int16_t>(gui::toDevice(rect.right, scale));
    *out = &reportedRect;
    return true;
}

bool AEffGUIEditor::setHostScale(double factor) {
    if (gui::acceptedScale(factor) == 0.0) return false;
    hostScale = factor;
    prepareForScale(chosenScale(frame ? frame->getParentWindow().address() : nullptr));
    applyScale();
    return true;
}

double AEffGUIEditor::setUserScale(double factor) {
    userScale = gui::acceptedScale(factor);
    if (frame) prepareForScale(chosenScale(frame->getParentWindow().address()));
    applyScale();
    return userScale;
}

double AEffGUIEditor::chosenScale(void* parent) const {
    if (userScale != 0.0) return userScale;
    if (hostScale != 0.0) return hostScale;
    if (parent) return gui::CFrame::displayScaleOf(gui::NativeWindow::atAddress(parent));
    return gui::kSmallestScale;
}

double AEffGUIEditor::currentScale() const {
    return frame ? frame->getScale() : chosenScale(nullptr);
}

void AEffGUIEditor::applyScale() {
    if (!frame) return;
    frame->setScale(chosenScale(frame->getParentWindow().address()));
}

void AEffGUIEditor::idle() {
    if (inIdleCycle || !frame) return;
    // The events may close the editor, and the frame with it.
    gui::platform::dispatchWindowEvents();
    if (frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& key) {
    return frame && frame->onKeyDown(key) == kKeyHandled;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& key) { return frame && frame->onKeyUp(key) == kKeyHandled; }

bool AEffGUIEditor::onWheel(float distance) {
    if (!frame) return false;
    // Measured on the frame's own window, so that the point is in the frame's coordinates
    // whatever caption or border the host's window has.
    const gui::NativeWindow window =
        frame->getWindow() ? frame->getWindow() : gui::NativeWindow::atAddress(systemWindow);
    gui::ScopedReference<gui::CDrawContext> context(new gui::CDrawContext(frame, nullptr, window));
    gui::CPosition where(0, 0);
    context->getMousePosition(where);
    try {
        return frame->onWheel(context.get(), where, distance);
    } catch (...) {
        // The host called through a C interface: nothing may unwind into it.
        return false;
    }
}

bool AEffGUIEditor::setKnobMode(std::int32_t mode) {
    knobMode = mode;
    return true;
}

void AEffGUIEditor::setParameter(std::int32_t, float) {}

void AEffGUIEditor::beginEdit(std::int32_t index) {
    if (auto* extended = dynamic_cast<AudioEffectX*>(effect)) extended->beginEdit(index);
}

void AEffGUIEditor::endEdit(std::int32_t index) {
    if (auto* extended = dynamic_cast<AudioEffectX*>(effect)) extended->endEdit(index);
}

void AEffGUIEditor::runIdleCycle() {
    std::uint32_t now = tickCount();
    if (notYetDue(nextIdleTicks, now, 0)) {
        waitMilliseconds(kEarlyCallWaitMs);
        now += kEarlyCallWaitMs;
        if (notYetDue(nextIdleTicks, now, kIdleSlackMs)) return;
    }
    idle();
    gui::platform::dispatchPendingPaint();
    nextIdleTicks = now + kIdleIntervalMs;
    // A cycle nested in the host's idle must leave the outer cycle's guard in place.
    const bool outerCycleRunning = inIdleCycle;
    inIdleCycle = true;
    if (effect) effect->masterIdle();
    inIdleCycle = outerCycleRunning;
}
