// The effect's editor panel: the 752 x 80 artwork with two film-strip knobs, the expansion strip
// and two numeric entries, reporting user changes to the effect and following its parameters.
// It is shown at 100 % to 300 %; a right-click on the background lets the user choose the size.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "gui/controls/CControlListener.h"
#include "host/AEffGUIEditor.h"

namespace gui {
class CAnimKnob;
class CBitmap;
class CMovieBitmap;
class CTextEdit;
}  // namespace gui

class PluginEditor : public AEffGUIEditor, public gui::CControlListener {
  public:
    // The effect's constructor, UI thread: loads the background, which fixes the editor size.
    explicit PluginEditor(AudioEffect* effect);
    // UI thread; also when the host closes the effect with the editor still open.
    ~PluginEditor() override;

    bool open(void* parent) override;  // UI thread: builds the frame and the five controls
    void close() override;             // UI thread: the frame goes with every control
    void idle() override;              // UI thread, any state
    // Any thread: the effect's parameter changed. On the thread that opened the panel the
    // controls take the effect's value at once; from other threads at the next idle.
    void setParameter(std::int32_t index, float value) override;
    // UI thread, a control of the open panel starts or ends a gesture; index is its tag.
    void beginEdit(std::int32_t tag) override;
    void endEdit(std::int32_t tag) override;

    // UI thread, editor open: a knob or an entry changed its value.
    void valueChanged(gui::CDrawContext* context, gui::CControl* control) override;

  protected:
    void prepareForScale(double scale) override;

  private:
    // The film strips every panel of the process shares: made by the first that needs them,
    // gone with the last editor, so that each open finds them decoded.
    static void makeSharedStrips();
    static gui::CBitmap* knobStrip;
    static gui::CBitmap* displayStrip;

    // UI thread, inside a right-click on the background: the menu with the panel's sizes.
    void showPanelMenu(gui::CDrawContext* context, const gui::CPosition& where);
    void setControlsOf(std::int32_t index);
    void applyPendingParameters();

    gui::CBitmap* background = nullptr;
    gui::CAnimKnob* expansionKnob = nullptr;
    gui::CAnimKnob* outputKnob = nullptr;
    gui::CMovieBitmap* expansionStrip = nullptr;
    gui::CTextEdit* expansionText = nullptr;
    gui::CTextEdit* outputText = nullptr;
    // The entry of the size menu chosen in the popup being shown; -1 for none.
    std::int32_t chosenSize = -1;

    // UI thread: editors of the process, for the artwork they share.
    static std::int32_t editorsAlive;

    // Parameters changed from another thread, one bit each, taken over by the next idle.
    std::atomic<std::uint32_t> pendingParameters{0};
    std::atomic<std::thread::id> panelThread{};
};
