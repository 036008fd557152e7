// The loop that runs an option menu's popup on X11, on the UI thread: it grabs the pointer and
// the keyboard for the popup's windows, opens and closes submenus as the pointer and the keys
// move, keeps the frame drawing meanwhile, and ends with the chosen item's identifier. Only the
// X11 backend includes this.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/platform/x11/X11PopupWindow.h"

namespace gui::x11 {

class PopupTracker {
  public:
    // windows holds one window per menu of the plan, in the plan's order; the top menu first.
    // openingButton is the X button whose press opened the popup (0 for none): its release
    // soon after leaves the popup open, as desktop menus do.
    PopupTracker(Display* display, const std::vector<PopupWindow*>& windows,
                 unsigned int openingButton);
    ~PopupTracker();
    PopupTracker(const PopupTracker&) = delete;
    PopupTracker& operator=(const PopupTracker&) = delete;

    // Shows the top menu at the screen point and tracks until the popup closes; the chosen
    // identifier, or -1 for none.
    std::intptr_t run(const CPosition& at);
    // Ends the loop without a choice; from inside it (the loop's own calls into the toolkit).
    void cancel() { finished = true; }
    // The loop running now, if any.
    static PopupTracker* running();

  private:
    bool grab();
    void ungrab();
    bool takeEvent(XEvent& event);
    void waitForEvents();
    void handle(XEvent& event);
    void pointerMoved(const CPosition& point);
    void buttonReleased(const XButtonEvent& release);
    void keyPressed(XKeyEvent& press);
    void activate(std::int32_t depth, std::int32_t index, bool byKey);
    // The open menu deepest in the stack that holds the point; -1 for none.
    std::int32_t depthAt(const CPosition& point) const;
    PopupWindow& at(std::int32_t depth) const;
    void openSubMenu(std::int32_t depth, std::int32_t index);
    void closeAbove(std::int32_t depth);
    void choose(const PopupItem& item);
    // A corner for a window of the size that keeps it on the screen: wanted if it fits, else
    // moved in, or to the other side of the parent's rectangle when flipping is given.
    CPosition keptOnScreen(const CPosition& wanted, std::int32_t width, std::int32_t height,
                           const CRectangle* flipAround) const;
    bool owns(::Window window) const;
    static int isOwnEvent(Display* display, XEvent* event, XPointer tracker);

    Display* display;
    std::vector<PopupWindow*> windows;
    // The plan's menus shown, the top one first.
    std::vector<std::int32_t> openMenus;
    unsigned int openingButton;
    std::uint32_t openedAt = 0;
    bool pressedSinceOpening = false;
    bool grabbed = false;
    bool finished = false;
    std::intptr_t chosen = -1;
    PopupTracker* outer;
};

}  // namespace gui::x11
