#include "gui/controls/COptionMenuScheme.h"

#include "gui/controls/MenuEntry.h"
#include "gui/views/CView.h"

namespace gui {

namespace {

constexpr CColorValue kMenuBackground{224, 224, 224, 255};
constexpr CColorValue kMenuSelection{48, 96, 192, 255};
constexpr CColorValue kMenuDisabledText{144, 144, 144, 255};
// Room around the text: above and below it, and after it.
constexpr std::int32_t kVerticalPadding = 3;
constexpr std::int32_t kTrailingPadding = 12;
// The check mark column is as wide as an item is high.
constexpr std::int32_t kCheckMarkPoints = 3;
constexpr std::int32_t kCheckMarkWidth = 2;
constexpr std::int32_t kCheckMarkInsetDivisor = 4;

bool greyedOrTitle(const char* entryText) {
    const MenuEntryKind kind = menuEntryKind(entryText);
    return kind == MenuEntryKind::greyed || kind == MenuEntryKind::title;
}

}  // namespace

COptionMenuScheme::COptionMenuScheme()
    : backgroundColor(kMenuBackground),
      selectionColor(kMenuSelection),
      textColor(kBlackColor),
      selectedTextColor(kWhiteColor),
      disabledTextColor(kMenuDisabledText),
      fontId(kFontSmall) {}

COptionMenuScheme::~COptionMenuScheme() = default;

void COptionMenuScheme::setColors(CColorValue background, CColorValue selectionBackground,
                                  CColorValue text, CColorValue selectedText,
                                  CColorValue disabledText) {
    backgroundColor = background;
    selectionColor = selectionBackground;
    textColor = text;
    selectedTextColor = selectedText;
    disabledTextColor = disabledText;
}

void COptionMenuScheme::selectFont(const char* entryText, CDrawContext* context) {
    const bool title = menuEntryKind(entryText) == MenuEntryKind::title;
    context->setFont(fontId, 0, title ? kTextBold : kNormalFace);
}

void COptionMenuScheme::getItemSize(const char* entryText, CDrawContext* context, CPosition& size) {
    if (!context) return;
    selectFont(entryText, context);
    const std::int32_t height = context->getFontSize() + 2 * kVerticalPadding;
    const std::int32_t width = context->measureText(menuEntryLabel(entryText));
    size = CPosition(height + width + kTrailingPadding, height);
}

void COptionMenuScheme::drawItem(const char* entryText, std::uint32_t, std::int32_t state,
                                 CDrawContext* context, const CRectangle& rect) {
    if (!context) return;
    const bool selected = (state & kMenuItemSelected) != 0;
    const bool disabled = (state & kMenuItemDisabled) != 0 || greyedOrTitle(entryText);
    context->setFillColor(selected ? selectionColor : backgroundColor);
    context->drawRectangle(rect, kFillOnly);
    CColorValue ink = selected ? selectedTextColor : textColor;
    if (disabled) ink = disabledTextColor;
    const std::int32_t column = rect.getHeight();
    if (state & kMenuItemChecked)
        drawCheckMark(context, CRectangle(rect.left, rect.top, rect.left + column, rect.bottom),
                      ink);
    selectFont(entryText, context);
    context->setFontColor(ink);
    const CRectangle textArea(rect.left + column, rect.top, rect.right, rect.bottom);
    context->drawText(menuEntryLabel(entryText), textArea, 0, kAlignLeft);
}

void COptionMenuScheme::drawCheckMark(CDrawContext* context, const CRectangle& column,
                                      CColorValue color) {
    const std::int32_t inset = column.getWidth() / kCheckMarkInsetDivisor;
    const CRectangle box(column.left + inset, column.top + inset, column.right - inset,
                         column.bottom - inset);
    const CPosition mark[kCheckMarkPoints] = {CPosition(box.left, box.top + box.getHeight() / 2),
                                              CPosition(box.left + box.getWidth() / 3, box.bottom),
                                              CPosition(box.right, box.top)};
    context->setLineWidth(kCheckMarkWidth);
    context->setLineColor(color);
    context->drawPolyline(mark, kCheckMarkPoints);
}

}  // namespace gui
