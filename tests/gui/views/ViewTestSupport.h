// Views that record what the tree does to them, and a drawing surface with a context on it, for
// the tests of the view base and the container.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/draw/PixelSurface.h"
#include "gui/views/CViewContainer.h"

namespace viewtest {

using gui::CDrawContext;
using gui::CPosition;
using gui::CRectangle;

// Colour a fresh surface starts with; no test draws with it.
constexpr std::uint32_t kUntouched = 0x00336699;

inline std::uint32_t rgbOfColor(const gui::CColorValue& color) {
    return rgbOf(color.red, color.green, color.blue);
}

// Events in the order they happened, shared by every view of a test.
using EventLog = std::vector<std::string>;

// A plain view that writes each call it gets into a log, tagged with its name, and that fills
// its whole rectangle (left column and top row included) when it has a colour.
class RecordingView : public gui::CView {
  public:
    RecordingView(const CRectangle& size, std::string name, EventLog* log = nullptr)
        : CView(size), name(std::move(name)), log(log) {}
    ~RecordingView() override {
        if (destroyed) *destroyed = true;
    }

    void draw(CDrawContext* context) override {
        ++draws;
        record("draw");
        if (painting && context) {
            context->setFillColor(paint);
            context->fillRectangle(
                CRectangle(size.left - 1, size.top - 1, size.right, size.bottom));
        }
        CView::draw(context);
    }
    void mouse(CDrawContext*, CPosition& where, std::int32_t buttons) override {
        lastPoint = where;
        lastButtons = buttons;
        record("mouse");
    }
    std::int32_t onKeyDown(VstKeyCode&) override {
        record("keyDown");
        return keyResult;
    }
    std::int32_t onKeyUp(VstKeyCode&) override {
        record("keyUp");
        return keyResult;
    }
    bool onWheelAxis(CDrawContext*, const CPosition& where, std::int32_t axis, float) override {
        lastPoint = where;
        lastAxis = axis;
        record("wheel");
        return true;
    }
    bool onDrop(CDrawContext*, gui::CDragContainer*, const CPosition& where) override {
        lastPoint = where;
        record("drop");
        return true;
    }
    void onDragEnter(CDrawContext*, gui::CDragContainer*, const CPosition& where) override {
        lastPoint = where;
        record("enter");
    }
    void onDragLeave(CDrawContext*, gui::CDragContainer*, const CPosition&) override {
        record("leave");
    }
    void onDragMove(CDrawContext*, gui::CDragContainer*, const CPosition& where) override {
        lastPoint = where;
        record("move");
    }
    void loseFocus(CDrawContext*) override { record("loseFocus"); }
    void gainFocus(CDrawContext*) override { record("gainFocus"); }
    void redrawArea(CDrawContext* context, const CRectangle& rect) override {
        lastRedraw = rect;
        record("redrawArea");
        CView::redrawArea(context, rect);
    }

    void fillWith(const gui::CColorValue& color) {
        painting = true;
        paint = color;
    }
    void record(const std::string& what) {
        if (log) log->push_back(name + ":" + what);
    }

    std::string name;
    EventLog* log;
    int draws = 0;
    std::int32_t keyResult = gui::kKeyNotHandled;
    CPosition lastPoint{-999, -999};
    std::int32_t lastButtons = 0;
    std::int32_t lastAxis = 0;
    CRectangle lastRedraw;
    bool* destroyed = nullptr;
    bool painting = false;
    gui::CColorValue paint;
};

// A container that logs its own update and redraw requests before doing the real work.
class RecordingContainer : public gui::CViewContainer {
  public:
    RecordingContainer(const CRectangle& size, gui::CFrame* frame, std::string name, EventLog* log)
        : CViewContainer(size, frame), name(std::move(name)), log(log) {}

    void update(CDrawContext* context) override {
        if (log) log->push_back(name + ":update");
        CViewContainer::update(context);
    }
    void redrawArea(CDrawContext* context, const CRectangle& rect) override {
        if (log) log->push_back(name + ":redrawArea");
        CViewContainer::redrawArea(context, rect);
    }

    std::string name;
    EventLog* log;
};

// A pixel surface and a context drawing into it, with no frame and no window.
struct Canvas {
    explicit Canvas(int width = 120, int height = 120) : surface(width, height) {
        surface.fill(kUntouched);
        context = std::make_unique<CDrawContext>(nullptr, surface.device(), nullptr);
    }
    std::uint32_t at(int x, int y) const { return surface.rgb(x, y); }

    PixelSurface surface;
    std::unique_ptr<CDrawContext> context;
};

// Paints a rectangle of a bitmap straight through GDI.
inline void paintBitmap(gui::CBitmap& bitmap, const RECT& area, COLORREF color) {
    HDC device = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(device, bitmap.getHandle());
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(device, &area, brush);
    DeleteObject(brush);
    SelectObject(device, previous);
    DeleteDC(device);
}

}  // namespace viewtest
