// The one object every view draws through: it wraps a GDI device, keeps the drawing state and the
// pen, brush and font that express it, and answers the mouse questions views ask while tracking.
#pragma once

#include <cstdint>

#include "gui/draw/CReferenceCounter.h"
#include "gui/draw/GuiTypes.h"
#include "gui/draw/Scaling.h"
#include "gui/platform/NativeHandle.h"

namespace gui {

class CFrame;

enum CLinePattern : std::int32_t { kSolidLine = 0, kDottedLine = 1 };

// Values outside the list draw in copy mode.
enum CRasterMode : std::int32_t { kDrawCopy = 0, kDrawOr = 1, kDrawXor = 2 };

// Values outside the list draw nothing.
enum CShapeStyle : std::int32_t { kFrameOnly = 0, kFillOnly = 1, kFillAndFrame = 2 };

// Values outside the list align left.
enum CTextAlign : std::int32_t { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

// Indexes into the font table; any other id selects kFontSystem.
enum CFontId : std::int32_t {
    kFontSystem = 0,
    kFontHuge,
    kFontLarge,
    kFontNormal,
    kFontSmall,
    kFontSmaller,
    kFontTiny,
    kFontSymbol,
    kNumFonts
};

// Font style bits.
enum CTextStyle : std::int32_t {
    kNormalFace = 0,
    kTextBold = 1,
    kTextItalic = 2,
    kTextUnderline = 4
};

// One entry of the font table: the face name and the default pixel height.
struct CFontDescription {
    const char* face;
    std::int32_t defaultSize;
};
// Any id outside the table gives kFontSystem's entry, as setFont does.
CFontDescription fontTableEntry(std::int32_t id);

// Mouse buttons and modifier keys down at one moment. kButtonLeft is always the primary button,
// whichever physical button the system has made primary.
using ButtonState = std::int32_t;
enum ButtonStateBits : std::int32_t {
    kButtonLeft = 1,
    kButtonMiddle = 2,
    kButtonRight = 4,
    kModifierShift = 8,
    kModifierControl = 16,
    kModifierAlt = 32
};

class CDrawContext : public CReferenceCounter {
  public:
    // Any argument may be null. With a window but no device the context takes the window's device
    // and gives it back when destroyed; a device handed in is left to its owner.
    CDrawContext(CFrame* frame, NativeDevice device, NativeWindow window);
    ~CDrawContext() override;

    void setLineColor(const CColorValue& color);
    CColorValue getLineColor() const { return lineColor; }
    void setLineWidth(std::int32_t width);
    std::int32_t getLineWidth() const { return lineWidth; }
    void setLineStyle(CLinePattern style);
    CLinePattern getLineStyle() const { return lineStyle; }
    void setFillColor(const CColorValue& color);
    CColorValue getFillColor() const { return fillColor; }
    void setFontColor(const CColorValue& color);
    CColorValue getFontColor() const { return fontColor; }
    // A size of 0 takes the font's default size.
    void setFont(std::int32_t id, std::int32_t size = 0, std::int32_t style = kNormalFace);
    std::int32_t getFontId() const { return fontId; }
    std::int32_t getFontSize() const { return fontSize; }
    std::int32_t getFontStyle() const { return fontStyle; }
    void setDrawMode(CRasterMode mode);
    CRasterMode getDrawMode() const { return drawMode; }

    // In the caller's coordinates; the current offset is added when the clip is stored.
    void setClipRectangle(const CRectangle& rect);
    CRectangle getClipRectangle() const;
    void resetClipRectangle();

    void moveTo(const CPosition& point);
    void lineTo(const CPosition& point);
    // lineCount pairs of points, each pair one line.
    void drawLines(const CPosition* points, const std::int32_t& lineCount);
    void drawPolyline(const CPosition* points, std::int32_t count);
    void fillPolygon(const CPosition* points, std::int32_t count);
    // The outline is open unless the last point repeats the first.
    void drawPolygon(const CPosition* points, std::int32_t count, CShapeStyle style = kFrameOnly);
    void drawRectangle(const CRectangle& rect, CShapeStyle style = kFrameOnly);
    // Leaves the left column and the top row alone.
    void fillRectangle(const CRectangle& rect);
    void fillEllipse(const CRectangle& rect);
    void frameEllipse(const CRectangle& rect);
    void drawArc(const CRectangle& rect, const CPosition& start, const CPosition& end);
    void fillPie(const CRectangle& rect, const CPosition& start, const CPosition& end);
    // Degrees counter-clockwise from three o'clock.
    void drawArcByAngles(const CRectangle& rect, float startAngle, float endAngle,
                         CShapeStyle style);
    void setPixel(const CPosition& point, const CColorValue& color);
    // Alpha is always 255.
    CColorValue getPixel(const CPosition& point);
    void floodFill(const CPosition& point);

    // Width in pixels in the current font; 0 for a null text.
    std::int32_t measureText(const char* text);
    // One line, vertically centred, clipped to rect. Only the low 16 bits of opaque count.
    void drawText(const char* text, const CRectangle& rect, std::int32_t opaque, CTextAlign align);

    ButtonState getButtonState() const;
    // Screen cursor position relative to windowOrigin; offset is not applied.
    void getMousePosition(CPosition& where) const;
    bool waitForDoubleClick();
    bool waitForDrag();

    // Device pixels per panel unit: the frame's scale for a context of the frame, else 1.
    double getScale() const { return scale; }
    // A point or rectangle in the caller's coordinates as device pixels: offset added, scaled.
    CPosition toDevicePoint(const CPosition& point) const {
        return toDevice(CPosition(point.h + offset.h, point.v + offset.v), scale);
    }
    CRectangle toDeviceRect(const CRectangle& rect) const {
        CRectangle moved = rect;
        return toDevice(moved.offset(offset.h, offset.v), scale);
    }

    NativeDevice getDevice() const { return device; }
    NativeWindow getWindow() const { return window; }
    CFrame* getFrame() const { return frame; }

    // Containers and views shift these while their children draw, and put them back.
    CPosition windowOrigin;
    CPosition offset;

  protected:
    // As above, at an explicit scale: a context over a bitmap's own pixels is always at 1.
    CDrawContext(CFrame* frame, NativeDevice device, NativeWindow window, double scale);
    // Selects the current pen, brush and font into a device set after construction and applies
    // the colours, raster mode and transparent background to it.
    void adoptDevice();

    NativeDevice device = nullptr;
    // An offscreen context keeps its memory bitmap here.
    NativeWindow window = nullptr;
    CFrame* frame = nullptr;
    std::int32_t fontSize;
    std::int32_t fontStyle;
    std::int32_t fontId;
    CColorValue fontColor;
    std::int32_t lineWidth;
    CColorValue lineColor;
    CColorValue fillColor;
    CLinePattern lineStyle;
    CRasterMode drawMode;
    // Device coordinates: offset included.
    CRectangle clipRect;
    NativeBrush brush = nullptr;
    NativePen pen = nullptr;
    NativeFont font = nullptr;
    NativeBrush savedBrush = nullptr;
    NativePen savedPen = nullptr;
    NativeFont savedFont = nullptr;
    std::int32_t penStyle;
    NativeDevice ownedDevice = nullptr;
    double scale = 1.0;
    // The window's top-left corner on the screen, where windowOrigin starts.
    CPosition screenOrigin;
    // Where the next lineTo starts, in the frame's units with the offset of its moveTo.
    CPosition penPosition;

  private:
    void applyDefaults();
    void replacePen();
    void replaceBrush();
    CPosition radialPoint(const CRectangle& rect, float angle) const;
    // Where a line through the pixel at point runs on the device: the middle of its scaled block.
    CPosition linePoint(const CPosition& point) const;
    std::int32_t devicePenWidth() const;
    // A line at a scale other than 1, between points in the frame's units (offset included).
    void drawScaledSegment(const CPosition& from, const CPosition& to);
    void fillDeviceBlock(const CRectangle& panelRect);
    bool nearStart(const CPosition& start) const;
};

}  // namespace gui
