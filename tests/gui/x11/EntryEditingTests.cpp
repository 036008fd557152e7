// What the X11 text entry does with the keys it gets, without a window.
#include <gtest/gtest.h>

#include <string>

#include "gui/platform/x11/EntryEditing.h"

using gui::x11::EntryEditing;

namespace {

EntryEditing holding(const char* text) {
    EntryEditing editing;
    editing.reset(text);
    return editing;
}

TEST(EntryEditing, OpensWithAllOfItsTextSelectedSoThatTypingReplacesIt) {
    EntryEditing editing = holding("50");
    EXPECT_EQ(editing.selectionStart(), 0u);
    EXPECT_EQ(editing.selectionEnd(), 2u);
    editing.insert("7");
    editing.insert("5");
    EXPECT_EQ(editing.text(), "75");
    EXPECT_EQ(editing.caret(), 2u);
    EXPECT_FALSE(editing.hasSelection());
}

TEST(EntryEditing, HoldsAtMost254CharactersHoweverTheyCome) {
    EntryEditing editing = holding(std::string(300, 'a').c_str());
    EXPECT_EQ(editing.text().size(), 254u);
    editing.end(false);
    editing.backspace();
    editing.insert("xyz");
    EXPECT_EQ(editing.text().size(), 254u);
    EXPECT_EQ(editing.text().substr(252), "ax");
    EXPECT_EQ(editing.caret(), 254u);
}

TEST(EntryEditing, BackspaceAndDeleteRemoveOneCharacterBesideTheCaretOrTheSelection) {
    EntryEditing editing = holding("12345");
    editing.home(false);
    editing.right(false);
    editing.right(false);
    editing.backspace();
    EXPECT_EQ(editing.text(), "1345");
    EXPECT_EQ(editing.caret(), 1u);
    editing.deleteForward();
    EXPECT_EQ(editing.text(), "145");
    editing.right(true);
    editing.right(true);
    editing.deleteForward();
    EXPECT_EQ(editing.text(), "1");
    editing.home(false);
    editing.backspace();
    EXPECT_EQ(editing.text(), "1");
    editing.end(false);
    editing.deleteForward();
    EXPECT_EQ(editing.text(), "1");
}

TEST(EntryEditing, ShiftedArrowsMoveOnlyTheCaretEndOfTheSelection) {
    EntryEditing editing = holding("abcdef");
    editing.home(false);
    editing.right(false);
    editing.right(true);
    editing.right(true);
    EXPECT_EQ(editing.selectionStart(), 1u);
    EXPECT_EQ(editing.selectionEnd(), 3u);
    editing.left(true);
    editing.left(true);
    editing.left(true);
    EXPECT_EQ(editing.selectionStart(), 0u);
    EXPECT_EQ(editing.selectionEnd(), 1u);
    editing.end(true);
    EXPECT_EQ(editing.selectionStart(), 1u);
    EXPECT_EQ(editing.selectionEnd(), 6u);
}

TEST(EntryEditing, PlainArrowsCollapseASelectionToItsOwnEdgeFirst) {
    EntryEditing editing = holding("abcdef");
    editing.left(false);
    EXPECT_EQ(editing.caret(), 0u);
    EXPECT_FALSE(editing.hasSelection());
    editing.selectAll();
    editing.right(false);
    EXPECT_EQ(editing.caret(), 6u);
    editing.right(false);
    EXPECT_EQ(editing.caret(), 6u);
    editing.home(false);
    editing.left(false);
    EXPECT_EQ(editing.caret(), 0u);
}

}  // namespace
