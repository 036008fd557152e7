// Colours and font for the items of an option menu's popup when the menu draws them itself
// instead of leaving them to the platform. Shared by reference counting between the menus that
// use it.
#pragma once

#include <cstdint>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/CReferenceCounter.h"
#include "gui/views/MenuItemHooks.h"

namespace gui {

class COptionMenuScheme : public CReferenceCounter {
  public:
    // Black text on light grey, white on blue for the item under the mouse, kFontSmall.
    COptionMenuScheme();
    ~COptionMenuScheme() override;

    // UI thread, inside the popup's own message loop. entryText is the entry's stored text,
    // kind marker included: greyed entries and titles show in the disabled colour, titles in
    // bold. size gets the item's width and height.
    virtual void getItemSize(const char* entryText, CDrawContext* context, CPosition& size);
    // UI thread, inside the popup's message loop: fills the whole of rect (the context's
    // device is the popup's) and draws a check mark for kMenuItemChecked and the selection
    // colours for kMenuItemSelected. itemId is the platform's identifier of the item.
    virtual void drawItem(const char* entryText, std::uint32_t itemId, std::int32_t state,
                          CDrawContext* context, const CRectangle& rect);
    virtual void setColors(CColorValue background, CColorValue selectionBackground,
                           CColorValue text, CColorValue selectedText, CColorValue disabledText);
    virtual void setFont(std::int32_t id) { fontId = id; }

    CColorValue getBackgroundColor() const { return backgroundColor; }
    CColorValue getSelectionColor() const { return selectionColor; }
    CColorValue getTextColor() const { return textColor; }
    CColorValue getSelectedTextColor() const { return selectedTextColor; }
    CColorValue getDisabledTextColor() const { return disabledTextColor; }
    std::int32_t getFont() const { return fontId; }

  protected:
    // The font of the entry's kind selected into the context.
    void selectFont(const char* entryText, CDrawContext* context);
    void drawCheckMark(CDrawContext* context, const CRectangle& column, CColorValue color);

    CColorValue backgroundColor;
    CColorValue selectionColor;
    CColorValue textColor;
    CColorValue selectedTextColor;
    CColorValue disabledTextColor;
    std::int32_t fontId;
};

}  // namespace gui
