#include "gui/platform/x11/X11PopupWindow.h"

#include <algorithm>

#include "gui/draw/CDrawContext.h"
#include "gui/draw/Scaling.h"
#include "gui/views/MenuItemHooks.h"

namespace gui::x11 {

namespace {

// Sizes in panel units, drawn at the panel's scale.
constexpr std::int32_t kBorder = 1;
constexpr std::int32_t kItemPadding = 8;
constexpr std::int32_t kSeparatorHeight = 7;
constexpr std::int32_t kCheckColumn = 22;
constexpr std::int32_t kArrowColumn = 22;
constexpr std::int32_t kSmallestTextWidth = 60;
constexpr std::int32_t kSeparatorInset = 4;
constexpr std::int32_t kArrowHalfHeight = 4;
constexpr std::int32_t kArrowLength = 4;
constexpr std::int32_t kArrowFromRight = 12;

// 0x00BBGGRR.
constexpr std::uint32_t kMenuColor = 0xF0F0F0;
constexpr std::uint32_t kBorderColor = 0x808080;
constexpr std::uint32_t kTextColor = 0x000000;
constexpr std::uint32_t kGreyedColor = 0x909090;
constexpr std::uint32_t kHighlightColor = 0xD77800;
constexpr std::uint32_t kHighlightTextColor = 0xFFFFFF;
constexpr std::uint32_t kSeparatorColor = 0xB0B0B0;

// A tick in a box of 16 units: the corners of a thick chevron.
struct Corner {
    std::int32_t h;
    std::int32_t v;
};
constexpr Corner kCheckShape[] = {{3, 8}, {6, 11}, {12, 4}, {13, 6}, {6, 14}, {2, 10}};
constexpr std::int32_t kCheckBox = 16;

bool isSeparator(const PopupItem& item) { return item.kind == MenuEntryKind::separator; }

bool greyed(const PopupItem& item) {
    return (item.flags & (kItemGreyed | kItemDisabled)) != 0 || item.kind == MenuEntryKind::title;
}

std::int32_t labelWidth(Font* font, const char* label) {
    Device device;
    if (font) device.font = font;
    std::int32_t width = 0;
    platform::textWidth(&device, label,
                        static_cast<std::int32_t>(std::char_traits<char>::length(label)), width);
    return width;
}

// The item's size as the scheme measures it, in the window's pixels; false where it does not.
bool schemeItemSize(const SchemeDrawing& scheme, std::size_t index, Font* font, double scale,
                    CPosition& size) {
    if (!scheme.frame || !scheme.planned || !menuItemHooks.measure) return false;
    const PopupItem& item = (*scheme.planned)[index];
    Device device;
    if (font) device.font = font;
    const ScopedReference<CDrawContext> context(new CDrawContext(scheme.frame, &device, nullptr));
    CPosition panelSize;
    const auto data = reinterpret_cast<std::uintptr_t>(item.text);
    if (!menuItemHooks.measure(scheme.menu, data, context.get(), panelSize)) return false;
    size = toDevice(panelSize, scale);
    return true;
}

std::int32_t schemeState(const PopupItem& item, bool lit) {
    std::int32_t state = 0;
    if (item.flags & kItemChecked) state |= kMenuItemChecked;
    if (greyed(item)) state |= kMenuItemDisabled;
    if (lit) state |= kMenuItemSelected;
    return state;
}

}  // namespace

PopupWindow::Layout PopupWindow::layOut(const std::vector<PopupItem>& items, Font* font,
                                        double scale, const SchemeDrawing& scheme) {
    Layout layout;
    const std::int32_t border = std::max(1, toDevice(kBorder, scale));
    const std::int32_t fontHeight = font ? font->pixelHeight : toDevice(kCheckBox, scale);
    const std::int32_t itemHeight = fontHeight + toDevice(kItemPadding, scale);
    const std::int32_t separatorHeight = toDevice(kSeparatorHeight, scale);
    const std::int32_t columnsBesideText =
        toDevice(kCheckColumn, scale) + toDevice(kArrowColumn, scale);
    std::int32_t columnLeft = border;
    std::int32_t y = border;
    std::int32_t columnWidth = toDevice(kSmallestTextWidth, scale) + columnsBesideText;
    std::size_t columnStart = 0;
    // Each column's items get the column's widest width once it is known.
    const auto closeColumn = [&](std::size_t end) {
        for (std::size_t i = columnStart; i < end; ++i) {
            layout.itemRects[i].left = columnLeft;
            layout.itemRects[i].right = columnLeft + columnWidth;
        }
        columnLeft += columnWidth;
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        if ((items[i].flags & kItemColumnBreak) && i > columnStart) {
            closeColumn(i);
            columnStart = i;
            y = border;
            columnWidth = toDevice(kSmallestTextWidth, scale) + columnsBesideText;
        }
        CPosition measured;
        const bool byScheme =
            !isSeparator(items[i]) && schemeItemSize(scheme, i, font, scale, measured);
        std::int32_t height = isSeparator(items[i]) ? separatorHeight : itemHeight;
        if (byScheme) height = measured.v;
        layout.itemRects.emplace_back(0, y, 0, y + height);
        y += height;
        layout.height = std::max(layout.height, y + border);
        if (byScheme)
            columnWidth = std::max(columnWidth, measured.h);
        else if (!isSeparator(items[i]))
            columnWidth =
                std::max(columnWidth, labelWidth(font, items[i].label()) + columnsBesideText);
    }
    closeColumn(items.size());
    layout.width = columnLeft + border;
    layout.height = std::max(layout.height, 2 * border + 1);
    return layout;
}

PopupWindow::PopupWindow(Display* display, const std::vector<PopupItem>& items, Font* font,
                         double scale, const SchemeDrawing& scheme)
    : PopupWindow(display, items, font, scale, scheme, layOut(items, font, scale, scheme)) {}

PopupWindow::PopupWindow(Display* display, const std::vector<PopupItem>& items, Font* font,
                         double scale, const SchemeDrawing& scheme, const Layout& planned)
    : OwnWindow({display ? DefaultRootWindow(display) : 0,
                 CRectangle(0, 0, planned.width, planned.height), true, ExposureMask}),
      items(items),
      layout(planned),
      font(font),
      scale(scale),
      scheme(scheme) {
    if (valid()) registerTarget(xWindow(), this);
}

std::int32_t PopupWindow::itemAt(const CPosition& screenPoint) const {
    const CPosition local(screenPoint.h - screenOrigin.h, screenPoint.v - screenOrigin.v);
    for (std::int32_t i = 0; i < itemCount(); ++i) {
        const CRectangle& rect = layout.itemRects[static_cast<std::size_t>(i)];
        if (local.h >= rect.left && local.h < rect.right && local.v >= rect.top &&
            local.v < rect.bottom)
            return isSeparator(item(i)) ? kNone : i;
    }
    return kNone;
}

CRectangle PopupWindow::screenRect() const {
    return CRectangle(screenOrigin.h, screenOrigin.v, screenOrigin.h + width(),
                      screenOrigin.v + height());
}

bool PopupWindow::contains(const CPosition& screenPoint) const {
    const CRectangle rect = screenRect();
    return screenPoint.h >= rect.left && screenPoint.h < rect.right && screenPoint.v >= rect.top &&
           screenPoint.v < rect.bottom;
}

CRectangle PopupWindow::itemOnScreen(std::int32_t index) const {
    CRectangle rect = layout.itemRects[static_cast<std::size_t>(index)];
    rect.offset(screenOrigin.h, screenOrigin.v);
    return rect;
}

void PopupWindow::setHighlight(std::int32_t index) {
    if (index == highlight) return;
    highlight = index;
    draw();
}

std::int32_t PopupWindow::stepFrom(std::int32_t index, std::int32_t step) const {
    const std::int32_t count = itemCount();
    std::int32_t at = index;
    for (std::int32_t tried = 0; tried < count; ++tried) {
        if (at == kNone)
            at = step > 0 ? 0 : count - 1;
        else
            at = (at + step + count) % count;
        if (!isSeparator(item(at))) return at;
    }
    return kNone;
}

void PopupWindow::showAt(const CPosition& corner) {
    if (!valid()) return;
    screenOrigin = corner;
    ErrorTrap trap(display());
    XMoveWindow(display(), xWindow(), corner.h, corner.v);
    XMapRaised(display(), xWindow());
    mapped = true;
    draw();
}

void PopupWindow::hide() {
    if (!valid() || !mapped) return;
    ErrorTrap trap(display());
    XUnmapWindow(display(), xWindow());
    mapped = false;
    highlight = kNone;
}

void PopupWindow::draw() {
    if (!valid()) return;
    Device device;
    device.target = backBuffer;
    if (font) device.font = font.get();
    device.transparentBackground = true;
    const CRectangle whole(0, 0, width(), height());
    platform::fillRectWithColor(&device, whole, kBorderColor);
    const std::int32_t border = std::max(1, toDevice(kBorder, scale));
    platform::fillRectWithColor(
        &device, CRectangle(border, border, width() - border, height() - border), kMenuColor);
    for (std::int32_t i = 0; i < itemCount(); ++i) drawItem(device, i);
    present(whole);
}

void PopupWindow::drawItem(Device& device, std::int32_t index) {
    const PopupItem& shown = item(index);
    const CRectangle rect = layout.itemRects[static_cast<std::size_t>(index)];
    if (isSeparator(shown)) {
        const std::int32_t middle = (rect.top + rect.bottom) / 2;
        const std::int32_t inset = toDevice(kSeparatorInset, scale);
        platform::fillRectWithColor(
            &device, CRectangle(rect.left + inset, middle, rect.right - inset, middle + 1),
            kSeparatorColor);
        return;
    }
    if (drawBySchemeItem(device, index)) return;
    const bool lit = index == highlight;
    if (lit) platform::fillRectWithColor(&device, rect, kHighlightColor);
    const std::uint32_t ink = lit ? kHighlightTextColor : greyed(shown) ? kGreyedColor : kTextColor;
    platform::setTextColor(&device, ink);
    const std::int32_t textLeft = rect.left + toDevice(kCheckColumn, scale);
    const char* label = shown.label();
    platform::drawText(
        &device, label, static_cast<std::int32_t>(std::char_traits<char>::length(label)),
        CRectangle(textLeft, rect.top, rect.right, rect.bottom), platform::TextPlacement::left);
    Brush inkBrush{ink};
    device.brush = &inkBrush;
    const std::int32_t middle = (rect.top + rect.bottom) / 2;
    if (shown.flags & kItemChecked) {
        const CPosition box(
            rect.left + (toDevice(kCheckColumn, scale) - toDevice(kCheckBox, scale)) / 2,
            middle - toDevice(kCheckBox, scale) / 2);
        std::vector<CPosition> tick;
        for (const Corner& corner : kCheckShape)
            tick.emplace_back(box.h + toDevice(corner.h, scale), box.v + toDevice(corner.v, scale));
        platform::fillPolygon(&device, tick.data(), static_cast<std::int32_t>(tick.size()));
    }
    if (shown.kind == MenuEntryKind::subMenu) {
        const std::int32_t tipFromRight = toDevice(kArrowFromRight - kArrowLength, scale);
        const std::int32_t baseLeft = rect.right - toDevice(kArrowFromRight, scale);
        const std::int32_t half = toDevice(kArrowHalfHeight, scale);
        const CPosition arrow[] = {{baseLeft, middle - half},
                                   {rect.right - tipFromRight, middle},
                                   {baseLeft, middle + half}};
        platform::fillPolygon(&device, arrow, 3);
    }
    device.brush = &device.stockBrush;
}

bool PopupWindow::drawBySchemeItem(Device& device, std::int32_t index) {
    if (!scheme.frame || !scheme.planned || !menuItemHooks.draw) return false;
    const PopupItem& shown = (*scheme.planned)[static_cast<std::size_t>(index)];
    const ScopedReference<CDrawContext> context(new CDrawContext(scheme.frame, &device, nullptr));
    const CRectangle area =
        coveringPanelRect(layout.itemRects[static_cast<std::size_t>(index)], scale);
    const auto data = reinterpret_cast<std::uintptr_t>(shown.text);
    return menuItemHooks.draw(scheme.menu, data, static_cast<std::uint32_t>(shown.id),
                              schemeState(shown, index == highlight), context.get(), area);
}

void PopupWindow::handleEvent(XEvent& event) {
    if (event.type == Expose && event.xexpose.count == 0) draw();
}

}  // namespace gui::x11
