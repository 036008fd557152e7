#include "gui/platform/x11/X11EntryWindow.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace gui::x11 {

namespace {

constexpr long kEntryEvents = ExposureMask | KeyPressMask | FocusChangeMask | StructureNotifyMask |
                              ButtonPressMask | Button1MotionMask;
// The caret needs a pixel of room at either edge.
constexpr std::int32_t kInset = 1;
constexpr std::int32_t kCaretWidth = 1;
// As the toolkit's double click elsewhere on X.
constexpr Time kDoubleClickMilliseconds = 400;
constexpr int kTypedBufferSize = 32;
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDeleteCharacter = 0x7F;
// Latin-1's control characters.
constexpr unsigned char kFirstUpperPrintable = 0xA0;

bool printable(unsigned char character) {
    return (character >= kFirstPrintable && character < kDeleteCharacter) ||
           character >= kFirstUpperPrintable;
}

}  // namespace

EntryWindow::EntryWindow(::Window parent, const CRectangle& rect, const Look& look,
                         const char* text, CTextEdit* entry)
    : OwnWindow({parent, rect, false, kEntryEvents}), entry(entry), look(look) {
    state.reset(text);
    if (valid()) registerTarget(xWindow(), this);
}

::Window EntryWindow::showAndTakeFocus() {
    map();
    draw();
    ::Window previous = None;
    int revert = 0;
    ErrorTrap trap(display());
    XGetInputFocus(display(), &previous, &revert);
    XSetInputFocus(display(), xWindow(), RevertToParent, CurrentTime);
    return previous;
}

bool EntryWindow::hasFocus() {
    if (!valid()) return false;
    ::Window focused = None;
    int revert = 0;
    ErrorTrap trap(display());
    XGetInputFocus(display(), &focused, &revert);
    return focused == xWindow();
}

bool EntryWindow::viewable() {
    XWindowAttributes attributes{};
    ErrorTrap trap(display());
    const Status read = XGetWindowAttributes(display(), xWindow(), &attributes);
    return read != 0 && !trap.failed() && attributes.map_state == IsViewable;
}

std::int32_t EntryWindow::widthOf(Device& device, std::size_t length) {
    std::int32_t width = 0;
    platform::textWidth(&device, state.text().data(), static_cast<std::int32_t>(length), width);
    return width;
}

std::int32_t EntryWindow::textLeft(Device& device) {
    const std::int32_t room = width() - 2 * kInset;
    const std::int32_t textWidth = widthOf(device, state.text().size());
    std::int32_t left = kInset;
    if (look.placement == platform::TextPlacement::right) left = kInset + room - textWidth;
    if (look.placement == platform::TextPlacement::center) left = kInset + (room - textWidth) / 2;
    if (textWidth <= room) return left;
    // Too long to show whole: scrolled so that the caret is inside.
    const std::int32_t caretAt = widthOf(device, state.caret());
    left = kInset;
    if (caretAt > room - kCaretWidth) left -= caretAt - (room - kCaretWidth);
    return left;
}

void EntryWindow::prepareTextDevice(Device& device) {
    device.target = backBuffer;
    device.font = look.font ? look.font : &device.stockFont;
    device.transparentBackground = true;
}

std::size_t EntryWindow::positionAt(Device& device, std::int32_t x) {
    const std::int32_t fromText = x - textLeft(device);
    std::size_t nearest = 0;
    std::int32_t nearestDistance = fromText < 0 ? -fromText : fromText;
    for (std::size_t length = 1; length <= state.text().size(); ++length) {
        const std::int32_t distance = fromText - widthOf(device, length);
        const std::int32_t away = distance < 0 ? -distance : distance;
        if (away < nearestDistance) {
            nearest = length;
            nearestDistance = away;
        }
    }
    return nearest;
}

void EntryWindow::click(const XButtonEvent& press) {
    if (press.button != Button1) return;
    const bool again = lastPress != 0 && press.time - lastPress <= kDoubleClickMilliseconds;
    lastPress = again ? 0 : press.time;
    if (again) {
        state.selectAll();
    } else {
        Device device;
        prepareTextDevice(device);
        state.placeCaret(positionAt(device, press.x), (press.state & ShiftMask) != 0);
    }
    draw();
}

void EntryWindow::drag(const XMotionEvent& motion) {
    Device device;
    prepareTextDevice(device);
    state.placeCaret(positionAt(device, motion.x), true);
    draw();
}

// The selection is drawn inverted: the text colour behind the text in the background colour.
void EntryWindow::draw() {
    if (!valid()) return;
    Device device;
    prepareTextDevice(device);
    const CRectangle whole(0, 0, width(), height());
    platform::fillRectWithColor(&device, whole, look.backColor);
    const std::int32_t left = textLeft(device);
    const std::string& text = state.text();
    const auto length = static_cast<std::int32_t>(text.size());
    const CRectangle line(left, 0, left + widthOf(device, text.size()) + kInset, height());
    platform::setTextColor(&device, look.textColor);
    platform::drawText(&device, text.data(), length, line, platform::TextPlacement::left);
    if (state.hasSelection()) {
        const CRectangle selected(left + widthOf(device, state.selectionStart()), 0,
                                  left + widthOf(device, state.selectionEnd()), height());
        platform::fillRectWithColor(&device, selected, look.textColor);
        platform::clipTo(&device, selected);
        platform::setTextColor(&device, look.backColor);
        platform::drawText(&device, text.data(), length, line, platform::TextPlacement::left);
        device.clipped = false;
    } else {
        const std::int32_t caretAt = left + widthOf(device, state.caret());
        platform::fillRectWithColor(
            &device, CRectangle(caretAt, 0, caretAt + kCaretWidth, height()), look.textColor);
    }
    present(whole);
}

bool EntryWindow::edit(unsigned long keysym, bool extend, bool control) {
    switch (keysym) {
        case XK_BackSpace: state.backspace(); return true;
        case XK_Delete:
        case XK_KP_Delete: state.deleteForward(); return true;
        case XK_Left:
        case XK_KP_Left: state.left(extend); return true;
        case XK_Right:
        case XK_KP_Right: state.right(extend); return true;
        case XK_Home:
        case XK_KP_Home: state.home(extend); return true;
        case XK_End:
        case XK_KP_End: state.end(extend); return true;
        case XK_a:
        case XK_A:
            if (!control) return false;
            state.selectAll();
            return true;
        default: return false;
    }
}

// The window may be gone after commit or cancel: nothing of it is used after them.
void EntryWindow::key(XKeyEvent& press) {
    char typed[kTypedBufferSize] = {};
    KeySym keysym = NoSymbol;
    const int count = XLookupString(&press, typed, sizeof(typed), &keysym, nullptr);
    if (keysym == XK_Return || keysym == XK_KP_Enter) {
        EditWindowProcedure::commit(*entry);
        return;
    }
    if (keysym == XK_Escape) {
        EditWindowProcedure::cancel(*entry, *this);
        return;
    }
    const bool control = (press.state & ControlMask) != 0;
    if (!edit(keysym, (press.state & ShiftMask) != 0, control)) {
        if (control || (press.state & Mod1Mask)) return;
        std::string characters;
        for (int i = 0; i < count; ++i)
            if (printable(static_cast<unsigned char>(typed[i]))) characters += typed[i];
        if (characters.empty()) return;
        state.insert(characters);
    }
    draw();
}

void EntryWindow::handleEvent(XEvent& event) {
    if (!entry) return;
    switch (event.type) {
        case Expose:
            if (event.xexpose.count == 0) draw();
            break;
        case KeyPress: key(event.xkey); break;
        case ButtonPress: click(event.xbutton); break;
        case MotionNotify: drag(event.xmotion); break;
        case FocusOut: {
            // A grab of the keyboard borrows the focus only; a child of ours never takes it.
            const XFocusChangeEvent& change = event.xfocus;
            if (change.mode == NotifyGrab || change.mode == NotifyUngrab) break;
            if (change.detail == NotifyInferior || change.detail == NotifyPointer) break;
            // The focus left because the window went out of sight with the host's: nothing is
            // committed into a host that is tearing its window down.
            if (!viewable()) break;
            EditWindowProcedure::commit(*entry);
            break;
        }
        case DestroyNotify:
            if (event.xdestroywindow.window == xWindow()) EditWindowProcedure::destroyed(*entry);
            break;
        default: break;
    }
}

}  // namespace gui::x11
