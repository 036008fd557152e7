#include "gui/platform/x11/EntryEditing.h"

#include <cstring>

namespace gui::x11 {

void EntryEditing::reset(const char* text) {
    content.assign(text ? text : "", text ? strnlen(text, kMaxLength) : 0);
    selectAll();
}

void EntryEditing::insert(const std::string& typed) {
    eraseSelection();
    const std::size_t room = kMaxLength - content.size();
    const std::string kept = typed.substr(0, room);
    content.insert(caretAt, kept);
    moveTo(caretAt + kept.size(), false);
}

void EntryEditing::backspace() {
    if (hasSelection()) {
        eraseSelection();
        return;
    }
    if (caretAt == 0) return;
    content.erase(caretAt - 1, 1);
    moveTo(caretAt - 1, false);
}

void EntryEditing::deleteForward() {
    if (hasSelection()) {
        eraseSelection();
        return;
    }
    if (caretAt < content.size()) content.erase(caretAt, 1);
}

void EntryEditing::left(bool extend) {
    if (hasSelection() && !extend) {
        moveTo(selectionStart(), false);
        return;
    }
    moveTo(caretAt > 0 ? caretAt - 1 : 0, extend);
}

void EntryEditing::right(bool extend) {
    if (hasSelection() && !extend) {
        moveTo(selectionEnd(), false);
        return;
    }
    moveTo(caretAt < content.size() ? caretAt + 1 : caretAt, extend);
}

void EntryEditing::home(bool extend) { moveTo(0, extend); }

void EntryEditing::end(bool extend) { moveTo(content.size(), extend); }

void EntryEditing::selectAll() {
    anchorAt = 0;
    caretAt = content.size();
}

void EntryEditing::moveTo(std::size_t position, bool extend) {
    caretAt = position;
    if (!extend) anchorAt = position;
}

void EntryEditing::eraseSelection() {
    const std::size_t start = selectionStart();
    content.erase(start, selectionEnd() - start);
    moveTo(start, false);
}

void EntryEditing::placeCaret(std::size_t position, bool extend) {
    moveTo(position < content.size() ? position : content.size(), extend);
}

}  // namespace gui::x11
