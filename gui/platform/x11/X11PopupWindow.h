// One menu of an option menu's popup on X11: an override-redirect window of the root that shows
// the items of one menu of a PopupPlan (labels, separators, check marks, greyed items, submenu
// arrows, columns) and the item under the pointer or the keys highlighted. The tracking loop
// (PopupTracker) decides what is highlighted and which windows show. Only the X11 backend
// includes this.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gui/controls/PopupPlan.h"
#include "gui/platform/PopupMenu.h"
#include "gui/platform/x11/X11OwnWindow.h"

namespace gui {
class CFrame;
class CView;
}  // namespace gui

namespace gui::x11 {

// An option menu whose scheme measures and draws the items itself, through the frame's menu item
// hooks: the frame they are drawn for and the menu that asks its scheme. No frame: the window
// draws the items.
struct SchemeDrawing {
    CFrame* frame = nullptr;
    CView* menu = nullptr;
    // The plan's own items: the menu knows an item by the address of the plan's copy of its text.
    const std::vector<PopupItem>* planned = nullptr;
};

class PopupWindow : public OwnWindow {
  public:
    // Where each item goes, in the window's pixels, and the window's size.
    struct Layout {
        std::vector<CRectangle> itemRects;
        std::int32_t width = 0;
        std::int32_t height = 0;
    };
    static constexpr std::int32_t kNone = -1;

    // The items are copied; the window owns the font (null draws with the device's own). Not
    // mapped.
    PopupWindow(Display* display, const std::vector<PopupItem>& items, Font* font, double scale,
                const SchemeDrawing& scheme = SchemeDrawing());

    std::int32_t itemCount() const { return static_cast<std::int32_t>(items.size()); }
    const PopupItem& item(std::int32_t index) const {
        return items[static_cast<std::size_t>(index)];
    }
    // The item at a point of the screen; kNone outside the items and on separators.
    std::int32_t itemAt(const CPosition& screenPoint) const;
    bool contains(const CPosition& screenPoint) const;
    CRectangle screenRect() const;
    CRectangle itemOnScreen(std::int32_t index) const;

    std::int32_t highlighted() const { return highlight; }
    // Redraws the items that change.
    void setHighlight(std::int32_t index);
    // The next item the keys can reach from the highlighted one, by step (+1 or -1), round the
    // ends; kNone when there is none.
    std::int32_t stepFrom(std::int32_t index, std::int32_t step) const;

    // Moves the window to the corner and shows it on top of everything.
    void showAt(const CPosition& corner);
    void hide();
    bool shown() const { return mapped; }

    void draw();
    void handleEvent(XEvent& event) override;

  private:
    PopupWindow(Display* display, const std::vector<PopupItem>& items, Font* font, double scale,
                const SchemeDrawing& scheme, const Layout& planned);
    static Layout layOut(const std::vector<PopupItem>& items, Font* font, double scale,
                         const SchemeDrawing& scheme);
    void drawItem(Device& device, std::int32_t index);
    // False leaves the item to the window.
    bool drawBySchemeItem(Device& device, std::int32_t index);

    std::vector<PopupItem> items;
    Layout layout;
    const std::unique_ptr<Font> font;
    double scale;
    SchemeDrawing scheme;
    std::int32_t highlight = kNone;
    bool mapped = false;
};

}  // namespace gui::x11

namespace gui {

// The option menu's handles are the popup's windows.
template <>
struct NativeTypeOf<MenuKind> {
    using type = x11::PopupWindow*;
};

}  // namespace gui
