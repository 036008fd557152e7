// The Linux VST object's panel in a host's X window, as a host drives it: opening and closing over
// and over, a parent that goes away, bad parents, and a host that closes the editor from inside
// the calls the panel makes to it. Input comes from the XTest extension, played from inside the
// host's own callbacks, since the panel's tracking loops hold the only thread meanwhile.
#include <gtest/gtest.h>
// Xlib's macros would rename parts of the test framework: it comes first.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XRes.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <stdlib.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/x11/VstTestHost.h"

namespace {

constexpr std::int32_t kPanelWidth = 752;
constexpr std::int32_t kPanelHeight = 80;
// The middle of the expansion knob, in panel units from the panel's corner.
constexpr int kKnobX = 104;
constexpr int kKnobY = 40;
// The host's scale factor: a vendor-specific call, the factor in its float argument.
constexpr std::int32_t kHostScaleIndex = fourCharCode('P', 'r', 'e', 'S');
constexpr intptr_t kHostScaleValue = fourCharCode('A', 'e', 'C', 's');
// Idle calls after which a drag ends even if the host never closes the editor.
constexpr int kMostDragSteps = 50;

int hostErrors = 0;

int countHostError(Display*, XErrorEvent*) {
    ++hostErrors;
    return 0;
}

class VstEditorX11 : public ::testing::Test {
  protected:
    void SetUp() override {
        // No "Size" the user chose elsewhere: the panel opens at the scale the test sets up.
        configFolder = testing::TempDir() + "talon-x11-config-" + std::to_string(getpid());
        setenv("XDG_CONFIG_HOME", configFolder.c_str(), 1);
        host = std::make_unique<VstTestHost>(TALON_PLUGIN_PATH);
        display = host->display();
        effect = host->effect();
        ASSERT_NE(display, nullptr) << "the test runs on a display of its own";
        ASSERT_NE(effect, nullptr);
        previousHandler = XSetErrorHandler(countHostError);
        hostErrors = 0;
        parent = makeHostWindow();
    }

    void TearDown() override {
        if (display) {
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
            XSync(display, False);
            XSetErrorHandler(previousHandler);
        }
        host.reset();
    }

    Window makeHostWindow() {
        const Window window =
            XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 800, 200, 0, 0, 0);
        XMapWindow(display, window);
        XSync(display, False);
        return window;
    }

    static void* handleOf(Window window) {
        return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
    }
    intptr_t dispatch(std::int32_t opcode, void* pointer = nullptr) {
        return effect->dispatcher(effect, opcode, 0, 0, pointer, 0.0f);
    }
    intptr_t openIn(Window window) { return dispatch(effEditOpen, handleOf(window)); }
    void idle(int times) {
        for (int i = 0; i < times; ++i) dispatch(effEditIdle);
    }

    std::vector<Window> childrenOf(Window window) {
        Window root = 0;
        Window above = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, window, &root, &above, &children, &count);
        std::vector<Window> listed(children, children + count);
        if (children) XFree(children);
        return listed;
    }

    void movePointer(int x, int y) {
        XTestFakeMotionEvent(display, DefaultScreen(display), x, y, CurrentTime);
        XSync(display, False);
    }
    void pressLeft(bool down) {
        XTestFakeButtonEvent(display, 1, down ? True : False, CurrentTime);
        XSync(display, False);
    }

    std::unique_ptr<VstTestHost> host;
    Display* display = nullptr;
    AEffect* effect = nullptr;
    int (*previousHandler)(Display*, XErrorEvent*) = nullptr;
    Window parent = 0;
    std::string configFolder;

    void dragAndCloseInside(std::int32_t closeOn);
};

// Windows, pixmaps and GCs of the clients other than the test's own, by type name.
std::map<std::string, long> resourcesOfOtherClients(Display* display) {
    std::map<std::string, long> counts;
    int clientCount = 0;
    XResClient* clients = nullptr;
    if (!XResQueryClients(display, &clientCount, &clients)) return counts;
    for (int i = 0; i < clientCount; ++i) {
        int typeCount = 0;
        XResType* types = nullptr;
        if (!XResQueryClientResources(display, clients[i].resource_base, &typeCount, &types))
            continue;
        for (int t = 0; t < typeCount; ++t) {
            char* name = XGetAtomName(display, types[t].resource_type);
            if (name) counts[name] += types[t].count;
            XFree(name);
        }
        XFree(types);
    }
    XFree(clients);
    counts["clients"] = clientCount;
    return counts;
}

TEST_F(VstEditorX11, OpensAsTheHostWindowsOnlyChildAtThePanelSize) {
    ASSERT_EQ(openIn(parent), 1);
    idle(2);
    const std::vector<Window> children = childrenOf(parent);
    ASSERT_EQ(children.size(), 1u);
    XWindowAttributes shown;
    ASSERT_TRUE(XGetWindowAttributes(display, children[0], &shown));
    EXPECT_EQ(shown.width, kPanelWidth);
    EXPECT_EQ(shown.height, kPanelHeight);
    EXPECT_EQ(shown.map_state, IsViewable);
    dispatch(effEditClose);
    EXPECT_TRUE(childrenOf(parent).empty());
}

TEST_F(VstEditorX11, TwoHundredOpenCloseCyclesLeaveNoXResourcesBehind) {
    const std::map<std::string, long> before = resourcesOfOtherClients(display);
    std::map<std::string, long> firstOpen;
    // A type a client holds none of is not listed.
    const auto countOf = [](const std::map<std::string, long>& counts, const char* type) {
        const auto found = counts.find(type);
        return found == counts.end() ? 0L : found->second;
    };
    for (int cycle = 0; cycle < 200; ++cycle) {
        ASSERT_EQ(openIn(parent), 1) << "cycle " << cycle;
        idle(1);
        const std::map<std::string, long> open = resourcesOfOtherClients(display);
        if (cycle == 0) {
            firstOpen = open;
            // The panel's own window at least, on a connection of its own.
            EXPECT_EQ(countOf(open, "clients"), countOf(before, "clients") + 1);
            EXPECT_GT(countOf(open, "WINDOW"), countOf(before, "WINDOW"));
        }
        // The panel holds the same windows, pixmaps and GCs every time it is open.
        for (const char* type : {"WINDOW", "PIXMAP", "GC"})
            ASSERT_EQ(countOf(open, type), countOf(firstOpen, type))
                << type << " in cycle " << cycle;
        dispatch(effEditClose);
    }
    EXPECT_EQ(resourcesOfOtherClients(display), before);
    EXPECT_EQ(hostErrors, 0);
}

TEST_F(VstEditorX11, OpenedTwiceAtOnceShowsOnePanel) {
    ASSERT_EQ(openIn(parent), 1);
    ASSERT_EQ(openIn(parent), 1);
    idle(1);
    EXPECT_EQ(childrenOf(parent).size(), 1u);
    dispatch(effEditClose);
    EXPECT_TRUE(childrenOf(parent).empty());
}

TEST_F(VstEditorX11, AHostWindowThatGoesClosesThePanelWithoutAnErrorForTheHost) {
    ASSERT_EQ(openIn(parent), 1);
    idle(1);
    XDestroyWindow(display, parent);
    XSync(display, False);
    idle(3);
    dispatch(effEditClose);
    // The host's handler is still the one in place, and heard nothing of the panel's requests.
    EXPECT_EQ(XSetErrorHandler(countHostError), countHostError);
    EXPECT_EQ(hostErrors, 0);
    const Window second = makeHostWindow();
    ASSERT_EQ(openIn(second), 1);
    idle(1);
    EXPECT_EQ(childrenOf(second).size(), 1u);
    dispatch(effEditClose);
}

TEST_F(VstEditorX11, AParentThatDoesNotExistOrNoDisplayRefusesTheEditor) {
    EXPECT_EQ(openIn(static_cast<Window>(0x7FFFFFF1)), 0);
    EXPECT_EQ(dispatch(effEditOpen, nullptr), 0);
    const std::string name = getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_EQ(openIn(parent), 0);
    setenv("DISPLAY", name.c_str(), 1);
    EXPECT_EQ(hostErrors, 0);
    EXPECT_EQ(XSetErrorHandler(countHostError), countHostError);
    // The host goes on: the editor opens once the display is there again.
    EXPECT_EQ(openIn(parent), 1);
    dispatch(effEditClose);
}

TEST_F(VstEditorX11, TheDisplaysXftDpiScalesThePanelWhenNeitherUserNorHostChose) {
    const char resources[] = "Xft.dpi:\t192\n";
    XChangeProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER, XA_STRING, 8,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(resources),
                    sizeof(resources) - 1);
    XSync(display, False);
    // The host makes its window at the size reported before the display is known, and resizes
    // it when the panel asks.
    ASSERT_TRUE(host->openEditor(0, 0));
    int width = 0;
    int height = 0;
    host->editorSize(width, height);
    EXPECT_EQ(width, 2 * kPanelWidth);
    EXPECT_EQ(height, 2 * kPanelHeight);
    host->windowSize(host->panelWindow(), width, height);
    EXPECT_EQ(width, 2 * kPanelWidth);
    host->closeEditor();
    // The host's factor comes before the display's.
    ASSERT_EQ(effect->dispatcher(effect, effVendorSpecific, kHostScaleIndex, kHostScaleValue,
                                 nullptr, 3.0f),
              1);
    ASSERT_TRUE(host->openEditor(0, 0));
    host->editorSize(width, height);
    EXPECT_EQ(width, 3 * kPanelWidth);
    host->closeEditor();
    XDeleteProperty(display, DefaultRootWindow(display), XA_RESOURCE_MANAGER);
}

TEST_F(VstEditorX11, KeysThePanelDoesNotUseGoOnToTheHostWindow) {
    XSelectInput(display, parent, KeyPressMask | KeyReleaseMask);
    ASSERT_EQ(openIn(parent), 1);
    idle(1);
    const Window panel = childrenOf(parent).at(0);
    XSetInputFocus(display, panel, RevertToParent, CurrentTime);
    const KeyCode q = XKeysymToKeycode(display, XK_q);
    XTestFakeKeyEvent(display, q, True, CurrentTime);
    XTestFakeKeyEvent(display, q, False, CurrentTime);
    XSync(display, False);
    idle(2);
    XSync(display, False);
    XEvent received;
    ASSERT_TRUE(XCheckTypedWindowEvent(display, parent, KeyPress, &received));
    EXPECT_EQ(received.xkey.keycode, q);
    EXPECT_TRUE(received.xkey.send_event);
    EXPECT_TRUE(XCheckTypedWindowEvent(display, parent, KeyRelease, &received));
    dispatch(effEditClose);
}

// A drag on the expansion knob, played from the host's callbacks while the knob tracks it; the
// host closes the editor inside its closeOn call, once the drag is under way.
void VstEditorX11::dragAndCloseInside(std::int32_t closeOn) {
    ASSERT_EQ(openIn(parent), 1);
    idle(2);
    movePointer(kKnobX, kKnobY);
    pressLeft(true);
    int step = 0;
    bool closed = false;
    host->onCall = [&](std::int32_t opcode) {
        if (closed) return;
        if (opcode == audioMasterIdle) movePointer(kKnobX, kKnobY - 3 * ++step);
        if (opcode == closeOn && (opcode != audioMasterIdle || step >= 3)) {
            closed = true;
            dispatch(effEditClose);
        }
        // The drag ends in any case.
        if (step > kMostDragSteps) pressLeft(false);
    };
    idle(1);
    host->onCall = nullptr;
    pressLeft(false);
    EXPECT_TRUE(closed);
    EXPECT_TRUE(childrenOf(parent).empty());
    EXPECT_GE(host->beginEdits(0), 1);
    EXPECT_EQ(host->beginEdits(0), host->endEdits(0));
    EXPECT_EQ(hostErrors, 0);
}

TEST_F(VstEditorX11, TheHostClosesTheEditorFromInsideItsIdleDuringADrag) {
    dragAndCloseInside(audioMasterIdle);
}

TEST_F(VstEditorX11, TheHostClosesTheEditorFromInsideTheAutomationOfADrag) {
    dragAndCloseInside(audioMasterAutomate);
    EXPECT_FALSE(host->automated(0).empty());
}

}  // namespace
