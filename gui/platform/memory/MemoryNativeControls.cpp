// The native pieces of the text entry and the option menu on a platform that has neither a native
// single-line entry nor popup menus: the entry never opens (and so gives up the focus a click
// gave it, which ends its gesture), the popup chooses nothing.
#include "gui/controls/COptionMenu.h"
#include "gui/controls/CTextEdit.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/views/CFrame.h"

namespace gui {

// No entry opens: the focus the click gave the control goes, and the gesture ends with it.
void CTextEdit::openEditWindow(const CRectangle&) {
    if (parentFrame && parentFrame->getFocusView() == this) parentFrame->setFocusView(nullptr);
}

// Nothing was typed: the text stays.
void CTextEdit::readEditWindow() {}

// Frees what editColors made; there is never a window.
void CTextEdit::closeEditWindow() {
    editWindow = nullptr;
    focusBeforeEdit = nullptr;
    if (editFont) platform::deleteFont(editFont);
    editFont = nullptr;
    if (colorBrush) platform::deleteBrush(colorBrush);
    colorBrush = nullptr;
}

void CTextEdit::forgetEditWindow() { closeEditWindow(); }

// The entry's colours on the device, and a brush of the background the control owns.
NativeBrush CTextEdit::editColors(NativeDevice device) {
    platform::setTextColor(device, fontColor.toPlatformColor());
    platform::setBackgroundColor(device, backColor.toPlatformColor());
    if (colorBrush) platform::deleteBrush(colorBrush);
    colorBrush = platform::createBrush(backColor.toPlatformColor());
    return colorBrush;
}

// There are no native menus to build.
NativeMenu COptionMenu::buildPopup(const PopupPlan&, std::int32_t, bool) { return nullptr; }

// No popup opens, so nothing is chosen.
std::intptr_t COptionMenu::trackPopup(const PopupPlan&, const CPosition&) { return -1; }

// No popup is ever open.
void COptionMenu::cancelPopup() {}

}  // namespace gui
