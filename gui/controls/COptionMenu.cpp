#include "gui/controls/COptionMenu.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gui/controls/COptionMenuScheme.h"
#include "gui/controls/PopupPlan.h"
#include "gui/draw/CBitmap.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/Window.h"
#include "gui/views/CFrame.h"
#include "gui/views/MenuItemHooks.h"

namespace gui {

namespace {

constexpr std::int32_t kEntryGrowth = 32;
constexpr std::int32_t kSubMenuGrowth = 10;
constexpr std::int32_t kAppend = -1;
constexpr std::int32_t kNoEntry = -1;
// Only these open the popup.
constexpr ButtonState kOpeningButtons = kButtonLeft | kButtonRight | kModifierExtra;
// prefixNumbers values that number entries: one, two or three digits and a space.
constexpr std::int32_t kOneDigit = 2;
constexpr std::int32_t kTwoDigits = 3;
constexpr std::int32_t kThreeDigits = 4;

bool measureThroughMenu(CView* focus, std::uintptr_t itemData, CDrawContext* context,
                        CPosition& size) {
    return static_cast<COptionMenu*>(focus)->measureMenuItem(itemData, context, size);
}

bool drawThroughMenu(CView* focus, std::uintptr_t itemData, std::uint32_t itemId,
                     std::int32_t state, CDrawContext* context, const CRectangle& rect) {
    return static_cast<COptionMenu*>(focus)->drawMenuItem(itemData, itemId, state, context, rect);
}

void copyEntryText(char* to, const char* from) {
    std::size_t length = 0;
    while (length < kMenuEntrySize - 1 && from[length] != '\0') ++length;
    std::memmove(to, from, length);
    to[length] = '\0';
}

// The entry position a value stands for; false for values outside 0 to count (NaN included).
bool positionOf(float value, std::int32_t count, std::int32_t& position) {
    if (!(value >= 0.0f) || !(value < static_cast<float>(count))) return false;
    position = static_cast<std::int32_t>(value);
    return position < count;
}

}  // namespace

COptionMenu::COptionMenu(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                         CBitmap* background, CBitmap* clickBackground, std::int32_t style)
    : CParamDisplay(size, background, style), clickBackground(clickBackground) {
    this->listener = listener;
    this->tag = tag;
    if (clickBackground) clickBackground->retain();
    // The frame finds the popup's items through these while a menu holds its focus.
    menuItemHooks.measure = measureThroughMenu;
    menuItemHooks.draw = drawThroughMenu;
}

COptionMenu::~COptionMenu() {
    COptionMenu::removeAllEntries();
    setLastMenu(nullptr);
    if (clickBackground) clickBackground->release();
    if (scheme) scheme->release();
}

void COptionMenu::draw(CDrawContext* context) {
    if (currentIndex < 0 || currentIndex >= entryCount) {
        drawDisplay(context, nullptr);
        return;
    }
    const char* text = entries[currentIndex];
    // The number in front of the text is for the popup only.
    const auto length = static_cast<std::int32_t>(std::strlen(text));
    const std::int32_t skipped = prefixNumbers < 0 ? 0 : prefixNumbers;
    drawDisplay(context, text + (skipped < length ? skipped : length));
}

void COptionMenu::mouse(CDrawContext* context, CPosition&, std::int32_t buttons) {
    if (!getMouseEnabled() || !parentFrame || !context) return;
    if (buttons == kButtonsFromContext) buttons = context->getButtonState();
    openButtons = buttons;
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kOpeningButtons) || openPopup) return;
    const auto hold = keptAlive(this);
    if (clickBackground) {
        const bool selected = currentIndex >= 0 && currentIndex < entryCount;
        drawDisplay(context, selected ? entries[currentIndex] : "", clickBackground);
    }
    beginEdit();
    gainFocus(context);
}

void COptionMenu::gainFocus(CDrawContext* context) {
    if (!parentFrame || openPopup) return;
    const auto hold = keptAlive(this);
    setLastMenu(nullptr);
    const CPosition origin = popupOrigin(context);
    const std::int32_t edge = (style & popupOverControl) ? size.top : size.bottom;
    const PopupPlan plan(*this);
    openPopup = &plan;
    popupCancelled = false;
    const std::intptr_t chosen = trackPopup(plan, CPosition(origin.h + size.left, origin.v + edge));
    openPopup = nullptr;
    finishPopup(context, plan, chosen);
}

CPosition COptionMenu::popupOrigin(CDrawContext* context) {
    CPosition origin = context ? context->windowOrigin : frameWindowOrigin();
    for (CView* view = parentView; view; view = view->getParentView()) {
        if (view->notify(this, kMsgCheckIfViewContainer) != kNotifyHandled) continue;
        CRectangle enclosing;
        view->getViewRect(enclosing);
        origin.h += enclosing.left;
        origin.v += enclosing.top;
    }
    return origin;
}

CPosition COptionMenu::screenPointOf(const CPosition& at) {
    CRectangle placed;
    const double scale = parentFrame ? parentFrame->getScale() : 1.0;
    if (scale == 1.0 || !platform::windowRectOnScreen(parentFrame->getWindow(), placed)) return at;
    const CPosition inPanel(at.h - placed.left, at.v - placed.top);
    const CPosition inWindow = toDevice(inPanel, scale);
    return CPosition(placed.left + inWindow.h, placed.top + inWindow.v);
}

CPosition COptionMenu::frameWindowOrigin() {
    CRectangle placed;
    if (!parentFrame || !platform::windowRectOnScreen(parentFrame->getWindow(), placed))
        return CPosition(0, 0);
    return CPosition(placed.left, placed.top);
}

void COptionMenu::finishPopup(CDrawContext* given, const PopupPlan& plan, std::intptr_t chosen) {
    // A menu that left its frame while the popup was open takes no choice; its gesture ended
    // as it left.
    if (popupCancelled || !parentFrame) return;
    if (clickBackground) setDirty(true);
    if (chosen >= 0) reportChoice(given, plan, chosen);
    if (parentFrame && parentFrame->getFocusView() == this) parentFrame->setFocusView(nullptr);
    endEdit();
}

void COptionMenu::reportChoice(CDrawContext* given, const PopupPlan& plan, std::intptr_t chosen) {
    COptionMenu* menu = nullptr;
    std::int32_t position = kNoEntry;
    if (!plan.find(static_cast<std::uintptr_t>(chosen), menu, position)) return;
    if (given) given->retain();
    const ScopedReference<CDrawContext> context(
        given ? given : new CDrawContext(parentFrame, nullptr, parentFrame->getWindow()));
    setLastMenu(menu);
    menu->setValue(static_cast<float>(position));
    if (listener) listener->valueChanged(context.get(), menu);
}

void COptionMenu::loseFocus(CDrawContext*) { menuHandle = nullptr; }

void COptionMenu::setValue(float newValue) {
    std::int32_t position = kNoEntry;
    if (!positionOf(newValue, entryCount, position)) return;
    currentIndex = position;
    if (style & multipleCheck) checkFlags[position] = !checkFlags[position];
    value = newValue;
    setDirty(true);
}

bool COptionMenu::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "COptionMenu") == 0) ||
           CParamDisplay::isTypeOf(className);
}

bool COptionMenu::removed(CView* parent) {
    if (openPopup) {
        popupCancelled = true;
        cancelPopup();
    }
    return CParamDisplay::removed(parent);
}

bool COptionMenu::measureMenuItem(std::uintptr_t itemData, CDrawContext* context, CPosition& size) {
    const PopupItem* item = openPopup ? openPopup->itemWithData(itemData) : nullptr;
    if (!scheme || !item) return false;
    scheme->getItemSize(item->text, context, size);
    return true;
}

bool COptionMenu::drawMenuItem(std::uintptr_t itemData, std::uint32_t itemId, std::int32_t state,
                               CDrawContext* context, const CRectangle& rect) {
    const PopupItem* item = openPopup ? openPopup->itemWithData(itemData) : nullptr;
    if (!scheme || !item) return false;
    scheme->drawItem(item->text, itemId, state, context, rect);
    return true;
}

bool COptionMenu::growEntries() {
    const std::int32_t capacity = entryCapacity + kEntryGrowth;
    auto* grownEntries = static_cast<char**>(
        std::realloc(entries, static_cast<std::size_t>(capacity) * sizeof(char*)));
    if (!grownEntries) return false;
    entries = grownEntries;
    auto* grownFlags =
        static_cast<std::uint8_t*>(std::realloc(checkFlags, static_cast<std::size_t>(capacity)));
    if (!grownFlags) return false;
    checkFlags = grownFlags;
    entryCapacity = capacity;
    return true;
}

bool COptionMenu::growSubMenus() {
    const std::int32_t capacity = subMenuCapacity + kSubMenuGrowth;
    auto* grown = static_cast<COptionMenu**>(
        std::realloc(subMenus, static_cast<std::size_t>(capacity) * sizeof(COptionMenu*)));
    if (!grown) return false;
    subMenus = grown;
    subMenuCapacity = capacity;
    return true;
}

void COptionMenu::numbered(char* out, const char* text, std::int32_t position, bool subMenu) const {
    const int n = static_cast<int>(position);
    switch (prefixNumbers) {
        case kOneDigit:
            std::snprintf(out, kMenuEntrySize, subMenu ? "-M%1d %s" : "%1d %s", n, text);
            break;
        case kTwoDigits:
            std::snprintf(out, kMenuEntrySize, subMenu ? "-M%02d %s" : "%02d %s", n, text);
            break;
        case kThreeDigits:
            std::snprintf(out, kMenuEntrySize, subMenu ? "-M%03d %s" : "%03d %s", n, text);
            break;
        default:
            if (subMenu)
                std::snprintf(out, kMenuEntrySize, "-M%s", text);
            else
                copyEntryText(out, text);
            break;
    }
}

bool COptionMenu::insertEntry(const char* text, std::int32_t index) {
    if (entryCount >= kMaxMenuEntries) return false;
    if (entryCount == entryCapacity && !growEntries()) return false;
    auto* buffer = static_cast<char*>(std::malloc(kMenuEntrySize));
    if (!buffer) return false;
    copyEntryText(buffer, text);
    const bool inserted = index >= 0 && index < entryCount;
    const std::int32_t at = inserted ? index : entryCount;
    if (inserted) {
        const auto moved = static_cast<std::size_t>(entryCount - at);
        std::memmove(entries + at + 1, entries + at, moved * sizeof(char*));
        // The check marks stay with their entries.
        std::memmove(checkFlags + at + 1, checkFlags + at, moved);
        if (currentIndex >= index) ++currentIndex;
        setDirty(true);
    }
    entries[at] = buffer;
    checkFlags[at] = 0;
    ++entryCount;
    if (currentIndex == kNoEntry) currentIndex = 0;
    return true;
}

bool COptionMenu::addEntry(const char* text, std::int32_t index) {
    if (entryCount >= kMaxMenuEntries) return false;
    const std::int32_t at = index >= 0 && index < entryCount ? index : entryCount;
    char prepared[kMenuEntrySize] = {};
    if (text) numbered(prepared, text, at + 1, false);
    return insertEntry(prepared, index);
}

bool COptionMenu::addSubMenuEntry(COptionMenu* subMenu, const char* title) {
    if (!subMenu || !title || entryCount >= kMaxMenuEntries) return false;
    if (subMenu == this || subMenu->holds(this)) return false;
    if (subMenuCount == subMenuCapacity && !growSubMenus()) return false;
    char prepared[kMenuEntrySize] = {};
    numbered(prepared, title, entryCount + 1, true);
    if (!insertEntry(prepared, kAppend)) return false;
    subMenu->retain();
    subMenus[subMenuCount++] = subMenu;
    return true;
}

bool COptionMenu::holds(const COptionMenu* menu) const {
    for (std::int32_t k = 0; k < subMenuCount; ++k)
        if (subMenus[k] == menu || subMenus[k]->holds(menu)) return true;
    return false;
}

std::int32_t COptionMenu::getCurrent(char* text, bool countSeparators) {
    if (currentIndex < 0 || currentIndex >= entryCount) {
        if (text) text[0] = '\0';
        return kNoEntry;
    }
    if (text) copyEntryText(text, entries[currentIndex]);
    if (countSeparators) return currentIndex;
    std::int32_t selectable = 0;
    for (std::int32_t i = 0; i < currentIndex; ++i)
        if (isSelectableEntry(entries[i])) ++selectable;
    return selectable;
}

bool COptionMenu::setCurrent(std::int32_t index, bool countSeparators) {
    if (index < 0 || index >= entryCount) return false;
    std::int32_t position = index;
    if (countSeparators) {
        if (menuEntryKind(entries[index]) == MenuEntryKind::separator) return false;
    } else {
        // The index-th entry that can be chosen, or the last one when there are fewer.
        position = kNoEntry;
        for (std::int32_t i = 0, seen = 0; i < entryCount; ++i) {
            if (!isSelectableEntry(entries[i])) continue;
            position = i;
            if (seen++ == index) break;
        }
        if (position == kNoEntry) return false;
    }
    currentIndex = position;
    if (style & multipleCheck) checkFlags[position] = !checkFlags[position];
    setDirty(true);
    return true;
}

bool COptionMenu::getEntry(std::int32_t index, char* text) {
    if (index < 0 || index >= entryCount || !text) return false;
    copyEntryText(text, entries[index]);
    return true;
}

bool COptionMenu::setEntry(std::int32_t index, const char* text) {
    if (index < 0 || index >= entryCount || !text) return false;
    copyEntryText(entries[index], text);
    if (index == currentIndex) setDirty(true);
    return true;
}

std::int32_t COptionMenu::subMenuIndexOf(std::int32_t index) const {
    if (menuEntryKind(entries[index]) != MenuEntryKind::subMenu) return kNoEntry;
    std::int32_t k = 0;
    for (std::int32_t i = 0; i < index; ++i)
        if (menuEntryKind(entries[i]) == MenuEntryKind::subMenu) ++k;
    return k < subMenuCount ? k : kNoEntry;
}

void COptionMenu::releaseSubMenu(std::int32_t k) {
    COptionMenu* const gone = subMenus[k];
    std::memmove(subMenus + k, subMenus + k + 1,
                 static_cast<std::size_t>(subMenuCount - k - 1) * sizeof(COptionMenu*));
    --subMenuCount;
    if (lastMenu == gone) setLastMenu(nullptr);
    gone->release();
}

bool COptionMenu::removeEntry(std::int32_t index) {
    if (index < 0 || index >= entryCount) return false;
    // Later submenu entries must keep their own submenus.
    const std::int32_t subMenu = subMenuIndexOf(index);
    std::free(entries[index]);
    const auto moved = static_cast<std::size_t>(entryCount - index - 1);
    std::memmove(entries + index, entries + index + 1, moved * sizeof(char*));
    std::memmove(checkFlags + index, checkFlags + index + 1, moved);
    --entryCount;
    if (currentIndex >= index) {
        --currentIndex;
        setDirty(true);
    }
    if (entryCount == 0) currentIndex = kNoEntry;
    if (subMenu != kNoEntry) releaseSubMenu(subMenu);
    return true;
}

bool COptionMenu::removeAllEntries() {
    for (std::int32_t i = 0; i < entryCount; ++i) std::free(entries[i]);
    std::free(entries);
    std::free(checkFlags);
    entries = nullptr;
    checkFlags = nullptr;
    entryCount = entryCapacity = 0;
    if (lastMenu != this) setLastMenu(nullptr);
    for (std::int32_t k = 0; k < subMenuCount; ++k) subMenus[k]->release();
    std::free(subMenus);
    subMenus = nullptr;
    subMenuCount = subMenuCapacity = 0;
    currentIndex = kNoEntry;
    setDirty(true);
    return true;
}

std::int32_t COptionMenu::getIndex(const char* text) {
    if (!text) return kNoEntry;
    for (std::int32_t i = 0; i < entryCount; ++i)
        if (std::strcmp(entries[i], text) == 0) return i;
    return kNoEntry;
}

bool COptionMenu::checkEntry(std::int32_t index, bool checked) {
    if (index < 0 || index >= entryCount) return false;
    checkFlags[index] = checked ? 1 : 0;
    return true;
}

bool COptionMenu::checkEntryAlone(std::int32_t index) {
    if (index < 0 || index >= entryCount) return false;
    std::memset(checkFlags, 0, static_cast<std::size_t>(entryCount));
    checkFlags[index] = 1;
    return true;
}

bool COptionMenu::isCheckEntry(std::int32_t index) {
    return index >= 0 && index < entryCount && checkFlags[index] != 0;
}

COptionMenu* COptionMenu::getSubMenu(std::int32_t index) const {
    return index >= 0 && index < subMenuCount ? subMenus[index] : nullptr;
}

COptionMenu* COptionMenu::getLastItemMenu(std::int32_t& index) const {
    index = kNoEntry;
    if (!lastMenu) return nullptr;
    if (!positionOf(lastMenu->value, kMaxMenuEntries, index)) index = kNoEntry;
    return lastMenu;
}

void COptionMenu::setLastMenu(COptionMenu* menu) {
    if (menu == lastMenu) return;
    if (menu && menu != this) menu->retain();
    COptionMenu* const previous = lastMenu;
    lastMenu = menu;
    if (previous && previous != this) previous->release();
}

void COptionMenu::setScheme(COptionMenuScheme* newScheme) {
    if (newScheme) newScheme->retain();
    if (scheme) scheme->release();
    scheme = newScheme;
}

}  // namespace gui
