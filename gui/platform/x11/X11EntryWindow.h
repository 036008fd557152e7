// The text entry's window on X11: an OwnWindow over the control that shows what EntryEditing
// holds (text, selection, caret) and feeds it the keys it gets. What the keys mean for the
// control (commit, cancel) and the window's destruction by someone else go to the entry through
// EditWindowProcedure. Only the X11 backend includes this.
#pragma once

#include <cstdint>

#include "gui/platform/DrawingDevice.h"
#include "gui/platform/x11/EntryEditing.h"
#include "gui/platform/x11/X11OwnWindow.h"

namespace gui {

class CTextEdit;

namespace x11 {
class EntryWindow;
}

// UI thread, from inside the entry window's event handling. Each may close the window: the
// window does nothing after calling one.
struct EditWindowProcedure {
    // Return: the typed text goes to the control.
    static void commit(CTextEdit& entry);
    // Escape: the control's own text goes back into the window first, so nothing changes.
    static void cancel(CTextEdit& entry, x11::EntryWindow& window);
    // The X window went with its parent.
    static void destroyed(CTextEdit& entry);
};

namespace x11 {

class EntryWindow : public OwnWindow {
  public:
    struct Look {
        Font* font;
        // 0x00BBGGRR.
        std::uint32_t textColor;
        std::uint32_t backColor;
        platform::TextPlacement placement;
    };
    // Not mapped yet; the text starts selected.
    EntryWindow(::Window parent, const CRectangle& rect, const Look& look, const char* text,
                CTextEdit* entry);

    EntryEditing& editing() { return state; }
    // Maps the window and moves the keyboard focus to it; answers the window that had it.
    ::Window showAndTakeFocus();
    bool hasFocus();
    // The control lets go of the window: events no longer reach it.
    void detach() { entry = nullptr; }
    void draw();
    void handleEvent(XEvent& event) override;

  private:
    void key(XKeyEvent& press);
    // A press places the caret (Shift: extends the selection), a second one soon after selects
    // everything; dragging with the button held selects.
    void click(const XButtonEvent& press);
    void drag(const XMotionEvent& motion);
    // Sets up a device to draw and measure the text with (a Device points into itself, so it is
    // never copied).
    void prepareTextDevice(Device& device);
    // The character boundary nearest to x, in the window's pixels.
    std::size_t positionAt(Device& device, std::int32_t x);
    bool viewable();
    // Editing keys change the state; false for a key that is not one.
    bool edit(unsigned long keysym, bool extend, bool control);
    // Where the text starts so that it sits as the control aligns it and the caret stays seen.
    std::int32_t textLeft(Device& device);
    std::int32_t widthOf(Device& device, std::size_t length);

    CTextEdit* entry;
    Look look;
    EntryEditing state;
    // The server's time of the last press, for the double click; 0 before the first.
    Time lastPress = 0;
};

}  // namespace x11
}  // namespace gui
