// The shared window logic driven without a display: pointer mapping, the
// entry states and the timer tick, as both editor windows run them.
#include <gtest/gtest.h>

#include <cfloat>
#include <clocale>

#include "EditorFixture.h"
#include "framework/editor/EditorWindowLogic.h"
#include "framework/editor/IGraphicsOffscreen.h"
#include "framework/editor/IWidget.h"

using namespace fixture;

namespace {

// Stands in for the native entry control.
class FakeEntry : public EntryControl {
  public:
    void SetEntryText(const std::string& t) override {
        text = t;
        ++refreshes;
    }
    std::string EntryText(int maxChars) override { return text.substr(0, size_t(maxChars)); }
    void DestroyEntry() override { destroyed = true; }
    std::string text;
    int refreshes = 0;
    bool destroyed = false;
};

// An offscreen editor whose entry prompt goes through the shared logic, as
// the windows' prompts do.
class LogicEditor : public IGraphicsOffscreen {
  public:
    LogicEditor(VexilBase* plug) : IGraphicsOffscreen(plug, kWidth, kHeight, kFps), logic(*this) {}
    void PromptParamEntry(IWidget* widget, IParameter* param) override {
        if (!logic.CanOpenEntry(widget, param)) return;
        EditorWindowLogic::LayoutEntry(widget, param, layout);
        entry = FakeEntry{};
        entry.text = layout.text;
        logic.EntryOpened(&entry, widget, param);
        ++prompts;
    }
    EditorWindowLogic logic;
    EntryLayout layout;
    FakeEntry entry;
    int prompts = 0;
};

PointerEvent At(PointerKind kind, int x, int y, bool left = false, bool right = false) {
    PointerEvent e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.keys.left = left;
    e.keys.right = right;
    return e;
}

int CentreX(const IBox& b) {
    return (b.left + b.right) / 2;
}
int CentreY(const IBox& b) {
    return (b.top + b.bottom) / 2;
}

class WindowLogic : public ::testing::Test {
  protected:
    void SetUp() override {
        editor = new LogicEditor(&plug);
        BuildEditor(plug, editor);
        plug.ClearCalls();
    }
    IWidget* Knob() { return editor->WidgetByIndex(1); }
    IWidget* Choice() { return editor->WidgetByIndex(2); }
    void RightClick(const IBox& box) {
        editor->logic.OnPointer(At(PointerKind::RightDown, CentreX(box), CentreY(box), false, true),
                                true);
        editor->logic.OnPointer(At(PointerKind::RightUp, CentreX(box), CentreY(box)), true);
    }

    FixturePlug plug;
    LogicEditor* editor = nullptr;  // owned by the plug-in
};

}  // namespace

TEST(WindowLogicRules, TimerPeriodAndWheelNotches) {
    struct {
        int fps, period;
    } periods[] = {{18, 55}, {24, 41}, {0, 41}, {60, 16}, {1000, 1}, {5000, 1}};
    for (auto c : periods) EXPECT_EQ(EditorWindowLogic::TimerPeriodMs(c.fps), c.period) << c.fps;
    struct {
        int delta, notches;
    } wheels[] = {{120, 1}, {-240, -2}, {60, 0}, {-119, 0}, {359, 2}, {-360, -3}};
    for (auto c : wheels) EXPECT_EQ(EditorWindowLogic::WheelNotches(c.delta), c.notches) << c.delta;
}

TEST(WindowLogicRules, EnteredNumbersAreReadAsPlainDecimals) {
    struct {
        const char* text;
        double value;
    } cases[] = {
        {"0.25", 0.25},     {"  -3e2xyz", -300.0},
        {"+.5", 0.5},       {"7.", 7.0},
        {"1e", 1.0},        {"2e+", 2.0},
        {"abc", 0.0},       {"", 0.0},
        {"-", 0.0},         {".", 0.0},
        {"0x10", 0.0},      {"inf", 0.0},
        {"nan", 0.0},       {"-infinity", 0.0},
        {"1e999", DBL_MAX}, {"-1e999", -DBL_MAX},
        {"1e-999", 0.0},    {"\t\n 12dB", 12.0},
        {"3,5", 3.0},
    };
    for (auto c : cases)
        EXPECT_EQ(EditorWindowLogic::ParseEnteredNumber(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(EditorWindowLogic::ParseEnteredNumber(nullptr), 0.0);
    // Hosts set their own locale; a decimal comma locale must not change
    // how the point is read.
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        EXPECT_EQ(EditorWindowLogic::ParseEnteredNumber("0.5"), 0.5);
        std::setlocale(LC_NUMERIC, "C");
    }
}

TEST(WindowLogicRules, DoubleClickNeedsTimeAndPlace) {
    struct {
        std::uint32_t dt;
        int dx, dy;
        bool isDouble;
    } cases[] = {
        {0, 0, 0, true},    {500, 2, -2, true},  {501, 0, 0, false},
        {100, 3, 0, false}, {100, 0, -3, false},
    };
    for (auto c : cases) {
        DoubleClickRule rule;
        EXPECT_FALSE(rule.Press(1000, 50, 50));
        EXPECT_EQ(rule.Press(1000 + c.dt, 50 + c.dx, 50 + c.dy), c.isDouble)
            << c.dt << " ms " << c.dx << "," << c.dy;
    }
    // A third press after a double click starts a new pair; the clock wraps.
    DoubleClickRule rule;
    EXPECT_FALSE(rule.Press(0xfffffff0u, 5, 5));
    EXPECT_TRUE(rule.Press(0x00000010u, 5, 5));
    EXPECT_FALSE(rule.Press(0x00000020u, 5, 5));
    EXPECT_TRUE(rule.Press(0x00000030u, 5, 5));
}

TEST_F(WindowLogic, DragOnlyWithCaptureAndGesturesAroundIt) {
    EditorWindowLogic& logic = editor->logic;
    const int x = CentreX(kKnobBox), y = CentreY(kKnobBox);
    double before = Knob()->Value();
    // A move with the button held but without the capture is not a drag.
    EXPECT_TRUE(logic.OnPointer(At(PointerKind::Move, x, y - 30, true), false).handled);
    EXPECT_EQ(Knob()->Value(), before);

    PointerResult down = logic.OnPointer(At(PointerKind::LeftDown, x, y, true), false);
    EXPECT_EQ(down.capture, CaptureChange::Take);
    logic.OnPointer(At(PointerKind::Move, x, y - 30, true), true);
    // 30 pixels up on a 50-pixel knob with gearing 6 raises by 0.1.
    EXPECT_NEAR(Knob()->Value(), before + 0.1, 1e-12);
    PointerResult up = logic.OnPointer(At(PointerKind::LeftUp, x + 500, y), true);
    EXPECT_EQ(up.capture, CaptureChange::Release);

    auto calls = plug.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, 'b');
    EXPECT_EQ(calls[1].kind, 'a');
    EXPECT_NEAR(calls[1].value, before + 0.1, 1e-12);
    EXPECT_EQ(calls[2].kind, 'e');
    EXPECT_EQ(calls[2].param, kKnobParam);
}

TEST_F(WindowLogic, WheelDoubleClickAndLeave) {
    EditorWindowLogic& logic = editor->logic;
    const int x = CentreX(kKnobBox), y = CentreY(kKnobBox);
    double start = Knob()->Value();
    PointerEvent wheel = At(PointerKind::Wheel, x, y);
    wheel.wheelDelta = -240;
    logic.OnPointer(wheel, false);
    EXPECT_NEAR(Knob()->Value(), start - 0.02, 1e-12);
    PointerResult dbl = logic.OnPointer(At(PointerKind::LeftDoubleClick, x, y, true), false);
    EXPECT_EQ(dbl.capture, CaptureChange::Keep);  // the double click does not capture
    EXPECT_EQ(Knob()->Value(), start);            // back to the default
    EXPECT_TRUE(logic.OnPointer(At(PointerKind::Leave, 0, 0), false).handled);
}

TEST_F(WindowLogic, EntryLayoutFollowsTheWidgetAndTheTexts) {
    EntryLayout edit;
    ASSERT_TRUE(EditorWindowLogic::LayoutEntry(Knob(), plug.Param(kKnobParam), edit));
    EXPECT_FALSE(edit.isList);
    int cx = CentreX(kKnobBox), cy = CentreY(kKnobBox);
    EXPECT_EQ(edit.box, (IBox{cx - 18, cy - 8, cx + 18, cy + 8}));

    EntryLayout list;
    ASSERT_TRUE(EditorWindowLogic::LayoutEntry(Choice(), plug.Param(kChoiceParam), list));
    EXPECT_TRUE(list.isList);
    ASSERT_EQ(list.items, (std::vector<std::string>{"Soft", "Medium", "Hard"}));
    EXPECT_EQ(list.selected, 1);
    int w = 8 * 6 + 24;  // "Medium"
    cx = CentreX(kChoiceBox);
    cy = CentreY(kChoiceBox);
    EXPECT_EQ(list.box, (IBox{cx - w / 2, cy, cx - w / 2 + w, cy + 144}));
    EXPECT_FALSE(EditorWindowLogic::LayoutEntry(nullptr, plug.Param(0), list));
    EXPECT_FALSE(EditorWindowLogic::LayoutEntry(Knob(), nullptr, list));
}

TEST_F(WindowLogic, TypedValueAppliesAtTheNextTickThroughTheWidget) {
    EditorWindowLogic& logic = editor->logic;
    RightClick(kKnobBox);
    ASSERT_TRUE(logic.HasEntry());
    EXPECT_EQ(editor->prompts, 1);
    // A second entry is refused while one exists.
    editor->PromptParamEntry(Choice(), plug.Param(kChoiceParam));
    EXPECT_EQ(editor->prompts, 1);

    logic.EntryFocusChanged(true);
    EXPECT_TRUE(logic.EventsHeldByEntry());
    // While the entry has the focus, presses are the system's, not ours.
    EXPECT_FALSE(logic.OnPointer(At(PointerKind::LeftDown, 5, 5, true), false).handled);
    editor->entry.text = "0.25";
    logic.EntryCommitted();
    EXPECT_EQ(logic.EntryStateValue(), EntryApply);
    plug.ClearCalls();
    IBox dirty;
    EXPECT_FALSE(logic.Tick(dirty));  // the tick serves the entry, draws nothing
    EXPECT_FALSE(logic.HasEntry());
    EXPECT_TRUE(editor->entry.destroyed);
    EXPECT_DOUBLE_EQ(Knob()->Value(), plug.Param(kKnobParam)->ToNormalized(0.25));
    auto calls = plug.Calls();
    ASSERT_EQ(calls.size(), 1u);  // text entry sends no gestures
    EXPECT_EQ(calls[0].kind, 'a');
    EXPECT_DOUBLE_EQ(calls[0].value, 0.25);
    EXPECT_DOUBLE_EQ(plug.Param(kKnobParam)->Normalized(), 0.25);
    // The next tick redraws the knob.
    EXPECT_TRUE(logic.Tick(dirty));
    EXPECT_TRUE(dirty.Intersects(kKnobBox));
}

TEST_F(WindowLogic, ListChoiceAppliesByText) {
    EditorWindowLogic& logic = editor->logic;
    RightClick(kChoiceBox);
    ASSERT_TRUE(logic.HasEntry());
    EXPECT_TRUE(editor->layout.isList);
    struct {
        const char* text;
        double value;
    } cases[] = {{"Hard", 2.0}, {"hard", 0.0}, {"Medium", 1.0}};
    for (auto c : cases) {
        if (!logic.HasEntry()) RightClick(kChoiceBox);
        editor->entry.text = c.text;
        logic.EntryCommitted();
        IBox dirty;
        logic.Tick(dirty);
        EXPECT_DOUBLE_EQ(plug.Param(kChoiceParam)->Value(), c.value) << c.text;
    }
}

TEST_F(WindowLogic, RightPressCancelsAndReachesNoWidget) {
    EditorWindowLogic& logic = editor->logic;
    RightClick(kKnobBox);
    ASSERT_TRUE(logic.HasEntry());
    plug.ClearCalls();
    int promptsBefore = editor->prompts;
    // Right press on the other knob while the entry is open: only closes.
    PointerResult r = logic.OnPointer(
        At(PointerKind::RightDown, CentreX(kChoiceBox), CentreY(kChoiceBox), false, true), false);
    EXPECT_EQ(r.capture, CaptureChange::Keep);
    EXPECT_EQ(logic.EntryStateValue(), EntryCancel);
    EXPECT_TRUE(plug.Calls().empty());
    IBox dirty;
    EXPECT_FALSE(logic.Tick(dirty));
    EXPECT_FALSE(logic.HasEntry());
    EXPECT_TRUE(editor->entry.destroyed);
    EXPECT_EQ(editor->prompts, promptsBefore);
    double value = plug.Param(kKnobParam)->Value();
    EXPECT_EQ(value, 0.5);  // nothing applied

    // Focused entry: the right press is the only event that counts.
    RightClick(kKnobBox);
    logic.EntryFocusChanged(true);
    EXPECT_TRUE(logic.OnPointer(At(PointerKind::RightDown, 1, 1, false, true), false).handled);
    EXPECT_EQ(logic.EntryStateValue(), EntryCancel);
}

// A focus change that arrives after a pick or a cancel (X11 sends them
// asynchronously) neither loses the request nor leaves the entry holding
// the events.
TEST_F(WindowLogic, LateFocusChangeKeepsAPendingPickOrCancel) {
    EditorWindowLogic& logic = editor->logic;
    for (bool gained : {true, false}) {
        SCOPED_TRACE(gained);
        RightClick(kChoiceBox);
        ASSERT_TRUE(logic.HasEntry());
        editor->entry.text = gained ? "Hard" : "Medium";
        logic.EntryCommitted();
        logic.EntryFocusChanged(gained);
        EXPECT_EQ(logic.EntryStateValue(), EntryApply);
        IBox dirty;
        logic.Tick(dirty);
        EXPECT_FALSE(logic.HasEntry());
        EXPECT_DOUBLE_EQ(plug.Param(kChoiceParam)->Value(), gained ? 2.0 : 1.0);

        RightClick(kKnobBox);
        logic.OnPointer(At(PointerKind::RightDown, 1, 1, false, true), false);
        logic.EntryFocusChanged(gained);
        EXPECT_EQ(logic.EntryStateValue(), EntryCancel);
        logic.Tick(dirty);
        EXPECT_FALSE(logic.HasEntry());
    }
}

TEST_F(WindowLogic, IdleEntryAlternatesRedrawAndRefresh) {
    EditorWindowLogic& logic = editor->logic;
    IBox dirty;
    logic.Tick(dirty);  // first full redraw
    RightClick(kKnobBox);
    editor->entry.text = "typed";
    logic.EntryFocusChanged(false);
    EXPECT_EQ(logic.EntryStateValue(), EntryIdle);
    logic.Tick(dirty);  // redraw pass, then state 2
    EXPECT_EQ(logic.EntryStateValue(), EntryRefresh);
    plug.Param(kKnobParam)->SetFromNormalized(0.75);
    EXPECT_FALSE(logic.Tick(dirty));
    EXPECT_EQ(editor->entry.refreshes, 1);
    char expected[64];
    plug.Param(kKnobParam)->FormatCurrent(expected);
    EXPECT_EQ(editor->entry.text, expected);
    EXPECT_EQ(logic.EntryStateValue(), EntryIdle);
    // Abandoning (the window closes) forgets without touching the control.
    editor->entry.destroyed = false;
    logic.AbandonEntry();
    EXPECT_FALSE(logic.HasEntry());
    EXPECT_FALSE(editor->entry.destroyed);
    RightClick(kKnobBox);
    EXPECT_TRUE(logic.HasEntry());
}
