// The option menu without a window: its entries, numbering and selection, the submenus it holds,
// the popup it plans, and clicks in a frame that has no window to show a popup in.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "gui/controls/COptionMenu.h"
#include "gui/controls/CTextLabel.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/controls/PopupPlan.h"
#include "gui/views/ViewTestSupport.h"

using namespace controltest;
using gui::COptionMenu;
using gui::PopupItem;
using gui::PopupPlan;
using Menu = gui::ScopedReference<COptionMenu>;

namespace {

constexpr std::int32_t kTag = 5;
const CRectangle kBox(0, 0, 100, 20);

std::string entryOf(COptionMenu& menu, int index) {
    char text[gui::kMenuEntrySize] = {};
    menu.getEntry(index, text);
    return text;
}

Menu filled(std::initializer_list<const char*> texts, std::int32_t style = 0) {
    Menu menu(new COptionMenu(kBox, nullptr, kTag, nullptr, nullptr, style));
    for (const char* text : texts) menu->addEntry(text);
    return menu;
}

// The menu draws what a label of that text draws.
bool showsText(COptionMenu& menu, const char* text) {
    gui::CTextLabel label(kBox, text);
    viewtest::Canvas shown(100, 20), expected(100, 20);
    menu.draw(shown.context.get());
    label.draw(expected.context.get());
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 100; ++x)
            if (shown.at(x, y) != expected.at(x, y)) return false;
    return true;
}

const PopupItem& itemAt(const PopupPlan& plan, int menu, int item) {
    return plan.menus()[static_cast<std::size_t>(menu)].items[static_cast<std::size_t>(item)];
}

}  // namespace

TEST(OptionMenuEntries, NumberedEntriesKeepTheirNumberAndShowWithoutIt) {
    Menu menu = filled({});
    Menu sub = filled({});
    menu->setPrefixNumbers(3);
    menu->addEntry("Alpha");
    EXPECT_EQ(entryOf(*menu, 0), "01 Alpha");
    EXPECT_EQ(menu->getCurrent(), 0) << "the first entry is selected";
    EXPECT_TRUE(showsText(*menu, "Alpha"));
    menu->setPrefixNumbers(2);
    menu->addEntry("Beta", 0);
    menu->setPrefixNumbers(4);
    menu->addSubMenuEntry(sub.get(), "More");
    menu->setPrefixNumbers(0);
    menu->addEntry(std::string(300, 'x').c_str());
    EXPECT_EQ(entryOf(*menu, 0), "1 Beta");
    EXPECT_EQ(entryOf(*menu, 2), "-M003 More");
    EXPECT_EQ(entryOf(*menu, 3), std::string(255, 'x'));
    EXPECT_EQ(menu->getCurrent(), 1) << "the selection moved with its entry";
    menu->setEntry(1, "ab");
    menu->setPrefixNumbers(3);
    EXPECT_TRUE(showsText(*menu, "")) << "shorter than the number it skips";
}

TEST(OptionMenuEntries, SelectionCountsSeparatorsAndTitlesOnlyWhenAsked) {
    Menu menu = filled({"-TTitle", "One", "-", "Two"});
    EXPECT_FALSE(menu->setCurrent(2, true)) << "a separator";
    EXPECT_TRUE(menu->setCurrent(3, true));
    char text[gui::kMenuEntrySize];
    EXPECT_EQ(menu->getCurrent(text, false), 1);
    EXPECT_STREQ(text, "Two");
    EXPECT_EQ(menu->getCurrent(nullptr, true), 3);
    EXPECT_TRUE(menu->setCurrent(0, false));
    EXPECT_EQ(menu->getCurrent(), 1);
    EXPECT_TRUE(menu->setCurrent(3, false)) << "fewer choices than asked: the last one";
    EXPECT_EQ(menu->getCurrent(), 3);
    EXPECT_FALSE(menu->setCurrent(4, false));
    EXPECT_FALSE(filled({"-", "-TOnly a title"})->setCurrent(0, false));
}

TEST(OptionMenuEntries, EditsKeepSelectionAndCheckMarksWithTheirEntries) {
    Menu menu = filled({"A", "B", "C"}, gui::multipleCheck);
    menu->setValue(1.7f);
    EXPECT_EQ(menu->getCurrent(), 1);
    EXPECT_TRUE(menu->isCheckEntry(1)) << "a choice toggles the mark";
    for (float bad : {3.0f, -0.5f, std::numeric_limits<float>::quiet_NaN()}) menu->setValue(bad);
    EXPECT_EQ(menu->getCurrent(), 1);
    menu->addEntry("X", 0);
    EXPECT_EQ(menu->getCurrent(), 2);
    EXPECT_TRUE(menu->isCheckEntry(2));
    EXPECT_TRUE(menu->removeEntry(2));
    menu->addEntry("D");
    EXPECT_FALSE(menu->isCheckEntry(3)) << "a new entry starts unchecked";
    menu->setValue(1.0f);
    menu->setValue(1.0f);
    EXPECT_FALSE(menu->isCheckEntry(1)) << "chosen twice, the mark goes again";
    EXPECT_FALSE(menu->removeEntry(4));
    menu->removeAllEntries();
    EXPECT_EQ(menu->getCurrent(), -1);
    for (int i = 0; i < gui::kMaxMenuEntries; ++i) ASSERT_TRUE(menu->addEntry("e"));
    EXPECT_FALSE(menu->addEntry("one more"));
}

TEST(OptionMenuSubMenus, HeldUntilRemovedAndNeverInACycle) {
    Menu top = filled({"A"});
    Menu first = filled({"x"});
    Menu second = filled({"y"});
    EXPECT_FALSE(top->addSubMenuEntry(nullptr, "none"));
    EXPECT_TRUE(top->addSubMenuEntry(first.get(), "First"));
    EXPECT_TRUE(top->addSubMenuEntry(second.get(), "Second"));
    EXPECT_EQ(first->getNbReference(), 2);
    EXPECT_FALSE(top->addSubMenuEntry(top.get(), "Self"));
    EXPECT_FALSE(second->addSubMenuEntry(top.get(), "Around")) << "top holds second";
    // Removing a submenu entry lets its submenu go; the next one keeps its own.
    EXPECT_TRUE(top->removeEntry(1));
    EXPECT_EQ(first->getNbReference(), 1);
    EXPECT_EQ(top->getSubMenu(0), second.get());
    top->removeAllEntries();
    EXPECT_EQ(second->getNbReference(), 1);
}

TEST(OptionMenuPopupPlan, ItemsAreNumberedAsThePopupReportsThemDepthFirst) {
    Menu top = filled({"A", "-", "-GGrey", "-TTitle"}, gui::checkCurrent);
    Menu sub = filled({"x", "y"});
    top->addSubMenuEntry(sub.get(), "Sub");
    top->addEntry("-MNo submenu");
    top->addEntry("B");
    const PopupPlan plan(*top);
    ASSERT_EQ(plan.menus().size(), 2u);
    ASSERT_EQ(plan.menus()[0].items.size(), 6u) << "the orphan submenu entry shows nothing";
    EXPECT_EQ(itemAt(plan, 0, 0).flags, gui::kItemChecked);
    EXPECT_EQ(itemAt(plan, 0, 2).flags, gui::kItemGreyed);
    EXPECT_EQ(itemAt(plan, 0, 3).flags, gui::kItemDisabled);
    EXPECT_STREQ(itemAt(plan, 0, 3).label(), "Title");
    // The top menu's seven entries own ids 0 to 6; the submenu's follow.
    COptionMenu* owner = nullptr;
    std::int32_t position = -1;
    ASSERT_TRUE(plan.find(8, owner, position));
    EXPECT_EQ(owner, sub.get());
    EXPECT_EQ(position, 1);
    ASSERT_TRUE(plan.find(static_cast<std::uintptr_t>(itemAt(plan, 0, 5).id), owner, position));
    EXPECT_EQ(position, 6) << "B, although the entry before it showed nothing";
    EXPECT_FALSE(plan.find(1, owner, position)) << "the separator";
    EXPECT_EQ(plan.itemWithData(12345), nullptr);
    EXPECT_EQ(sub->getNbReference(), 3) << "the plan holds every menu it shows";
}

TEST(OptionMenuPopupPlan, ColumnsBreakEveryNItemsBelowOneHundredSixtyEntries) {
    Menu menu = filled({}, gui::multipleCheck);
    menu->setItemsPerColumn(3);
    for (int i = 0; i < 8; ++i) menu->addEntry("e");
    menu->checkEntry(4, true);
    const auto breaks = [&] {
        const PopupPlan plan(*menu);
        std::string found;
        for (const PopupItem& item : plan.menus()[0].items)
            found += (item.flags & gui::kItemColumnBreak) ? 'B' : (item.flags ? 'c' : '.');
        return found;
    };
    EXPECT_EQ(breaks(), "...Bc.B.");
    for (int i = 8; i < gui::kMinEntriesWithoutBreaks - 1; ++i) menu->addEntry("e");
    EXPECT_EQ(breaks().find('B'), 3u);
    menu->addEntry("e");
    EXPECT_EQ(breaks().find('B'), std::string::npos);
}

TEST(OptionMenuClick, OpeningButtonsBracketOneGestureEachWithoutAWindowToShowIn) {
    HostedFrame hosted;
    RecordingListener listener;
    auto* menu = new COptionMenu(kBox, &listener, kTag);
    menu->addEntry("A");
    hosted.frame.addView(menu);  // the frame drops both references
    const gui::ScopedReference<CDrawContext> context(
        new CDrawContext(&hosted.frame, nullptr, nullptr));
    CPosition where(5, 5);
    menu->mouse(nullptr, where, gui::kButtonLeft);
    menu->mouse(context.get(), where, gui::kButtonMiddle);
    menu->mouse(context.get(), where, gui::kButtonRight);
    EXPECT_EQ(menu->getOpenButtons(), gui::kButtonRight);
    menu->mouse(context.get(), where, gui::kButtonLeft | gui::kModifierShift);
    listener.modifierAnswer = 1;
    menu->mouse(context.get(), where, gui::kButtonLeft | gui::kModifierAlt);
    menu->gainFocus(nullptr);
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2)) << "no end without a begin";
    EXPECT_EQ(listener.modifierStates.size(), 2u);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(hosted.frame.getFocusView(), nullptr);
}
