// What one popup of an option menu shows, worked out before any native menu exists: the items of
// the menu and of its submenus, depth first, with the identifiers the platform reports back for
// a choice. The plan holds every menu it lists and copies of their texts until it goes, so
// nothing a listener or the host does while the popup is open can pull them away.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/controls/MenuEntry.h"

namespace gui {

class COptionMenu;

// How an item shows.
enum PopupItemFlags : std::uint32_t {
    kItemGreyed = 1,
    kItemDisabled = 2,
    kItemChecked = 4,
    kItemColumnBreak = 8,  // the item starts a new column
};

// The platform reports identifiers below this; items that would get higher ones are left out.
constexpr std::int32_t kPopupIdLimit = 0x10000;

struct PopupItem {
    MenuEntryKind kind = MenuEntryKind::normal;
    std::uint32_t flags = 0;
    // What the platform reports when the item is chosen; separators and submenus have none.
    std::int32_t id = kNoId;
    // The entry's position in its own menu.
    std::int32_t position = 0;
    // A submenu entry's index among the plan's menus.
    std::int32_t subMenu = -1;
    // The entry's text, marker included; owner-drawn items get it as their data.
    char text[kMenuEntrySize] = {};

    static constexpr std::int32_t kNoId = -1;
    const char* label() const { return menuEntryLabel(text); }
};

struct PopupMenu {
    COptionMenu* control = nullptr;
    std::vector<PopupItem> items;
};

class PopupPlan {
  public:
    explicit PopupPlan(COptionMenu& top);
    ~PopupPlan();
    PopupPlan(const PopupPlan&) = delete;
    PopupPlan& operator=(const PopupPlan&) = delete;

    // The top menu first; submenus follow in the order they were planned.
    const std::vector<PopupMenu>& menus() const { return planned; }
    // The menu and entry position of a reported identifier; false for one no item has.
    bool find(std::uintptr_t id, COptionMenu*& menu, std::int32_t& position) const;
    // The item whose text an owner-drawn item carries as its data; null for any other data.
    const PopupItem* itemWithData(std::uintptr_t data) const;

  private:
    // The index of the menu among planned, or -1 when the identifiers would run out.
    std::int32_t plan(COptionMenu& menu, std::int32_t& counter);
    void planEntries(COptionMenu& menu, std::int32_t base, std::int32_t& counter,
                     std::vector<PopupItem>& items);

    std::vector<PopupMenu> planned;
};

}  // namespace gui
