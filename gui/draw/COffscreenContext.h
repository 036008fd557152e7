// A drawing context over a memory bitmap, so that a picture can be composed out of sight and put
// on the screen in one copy, without flicker.
#pragma once

#include <cstdint>

#include "gui/draw/CDrawContext.h"

namespace gui {

class CBitmap;

class COffscreenContext : public CDrawContext {
  public:
    // A buffer of the given size, compatible with the frame's window, cleared to backgroundColor.
    COffscreenContext(CFrame* frame, std::int32_t width, std::int32_t height,
                      const CColorValue& backgroundColor);
    // A buffer of the bitmap's size (20 x 20 without one), compatible with context's device and
    // starting with the bitmap's picture. With drawInBitmap the context draws straight into the
    // bitmap's own pixels, and the bitmap stays its owner's.
    COffscreenContext(CDrawContext* context, CBitmap* backgroundBitmap, bool drawInBitmap = false);
    ~COffscreenContext() override;

    std::int32_t getWidth() const { return width; }
    std::int32_t getHeight() const { return height; }

    // sourcePosition is in this buffer's pixels; destRect is moved by other's offset.
    void copyToContext(CDrawContext* other, const CRectangle& destRect,
                       const CPosition& sourcePosition) const;
    // sourceRect is moved by other's offset; destPosition is in this buffer's pixels.
    void copyFromContext(CDrawContext* other, const CRectangle& sourceRect,
                         const CPosition& destPosition);

  private:
    NativeBitmap memoryBitmap() const;
    void selectMemoryBitmap(NativeBitmap bitmap);
    void clearTo(const CColorValue& color);
    void paintInitialPicture();

    // Not retained: the caller keeps it alive for the context's life.
    CBitmap* backgroundBitmap = nullptr;
    std::int32_t height;
    std::int32_t width;
    bool ownsBitmap = false;
    CColorValue backgroundColor;
    NativeBitmap previousBitmap = nullptr;
};

}  // namespace gui
