// The text entry and the option menu in a frame with a window on a platform that has neither a
// native entry nor native popups: a click must leave the control, its value and the host's
// gestures as they were.
#include <gtest/gtest.h>

#include "gui/controls/COptionMenu.h"
#include "gui/controls/CTextEdit.h"
#include "gui/controls/ControlTestSupport.h"
#include "gui/platform/memory/MemoryPlatform.h"
#include "gui/views/ViewTestSupport.h"

using namespace controltest;

namespace {

constexpr std::int32_t kTag = 4;
const CRectangle kBox(10, 10, 110, 30);

// A frame in a window of the pretend screen, wired to a recording host. Members go in reverse
// order: the frame first, then its host's window, the effect (which deletes the editor) last.
struct WindowedFrame {
    Gestures gestures() const { return testsupport::gesturesIn(host); }
    FakeHost host;
    TestEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);  // the effect deletes it
    struct HostWindow {
        ~HostWindow() { gui::memory::destroyWindow(handle); }
        gui::NativeWindow handle = gui::memory::createWindow(400, 300, CPosition());
    } window;
    gui::CFrame frame{CRectangle(0, 0, 400, 300), window.handle, editor};
};

TEST(HeadlessTextEntry, ClickOpensNoEntryAndLeavesNoGestureOpenNorTheFocus) {
    WindowedFrame hosted;
    ASSERT_TRUE(hosted.frame.getWindow());
    RecordingListener listener;
    auto* entry = new gui::CTextEdit(kBox, &listener, kTag, "-3.0");
    hosted.frame.addView(entry);  // the frame drops both references
    viewtest::Canvas canvas;
    CPosition where(20, 20);
    entry->mouse(canvas.context.get(), where, gui::kButtonLeft);
    EXPECT_FALSE(entry->getEditWindow());
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    EXPECT_NE(hosted.frame.getFocusView(), entry);
    EXPECT_TRUE(listener.values.empty());
    char text[gui::kDisplayTextSize] = {};
    entry->getText(text);
    EXPECT_STREQ(text, "-3.0");
    // A second click finds the entry as the first did.
    entry->mouse(canvas.context.get(), where, gui::kButtonLeft);
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag, 2));
}

TEST(HeadlessOptionMenu, ClickChoosesNothingAndEndsItsGesture) {
    WindowedFrame hosted;
    RecordingListener listener;
    auto* menu = new gui::COptionMenu(kBox, &listener, kTag);
    for (const char* text : {"Off", "Low", "High"}) menu->addEntry(text);
    menu->setValue(1.0f);
    hosted.frame.addView(menu);  // the frame drops both references
    viewtest::Canvas canvas;
    CPosition where(20, 20);
    menu->mouse(canvas.context.get(), where, gui::kButtonLeft);
    EXPECT_EQ(menu->getValue(), 1.0f);
    EXPECT_TRUE(listener.values.empty());
    EXPECT_EQ(hosted.gestures(), gesturesOf(kTag));
    EXPECT_NE(hosted.frame.getFocusView(), menu);
}

}  // namespace
