// Views that record what the tree does to them, and a drawing surface with a context on it, for
// the tests of the view base and the container.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/draw/CBitmap.h"
#include "gui/draw/CDrawContext.h"
#include "gui/draw/PixelSurface.h"
#include "gui/platform/DrawingDevice.h"
#include "gui/platform/OffscreenSurface.h"
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

// A colour as the platform's drawing calls take it, 0x00BBGGRR.
constexpr std::uint32_t platformRgb(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(blue) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(red);
}

// Paints a rectangle of a bitmap straight through the platform, bypassing the drawing context.
inline void paintBitmap(gui::CBitmap& bitmap, const CRectangle& area, std::uint32_t color) {
    const gui::NativeDevice device = gui::platform::createMemoryDevice(nullptr);
    const gui::NativeBitmap previous = gui::platform::selectBitmap(device, bitmap.getHandle());
    gui::platform::fillRectWithColor(device, area, color);
    gui::platform::selectBitmap(device, previous);
    gui::platform::deleteMemoryDevice(device);
}

}  // namespace viewtest
