#include "tools/host/EditorHost.h"

#include <ostream>

#include "tools/host/EditorWindow.h"
#include "tools/host/HostCallback.h"
#include "tools/host/HostError.h"
#include "tools/host/PngWriter.h"
#include "tools/host/Report.h"

namespace {

// Idle ticks before a screenshot: the editor draws on idle, some only after a few.
constexpr int kScreenshotIdleTicks = 5;

// The editor open in its window; closed again, whatever happens, before the window goes.
class OpenEditor {
  public:
    OpenEditor(EffectSession& session, const std::string& title)
        : session_(session),
          size_(session.editorSize()),
          window_(title, size_.width, size_.height),
          resizeHandler_(
              [this](int width, int height) { return window_.resizeClient(width, height); }) {
        if (!session_.openEditor(window_.handle())) {
            // The destructor does not run for a constructor that throws.
            session_.closeEditor();
            throw HostError("the effect's editor did not open");
        }
    }
    ~OpenEditor() { session_.closeEditor(); }
    OpenEditor(const OpenEditor&) = delete;
    OpenEditor& operator=(const OpenEditor&) = delete;

    EditorWindow& window() { return window_; }
    const EditorSize& size() const { return size_; }
    void idle() { session_.idleEditor(); }

  private:
    EffectSession& session_;
    EditorSize size_;
    EditorWindow window_;
    // After the window: the editor may ask for another size from effEditOpen on, and can no
    // longer once the window is about to go.
    EditorResizeHandler resizeHandler_;
};

// Shows the editor until the user closes its window.
void runEditor(EffectSession& session, const std::string& title, std::ostream& out) {
    OpenEditor editor(session, title);
    out << "Editor:         " << editor.size().width << " x " << editor.size().height
        << " pixels; close its window to end" << std::endl;
    editor.window().runUntilClosed([&editor] { editor.idle(); });
}

// Shows the editor until it is drawn and returns its window's pixels; closes it again.
RgbImage captureEditor(EffectSession& session, const std::string& title) {
    OpenEditor editor(session, title);
    editor.window().runUntilPainted([&editor] { editor.idle(); }, kScreenshotIdleTicks);
    return editor.window().captureClient();
}

}  // namespace

void showEditor(EffectSession& session, const std::string& effectName, const HostOptions& options,
                std::ostream& out) {
    const std::string title = effectName + " - " + kHostProductName;
    if (options.editorScale) {
        // Before the editor's size is asked: an effect that takes the factor reports it scaled.
        const bool taken = session.setEditorScale(*options.editorScale);
        out << "Editor scale:   " << *options.editorScale
            << (taken ? " (taken by the effect)" : " (not taken: the effect keeps its size)")
            << '\n';
    }
    if (options.screenshotPath.empty()) {
        runEditor(session, title, out);
        // What the user left the parameters at.
        printParameters(out, session.parameters());
        return;
    }
    const RgbImage image = captureEditor(session, title);
    session.close();
    writePngFile(options.screenshotPath, image);
    out << "Screenshot:     " << options.screenshotPath << " (" << image.width << " x "
        << image.height << " pixels, 8-bit RGB PNG)\n";
}
