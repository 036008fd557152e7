// The drawing device over a GDI device context.
#include <cstddef>
#include <cstring>

#include "gui/platform/DrawingDevice.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui::platform {

namespace {

constexpr BYTE kSwissPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
constexpr BYTE kDecorativePitchAndFamily = FF_DECORATIVE;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

static_assert(sizeof(CPosition) == sizeof(POINT) && offsetof(CPosition, h) == offsetof(POINT, x) &&
                  offsetof(CPosition, v) == offsetof(POINT, y),
              "point lists go to GDI as they are");

const POINT* asPoints(const CPosition* points) { return reinterpret_cast<const POINT*>(points); }

RECT asRect(const CRectangle& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

DWORD penStyleOf(PenDash dash) { return dash == PenDash::dotted ? PS_DOT : PS_SOLID; }

// Shapes that must not be outlined draw with the stock null pen for the duration of one call.
class NullPenScope {
  public:
    explicit NullPenScope(HDC device)
        : device(device), previous(SelectObject(device, GetStockObject(NULL_PEN))) {}
    ~NullPenScope() {
        if (previous) SelectObject(device, previous);
    }
    NullPenScope(const NullPenScope&) = delete;
    NullPenScope& operator=(const NullPenScope&) = delete;

  private:
    HDC device;
    HGDIOBJ previous;
};

}  // namespace

NativeDevice windowDevice(NativeWindow window) { return GetDC(window); }

void releaseWindowDevice(NativeWindow window, NativeDevice device) { ReleaseDC(window, device); }

bool windowScreenOrigin(NativeWindow window, CPosition& origin) {
    RECT windowRect;
    if (!window || !GetWindowRect(window, &windowRect)) return false;
    origin = CPosition(windowRect.left, windowRect.top);
    return true;
}

NativePen currentPen(NativeDevice device) {
    return static_cast<HPEN>(GetCurrentObject(device, OBJ_PEN));
}
NativeBrush currentBrush(NativeDevice device) {
    return static_cast<HBRUSH>(GetCurrentObject(device, OBJ_BRUSH));
}
NativeFont currentFont(NativeDevice device) {
    return static_cast<HFONT>(GetCurrentObject(device, OBJ_FONT));
}

void selectPen(NativeDevice device, NativePen pen) { SelectObject(device, gdiObject(pen)); }
void selectBrush(NativeDevice device, NativeBrush brush) { SelectObject(device, gdiObject(brush)); }
void selectFont(NativeDevice device, NativeFont font) { SelectObject(device, gdiObject(font)); }

void deletePen(NativePen pen) {
    if (pen) DeleteObject(gdiObject(pen));
}
void deleteBrush(NativeBrush brush) {
    if (brush) DeleteObject(gdiObject(brush));
}
void deleteFont(NativeFont font) {
    if (font) DeleteObject(gdiObject(font));
}

NativePen createPen(PenDash dash, std::int32_t width, std::uint32_t color) {
    LOGPEN description = {};
    description.lopnStyle = static_cast<UINT>(penStyleOf(dash));
    description.lopnWidth.x = width;
    description.lopnColor = color;
    return CreatePenIndirect(&description);
}

NativePen createBlockPen(PenDash dash, std::int32_t width, std::uint32_t color) {
    // A cosmetic pen stays one pixel wide; a geometric one with square ends covers whole pixel
    // blocks, corners included.
    const LOGBRUSH stroke = {BS_SOLID, color, 0};
    const DWORD style = PS_GEOMETRIC | penStyleOf(dash) | PS_ENDCAP_SQUARE | PS_JOIN_MITER;
    return ExtCreatePen(style, static_cast<DWORD>(width), &stroke, 0, nullptr);
}

NativeBrush createBrush(std::uint32_t color) {
    LOGBRUSH description = {};
    description.lbStyle = BS_SOLID;
    description.lbColor = color;
    return CreateBrushIndirect(&description);
}

NativeFont createFont(const FontRequest& request) {
    LOGFONTA description = {};
    description.lfHeight = -request.pixelHeight;
    description.lfWeight = request.bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = request.italic ? TRUE : FALSE;
    description.lfUnderline = request.underline ? TRUE : FALSE;
    description.lfPitchAndFamily =
        request.symbol ? kDecorativePitchAndFamily : kSwissPitchAndFamily;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    std::strncpy(description.lfFaceName, request.face, LF_FACESIZE - 1);
    return CreateFontIndirectA(&description);
}

void setTransparentBackground(NativeDevice device, bool transparent) {
    SetBkMode(device, transparent ? TRANSPARENT : OPAQUE);
}

std::uint32_t setBackgroundColor(NativeDevice device, std::uint32_t color) {
    return SetBkColor(device, color);
}

std::uint32_t setTextColor(NativeDevice device, std::uint32_t color) {
    return SetTextColor(device, color);
}

void setRasterOp(NativeDevice device, RasterOp op) {
    switch (op) {
        case RasterOp::merge: SetROP2(device, R2_MERGEPEN); break;
        case RasterOp::notXor: SetROP2(device, R2_NOTXORPEN); break;
        default: SetROP2(device, R2_COPYPEN); break;
    }
}

void clipTo(NativeDevice device, const CRectangle& rect) {
    HRGN region = CreateRectRgn(rect.left, rect.top, rect.right, rect.bottom);
    // Without a region SelectClipRgn would lift the clip altogether.
    if (!region) return;
    SelectClipRgn(device, region);
    DeleteObject(region);
}

void moveTo(NativeDevice device, const CPosition& point) {
    MoveToEx(device, point.h, point.v, nullptr);
}

void lineTo(NativeDevice device, const CPosition& point) { LineTo(device, point.h, point.v); }

void polyline(NativeDevice device, const CPosition* points, std::int32_t count) {
    Polyline(device, asPoints(points), count);
}

void fillPolygon(NativeDevice device, const CPosition* points, std::int32_t count) {
    NullPenScope nullPen(device);
    Polygon(device, asPoints(points), count);
}

void fillRect(NativeDevice device, const CRectangle& rect, NativeBrush brush) {
    const RECT box = asRect(rect);
    NullPenScope nullPen(device);
    FillRect(device, &box, brush);
}

void fillRectWithColor(NativeDevice device, const CRectangle& rect, std::uint32_t color) {
    const RECT block = asRect(rect);
    HBRUSH const paint = CreateSolidBrush(color);
    if (!paint) return;
    FillRect(device, &block, paint);
    DeleteObject(paint);
}

void paintBlock(NativeDevice device, const CRectangle& rect, std::uint32_t color) {
    HBRUSH ink = CreateSolidBrush(color);
    if (!ink) return;
    HGDIOBJ previousBrush = SelectObject(device, ink);
    HGDIOBJ previousPen = SelectObject(device, GetStockObject(NULL_PEN));
    // Without a pen the shape leaves out its right column and bottom row.
    Rectangle(device, rect.left, rect.top, rect.right + 1, rect.bottom + 1);
    SelectObject(device, previousPen);
    SelectObject(device, previousBrush);
    DeleteObject(ink);
}

void fillEllipse(NativeDevice device, const CRectangle& box) {
    NullPenScope nullPen(device);
    Ellipse(device, box.left, box.top, box.right, box.bottom);
}

void arc(NativeDevice device, const CRectangle& box, const CPosition& from, const CPosition& to) {
    Arc(device, box.left, box.top, box.right, box.bottom, from.h, from.v, to.h, to.v);
}

void fillPie(NativeDevice device, const CRectangle& box, const CPosition& from,
             const CPosition& to) {
    NullPenScope nullPen(device);
    Pie(device, box.left, box.top, box.right, box.bottom, from.h, from.v, to.h, to.v);
}

void setPixel(NativeDevice device, const CPosition& point, std::uint32_t color) {
    SetPixel(device, point.h, point.v, color);
}

std::uint32_t getPixel(NativeDevice device, const CPosition& point) {
    return GetPixel(device, point.h, point.v);
}

void floodFill(NativeDevice device, const CPosition& point) {
    ExtFloodFill(device, point.h, point.v, GetPixel(device, point.h, point.v), FLOODFILLSURFACE);
}

bool textWidth(NativeDevice device, const char* text, std::int32_t length, std::int32_t& width) {
    SIZE extent = {};
    if (!GetTextExtentPoint32A(device, text, length, &extent)) return false;
    width = extent.cx;
    return true;
}

void drawText(NativeDevice device, const char* text, std::int32_t length, const CRectangle& box,
              TextPlacement placement) {
    RECT area = asRect(box);
    UINT format = kTextFormat;
    switch (placement) {
        case TextPlacement::center: format |= DT_CENTER; break;
        case TextPlacement::right: format |= DT_RIGHT; break;
        default: format |= DT_LEFT; break;
    }
    DrawTextA(device, text, length, &area, format);
}

void finishDrawing() { GdiFlush(); }

}  // namespace gui::platform
