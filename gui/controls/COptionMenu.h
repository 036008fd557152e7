// A text display that shows its selected entry and, on a click, opens a native popup menu of its
// entries: separators, titles, greyed entries, check marks, column breaks and nested submenus.
// The chosen entry becomes the value of the menu that holds it, and the clicked menu's listener
// is told. An entry's text carries its kind in a marker at its start (see MenuEntry.h).
#pragma once

#include <cstdint>

#include "gui/controls/CParamDisplay.h"
#include "gui/controls/MenuEntry.h"
#include "gui/platform/PopupMenu.h"

namespace gui {

class COptionMenuScheme;
class PopupPlan;

// Bits of a menu's style, besides the display bits.
enum COptionMenuStyle : std::int32_t {
    multipleCheck = 0x1,       // every entry has its own check mark, which a choice toggles
    popupOverControl = 0x200,  // the popup opens at the control's top edge, not its bottom
    checkCurrent = 0x400,      // the popup checks the selected entry (without multipleCheck)
};

// Adding fails with this many entries present.
constexpr std::int32_t kMaxMenuEntries = 1024;
// No column breaks in menus of this many entries or more.
constexpr std::int32_t kMinEntriesWithoutBreaks = 160;

class COptionMenu : public CParamDisplay {
  public:
    // background and clickBackground (shown while the popup is open) may be null; both are
    // retained. The menu starts empty with nothing selected.
    COptionMenu(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                CBitmap* background = nullptr, CBitmap* clickBackground = nullptr,
                std::int32_t style = 0);
    // Releases the submenus, the click background and the scheme.
    ~COptionMenu() override;

    // The selected entry's text after its number; background and frame only without one.
    void draw(CDrawContext* context) override;
    // Left or right button: starts the gesture and opens the popup.
    void mouse(CDrawContext* context, CPosition& where,
               std::int32_t buttons = kButtonsFromContext) override;
    // Builds, shows and destroys the popup in one call, inside the popup's own message loop;
    // context may be null. Ends the gesture.
    void gainFocus(CDrawContext* context) override;
    void loseFocus(CDrawContext* context) override;
    // Selects entry truncate(value) when there is one; otherwise nothing changes.
    void setValue(float newValue) override;
    bool isTypeOf(const char* className) override;
    // The selected entry's text.
    bool accessibleValue(char* text) override;
    // A popup still open when the menu leaves its frame is closed without a choice.
    bool removed(CView* parent) override;

    // Appends "-M" and the numbered title; the submenu is retained. Fails at kMaxMenuEntries,
    // for null arguments, and for a submenu that holds this menu (a popup without end).
    virtual bool addSubMenuEntry(COptionMenu* subMenu, const char* title);
    // text may be null (an empty entry); index -1 appends. The first entry becomes selected.
    virtual bool addEntry(const char* text, std::int32_t index = -1);
    // -1 when nothing is selected. text (kMenuEntrySize bytes, may be null) gets the entry's
    // text. Without countSeparators the answer counts only entries that can be chosen.
    virtual std::int32_t getCurrent(char* text = nullptr, bool countSeparators = true);
    // A separator cannot be selected. Without countSeparators index counts only entries that
    // can be chosen.
    virtual bool setCurrent(std::int32_t index, bool countSeparators = true);
    // text holds kMenuEntrySize bytes.
    virtual bool getEntry(std::int32_t index, char* text);
    virtual bool setEntry(std::int32_t index, const char* text);
    virtual bool removeEntry(std::int32_t index);
    virtual bool removeAllEntries();
    virtual std::int32_t getEntryCount() { return entryCount; }
    // The first entry whose text is exactly text; -1 for none or null.
    virtual std::int32_t getIndex(const char* text);
    virtual bool checkEntry(std::int32_t index, bool checked);
    virtual bool checkEntryAlone(std::int32_t index);
    virtual bool isCheckEntry(std::int32_t index);
    // A new column after this many items; -1 for none.
    virtual void setItemsPerColumn(std::int32_t count) { itemsPerColumn = count; }
    virtual std::int32_t getItemsPerColumn() { return itemsPerColumn; }
    // 2, 3 or 4 number entries added afterwards with 1, 2 or 3 digits and a space; 0 none. The
    // selected text is drawn without its first prefixNumbers characters.
    virtual void setPrefixNumbers(std::int32_t count) { prefixNumbers = count; }

    // Null unless 0 <= index < the number of submenus.
    COptionMenu* getSubMenu(std::int32_t index) const;
    // The menu that held the entry chosen in the last popup, and that entry's position; null
    // and -1 before a choice and after a dismissed popup.
    COptionMenu* getLastItemMenu(std::int32_t& index) const;
    // The scheme draws the popup's items (this menu's and its submenus'); null leaves them to
    // the platform. Retained.
    void setScheme(COptionMenuScheme* newScheme);
    COptionMenuScheme* getScheme() const { return scheme; }
    // The native popup while it is shown; null otherwise.
    NativeMenu getMenuHandle() const { return menuHandle; }
    std::int32_t getPrefixNumbers() const { return prefixNumbers; }
    ButtonState getOpenButtons() const { return openButtons; }

    // UI thread, inside the popup's own message loop, asked by the frame's window while this
    // menu holds the focus: owner-drawn items, answered through the scheme when the menu has one.
    // False leaves the item to the platform; state holds kMenuItem bits.
    bool measureMenuItem(std::uintptr_t itemData, CDrawContext* context, CPosition& size);
    bool drawMenuItem(std::uintptr_t itemData, std::uint32_t itemId, std::int32_t state,
                      CDrawContext* context, const CRectangle& rect);

  protected:
    NativeMenu menuHandle = nullptr;
    char** entries = nullptr;
    COptionMenu** subMenus = nullptr;
    std::uint8_t* checkFlags = nullptr;
    std::int32_t entryCount = 0;
    std::int32_t subMenuCount = 0;
    std::int32_t currentIndex = -1;
    CBitmap* clickBackground;
    ButtonState openButtons = 0;
    std::int32_t itemsPerColumn = -1;
    std::int32_t entryCapacity = 0;
    std::int32_t subMenuCapacity = 0;
    std::int32_t prefixNumbers = 0;
    // Retained when it is a submenu, so that a submenu removed since is not left dangling.
    COptionMenu* lastMenu = nullptr;

  private:
    bool growEntries();
    bool growSubMenus();
    // Stores a prepared text at index (-1 appends).
    bool insertEntry(const char* text, std::int32_t index);
    void numbered(char* out, const char* text, std::int32_t position, bool subMenu) const;
    // The submenu of the "-M" entry at index, or -1.
    std::int32_t subMenuIndexOf(std::int32_t index) const;
    void releaseSubMenu(std::int32_t k);
    bool holds(const COptionMenu* menu) const;
    void setLastMenu(COptionMenu* menu);
    // Where the popup's top-left corner goes on the screen.
    CPosition popupOrigin(CDrawContext* context);
    // Steps after the popup is gone: the look, the choice, the focus and the gesture.
    void finishPopup(CDrawContext* given, const PopupPlan& plan, std::intptr_t chosen);
    void reportChoice(CDrawContext* context, const PopupPlan& plan, std::intptr_t chosen);

    // Where a point of the popup goes on the screen: the frame window's corner plus at's panel
    // units in the window's pixels.
    CPosition screenPointOf(const CPosition& at);
    // The frame window's corner on the screen; (0, 0) where it cannot be read.
    CPosition frameWindowOrigin();

    // Platform side, the backend's (gui/platform/PopupMenu.h). The chosen identifier, or -1 for
    // none; every native menu is destroyed and every menuHandle of the plan cleared before it
    // returns.
    std::intptr_t trackPopup(const PopupPlan& plan, const CPosition& at);
    // The native menu of the plan's menu at index, with its submenus; sets menuHandle.
    NativeMenu buildPopup(const PopupPlan& plan, std::int32_t index, bool ownerDrawn);
    // Ends the platform's menu loop of an open popup.
    void cancelPopup();

    COptionMenuScheme* scheme = nullptr;
    // The plan of the popup this menu shows; null when closed.
    const PopupPlan* openPopup = nullptr;
    // The popup was cancelled because the menu left its frame.
    bool popupCancelled = false;
};

}  // namespace gui
