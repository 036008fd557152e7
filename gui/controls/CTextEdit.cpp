#include "gui/controls/CTextEdit.h"

#include <cstring>

#include "gui/views/CFrame.h"

namespace gui {

namespace {

// What the parent of an entry that gave up its focus is told.
constexpr char kLooseFocusMessage[] = "LooseFocus";

// Copies at most kDisplayTextSize - 1 characters and always terminates.
void copyBounded(char* to, const char* from) {
    std::size_t length = 0;
    while (length < kDisplayTextSize - 1 && from[length] != '\0') ++length;
    std::memmove(to, from, length);
    to[length] = '\0';
}

}  // namespace

CTextEdit::CTextEdit(const CRectangle& size, CControlListener* listener, std::int32_t tag,
                     const char* initialText, CBitmap* background, std::int32_t style)
    : CParamDisplay(size, background, style) {
    this->listener = listener;
    this->tag = tag;
    if (initialText) copyBounded(text, initialText);
    setWantsFocus(true);
}

CTextEdit::~CTextEdit() {
    // Also frees the font and the colour brush, whether or not a window is open.
    closeEditWindow();
    endEdit();
}

void CTextEdit::draw(CDrawContext* context) {
    // The open edit window shows the text itself.
    if (editWindow || committing) {
        setDirty(false);
        return;
    }
    char shown[kDisplayTextSize] = {};
    if (textToDisplayWithData) {
        textToDisplayWithData(text, shown, userData);
    } else if (textToDisplay) {
        textToDisplay(text, shown);
    } else if (valueToTextWithData || valueToText) {
        valueText(shown);
        copyBounded(text, shown);
    } else {
        copyBounded(shown, text);
    }
    shown[kDisplayTextSize - 1] = '\0';
    drawDisplay(context, shown);
    setDirty(false);
}

void CTextEdit::mouse(CDrawContext* context, CPosition&, std::int32_t buttons) {
    if (!getMouseEnabled()) return;
    if (buttons == kButtonsFromContext) buttons = context ? context->getButtonState() : 0;
    if (modifierClickTaken(context, buttons)) return;
    if (!(buttons & kButtonLeft)) return;
    // An edit needs a frame to hold the focus and a window to put the edit window in.
    if (!parentFrame || parentFrame->getFocusView() == this) return;
    if ((style & editOnDoubleClick) && !detectDoubleClick()) return;
    const auto hold = keptAlive(this);
    if (!beginEditKeepsFrame()) return;
    gainFocus(context);
}

void CTextEdit::gainFocus(CDrawContext* context) {
    // One edit window at a time, and only inside a frame's window.
    if (editWindow || !parentFrame || !parentFrame->getWindow()) return;
    openEditWindow(editRectangle(context));
}

CRectangle CTextEdit::editRectangle(CDrawContext* context) {
    CRectangle where = size;
    for (CView* view = parentView; view; view = view->getParentView()) {
        if (view->notify(this, kMsgCheckIfViewContainer) != kNotifyHandled) continue;
        CRectangle enclosing;
        view->getViewRect(enclosing);
        where.offset(enclosing.left, enclosing.top);
    }
    if (context) where.offset(context->offset.h, context->offset.v);
    return where;
}

// The commit goes inside the gesture, so that a host recording only touched parameters keeps it.
// Nothing here runs the host's idle: the commit may come in the middle of a focus change or a
// click, and a host may close the editor from its idle. The entry is left dirty instead.
void CTextEdit::loseFocus(CDrawContext* context) {
    const auto hold = keptAlive(this);
    // Clearing the focus runs this once more, nested, and that run closes the edit.
    if (parentFrame && parentFrame->getFocusView() == this) parentFrame->setFocusView(nullptr);
    if (!editWindow) {
        endEdit();
        return;
    }
    // A frame on its way out takes no more changes: what was typed is dropped.
    if (!parentFrame || !parentFrame->isOpen()) {
        closeEditWindow();
        endEdit();
        notifyFocusLost();
        return;
    }
    char previous[kDisplayTextSize];
    std::memcpy(previous, text, sizeof(previous));
    readEditWindow();
    committing = true;
    closeEditWindow();
    const bool changed = std::strcmp(previous, text) != 0;
    if (changed) reportCommit(context);
    committing = false;
    if (changed) setDirty(true);
    endEdit();
    notifyFocusLost();
}

void CTextEdit::reportCommit(CDrawContext* given) {
    if (!listener) return;
    if (given) given->retain();
    const ScopedReference<CDrawContext> context(given ? given : parentFrame->getDrawContext());
    const CPosition savedOffset = context->offset;
    // The control's rectangle is in its parent's coordinates: the context starts where the
    // parent's children are drawn.
    const bool placed = !given && parentView;
    if (placed) context->offset = parentView->toFrame(CPosition(0, 0));
    listener->valueChanged(context.get(), this);
    if (placed) context->offset = savedOffset;
}

void CTextEdit::notifyFocusLost() {
    if (parentView)
        parentView->notify(this, kLooseFocusMessage);
    else if (parentFrame)
        parentFrame->notify(this, kLooseFocusMessage);
}

bool CTextEdit::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CTextEdit") == 0) ||
           CParamDisplay::isTypeOf(className);
}

bool CTextEdit::removed(CView* parent) {
    if (editWindow) closeEditWindow();
    return CParamDisplay::removed(parent);
}

void CTextEdit::setText(const char* newText) {
    if (!newText) {
        if (text[0] == '\0') return;
        text[0] = '\0';
        setDirty(true);
        return;
    }
    if (std::strncmp(text, newText, kDisplayTextSize - 1) == 0) return;
    copyBounded(text, newText);
    setDirty(true);
}

void CTextEdit::getText(char* out) {
    if (out) std::memcpy(out, text, sizeof(text));
}

void CTextEdit::setTextToDisplayWithData(TextToDisplayWithDataFunction function, void* data) {
    textToDisplayWithData = function;
    userData = data;
}

}  // namespace gui
