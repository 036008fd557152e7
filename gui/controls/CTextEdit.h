// A display the user can type into: a click opens a native single-line edit window over it, and
// Return or a loss of focus commits the typed text and tells the listener.
#pragma once

#include <cstdint>

#include "gui/controls/CParamDisplay.h"
#include "gui/platform/NativeHandle.h"

namespace gui {

// Turn the stored text into the text shown; display holds kDisplayTextSize bytes.
using TextToDisplayFunction = void (*)(const char* text, char* display);
using TextToDisplayWithDataFunction = void (*)(const char* text, char* display, void* userData);

class CTextEdit : public CParamDisplay {
  public:
    // text (copied; null for none) and background may be null.
    CTextEdit(const CRectangle& size, CControlListener* listener, std::int32_t tag,
              const char* text = nullptr, CBitmap* background = nullptr, std::int32_t style = 0);
    // An edit still open goes with the control, without a commit.
    ~CTextEdit() override;

    // Shows the text; with a value-to-text function the text follows the value.
    void draw(CDrawContext* context) override;
    // Left click (or double click with editOnDoubleClick): starts the gesture and the edit.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    // Opens the edit window over the control; context may be null.
    void gainFocus(CDrawContext* context) override;
    // Ends the gesture, commits a changed text to the listener and closes the edit window.
    void loseFocus(CDrawContext* context) override;
    bool isTypeOf(const char* className) override;
    // UI thread, the frame's focus view gets a key: Return or Enter starts typing, as a click
    // does.
    std::int32_t onKeyDown(VstKeyCode& key) override;
    // UI thread, asked by assistive technology: the text shown; a value typed as text is
    // committed as the edit window would commit it.
    bool accessibleValue(char* text) override;
    bool accessibleSetValue(const char* text) override;
    float accessibleValueKey() override;
    // An edit still open when the control leaves its frame is closed without a commit.
    bool removed(CView* parent) override;

    // Marks the control dirty when the text changes; null empties it. Longer texts are cut to
    // kDisplayTextSize - 1 characters.
    virtual void setText(const char* newText);
    // out holds at least kDisplayTextSize bytes; null gets nothing.
    virtual void getText(char* out);
    virtual void setTextToDisplay(TextToDisplayFunction function) { textToDisplay = function; }
    // Preferred over the plain function; shares userData with the value-to-text function.
    virtual void setTextToDisplayWithData(TextToDisplayWithDataFunction function, void* data);

    NativeWindow getEditWindow() const { return editWindow; }

  protected:
    NativeWindow editWindow = nullptr;
    NativeFont editFont = nullptr;
    char text[kDisplayTextSize] = {};
    TextToDisplayFunction textToDisplay = nullptr;
    TextToDisplayWithDataFunction textToDisplayWithData = nullptr;

  private:
    // Where the edit window goes, in the frame window's client coordinates.
    CRectangle editRectangle(CDrawContext* context);
    // The listener hears of a committed text through a context placed on the control's parent.
    void reportCommit(CDrawContext* given);
    void notifyFocusLost();

    // Platform side: the platform's backend implements these, with a native
    // single-line edit window over the control that commits on Return and on a focus loss and
    // cancels on Escape, through loseFocus.
    void openEditWindow(const CRectangle& where);
    // At most 254 of the characters typed go into text.
    void readEditWindow();
    // Detaches the window from the control before destroying it with its font and brush, so
    // that nothing the destruction sends reaches the control.
    void closeEditWindow();
    // Someone else destroyed the edit window (its parent went first).
    void forgetEditWindow();
    // Colours for the edit window as it paints: a brush of backColor, owned by the control.
    NativeBrush editColors(NativeDevice device);
    friend struct EditWindowProcedure;

    NativeBrush colorBrush = nullptr;
    // The window that had the keyboard focus before typing began gets it back afterwards.
    NativeWindow focusBeforeEdit = nullptr;
    // The edit window is closed but the listener has not been told yet.
    bool committing = false;
};

}  // namespace gui
