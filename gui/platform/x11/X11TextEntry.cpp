// The text entry's edit window on X11: an EntryWindow the toolkit draws itself, over the control
// in the frame's window, with the font the control's font id names at the panel's scale.
#include <new>

#include "gui/controls/CTextEdit.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/x11/X11EntryWindow.h"
#include "gui/views/CFrame.h"

namespace gui {

namespace {

// The font never gets taller than the window leaves room for.
constexpr std::int32_t kFontRoom = 1;
constexpr std::int32_t kFontRoomShrunk = 2;
constexpr std::int32_t kSmallestFont = 1;

platform::TextPlacement placementOf(std::int32_t align) {
    if (align == kAlignLeft) return platform::TextPlacement::left;
    if (align == kAlignRight) return platform::TextPlacement::right;
    return platform::TextPlacement::center;
}

NativeFont createEditFont(std::int32_t fontId, std::int32_t windowHeight, double scale) {
    const CFontDescription entry = fontTableEntry(fontId);
    const std::int32_t scaledSize = toDevice(entry.defaultSize, scale);
    std::int32_t height =
        scaledSize < windowHeight - kFontRoom ? scaledSize : windowHeight - kFontRoomShrunk;
    if (height < kSmallestFont) height = kSmallestFont;
    return platform::createFont({entry.face, height, false, false, false, false});
}

x11::EntryWindow* entryWindowOf(NativeWindow window) {
    return dynamic_cast<x11::EntryWindow*>(x11::windowOf(window));
}

::Window xidOf(NativeWindow window) {
    if (const auto* own = dynamic_cast<const x11::OwnWindow*>(x11::windowOf(window)))
        return own->xWindow();
    return 0;
}

NativeWindow handleOfXid(::Window window) {
    return NativeWindow::atAddress(reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)));
}

::Window xidOfHandle(NativeWindow handle) {
    return static_cast<::Window>(reinterpret_cast<std::uintptr_t>(handle.address()));
}

// The focus goes back where it was, unless that window has gone meanwhile.
void restoreFocus(Display* display, ::Window previous) {
    if (!display || previous == None) return;
    x11::ErrorTrap trap(display);
    XSetInputFocus(display, previous, RevertToParent, CurrentTime);
}

}  // namespace

void EditWindowProcedure::commit(CTextEdit& entry) {
    const auto hold = keptAlive(&entry);
    entry.loseFocus(nullptr);
}

void EditWindowProcedure::cancel(CTextEdit& entry, x11::EntryWindow& window) {
    const auto hold = keptAlive(&entry);
    window.editing().reset(entry.text);
    entry.loseFocus(nullptr);
}

void EditWindowProcedure::destroyed(CTextEdit& entry) {
    const auto hold = keptAlive(&entry);
    entry.forgetEditWindow();
}

void CTextEdit::openEditWindow(const CRectangle& panelRect) {
    const double scale = parentFrame->getScale();
    const CRectangle where = toDevice(panelRect, scale);
    const ::Window frameWindow = xidOf(parentFrame->getWindow());
    if (frameWindow == 0) return;
    editFont = createEditFont(fontId, where.getHeight(), scale);
    const x11::EntryWindow::Look look{editFont, fontColor.toPlatformColor(),
                                      backColor.toPlatformColor(), placementOf(horizontalAlign)};
    auto* window = new (std::nothrow) x11::EntryWindow(frameWindow, where, look, text, this);
    if (!window || !window->valid()) {
        delete window;
        return;
    }
    editWindow = static_cast<x11::Window*>(window);
    focusBeforeEdit = handleOfXid(window->showAndTakeFocus());
}

void CTextEdit::readEditWindow() {
    x11::EntryWindow* window = entryWindowOf(editWindow);
    if (!window) return;
    const std::string& typed = window->editing().text();
    const std::size_t length =
        typed.size() < kDisplayTextSize - 1 ? typed.size() : kDisplayTextSize - 1;
    typed.copy(text, length);
    text[length] = '\0';
}

void CTextEdit::closeEditWindow() {
    x11::EntryWindow* window = entryWindowOf(editWindow);
    editWindow = nullptr;
    if (window) {
        window->detach();
        // The focus goes back to where typing began rather than to the frame's window, which
        // would keep the host's shortcuts from working.
        if (window->hasFocus()) {
            const ::Window previous = xidOfHandle(focusBeforeEdit);
            // Typing began from the panel's keyboard focus: the entry keeps the panel's focus,
            // so that the next key goes on from it.
            if (parentFrame && parentFrame->isOpen() && previous != 0 &&
                previous == xidOf(parentFrame->getWindow()))
                parentFrame->setFocusView(this);
            restoreFocus(window->display(), previous);
        }
        delete window;
    }
    focusBeforeEdit = nullptr;
    if (editFont) platform::deleteFont(editFont);
    editFont = nullptr;
    if (colorBrush) platform::deleteBrush(colorBrush);
    colorBrush = nullptr;
}

// The X window went with its parent: the window object goes without asking anything of it.
void CTextEdit::forgetEditWindow() {
    if (x11::EntryWindow* window = entryWindowOf(editWindow)) {
        window->detach();
        window->forgetXWindow();
        delete window;
    }
    editWindow = nullptr;
    closeEditWindow();
}

NativeBrush CTextEdit::editColors(NativeDevice device) {
    platform::setTextColor(device, fontColor.toPlatformColor());
    platform::setBackgroundColor(device, backColor.toPlatformColor());
    if (colorBrush) platform::deleteBrush(colorBrush);
    colorBrush = platform::createBrush(backColor.toPlatformColor());
    return colorBrush;
}

}  // namespace gui
