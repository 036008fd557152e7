// Views that record what the tree does to them, and a drawing surface with a context on it, for
// the tests of the view base and the container.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/draw/PixelSurface.h"
#include "gui/platform/win32/Win32Handles.h"
#include "gui/views/CViewContainer.h"
#include "support/RecordingView.h"

namespace viewtest {

using gui::CDrawContext;
using gui::CPosition;
using gui::CRectangle;

// Colour a fresh surface starts with; no test draws with it.
constexpr std::uint32_t kUntouched = 0x00336699;

using testsupport::EventLog;
using testsupport::RecordingView;

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
    HGDIOBJ previous = SelectObject(device, gui::gdiObject(bitmap.getHandle()));
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(device, &area, brush);
    DeleteObject(brush);
    SelectObject(device, previous);
    DeleteDC(device);
}

}  // namespace viewtest
