// An option menu with a scheme has its popup's items measured and drawn by the scheme on X11 too,
// as on Windows: the popup shows the scheme's colours, not the backend's own.
#include <gtest/gtest.h>
// Xlib's macros would rename parts of the test framework: it comes first.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <atomic>
#include <thread>

#include "gui/controls/COptionMenu.h"
#include "gui/controls/COptionMenuScheme.h"
#include "gui/views/CFrame.h"
#include "gui/x11/InputPlayer.h"

namespace {

constexpr int kFrameWidth = 200;
constexpr int kFrameHeight = 100;
// The scheme's own colours, unlike the backend's light grey menu and blue highlight.
constexpr gui::CColorValue kSchemeBackground{10, 120, 30, 255};
constexpr gui::CColorValue kSchemeSelection{200, 20, 20, 255};
constexpr unsigned long kSchemeBackgroundPixel = 0x0A781E;

// The colour of the popup's pixel a little inside its right edge, halfway down its first item.
unsigned long firstItemPixel(Display* display, const ScreenRect& popup) {
    XImage* image = XGetImage(display, DefaultRootWindow(display), popup.x + popup.width - 4,
                              popup.y + 6, 1, 1, AllPlanes, ZPixmap);
    if (!image) return 0;
    const unsigned long pixel = XGetPixel(image, 0, 0) & 0xFFFFFF;
    XDestroyImage(image);
    return pixel;
}

TEST(SchemePopup, TheSchemeDrawsThePopupsItemsInItsOwnColours) {
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window host = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, kFrameWidth,
                                            kFrameHeight, 0, 0, 0);
    XMapWindow(display, host);
    XSync(display, False);
    auto* frame = new gui::CFrame(
        gui::CRectangle(0, 0, kFrameWidth, kFrameHeight),
        gui::NativeWindow::atAddress(reinterpret_cast<void*>(static_cast<std::uintptr_t>(host))),
        nullptr);
    ASSERT_TRUE(frame->getWindow());
    auto* menu = new gui::COptionMenu(gui::CRectangle(10, 10, 110, 30), nullptr, 1);
    menu->addEntry("One");
    menu->addEntry("Two");
    auto* scheme = new gui::COptionMenuScheme();
    scheme->setColors(kSchemeBackground, kSchemeSelection, gui::kBlackColor, gui::kWhiteColor,
                      gui::kGreyColor);
    menu->setScheme(scheme);
    scheme->release();
    frame->addView(menu);

    std::atomic<unsigned long> seen{0};
    std::atomic<int> popupsSeen{0};
    std::thread player([&] {
        InputPlayer input;
        for (int tries = 0; tries < 100 && input.popups().empty(); ++tries) input.wait(20);
        const std::vector<ScreenRect> popups = input.popups();
        popupsSeen = static_cast<int>(popups.size());
        if (!popups.empty()) {
            Display* own = XOpenDisplay(nullptr);
            seen = firstItemPixel(own, popups.back());
            XCloseDisplay(own);
        }
        input.key(XK_Escape);
    });
    // The menu has the focus, as a click gives it, and opens its popup until Escape.
    frame->setFocusView(menu);
    menu->gainFocus(nullptr);
    player.join();
    EXPECT_EQ(popupsSeen.load(), 1);
    EXPECT_EQ(seen.load(), kSchemeBackgroundPixel);
    delete frame;
    XDestroyWindow(display, host);
    XCloseDisplay(display);
}

}  // namespace
