// A display that shows a fixed text instead of its value.
#pragma once

#include <cstdint>

#include "gui/controls/CParamDisplay.h"

namespace gui {

class CTextLabel : public CParamDisplay {
  public:
    // text and background may be null; the label keeps its own copy of the text.
    explicit CTextLabel(const CRectangle& size, const char* text = nullptr,
                        CBitmap* background = nullptr, std::int32_t style = 0);
    ~CTextLabel() override;

    void draw(CDrawContext* context) override;
    bool isTypeOf(const char* className) override;
    bool accessibleValue(char* text) override;

    // Replaces the copy (none for null); the label is not marked dirty.
    virtual void setText(const char* newText);
    // Null when the label has no text.
    virtual const char* getText() { return text; }

  private:
    char* text = nullptr;
};

}  // namespace gui
