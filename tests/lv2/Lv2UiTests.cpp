// The UI object loaded as LV2 hosts load it, shown in a host's window on a virtual display: what
// it tells the host, how the panel follows the ports and reports the user's drags, the odd calls
// of hosts, and the resources a long session leaves on the server.
#include <gtest/gtest.h>

// After the test framework, whose names X11's macros (None) would replace.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XRes.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <thread>

#include "lv2/UiHostDouble.h"

using lv2test::UiHostDouble;

namespace {

constexpr std::uint32_t kExpansionPort = 4;
constexpr std::uint32_t kOutputPort = 5;
// The expansion knob's top, the logo at the panel's right, in panel pixels at scale 1.
constexpr int kKnobLeft = 64, kKnobTop = 0, kKnobSize = 80;
constexpr int kLogoLeft = 640, kLogoWidth = 112, kLogoHeight = 80;

struct Connection {
    Display* display = XOpenDisplay(nullptr);
    ~Connection() {
        if (display) XCloseDisplay(display);
    }
};

std::vector<unsigned long> pixelsOf(Display* display, Window window, int left, int top, int width,
                                    int height) {
    std::vector<unsigned long> pixels;
    XSync(display, False);
    XImage* image = XGetImage(display, window, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (!image) return pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(XGetPixel(image, x, y));
    XDestroyImage(image);
    return pixels;
}

bool anyLit(const std::vector<unsigned long>& pixels) {
    for (unsigned long pixel : pixels)
        if (pixel & 0xFFFFFF) return true;
    return false;
}

// A few idle calls with the server's replies in between, so that every exposure is painted.
void settle(UiHostDouble& host, Display* display, int rounds = 10) {
    for (int i = 0; i < rounds && host.handle; ++i) {
        XSync(display, False);
        if (host.idle() != 0) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::vector<unsigned long> knobPixels(Display* display, const UiHostDouble& host) {
    return pixelsOf(display, host.widget, kKnobLeft, kKnobTop, kKnobSize, kKnobSize);
}

// A left-button drag with the server's test extension, from another connection and thread, as
// the user makes it; the host keeps calling idle meanwhile, and the knob tracks inside it.
void dragOnScreen(UiHostDouble& host, Display* display, int fromX, int fromY, int stepX,
                  int steps) {
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, host.widget, DefaultRootWindow(display), fromX, fromY, &rootX,
                          &rootY, &child);
    std::atomic<bool> done{false};
    std::thread user([&] {
        Connection input;
        const auto pause = [&] {
            XFlush(input.display);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        };
        XTestFakeMotionEvent(input.display, -1, rootX, rootY, 0);
        pause();
        XTestFakeButtonEvent(input.display, 1, True, 0);
        pause();
        for (int i = 1; i <= steps; ++i) {
            XTestFakeMotionEvent(input.display, -1, rootX + i * stepX, rootY + i, 0);
            pause();
        }
        XTestFakeButtonEvent(input.display, 1, False, 0);
        pause();
        done = true;
    });
    while (!done && host.handle)
        if (host.idle() != 0) break;
    user.join();
    settle(host, display);
}

struct ServerResources {
    long windows = 0, pixmaps = 0, contexts = 0;
    int clients = 0;
};

// Every client's windows, pixmaps and graphics contexts, as the server's XRes extension counts.
ServerResources serverResources(Display* display) {
    ServerResources counted;
    XResClient* clients = nullptr;
    if (!XResQueryClients(display, &counted.clients, &clients)) return counted;
    const Atom window = XInternAtom(display, "WINDOW", False);
    const Atom pixmap = XInternAtom(display, "PIXMAP", False);
    const Atom context = XInternAtom(display, "GC", False);
    for (int i = 0; i < counted.clients; ++i) {
        int typeCount = 0;
        XResType* types = nullptr;
        if (!XResQueryClientResources(display, clients[i].resource_base, &typeCount, &types))
            continue;
        for (int t = 0; t < typeCount; ++t) {
            if (types[t].resource_type == window) counted.windows += types[t].count;
            if (types[t].resource_type == pixmap) counted.pixmaps += types[t].count;
            if (types[t].resource_type == context) counted.contexts += types[t].count;
        }
        XFree(types);
    }
    XFree(clients);
    return counted;
}

class Lv2Ui : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NE(x.display, nullptr); }
    Connection x;
};

}  // namespace

TEST_F(Lv2Ui, OpensInTheHostsWindowAtTheHostsScaleAndPaintsTheLogo) {
    for (const float scale : {0.0f, 2.0f}) {
        UiHostDouble host(x.display, scale);
        const auto opened = std::chrono::steady_clock::now();
        ASSERT_TRUE(host.instantiate());
        while (!anyLit(pixelsOf(x.display, host.widget, kLogoLeft, 0, kLogoWidth, kLogoHeight)))
            ASSERT_EQ(host.idle(), 0);
        const std::chrono::duration<double, std::milli> firstPaint =
            std::chrono::steady_clock::now() - opened;
        std::printf("open to first paint at scale %.0f: %.1f ms\n", scale, firstPaint.count());
        Window root, parent, *children = nullptr;
        unsigned childCount = 0;
        XQueryTree(x.display, host.widget, &root, &parent, &children, &childCount);
        XFree(children);
        EXPECT_EQ(parent, host.window);
        const int factor = scale == 0.0f ? 1 : 2;
        ASSERT_FALSE(host.sizes.empty());
        EXPECT_EQ(host.sizes.back(), std::make_pair(752 * factor, 80 * factor));
    }
}

TEST_F(Lv2Ui, PortEventsMoveThePanelAndOddOnesLeaveItAsItWas) {
    UiHostDouble host(x.display);
    ASSERT_TRUE(host.instantiate());
    settle(host, x.display);
    host.portEvent(kExpansionPort, 0.0f);
    settle(host, x.display);
    const auto atZero = knobPixels(x.display, host);
    host.portEvent(kExpansionPort, 100.0f);
    settle(host, x.display);
    const auto atHundred = knobPixels(x.display, host);
    EXPECT_NE(atZero, atHundred);
    // Past the port's top is its top; the rest are ignored.
    host.portEvent(kExpansionPort, 0.0f);
    host.portEvent(kExpansionPort, 250.0f);
    settle(host, x.display);
    EXPECT_EQ(knobPixels(x.display, host), atHundred);
    host.portEvent(kExpansionPort, std::numeric_limits<float>::quiet_NaN());
    host.portEvent(kExpansionPort, 0.0f, 8);
    host.portEvent(kExpansionPort, 0.0f, 4, 7);
    for (std::uint32_t port : {0u, 3u, 6u, 0xFFFFFFFFu}) host.portEvent(port, 0.0f);
    settle(host, x.display);
    EXPECT_EQ(knobPixels(x.display, host), atHundred);
    EXPECT_TRUE(host.writes.empty());
}

TEST_F(Lv2Ui, DragWritesTheExpansionPortBetweenBalancedTouches) {
    UiHostDouble host(x.display);
    ASSERT_TRUE(host.instantiate());
    host.portEvent(kOutputPort, -6.0f);
    settle(host, x.display);
    // From above the knob's centre to the right: clockwise, up from the default 50 %.
    dragOnScreen(host, x.display, kKnobLeft + 40, 10, 6, 8);
    ASSERT_GE(host.writes.size(), 2u);
    for (const auto& write : host.writes) EXPECT_EQ(write.port, kExpansionPort);
    EXPECT_GT(host.writes.back().value, 60.0f);
    EXPECT_LE(host.writes.back().value, 100.0f);
    ASSERT_EQ(host.touches.size(), 2u);
    EXPECT_EQ(host.touches[0].port, kExpansionPort);
    EXPECT_TRUE(host.touches[0].grabbed);
    EXPECT_EQ(host.touches[1].port, kExpansionPort);
    EXPECT_FALSE(host.touches[1].grabbed);
}

TEST_F(Lv2Ui, RefusesWithoutAParentAWindowOrADisplayWithOneLine) {
    UiHostDouble host(x.display);
    const char* display = std::getenv("DISPLAY");
    ASSERT_NE(display, nullptr);
    const std::string displayName = display;
    for (int refusal = 0; refusal < 3; ++refusal) {
        if (refusal == 2) setenv("DISPLAY", ":4095", 1);
        testing::internal::CaptureStderr();
        EXPECT_FALSE(
            host.instantiate(refusal == 0 ? 0 : (refusal == 1 ? 0x7FFFFFF1 : host.window)));
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    setenv("DISPLAY", displayName.c_str(), 1);
    EXPECT_TRUE(host.instantiate());
}

TEST_F(Lv2Ui, IdleReportsTheEndOnceTheHostsWindowIsDestroyed) {
    UiHostDouble host(x.display);
    ASSERT_TRUE(host.instantiate());
    settle(host, x.display);
    ASSERT_EQ(host.idle(), 0);
    XDestroyWindow(x.display, host.window);
    XSync(x.display, False);
    int ended = 0;
    for (int i = 0; i < 50 && !ended; ++i) ended = host.idle();
    EXPECT_EQ(ended, 1);
    host.cleanup();
    host.window = XCreateSimpleWindow(x.display, DefaultRootWindow(x.display), 0, 0, 1, 1, 0, 0, 0);
}

// The host closes the UI from its write and touch calls, both made inside the UI's idle.
TEST_F(Lv2Ui, HostClosingTheUiFromInsideItsCallsEndsTheCallsThere) {
    for (const bool inTouch : {false, true}) {
        UiHostDouble host(x.display);
        ASSERT_TRUE(host.instantiate());
        settle(host, x.display);
        (inTouch ? host.onTouch : host.onWrite) = [&] { host.cleanup(); };
        dragOnScreen(host, x.display, kKnobLeft + 40, 10, 6, 8);
        EXPECT_EQ(host.handle, nullptr);
        EXPECT_EQ(host.touches.size(), 1u);
        EXPECT_EQ(host.writes.size(), inTouch ? 0u : 1u);
        Window root, parent, *children = nullptr;
        unsigned childCount = 0;
        XQueryTree(x.display, host.window, &root, &parent, &children, &childCount);
        XFree(children);
        EXPECT_EQ(childCount, 0u);
    }
}

TEST_F(Lv2Ui, TwoHundredSessionsLeaveNoWindowsPixmapsOrContextsOnTheServer) {
    UiHostDouble host(x.display);
    const ServerResources before = serverResources(x.display);
    const auto started = std::chrono::steady_clock::now();
    for (int cycle = 0; cycle < 200; ++cycle) {
        ASSERT_TRUE(host.instantiate()) << cycle;
        // The count sees the panel's own resources while it is open.
        if (cycle == 0) {
            EXPECT_GT(serverResources(x.display).windows, before.windows);
        }
        host.portEvent(kExpansionPort, static_cast<float>(cycle % 101));
        host.idle();
        host.cleanup();
    }
    const std::chrono::duration<double, std::milli> spent =
        std::chrono::steady_clock::now() - started;
    const ServerResources after = serverResources(x.display);
    std::printf(
        "200 sessions in %.0f ms; clients %d/%d, windows %ld/%ld, pixmaps %ld/%ld, GCs "
        "%ld/%ld (before/after)\n",
        spent.count(), before.clients, after.clients, before.windows, after.windows, before.pixmaps,
        after.pixmaps, before.contexts, after.contexts);
    EXPECT_GT(before.windows, 0);
    EXPECT_EQ(after.clients, before.clients);
    EXPECT_EQ(after.windows, before.windows);
    EXPECT_EQ(after.pixmaps, before.pixmaps);
    EXPECT_EQ(after.contexts, before.contexts);
}
