#include "gui/draw/CDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "gui/draw/FrameAccess.h"
#include "gui/draw/PlatformGlobals.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/win32/Win32Handles.h"

namespace gui {

namespace {

// Clip of a context that has no frame to ask for its size.
const CRectangle kUnframedClip(0, 0, 1000, 1000);

// Initial state values that differ from every default, so that applying the defaults creates and
// selects each GDI object.
constexpr std::int32_t kNoFontSize = -1;
constexpr std::int32_t kNoFont = kNumFonts;
constexpr auto kNoLineStyle = kDottedLine;
constexpr auto kNoDrawMode = static_cast<CRasterMode>(3);

struct FontEntry {
    const char* face;
    std::int32_t defaultSize;
};

const FontEntry kFontTable[kNumFonts] = {
    {"Arial", 12}, {"Arial", 18}, {"Arial", 14}, {"Arial", 12},
    {"Arial", 11}, {"Arial", 10}, {"Arial", 9},  {"Symbol", 13},
};

constexpr BYTE kSwissPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
constexpr BYTE kDecorativePitchAndFamily = FF_DECORATIVE;
constexpr std::uint32_t kOpaqueMask = 0xFFFF;
constexpr UINT kTextFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
// Left-aligned text starts one pixel inside its rectangle.
constexpr LONG kLeftTextInset = 1;
// Half the side of the box the cursor may wander in before a click becomes a drag.
constexpr std::int32_t kClickTolerance = 2;
// Point lists up to this length need no heap allocation.
constexpr std::int32_t kLocalPointCount = 30;
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerTurn = 360.0;
constexpr BYTE kOpaqueAlpha = 255;

int rasterCode(CRasterMode mode) {
    switch (mode) {
        case kDrawOr: return R2_MERGEPEN;
        case kDrawXor: return R2_NOTXORPEN;
        default: return R2_COPYPEN;
    }
}

// Selects a freshly made object and deletes the one it replaces. When creation failed the
// previous object stays selected.
template <typename Handle, typename Kept>
void selectReplacing(HDC device, Handle created, Kept& current) {
    if (!created) return;
    SelectObject(device, created);
    if (current) DeleteObject(gdiObject(current));
    current = created;
}

bool keyDown(int virtualKey) { return GetAsyncKeyState(virtualKey) < 0; }

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

// Caller points moved into device coordinates. get() is null when there is nothing to draw: no
// points, a count below 1, or no memory for a long list.
class DevicePoints {
  public:
    template <typename Mapping>
    DevicePoints(const CPosition* points, std::int32_t count, Mapping toDevice) {
        if (!points || count <= 0) return;
        POINT* target = local;
        if (count > kLocalPointCount) {
            heap.reset(new (std::nothrow) POINT[count]);
            target = heap.get();
            if (!target) return;
        }
        for (std::int32_t i = 0; i < count; ++i) {
            const CPosition moved = toDevice(points[i]);
            target[i] = {moved.h, moved.v};
        }
        data = target;
        size = count;
    }

    const POINT* get() const { return data; }
    int count() const { return size; }

  private:
    POINT local[kLocalPointCount];
    std::unique_ptr<POINT[]> heap;
    const POINT* data = nullptr;
    int size = 0;
};

RECT asRect(const CRectangle& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

}  // namespace

CDrawContext::CDrawContext(CFrame* owner, NativeDevice target, NativeWindow targetWindow)
    : CDrawContext(owner, target, targetWindow, owner ? frameScaleOf(owner) : 1.0) {}

CDrawContext::CDrawContext(CFrame* owner, NativeDevice target, NativeWindow targetWindow,
                           double deviceScale)
    : device(target),
      window(targetWindow),
      frame(owner),
      fontSize(kNoFontSize),
      fontStyle(kNormalFace),
      fontId(kNoFont),
      fontColor(),
      lineWidth(0),
      lineColor(),
      fillColor(),
      lineStyle(kNoLineStyle),
      drawMode(kNoDrawMode),
      clipRect(owner ? frameSizeOf(owner) : kUnframedClip),
      penStyle(PS_SOLID),
      scale(deviceScale) {
    if (!device && window) {
        device = GetDC(window);
        ownedDevice = device;
    }
    if (device) {
        savedBrush = static_cast<HBRUSH>(GetCurrentObject(device, OBJ_BRUSH));
        savedPen = static_cast<HPEN>(GetCurrentObject(device, OBJ_PEN));
        savedFont = static_cast<HFONT>(GetCurrentObject(device, OBJ_FONT));
        SetBkMode(device, TRANSPARENT);
    }
    RECT windowRect;
    if (window && GetWindowRect(window, &windowRect))
        windowOrigin = CPosition(windowRect.left, windowRect.top);
    screenOrigin = windowOrigin;
    applyDefaults();
}

CDrawContext::~CDrawContext() {
    if (savedBrush) SelectObject(device, gdiObject(savedBrush));
    if (savedPen) SelectObject(device, gdiObject(savedPen));
    if (savedFont) SelectObject(device, gdiObject(savedFont));
    if (brush) DeleteObject(gdiObject(brush));
    if (pen) DeleteObject(gdiObject(pen));
    if (font) DeleteObject(gdiObject(font));
    if (ownedDevice) ReleaseDC(window, ownedDevice);
}

void CDrawContext::applyDefaults() {
    setLineColor(kWhiteColor);
    setLineStyle(kSolidLine);
    setLineWidth(1);
    setFillColor(kBlackColor);
    setFontColor(kWhiteColor);
    setFont(kFontSystem, 0, kNormalFace);
    setDrawMode(kDrawCopy);
}

void CDrawContext::adoptDevice() {
    if (!device) return;
    if (pen) SelectObject(device, gdiObject(pen));
    if (brush) SelectObject(device, gdiObject(brush));
    if (font) SelectObject(device, gdiObject(font));
    SetBkColor(device, fillColor.toPlatformColor());
    SetTextColor(device, fontColor.toPlatformColor());
    SetROP2(device, rasterCode(drawMode));
    SetBkMode(device, TRANSPARENT);
}

std::int32_t CDrawContext::devicePenWidth() const {
    if (scale == 1.0) return lineWidth;
    return std::max<std::int32_t>(1, toDevice(lineWidth, scale));
}

// A scaled line runs through the middle of the pixel blocks it covers.
CPosition CDrawContext::linePoint(const CPosition& point) const {
    const CPosition start = toDevicePoint(point);
    if (scale == 1.0) return start;
    const std::int32_t half = devicePenWidth() / 2;
    return CPosition(start.h + half, start.v + half);
}

void CDrawContext::replacePen() {
    if (scale != 1.0) {
        // A cosmetic pen stays one pixel wide; a geometric one with square ends covers whole
        // pixel blocks, corners included.
        const LOGBRUSH stroke = {BS_SOLID, lineColor.toPlatformColor(), 0};
        const DWORD style =
            PS_GEOMETRIC | static_cast<DWORD>(penStyle) | PS_ENDCAP_SQUARE | PS_JOIN_MITER;
        selectReplacing(
            device, ExtCreatePen(style, static_cast<DWORD>(devicePenWidth()), &stroke, 0, nullptr),
            pen);
        return;
    }
    LOGPEN description = {};
    description.lopnStyle = static_cast<UINT>(penStyle);
    description.lopnWidth.x = lineWidth;
    description.lopnColor = lineColor.toPlatformColor();
    selectReplacing(device, CreatePenIndirect(&description), pen);
}

void CDrawContext::replaceBrush() {
    LOGBRUSH description = {};
    description.lbStyle = BS_SOLID;
    description.lbColor = fillColor.toPlatformColor();
    selectReplacing(device, CreateBrushIndirect(&description), brush);
}

void CDrawContext::setLineColor(const CColorValue& color) {
    if (color == lineColor) return;
    lineColor = color;
    replacePen();
}

void CDrawContext::setLineWidth(std::int32_t width) {
    if (width == lineWidth) return;
    lineWidth = width;
    replacePen();
}

void CDrawContext::setLineStyle(CLinePattern style) {
    if (style == lineStyle) return;
    lineStyle = style;
    penStyle = style == kDottedLine ? PS_DOT : PS_SOLID;
    replacePen();
}

void CDrawContext::setFillColor(const CColorValue& color) {
    if (color == fillColor) return;
    fillColor = color;
    SetBkColor(device, fillColor.toPlatformColor());
    replaceBrush();
}

void CDrawContext::setFontColor(const CColorValue& color) {
    fontColor = color;
    SetTextColor(device, fontColor.toPlatformColor());
}

CFontDescription fontTableEntry(std::int32_t id) {
    if (static_cast<std::uint32_t>(id) >= static_cast<std::uint32_t>(kNumFonts)) id = kFontSystem;
    return {kFontTable[id].face, kFontTable[id].defaultSize};
}

void CDrawContext::setFont(std::int32_t id, std::int32_t size, std::int32_t style) {
    if (static_cast<std::uint32_t>(id) >= static_cast<std::uint32_t>(kNumFonts)) id = kFontSystem;
    const FontEntry& entry = kFontTable[id];
    const std::int32_t effectiveSize = size != 0 ? size : entry.defaultSize;
    if (id == fontId && effectiveSize == fontSize && style == fontStyle) return;
    fontStyle = style;
    fontId = id;
    fontSize = effectiveSize;

    LOGFONTA description = {};
    description.lfHeight = -toDevice(effectiveSize, scale);
    const bool bold = (style & kTextBold) != 0 || id == kFontSystem;
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfItalic = (style & kTextItalic) != 0 ? TRUE : FALSE;
    description.lfUnderline = (style & kTextUnderline) != 0 ? TRUE : FALSE;
    description.lfPitchAndFamily =
        id == kFontSymbol ? kDecorativePitchAndFamily : kSwissPitchAndFamily;
    description.lfOutPrecision = OUT_STRING_PRECIS;
    description.lfClipPrecision = CLIP_STROKE_PRECIS;
    std::strncpy(description.lfFaceName, entry.face, LF_FACESIZE - 1);
    selectReplacing(device, CreateFontIndirectA(&description), font);
}

void CDrawContext::setDrawMode(CRasterMode mode) {
    if (mode == drawMode) return;
    drawMode = mode;
    SetROP2(device, rasterCode(mode));
}

void CDrawContext::setClipRectangle(const CRectangle& rect) {
    CRectangle moved = rect;
    moved.offset(offset.h, offset.v);
    if (moved == clipRect) return;
    clipRect = moved;
    const CRectangle onDevice = toDevice(moved, scale);
    HRGN region = CreateRectRgn(onDevice.left, onDevice.top, onDevice.right, onDevice.bottom);
    // Without a region SelectClipRgn would lift the clip altogether.
    if (!region) return;
    SelectClipRgn(device, region);
    DeleteObject(region);
}

CRectangle CDrawContext::getClipRectangle() const {
    CRectangle rect = clipRect;
    return rect.offset(-offset.h, -offset.v);
}

void CDrawContext::resetClipRectangle() {
    const CRectangle whole = frame ? frameSizeOf(frame) : kUnframedClip;
    setClipRectangle(whole);
    clipRect = whole;
}

void CDrawContext::moveTo(const CPosition& point) {
    penPosition = CPosition(point.h + offset.h, point.v + offset.v);
    const CPosition at = linePoint(point);
    MoveToEx(device, at.h, at.v, nullptr);
}

void CDrawContext::lineTo(const CPosition& point) {
    const CPosition to(point.h + offset.h, point.v + offset.v);
    if (scale != 1.0) {
        drawScaledSegment(penPosition, to);
        moveTo(point);
        return;
    }
    penPosition = to;
    const CPosition at = linePoint(point);
    LineTo(device, at.h, at.v);
}

void CDrawContext::drawLines(const CPosition* points, const std::int32_t& lineCount) {
    if (!points) return;
    for (std::int32_t i = 0; i < lineCount; ++i) {
        moveTo(points[2 * i]);
        lineTo(points[2 * i + 1]);
    }
}

void CDrawContext::drawPolyline(const CPosition* points, std::int32_t count) {
    if (scale != 1.0) {
        if (!points) return;
        const auto moved = [this](const CPosition& point) {
            return CPosition(point.h + offset.h, point.v + offset.v);
        };
        for (std::int32_t i = 1; i < count; ++i)
            drawScaledSegment(moved(points[i - 1]), moved(points[i]));
        return;
    }
    const DevicePoints moved(points, count, [this](const CPosition& p) { return linePoint(p); });
    if (moved.get()) Polyline(device, moved.get(), moved.count());
}

void CDrawContext::fillPolygon(const CPosition* points, std::int32_t count) {
    const DevicePoints moved(points, count,
                             [this](const CPosition& p) { return toDevicePoint(p); });
    if (!moved.get()) return;
    NullPenScope nullPen(device);
    Polygon(device, moved.get(), moved.count());
}

void CDrawContext::drawPolygon(const CPosition* points, std::int32_t count, CShapeStyle style) {
    switch (style) {
        case kFillOnly: fillPolygon(points, count); break;
        case kFillAndFrame:
            fillPolygon(points, count);
            drawPolyline(points, count);
            break;
        case kFrameOnly: drawPolyline(points, count); break;
        default: break;
    }
}

void CDrawContext::drawRectangle(const CRectangle& rect, CShapeStyle style) {
    if (style == kFillOnly || style == kFillAndFrame) {
        const RECT box = asRect(toDeviceRect(rect));
        NullPenScope nullPen(device);
        FillRect(device, &box, brush);
    }
    if (style == kFrameOnly || style == kFillAndFrame) {
        // Through the outermost pixels; lineTo leaves each end pixel to the next segment.
        moveTo(CPosition(rect.left, rect.top));
        lineTo(CPosition(rect.right - 1, rect.top));
        lineTo(CPosition(rect.right - 1, rect.bottom - 1));
        lineTo(CPosition(rect.left, rect.bottom - 1));
        lineTo(CPosition(rect.left, rect.top));
    }
}

void CDrawContext::fillRectangle(const CRectangle& rect) {
    const RECT box =
        asRect(toDeviceRect(CRectangle(rect.left + 1, rect.top + 1, rect.right, rect.bottom)));
    NullPenScope nullPen(device);
    FillRect(device, &box, brush);
}

void CDrawContext::fillEllipse(const CRectangle& rect) {
    const CRectangle box =
        toDeviceRect(CRectangle(rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1));
    NullPenScope nullPen(device);
    Ellipse(device, box.left, box.top, box.right, box.bottom);
}

void CDrawContext::frameEllipse(const CRectangle& rect) {
    const CPosition top(rect.left + (rect.right - rect.left) / 2, rect.top);
    drawArc(rect, top, top);
}

void CDrawContext::drawArc(const CRectangle& rect, const CPosition& start, const CPosition& end) {
    const CRectangle box =
        toDeviceRect(CRectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
    const CPosition from = toDevicePoint(start);
    const CPosition to = toDevicePoint(end);
    Arc(device, box.left, box.top, box.right, box.bottom, from.h, from.v, to.h, to.v);
}

void CDrawContext::fillPie(const CRectangle& rect, const CPosition& start, const CPosition& end) {
    const CRectangle box =
        toDeviceRect(CRectangle(rect.left + 1, rect.top + 1, rect.right, rect.bottom));
    const CPosition from = toDevicePoint(start);
    const CPosition to = toDevicePoint(end);
    NullPenScope nullPen(device);
    Pie(device, box.left, box.top, box.right, box.bottom, from.h, from.v, to.h, to.v);
}

CPosition CDrawContext::radialPoint(const CRectangle& rect, float angle) const {
    const auto halfWidth = static_cast<float>((rect.right - rect.left) / 2);
    const auto halfHeight = static_cast<float>((rect.bottom - rect.top) / 2);
    const auto dh = static_cast<std::int32_t>(halfWidth + halfWidth * std::cos(angle));
    const auto dv = static_cast<std::int32_t>(halfHeight - halfHeight * std::sin(angle));
    return toDevicePoint(CPosition(rect.left + dh, rect.top + dv));
}

void CDrawContext::drawArcByAngles(const CRectangle& rect, float startAngle, float endAngle,
                                   CShapeStyle style) {
    const auto startRadians = static_cast<float>(startAngle * 2.0 * kPi / kDegreesPerTurn);
    const auto endRadians = static_cast<float>(endAngle * 2.0 * kPi / kDegreesPerTurn);
    const CPosition first = radialPoint(rect, startRadians);
    const CPosition second = radialPoint(rect, endRadians);
    const CRectangle box =
        toDeviceRect(CRectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
    const int right = box.right;
    const int bottom = box.bottom;
    if (style == kFillOnly || style == kFillAndFrame) {
        NullPenScope nullPen(device);
        Pie(device, box.left, box.top, right, bottom, first.h, first.v, second.h, second.v);
    }
    if (style == kFrameOnly || style == kFillAndFrame)
        Arc(device, box.left, box.top, right, bottom, first.h, first.v, second.h, second.v);
}

void CDrawContext::setPixel(const CPosition& point, const CColorValue& color) {
    if (scale == 1.0) {
        SetPixel(device, point.h + offset.h, point.v + offset.v, color.toPlatformColor());
        return;
    }
    // The pixel's whole block.
    const RECT block = asRect(toDeviceRect(CRectangle(point.h, point.v, point.h + 1, point.v + 1)));
    HBRUSH const paint = CreateSolidBrush(color.toPlatformColor());
    if (!paint) return;
    FillRect(device, &block, paint);
    DeleteObject(paint);
}

CColorValue CDrawContext::getPixel(const CPosition& point) {
    const CPosition at = toDevicePoint(point);
    const COLORREF value = GetPixel(device, at.h, at.v);
    return CColorValue::fromPlatformColor(value, kOpaqueAlpha);
}

void CDrawContext::floodFill(const CPosition& point) {
    const CPosition at = toDevicePoint(point);
    const int h = at.h;
    const int v = at.v;
    ExtFloodFill(device, h, v, GetPixel(device, h, v), FLOODFILLSURFACE);
}

std::int32_t CDrawContext::measureText(const char* text) {
    if (!text) return 0;
    SIZE extent = {};
    if (!GetTextExtentPoint32A(device, text, static_cast<int>(std::strlen(text)), &extent))
        return 0;
    if (scale == 1.0) return extent.cx;
    return static_cast<std::int32_t>(std::lround(extent.cx / scale));
}

void CDrawContext::drawText(const char* text, const CRectangle& rect, std::int32_t opaque,
                            CTextAlign align) {
    if (!text) return;
    const bool paintCells = (static_cast<std::uint32_t>(opaque) & kOpaqueMask) != 0;
    SetBkMode(device, paintCells ? OPAQUE : TRANSPARENT);
    RECT box = asRect(toDeviceRect(rect));
    UINT format = kTextFormat;
    switch (align) {
        case kAlignCenter: format |= DT_CENTER; break;
        case kAlignRight: format |= DT_RIGHT; break;
        default:
            format |= DT_LEFT;
            box.left += toDevice(kLeftTextInset, scale);
            break;
    }
    DrawTextA(device, text, static_cast<int>(std::strlen(text)), &box, format);
    SetBkMode(device, TRANSPARENT);
}

ButtonState CDrawContext::getButtonState() const {
    ButtonState state = 0;
    const ButtonState physicalLeft = mouseButtonsSwapped ? kButtonRight : kButtonLeft;
    const ButtonState physicalRight = mouseButtonsSwapped ? kButtonLeft : kButtonRight;
    if (keyDown(VK_LBUTTON)) state |= physicalLeft;
    if (keyDown(VK_MBUTTON)) state |= kButtonMiddle;
    if (keyDown(VK_RBUTTON)) state |= physicalRight;
    if (keyDown(VK_SHIFT)) state |= kModifierShift;
    if (keyDown(VK_CONTROL)) state |= kModifierControl;
    if (keyDown(VK_MENU)) state |= kModifierAlt;
    return state;
}

void CDrawContext::getMousePosition(CPosition& where) const {
    POINT cursor = {};
    GetCursorPos(&cursor);
    // Window pixels to panel units; what the containers added to windowOrigin is in panel units.
    const CPosition inWindow =
        toPanel(CPosition(cursor.x - screenOrigin.h, cursor.y - screenOrigin.v), scale);
    where = CPosition(inWindow.h + screenOrigin.h - windowOrigin.h,
                      inWindow.v + screenOrigin.v - windowOrigin.v);
}

bool CDrawContext::nearStart(const CPosition& start) const {
    CPosition now;
    getMousePosition(now);
    return now.h >= start.h - kClickTolerance && now.h < start.h + kClickTolerance &&
           now.v >= start.v - kClickTolerance && now.v < start.v + kClickTolerance;
}

bool CDrawContext::waitForDoubleClick() {
    CPosition start;
    getMousePosition(start);
    // Measured from the first click, the message being handled.
    const DWORD deadline = static_cast<DWORD>(GetMessageTime()) + GetDoubleClickTime();
    if (GetTickCount() >= deadline) return false;
    for (;;) {
        if (!nearStart(start)) return false;
        MSG message;
        if (PeekMessageA(&message, nullptr, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE | PM_NOYIELD))
            return true;
        if (GetTickCount() >= deadline) return false;
    }
}

bool CDrawContext::waitForDrag() {
    if (!frame) return false;
    CPosition start;
    getMousePosition(start);
    while ((getButtonState() & kButtonLeft) != 0) {
        // The host may close the editor from its idle, and the frame goes with it.
        if (!runFrameIdle(frame)) {
            frame = nullptr;
            return false;
        }
        if (!nearStart(start)) return true;
    }
    return false;
}

}  // namespace gui
