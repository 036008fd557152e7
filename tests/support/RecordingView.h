// A view that records what the tree and the frame do to it, shared by the view, frame and control
// tests: each call goes into an optional event log under the view's name, and the input that
// arrives is kept for the test to look at.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/draw/CDrawContext.h"
#include "gui/views/CView.h"

namespace testsupport {

// Events in the order they happened, shared by every view of a test.
using EventLog = std::vector<std::string>;

class RecordingView : public gui::CView {
  public:
    // A named view that logs its calls and paints only after fillWith.
    RecordingView(const gui::CRectangle& size, std::string name, EventLog* log = nullptr)
        : CView(size), name(std::move(name)), log(log) {}
    // A view that paints itself in one colour and counts its destruction.
    explicit RecordingView(const gui::CRectangle& size, gui::CColorValue color = gui::kRedColor,
                           int* destroyedCount = nullptr)
        : CView(size), destroyedCount(destroyedCount) {
        fillWith(color);
    }
    ~RecordingView() override {
        if (destroyed) *destroyed = true;
        if (destroyedCount) ++*destroyedCount;
    }

    // Fills the whole rectangle, left column and top row included.
    void draw(gui::CDrawContext* context) override {
        ++draws;
        record("draw");
        if (painting && context) {
            context->setFillColor(paint);
            context->fillRectangle(
                gui::CRectangle(size.left - 1, size.top - 1, size.right, size.bottom));
        }
        CView::draw(context);
    }
    void mouse(gui::CDrawContext*, gui::CPosition& where, std::int32_t buttons) override {
        clicks.push_back(where);
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
    bool onWheel(gui::CDrawContext* context, const gui::CPosition& where, float distance) override {
        return onWheelAxis(context, where, kVerticalAxis, distance);
    }
    bool onWheelAxis(gui::CDrawContext*, const gui::CPosition& where, std::int32_t axis,
                     float distance) override {
        lastPoint = where;
        wheelWhere = where;
        lastAxis = axis;
        wheelDistances.push_back(distance);
        record("wheel");
        return true;
    }
    bool onDrop(gui::CDrawContext*, gui::CDragContainer*, const gui::CPosition& where) override {
        lastPoint = where;
        record("drop");
        return true;
    }
    void onDragEnter(gui::CDrawContext*, gui::CDragContainer*,
                     const gui::CPosition& where) override {
        lastPoint = where;
        record("enter");
    }
    void onDragLeave(gui::CDrawContext*, gui::CDragContainer*, const gui::CPosition&) override {
        record("leave");
    }
    void onDragMove(gui::CDrawContext*, gui::CDragContainer*,
                    const gui::CPosition& where) override {
        lastPoint = where;
        record("move");
    }
    void loseFocus(gui::CDrawContext* context) override {
        ++focusLosses;
        lostFocusWithContext = context != nullptr;
        record("loseFocus");
    }
    void gainFocus(gui::CDrawContext*) override { record("gainFocus"); }
    void redrawArea(gui::CDrawContext* context, const gui::CRectangle& rect) override {
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

    static constexpr std::int32_t kVerticalAxis = 1;

    std::string name;
    EventLog* log = nullptr;
    int draws = 0;
    std::int32_t keyResult = gui::kKeyNotHandled;
    std::vector<gui::CPosition> clicks;
    gui::CPosition lastPoint{-999, -999};
    std::int32_t lastButtons = 0;
    std::int32_t lastAxis = 0;
    gui::CPosition wheelWhere;
    std::vector<float> wheelDistances;
    gui::CRectangle lastRedraw;
    int focusLosses = 0;
    bool lostFocusWithContext = true;
    bool* destroyed = nullptr;
    int* destroyedCount = nullptr;
    bool painting = false;
    gui::CColorValue paint;
};

}  // namespace testsupport
