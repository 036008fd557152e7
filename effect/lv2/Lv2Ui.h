// The plug-in's panel as an LV2 X11 UI: a copy of the effect that never processes audio carries
// the panel, follows the host's control ports and reports the user's changes as port writes.
#pragma once

#include <lv2/core/lv2.h>
#include <lv2/ui/ui.h>

#include <cstdint>
#include <memory>

#include "host/aeffect.h"

class PluginCore;

namespace talonLv2 {

// What the host offers the UI; only the parent is required.
struct UiHost {
    LV2UI_Write_Function write = nullptr;
    LV2UI_Controller controller = nullptr;
    void* parent = nullptr;
    const LV2UI_Resize* resize = nullptr;
    const LV2UI_Touch* touch = nullptr;
    // The host's scale for the panel; 0 where it gave none.
    double scale = 0.0;
};

// The host's features read into a UiHost; the write function and controller are set apart.
UiHost readUiFeatures(const LV2_Feature* const* features);

class Lv2Ui {
  public:
    // UI thread: the panel open in host.parent, or null (with one line on stderr) where it
    // cannot be shown. widget receives the panel's X window.
    static Lv2Ui* create(const UiHost& host, LV2UI_Widget* widget);

    // The host's calls. Any of them may come back into the UI (cleanup included) from inside
    // the host's write, touch or resize calls; the UI goes only when the outermost call returns.
    void portEvent(std::uint32_t port, std::uint32_t bufferSize, std::uint32_t format,
                   const void* buffer);
    // Non-zero once the panel cannot go on: its window went with the host's.
    int idle();
    void cleanup();

  private:
    explicit Lv2Ui(const UiHost& host);
    ~Lv2Ui();
    Lv2Ui(const Lv2Ui&) = delete;
    Lv2Ui& operator=(const Lv2Ui&) = delete;

    // Counts the UI's calls in progress; the last to return deletes a UI the host cleaned up.
    class Entry {
      public:
        explicit Entry(Lv2Ui& ui);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;

      private:
        Lv2Ui& ui;
    };

    bool openPanel(LV2UI_Widget* widget);
    // The effect's calls to its host: automation, gestures and the window's size.
    static intptr VSTCALLBACK effectCallback(AEffect* effect, int32 opcode, int32 index,
                                             intptr value, void* ptr, float opt);
    intptr answerEffect(int32 opcode, int32 index, void* ptr, float opt);
    void writeParameter(int32 parameter, float value);
    void touchParameter(int32 parameter, bool grabbed);
    // Tells the host the panel's size when it is not the size last told.
    void reportSize();
    bool windowGone() const;

    UiHost host;
    std::unique_ptr<PluginCore> shadow;
    int callsInProgress = 0;
    bool cleanedUp = false;
    int reportedWidth = 0;
    int reportedHeight = 0;
};

// The UI's descriptor for index 0, null for any other.
const LV2UI_Descriptor* uiDescriptor(std::uint32_t index);

}  // namespace talonLv2
