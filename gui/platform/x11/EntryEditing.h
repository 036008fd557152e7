// What a single-line entry holds while the user types: the text, the caret and the end of the
// selection the caret extends. No window and no drawing: the X11 entry shows and feeds it.
#pragma once

#include <cstdint>
#include <string>

namespace gui::x11 {

class EntryEditing {
  public:
    // The entry takes no more characters than this, as the control reads at most that many.
    static constexpr std::size_t kMaxLength = 254;

    // Replaces the text (cut to kMaxLength) and selects all of it.
    void reset(const char* text);

    const std::string& text() const { return content; }
    std::size_t caret() const { return caretAt; }
    // The selection runs between the anchor and the caret; empty when they meet.
    std::size_t selectionStart() const { return caretAt < anchorAt ? caretAt : anchorAt; }
    std::size_t selectionEnd() const { return caretAt < anchorAt ? anchorAt : caretAt; }
    bool hasSelection() const { return caretAt != anchorAt; }

    // Replaces the selection with the characters; those past kMaxLength are dropped.
    void insert(const std::string& typed);
    // Removes the selection, else the character before (backspace) or after (deleteForward).
    void backspace();
    void deleteForward();
    // With extend the anchor stays and the selection grows or shrinks; without it a selection
    // collapses to its own edge on the first step.
    void left(bool extend);
    void right(bool extend);
    void home(bool extend);
    void end(bool extend);
    void selectAll();
    // A click between characters: the caret goes there (past the end, to the end).
    void placeCaret(std::size_t position, bool extend);

  private:
    void moveTo(std::size_t position, bool extend);
    void eraseSelection();

    std::string content;
    std::size_t caretAt = 0;
    std::size_t anchorAt = 0;
};

}  // namespace gui::x11
