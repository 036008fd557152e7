#include "gui/controls/CTextLabel.h"

#include <cstring>

namespace gui {

namespace {

char* copyOf(const char* text) {
    if (!text) return nullptr;
    const std::size_t length = std::strlen(text);
    char* copy = new char[length + 1];
    std::memcpy(copy, text, length + 1);
    return copy;
}

}  // namespace

CTextLabel::CTextLabel(const CRectangle& size, const char* text, CBitmap* background,
                       std::int32_t style)
    : CParamDisplay(size, background, style), text(copyOf(text)) {}

CTextLabel::~CTextLabel() { delete[] text; }

void CTextLabel::draw(CDrawContext* context) {
    drawDisplay(context, text);
    setDirty(false);
}

bool CTextLabel::isTypeOf(const char* className) {
    return (className && std::strcmp(className, "CTextLabel") == 0) ||
           CParamDisplay::isTypeOf(className);
}

void CTextLabel::setText(const char* newText) {
    // Copied before the old text goes: the new one may be the label's own.
    char* const copy = copyOf(newText);
    delete[] text;
    text = copy;
}

}  // namespace gui
