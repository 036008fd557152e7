// What the drawing context asks of the platform's drawing device: its objects (pens, brushes,
// fonts), its state (colours, raster operation, clip) and its primitives. All calls are made on
// the user-interface thread; coordinates and rectangles are device pixels, colours 0x00BBGGRR.
// A call on a null device does nothing and answers 0 or false.
#pragma once

#include <cstdint>

#include "gui/draw/GuiTypes.h"
#include "gui/platform/NativeHandle.h"

namespace gui::platform {

enum class PenDash : std::int32_t { solid, dotted };
// How a pen or a filled shape combines with what the device shows.
enum class RasterOp : std::int32_t { copy, merge, notXor };
enum class TextPlacement : std::int32_t { left, center, right };

struct FontRequest {
    const char* face;
    // Height of the characters in device pixels, without the internal leading.
    std::int32_t pixelHeight;
    bool bold;
    bool italic;
    bool underline;
    // A decorative symbol font rather than a proportional sans-serif one.
    bool symbol;
};

// The window's device for drawing outside a paint; null when it has none.
NativeDevice windowDevice(NativeWindow window);
void releaseWindowDevice(NativeWindow window, NativeDevice device);
// The window's top-left corner on the screen; false (origin untouched) without a window.
bool windowScreenOrigin(NativeWindow window, CPosition& origin);

// The objects the device has selected; null when it has none of that kind.
NativePen currentPen(NativeDevice device);
NativeBrush currentBrush(NativeDevice device);
NativeFont currentFont(NativeDevice device);
void selectPen(NativeDevice device, NativePen pen);
void selectBrush(NativeDevice device, NativeBrush brush);
void selectFont(NativeDevice device, NativeFont font);
// Null is ignored.
void deletePen(NativePen pen);
void deleteBrush(NativeBrush brush);
void deleteFont(NativeFont font);

// A pixel-exact pen of the width (0 and 1 are one pixel); null on failure.
NativePen createPen(PenDash dash, std::int32_t width, std::uint32_t color);
// A pen of width pixels with square ends and mitred joins, covering whole blocks of a scaled
// drawing; null on failure.
NativePen createBlockPen(PenDash dash, std::int32_t width, std::uint32_t color);
NativeBrush createBrush(std::uint32_t color);
NativeFont createFont(const FontRequest& request);

// Whether text and dotted lines leave the background between them alone.
void setTransparentBackground(NativeDevice device, bool transparent);
// Colour of the cells behind opaque text and the gaps of dotted lines; returns the previous one.
std::uint32_t setBackgroundColor(NativeDevice device, std::uint32_t color);
// Returns the previous text colour.
std::uint32_t setTextColor(NativeDevice device, std::uint32_t color);
void setRasterOp(NativeDevice device, RasterOp op);
// Limits all later drawing to rect; on failure the previous clip stays.
void clipTo(NativeDevice device, const CRectangle& rect);

void moveTo(NativeDevice device, const CPosition& point);
// From the current position; the end pixel is left out.
void lineTo(NativeDevice device, const CPosition& point);
void polyline(NativeDevice device, const CPosition* points, std::int32_t count);
// The following fill without any outline.
void fillPolygon(NativeDevice device, const CPosition* points, std::int32_t count);
void fillRect(NativeDevice device, const CRectangle& rect, NativeBrush brush);
// In the colour regardless of the raster operation.
void fillRectWithColor(NativeDevice device, const CRectangle& rect, std::uint32_t color);
// In the colour and through the raster operation, as a pen draws.
void paintBlock(NativeDevice device, const CRectangle& rect, std::uint32_t color);
void fillEllipse(NativeDevice device, const CRectangle& box);
// Counter-clockwise from the ray towards from to the ray towards to, inside box (right and
// bottom exclusive). The arc is drawn with the pen.
void arc(NativeDevice device, const CRectangle& box, const CPosition& from, const CPosition& to);
void fillPie(NativeDevice device, const CRectangle& box, const CPosition& from,
             const CPosition& to);
void setPixel(NativeDevice device, const CPosition& point, std::uint32_t color);
// 0xFFFFFFFF outside the device or its clip.
std::uint32_t getPixel(NativeDevice device, const CPosition& point);
// Fills with the brush the area of point's colour connected to it.
void floodFill(NativeDevice device, const CPosition& point);

// Width in device pixels of length characters in the selected font; false on failure.
bool textWidth(NativeDevice device, const char* text, std::int32_t length, std::int32_t& width);
// One line, vertically centred and clipped to box, in the text colour.
void drawText(NativeDevice device, const char* text, std::int32_t length, const CRectangle& box,
              TextPlacement placement);

// Waits until what was drawn on any device has reached the pixels, for code that reads them.
void finishDrawing();

}  // namespace gui::platform
