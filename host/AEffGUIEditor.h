// The editor base bound to the GUI toolkit: owns the frame while open, reports the editor's
// rectangle at the panel's scale, chooses that scale, forwards keys and the wheel to the frame,
// paces idle work while a control tracks the mouse, and relays edit gestures from the controls to
// the host.
#pragma once

#include <cstdint>

#include "host/AEffEditor.h"

namespace gui {
class CFrame;
}

class AEffGUIEditor : public AEffEditor {
  public:
    // Registers itself with the effect and starts the platform's component services.
    explicit AEffGUIEditor(AudioEffect* effect);
    // UI thread; does not touch the frame, which the derived editor deletes in close().
    ~AEffGUIEditor() override;

    bool getRect(ERect** rect) override;           // UI thread, any state
    void idle() override;                          // UI thread, editor open
    bool onKeyDown(VstKeyCode& key) override;      // UI thread
    bool onKeyUp(VstKeyCode& key) override;        // UI thread
    bool onWheel(float distance) override;         // UI thread
    bool setKnobMode(std::int32_t mode) override;  // UI thread

    // Any thread: the effect's parameter changed; the derived editor updates its controls.
    virtual void setParameter(std::int32_t index, float value);
    virtual void beginEdit(std::int32_t index);  // UI thread, a control starts a gesture
    virtual void endEdit(std::int32_t index);    // UI thread, a control ends a gesture
    // UI thread, while a control tracks the mouse: redraws and gives the host idle time, at
    // most about every 50 ms.
    virtual void runIdleCycle();

    // The system tick count in milliseconds and a sleep, through the replaceable clock.
    std::uint32_t tickCount();
    void waitMilliseconds(std::uint32_t milliseconds);

    // The clock behind tickCount and waitMilliseconds; null restores the system's. Tests replace
    // it to control the idle pacing.
    using TickSource = std::uint32_t (*)();
    using WaitSink = void (*)(std::uint32_t milliseconds);
    static void setClock(TickSource ticks, WaitSink wait);

    gui::CFrame* getFrame() const { return frame; }

    // The panel's scale (1.0 to 3.0) comes from the first of: the user's choice, the host's
    // announcement, the DPI of the host's window when the editor opens, else 1.0.
    // Any state, UI thread: the host announced its factor. False for one outside 1.0 to 3.0.
    bool setHostScale(double factor);
    // UI thread: the user's choice; 0 returns to automatic. Returns the factor kept.
    double setUserScale(double factor);
    double getUserScale() const { return userScale; }
    // The scale the editor is shown at when open, else the one it would open at (the display
    // is only asked when it opens).
    double currentScale() const;

    // Shared by every editor of the process; the frame reports it to the knobs.
    static std::int32_t knobMode;

  protected:
    // UI thread: the panel will likely be shown at this scale (a host's factor or the user's
    // choice came, or the editor opens); the editor may prepare its artwork meanwhile.
    virtual void prepareForScale(double) {}
    // The scale the choice gives for the host's window parent (null: without the display).
    double chosenScale(void* parent) const;
    // UI thread, editor open: shows the panel at the scale the choice now gives. The host may
    // close the editor meanwhile.
    void applyScale();

    // The panel's size in panel units; getRect reports it at the current scale.
    ERect rect;
    std::uint32_t nextIdleTicks;
    bool inIdleCycle;
    gui::CFrame* frame;

  private:
    ERect reportedRect{};
    double hostScale = 0.0;
    double userScale = 0.0;
    // Only a successful start is balanced by the destructor.
    bool componentServicesStarted = false;
};
