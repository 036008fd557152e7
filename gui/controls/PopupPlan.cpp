#include "gui/controls/PopupPlan.h"

#include "gui/controls/COptionMenu.h"

namespace gui {

namespace {

// Items of a menu of this many entries or more never start columns.
bool startsColumn(COptionMenu& menu, std::int32_t appended) {
    const std::int32_t perColumn = menu.getItemsPerColumn();
    return menu.getEntryCount() < kMinEntriesWithoutBreaks && perColumn > 0 && appended > 0 &&
           appended % perColumn == 0;
}

std::uint32_t commandFlags(COptionMenu& menu, MenuEntryKind kind, std::int32_t position) {
    if (kind == MenuEntryKind::greyed) return kItemGreyed;
    if (kind == MenuEntryKind::title) return kItemDisabled;
    const std::int32_t style = menu.getStyle();
    const bool checked = (style & multipleCheck)
                             ? menu.isCheckEntry(position)
                             : (style & checkCurrent) && menu.getCurrent() == position;
    return checked ? static_cast<std::uint32_t>(kItemChecked) : 0u;
}

}  // namespace

PopupPlan::PopupPlan(COptionMenu& top) {
    std::int32_t counter = 0;
    plan(top, counter);
}

PopupPlan::~PopupPlan() {
    for (PopupMenu& menu : planned) menu.control->release();
}

std::int32_t PopupPlan::plan(COptionMenu& menu, std::int32_t& counter) {
    // The menu's entries own the identifiers base to base + count - 1; submenus planned on the
    // way take the following ranges.
    const std::int32_t base = counter;
    if (base + menu.getEntryCount() > kPopupIdLimit) return -1;
    counter += menu.getEntryCount();
    const auto index = static_cast<std::int32_t>(planned.size());
    menu.retain();
    planned.push_back(PopupMenu{&menu, {}});
    std::vector<PopupItem> items;
    planEntries(menu, base, counter, items);
    planned[static_cast<std::size_t>(index)].items = std::move(items);
    return index;
}

void PopupPlan::planEntries(COptionMenu& menu, std::int32_t base, std::int32_t& counter,
                            std::vector<PopupItem>& items) {
    std::int32_t subMenuCursor = 0;
    for (std::int32_t i = 0; i < menu.getEntryCount(); ++i) {
        PopupItem item;
        item.position = i;
        menu.getEntry(i, item.text);
        item.kind = menuEntryKind(item.text);
        const auto appended = static_cast<std::int32_t>(items.size());
        if (item.kind != MenuEntryKind::separator && startsColumn(menu, appended))
            item.flags = kItemColumnBreak;
        if (item.kind == MenuEntryKind::subMenu) {
            COptionMenu* const subMenu = menu.getSubMenu(subMenuCursor);
            // A submenu entry without its submenu shows nothing.
            if (!subMenu) continue;
            ++subMenuCursor;
            item.subMenu = plan(*subMenu, counter);
            if (item.subMenu < 0) continue;
        } else if (item.kind != MenuEntryKind::separator) {
            item.flags |= commandFlags(menu, item.kind, i);
            item.id = base + appended;
        }
        items.push_back(item);
    }
}

bool PopupPlan::find(std::uintptr_t id, COptionMenu*& menu, std::int32_t& position) const {
    for (const PopupMenu& candidate : planned)
        for (const PopupItem& item : candidate.items)
            if (item.id != PopupItem::kNoId && static_cast<std::uintptr_t>(item.id) == id) {
                menu = candidate.control;
                position = item.position;
                return true;
            }
    return false;
}

const PopupItem* PopupPlan::itemWithData(std::uintptr_t data) const {
    for (const PopupMenu& menu : planned)
        for (const PopupItem& item : menu.items)
            if (reinterpret_cast<std::uintptr_t>(item.text) == data) return &item;
    return nullptr;
}

}  // namespace gui
