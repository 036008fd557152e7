#include "gui/draw/CDrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "gui/draw/FrameAccess.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/platform/PointerInput.h"

namespace gui {

namespace {

// Clip of a context that has no frame to ask for its size.
const CRectangle kUnframedClip(0, 0, 1000, 1000);

// Initial state values that differ from every default, so that applying the defaults creates and
// selects each platform object.
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

constexpr std::uint32_t kOpaqueMask = 0xFFFF;
// Left-aligned text starts one pixel inside its rectangle.
constexpr std::int32_t kLeftTextInset = 1;
// Half the side of the box the cursor may wander in before a click becomes a drag.
constexpr std::int32_t kClickTolerance = 2;
// Point lists up to this length need no heap allocation.
constexpr std::int32_t kLocalPointCount = 30;
constexpr double kPi = 3.14159265358979323846;
constexpr double kDegreesPerTurn = 360.0;
constexpr std::uint8_t kOpaqueAlpha = 255;

platform::RasterOp rasterOp(CRasterMode mode) {
    switch (mode) {
        case kDrawOr: return platform::RasterOp::merge;
        case kDrawXor: return platform::RasterOp::notXor;
        default: return platform::RasterOp::copy;
    }
}

// Selects a freshly made object and deletes the one it replaces. When creation failed the
// previous object stays selected.
template <typename Handle, typename Select, typename Delete>
void selectReplacing(NativeDevice device, Handle created, Handle& current, Select select,
                     Delete destroy) {
    if (!created) return;
    select(device, created);
    if (current) destroy(current);
    current = created;
}

// Caller points moved into device coordinates. get() is null when there is nothing to draw: no
// points, a count below 1, or no memory for a long list.
class DevicePoints {
  public:
    template <typename Mapping>
    DevicePoints(const CPosition* points, std::int32_t count, Mapping toDevice) {
        if (!points || count <= 0) return;
        CPosition* target = local;
        if (count > kLocalPointCount) {
            heap.reset(new (std::nothrow) CPosition[count]);
            target = heap.get();
            if (!target) return;
        }
        for (std::int32_t i = 0; i < count; ++i) target[i] = toDevice(points[i]);
        data = target;
        size = count;
    }

    const CPosition* get() const { return data; }
    std::int32_t count() const { return size; }

  private:
    CPosition local[kLocalPointCount];
    std::unique_ptr<CPosition[]> heap;
    const CPosition* data = nullptr;
    std::int32_t size = 0;
};

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
      penStyle(static_cast<std::int32_t>(platform::PenDash::solid)),
      scale(deviceScale) {
    if (!device && window) {
        device = platform::windowDevice(window);
        ownedDevice = device;
    }
    if (device) {
        savedBrush = platform::currentBrush(device);
        savedPen = platform::currentPen(device);
        savedFont = platform::currentFont(device);
        platform::setTransparentBackground(device, true);
    }
    platform::windowScreenOrigin(window, windowOrigin);
    screenOrigin = windowOrigin;
    applyDefaults();
}

CDrawContext::~CDrawContext() {
    if (savedBrush) platform::selectBrush(device, savedBrush);
    if (savedPen) platform::selectPen(device, savedPen);
    if (savedFont) platform::selectFont(device, savedFont);
    platform::deleteBrush(brush);
    platform::deletePen(pen);
    platform::deleteFont(font);
    if (ownedDevice) platform::releaseWindowDevice(window, ownedDevice);
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
    if (pen) platform::selectPen(device, pen);
    if (brush) platform::selectBrush(device, brush);
    if (font) platform::selectFont(device, font);
    platform::setBackgroundColor(device, fillColor.toPlatformColor());
    platform::setTextColor(device, fontColor.toPlatformColor());
    platform::setRasterOp(device, rasterOp(drawMode));
    platform::setTransparentBackground(device, true);
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
    const auto dash = static_cast<platform::PenDash>(penStyle);
    // At a scale the pen covers whole pixel blocks.
    const NativePen created =
        scale != 1.0 ? platform::createBlockPen(dash, devicePenWidth(), lineColor.toPlatformColor())
                     : platform::createPen(dash, lineWidth, lineColor.toPlatformColor());
    selectReplacing(device, created, pen, platform::selectPen, platform::deletePen);
}

void CDrawContext::replaceBrush() {
    selectReplacing(device, platform::createBrush(fillColor.toPlatformColor()), brush,
                    platform::selectBrush, platform::deleteBrush);
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
    penStyle = static_cast<std::int32_t>(style == kDottedLine ? platform::PenDash::dotted
                                                              : platform::PenDash::solid);
    replacePen();
}

void CDrawContext::setFillColor(const CColorValue& color) {
    if (color == fillColor) return;
    fillColor = color;
    platform::setBackgroundColor(device, fillColor.toPlatformColor());
    replaceBrush();
}

void CDrawContext::setFontColor(const CColorValue& color) {
    fontColor = color;
    platform::setTextColor(device, fontColor.toPlatformColor());
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

    platform::FontRequest request = {};
    request.face = entry.face;
    request.pixelHeight = toDevice(effectiveSize, scale);
    request.bold = (style & kTextBold) != 0 || id == kFontSystem;
    request.italic = (style & kTextItalic) != 0;
    request.underline = (style & kTextUnderline) != 0;
    request.symbol = id == kFontSymbol;
    selectReplacing(device, platform::createFont(request), font, platform::selectFont,
                    platform::deleteFont);
}

void CDrawContext::setDrawMode(CRasterMode mode) {
    if (mode == drawMode) return;
    drawMode = mode;
    platform::setRasterOp(device, rasterOp(mode));
}

void CDrawContext::setClipRectangle(const CRectangle& rect) {
    CRectangle moved = rect;
    moved.offset(offset.h, offset.v);
    if (moved == clipRect) return;
    clipRect = moved;
    platform::clipTo(device, toDevice(moved, scale));
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
    platform::moveTo(device, linePoint(point));
}

void CDrawContext::lineTo(const CPosition& point) {
    const CPosition to(point.h + offset.h, point.v + offset.v);
    if (scale != 1.0) {
        drawScaledSegment(penPosition, to);
        moveTo(point);
        return;
    }
    penPosition = to;
    platform::lineTo(device, linePoint(point));
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
    if (moved.get()) platform::polyline(device, moved.get(), moved.count());
}

void CDrawContext::fillPolygon(const CPosition* points, std::int32_t count) {
    const DevicePoints moved(points, count,
                             [this](const CPosition& p) { return toDevicePoint(p); });
    if (moved.get()) platform::fillPolygon(device, moved.get(), moved.count());
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
    if (style == kFillOnly || style == kFillAndFrame)
        platform::fillRect(device, toDeviceRect(rect), brush);
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
    platform::fillRect(
        device, toDeviceRect(CRectangle(rect.left + 1, rect.top + 1, rect.right, rect.bottom)),
        brush);
}

void CDrawContext::fillEllipse(const CRectangle& rect) {
    const CRectangle box =
        toDeviceRect(CRectangle(rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1));
    platform::fillEllipse(device, box);
}

void CDrawContext::frameEllipse(const CRectangle& rect) {
    const CPosition top(rect.left + (rect.right - rect.left) / 2, rect.top);
    drawArc(rect, top, top);
}

void CDrawContext::drawArc(const CRectangle& rect, const CPosition& start, const CPosition& end) {
    const CRectangle box =
        toDeviceRect(CRectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
    platform::arc(device, box, toDevicePoint(start), toDevicePoint(end));
}

void CDrawContext::fillPie(const CRectangle& rect, const CPosition& start, const CPosition& end) {
    const CRectangle box =
        toDeviceRect(CRectangle(rect.left + 1, rect.top + 1, rect.right, rect.bottom));
    platform::fillPie(device, box, toDevicePoint(start), toDevicePoint(end));
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
    if (style == kFillOnly || style == kFillAndFrame) platform::fillPie(device, box, first, second);
    if (style == kFrameOnly || style == kFillAndFrame) platform::arc(device, box, first, second);
}

void CDrawContext::setPixel(const CPosition& point, const CColorValue& color) {
    if (scale == 1.0) {
        platform::setPixel(device, CPosition(point.h + offset.h, point.v + offset.v),
                           color.toPlatformColor());
        return;
    }
    // The pixel's whole block.
    platform::fillRectWithColor(
        device, toDeviceRect(CRectangle(point.h, point.v, point.h + 1, point.v + 1)),
        color.toPlatformColor());
}

CColorValue CDrawContext::getPixel(const CPosition& point) {
    const std::uint32_t value = platform::getPixel(device, toDevicePoint(point));
    return CColorValue::fromPlatformColor(value, kOpaqueAlpha);
}

void CDrawContext::floodFill(const CPosition& point) {
    platform::floodFill(device, toDevicePoint(point));
}

std::int32_t CDrawContext::measureText(const char* text) {
    if (!text) return 0;
    std::int32_t width = 0;
    if (!platform::textWidth(device, text, static_cast<std::int32_t>(std::strlen(text)), width))
        return 0;
    if (scale == 1.0) return width;
    return static_cast<std::int32_t>(std::lround(width / scale));
}

void CDrawContext::drawText(const char* text, const CRectangle& rect, std::int32_t opaque,
                            CTextAlign align) {
    if (!text) return;
    const bool paintCells = (static_cast<std::uint32_t>(opaque) & kOpaqueMask) != 0;
    platform::setTransparentBackground(device, !paintCells);
    CRectangle box = toDeviceRect(rect);
    platform::TextPlacement placement = platform::TextPlacement::left;
    switch (align) {
        case kAlignCenter: placement = platform::TextPlacement::center; break;
        case kAlignRight: placement = platform::TextPlacement::right; break;
        default: box.left += toDevice(kLeftTextInset, scale); break;
    }
    platform::drawText(device, text, static_cast<std::int32_t>(std::strlen(text)), box, placement);
    platform::setTransparentBackground(device, true);
}

ButtonState CDrawContext::getButtonState() const {
    const std::int32_t down = platform::pointerButtons();
    ButtonState state = 0;
    if ((down & platform::kPrimaryDown) != 0) state |= kButtonLeft;
    if ((down & platform::kMiddleDown) != 0) state |= kButtonMiddle;
    if ((down & platform::kSecondaryDown) != 0) state |= kButtonRight;
    if ((down & platform::kShiftDown) != 0) state |= kModifierShift;
    if ((down & platform::kControlDown) != 0) state |= kModifierControl;
    if ((down & platform::kAltDown) != 0) state |= kModifierAlt;
    return state;
}

void CDrawContext::getMousePosition(CPosition& where) const {
    const CPosition cursor = platform::cursorScreenPosition();
    // Window pixels to panel units; what the containers added to windowOrigin is in panel units.
    const CPosition inWindow =
        toPanel(CPosition(cursor.h - screenOrigin.h, cursor.v - screenOrigin.v), scale);
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
    const std::uint32_t deadline = platform::currentMessageTime() + platform::doubleClickTime();
    if (platform::tickCount() >= deadline) return false;
    for (;;) {
        if (!nearStart(start)) return false;
        if (platform::takePrimaryPress()) return true;
        if (platform::tickCount() >= deadline) return false;
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
