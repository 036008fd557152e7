// The text entry in a real frame window, set up as the panel sets up its entries: a real click
// opens the native edit window, real keys type into it, and the host sees balanced gestures.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "effect/ParameterText.h"
#include "gui/controls/CKnob.h"
#include "gui/controls/CTextEdit.h"
#include "gui/controls/ControlTestSupport.h"
#include "support/EditorWindow.h"
#include "support/PoisonedOnDelete.h"

using namespace controltest;
using gui::CTextEdit;
using testsupport::HostWindow;
using testsupport::kPanelHeight;
using testsupport::kPanelWidth;
using testsupport::PoisonedOnDelete;
using testsupport::pumpMessages;
using Texts = std::vector<std::string>;

namespace {

constexpr std::int32_t kExpansionTag = 3;
constexpr std::int32_t kOutputTag = 4;
const CRectangle kExpansionRect(154, 24, 202, 48);
const CRectangle kOutputRect(578, 24, 626, 48);

void expansionText(float value, char* text) { expansionToText(value, text, 255); }

std::string textOf(CTextEdit* entry) {
    char text[gui::kDisplayTextSize];
    entry->getText(text);
    return text;
}

// The editor's side of the panel: takes the typed text as a percentage and tells the host; it may
// take the entry off the page.
struct TypedListener : gui::CControlListener {
    void valueChanged(CDrawContext*, CControl* control) override {
        texts.push_back(textOf(static_cast<CTextEdit*>(control)));
        control->setValue(expansionFromText(texts.back().c_str()));
        control->setDirty(true);
        if (effect) effect->setParameterAutomated(control->getTag(), control->getValue());
        if (removeFrom) removeFrom->removeView(control);
    }
    Texts texts;
    AudioEffect* effect = nullptr;
    gui::CFrame* removeFrom = nullptr;
};

class TextEntry : public ::testing::Test {
  protected:
    TextEntry() {
        UpdateWindow(frame->getWindow());
        pumpMessages();
    }
    // Showing a window takes the system a while: one host window serves every test.
    static void SetUpTestSuite() { host = new HostWindow(kPanelWidth, kPanelHeight); }
    static void TearDownTestSuite() { delete host; }

    CTextEdit* addEntry(const CRectangle& rect, std::int32_t tag) {
        auto* entry = new PoisonedOnDelete<CTextEdit>(rect, &listener, tag, nullptr, nullptr, 1);
        entry->setFont(gui::kFontSmall);
        entry->setFontColor(gui::kGreenColor);
        entry->setBackColor(gui::kBlackColor);
        entry->setFrameColor(gui::kBlackColor);
        entry->setTransparency(true);
        entry->setValue(0.5f);
        entry->setValueToText(expansionText);
        frame->addView(entry);  // the frame drops both references
        return entry;
    }
    // A real press and release of the left button over the middle of rect.
    void click(const CRectangle& rect) {
        POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(frame->getWindow(), &point);
        SetCursorPos(point.x, point.y);
        HeldInput left = HeldInput::leftButton();
        pumpMessages();
        left.up();
        pumpMessages();
    }
    // Each virtual key pressed and released.
    void type(const std::string& keys) {
        for (char key : keys) HeldInput::key(static_cast<WORD>(key));
        pumpMessages();
    }
    Gestures gestures() const { return testsupport::gesturesIn(fakeHost); }

    static inline HostWindow* host = nullptr;
    FakeHost fakeHost;
    TestEffect effect;
    AEffGUIEditor* editor = new AEffGUIEditor(&effect);  // the effect deletes it
    TypedListener listener;
    // Goes first: the effect and the listener outlive it.
    std::unique_ptr<gui::CFrame> frame = std::make_unique<PoisonedOnDelete<gui::CFrame>>(
        CRectangle(0, 0, kPanelWidth, kPanelHeight), host->get(), editor);
    CTextEdit* expansion = addEntry(kExpansionRect, kExpansionTag);
};

}  // namespace

TEST_F(TextEntry, ClickOpensAnEditWindowOverTheEntryInItsColours) {
    EXPECT_EQ(textOf(expansion), "50") << "the first paint shows the value";
    click(kExpansionRect);
    HWND edit = expansion->getEditWindow();
    ASSERT_TRUE(IsWindow(edit));
    char text[8] = {};
    GetWindowTextA(edit, text, sizeof(text));
    EXPECT_STREQ(text, "50");
    EXPECT_EQ(GetFocus(), edit);
    RECT placed = {};
    GetWindowRect(edit, &placed);
    MapWindowPoints(nullptr, frame->getWindow(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(CRectangle(placed.left, placed.top, placed.right, placed.bottom), kExpansionRect);
    EXPECT_EQ(gestures(), Gestures({{audioMasterBeginEdit, kExpansionTag}}));
    // A click on an entry that is editing changes nothing.
    CPosition where(160, 30);
    expansion->mouse(nullptr, where, gui::kButtonLeft);
    EXPECT_EQ(expansion->getEditWindow(), edit);
    EXPECT_EQ(gestures().size(), 1u);
    // The frame's window asks the entry for the edit window's colours.
    HDC device = CreateCompatibleDC(nullptr);
    const auto askColours = [&] {
        return reinterpret_cast<HGDIOBJ>(SendMessageA(frame->getWindow(), WM_CTLCOLOREDIT,
                                                      reinterpret_cast<WPARAM>(device),
                                                      reinterpret_cast<LPARAM>(edit)));
    };
    HGDIOBJ first = askColours();
    EXPECT_EQ(GetTextColor(device), RGB(0, 255, 0));
    EXPECT_EQ(GetBkColor(device), RGB(0, 0, 0));
    HGDIOBJ second = askColours();
    type({VK_RETURN});
    EXPECT_EQ(GetObjectType(first) | GetObjectType(second), 0u) << "no brush left behind";
    DeleteDC(device);
}

TEST_F(TextEntry, TypedTextAndReturnReachTheListenerOnceAndTheValueIsShown) {
    click(kExpansionRect);
    HWND edit = expansion->getEditWindow();
    type("150");
    type({VK_RETURN});
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(listener.texts, Texts({"150"}));
    EXPECT_FLOAT_EQ(expansion->getValue(), 1.0f);
    // One end for the one begin, although the entry still held the frame's focus.
    EXPECT_EQ(gestures(), gesturesOf(kExpansionTag));
    frame->idle();
    EXPECT_EQ(textOf(expansion), "100");
}

TEST_F(TextEntry, EscapeAndUnchangedTextCommitNothingAndFocusLossCommits) {
    click(kExpansionRect);
    HWND edit = expansion->getEditWindow();
    type("9");
    type({VK_ESCAPE});
    EXPECT_FALSE(IsWindow(edit)) << "Escape cancels the typing";
    click(kExpansionRect);
    edit = expansion->getEditWindow();
    type({VK_RETURN});
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_TRUE(listener.texts.empty());
    click(kExpansionRect);
    edit = expansion->getEditWindow();
    type("12");
    SetFocus(host->get());
    pumpMessages();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(listener.texts, Texts({"12"}));
    EXPECT_EQ(gestures(), gesturesOf(kExpansionTag, 3));
}

TEST_F(TextEntry, ClickOnAnotherEntryCommitsTheFirstAndOpensTheSecond) {
    CTextEdit* output = addEntry(kOutputRect, kOutputTag);
    click(kExpansionRect);
    HWND first = expansion->getEditWindow();
    type("7");
    click(kOutputRect);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(listener.texts, Texts({"7"}));
    EXPECT_TRUE(IsWindow(output->getEditWindow()));
    const Gestures expected = {{audioMasterBeginEdit, kExpansionTag},
                               {audioMasterEndEdit, kExpansionTag},
                               {audioMasterBeginEdit, kOutputTag}};
    EXPECT_EQ(gestures(), expected);
}

TEST_F(TextEntry, ClosingTheEditorWhileTypingDestroysTheWindowWithoutACommit) {
    click(kExpansionRect);
    HWND edit = expansion->getEditWindow();
    type("150");
    frame.reset();
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_TRUE(listener.texts.empty());
    EXPECT_EQ(gestures(), gesturesOf(kExpansionTag));
}

TEST_F(TextEntry, ListenerRemovingTheEntryAsItCommitsLeavesTheFrameWhole) {
    click(kExpansionRect);
    type("7");
    listener.removeFrom = frame.get();
    frame->setFocusView(nullptr);
    EXPECT_EQ(listener.texts, Texts({"7"}));
    EXPECT_EQ(frame->getViewCount(), 0);
    EXPECT_EQ(gestures(), gesturesOf(kExpansionTag));
}

namespace {

constexpr std::int32_t kKnobTag = 1;
const CRectangle kKnobRect(64, 0, 144, 80);

// The host closes the editor from the call of this opcode that a typed value's commit makes.
class EditorClosedByTheHost : public TextEntry, public ::testing::WithParamInterface<int32> {
  protected:
    EditorClosedByTheHost() {
        listener.effect = &effect;
        frame->addView(knob);  // the frame drops both references
    }
    void typeThenCloseOnTheParameter() {
        click(kExpansionRect);
        type("150");
        fakeHost.onNext(GetParam(), [this] { frame.reset(); });
    }
    POINT overKnob(bool onScreen) const {
        POINT point = {104, 40};
        if (onScreen) ClientToScreen(frame->getWindow(), &point);
        return point;
    }
    // Whatever happened, every begin-edit the host saw has its end-edit.
    void expectBalancedGestures() const {
        for (std::int32_t tag : {kExpansionTag, kKnobTag}) {
            int open = 0;
            for (const auto& [opcode, index] : gestures())
                if (index == tag) open += opcode == audioMasterBeginEdit ? 1 : -1;
            EXPECT_EQ(open, 0) << "tag " << tag;
        }
    }

    RecordingListener knobListener;
    PoisonedOnDelete<gui::CKnob>* knob =
        new PoisonedOnDelete<gui::CKnob>(kKnobRect, &knobListener, kKnobTag, nullptr, nullptr, {});
};

}  // namespace

TEST_P(EditorClosedByTheHost, DuringTheCommitOfAClickElsewhere) {
    typeThenCloseOnTheParameter();
    const POINT point = overKnob(false);
    SendMessageA(frame->getWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    EXPECT_EQ(listener.texts, Texts({"150"}));
    expectBalancedGestures();
}

TEST_P(EditorClosedByTheHost, DuringTheCommitOfAWheelTurnOverAKnob) {
    typeThenCloseOnTheParameter();
    const POINT point = overKnob(true);
    SendMessageA(frame->getWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                 MAKELPARAM(point.x, point.y));
    EXPECT_EQ(listener.texts, Texts({"150"}));
    expectBalancedGestures();
}

INSTANTIATE_TEST_SUITE_P(FromIdleAutomationOrEndEdit, EditorClosedByTheHost,
                         ::testing::Values(audioMasterIdle, audioMasterAutomate,
                                           audioMasterEndEdit));
