// The standard controls: value rules, frames, dragging, wheel, reset,
// text entry and links.
#include <gtest/gtest.h>

#include <cmath>

#include "FakePlug.h"
#include "TestGraphics.h"
#include "framework/editor/IFrameWidget.h"
#include "framework/editor/IKnobStripWidget.h"
#include "framework/editor/ILinkWidget.h"

namespace {
const IImageStrip Strip(int frames, int frameHeight = 50) {
    return {nullptr, 40, frames * frameHeight, frames};
}

TEST(FrameWidget, ValueChoosesTheFrame) {
    const struct {
        int frames;
        double value;
        int frame;
    } cases[] = {{1, 0.9, 1},  {2, 0.49, 1},  {2, 0.5, 2},   {60, 0.5, 31},
                 {60, 0.0, 1}, {60, 1.0, 60}, {60, 1.5, 60}, {60, -1.0, 1}};
    for (auto& c : cases) {
        IFrameWidget w(nullptr, 0, 0, -1, Strip(c.frames), BlendNormal);
        w.SetValue(c.value);
        EXPECT_EQ(w.FrameForValue(), c.frame) << c.frames << " " << c.value;
        IKnobStripWidget k(nullptr, 0, 0, -1, Strip(c.frames));
        k.SetValue(c.value);
        EXPECT_EQ(k.FrameForValue(), c.frame) << c.frames << " " << c.value;
    }
    IFrameWidget sized(nullptr, 5, 6, Strip(3, 20), BlendAdd);
    EXPECT_EQ(sized.Box(), (IBox{5, 6, 45, 26}));
    EXPECT_EQ(sized.Blend().weight, 1.0f);
}

TEST(KnobWidget, DragFollowsGearingAndDirection) {
    IKnobStripWidget v(nullptr, 0, 0, -1, Strip(10, 50), IKnobStripWidget::Vertical, 6);
    v.SetValue(0.5);
    v.PointerDrag(0, 0, 17, -30, {true});
    EXPECT_NEAR(v.Value(), 0.6, 1e-12);
    v.PointerDrag(0, 0, 0, 3000, {true, false, true, true});  // modifiers do not change the rate
    EXPECT_EQ(v.Value(), 0.0);
    v.PointerDrag(0, 0, 0, -30, {true});  // moves again at once after the end
    EXPECT_NEAR(v.Value(), 0.1, 1e-12);

    IKnobStripWidget h(nullptr, 0, 0, -1, Strip(10, 50), IKnobStripWidget::Horizontal, 10);
    h.PointerDrag(0, 0, 40, -99, {true});  // 40 pixels wide: one width = 1 / 10
    EXPECT_NEAR(h.Value(), 0.1, 1e-12);
}

TEST(KnobWidget, ZeroSizedBoxIgnoresDrags) {
    IKnobStripWidget k(nullptr, 0, 0, -1, {nullptr, 0, 0, 1});
    k.SetValue(0.3);
    k.PointerDrag(0, 0, 5, 5, {true});
    EXPECT_EQ(k.Value(), 0.3);
}

struct BoundWidget : testing::Test {
    FakePlug plug;
    TestGraphics* g = new TestGraphics(&plug, 100, 100, 18);
    IKnobStripWidget* knob = new IKnobStripWidget(&plug, 0, 0, 1, Strip(10, 50));
    void SetUp() override {
        g->AddWidget(knob);
        plug.AttachEditor(g);  // value 0 arrives: default 0
        plug.log.clear();
    }
};

TEST_F(BoundWidget, WheelStepsAndClamps) {
    knob->WheelTurn(0, 0, {}, 3);
    EXPECT_NEAR(knob->Value(), 0.03, 1e-12);
    knob->WheelTurn(0, 0, {false, false, false, true}, 1);
    EXPECT_NEAR(knob->Value(), 0.031, 1e-12);
    knob->WheelTurn(0, 0, {false, false, true}, -1);
    EXPECT_NEAR(knob->Value(), 0.030, 1e-12);
    knob->WheelTurn(0, 0, {}, -100);
    EXPECT_EQ(knob->Value(), 0.0);
    EXPECT_EQ(plug.log.back(), "automate 1");
    EXPECT_EQ(plug.Param(1)->Normalized(), 0.0);
}

TEST_F(BoundWidget, ChangesReachThePlugInClamped) {
    g->SetParamLimits(1, 0.2, 0.6, true);
    knob->SetValue(0.9);
    knob->MarkChanged(true);
    EXPECT_DOUBLE_EQ(knob->Value(), 0.6);
    EXPECT_DOUBLE_EQ(plug.lastAutomated, 0.6);
    EXPECT_NEAR(plug.Param(1)->Normalized(), 0.6, 1e-9);
    knob->SetValue(std::nan(""));
    knob->MarkChanged(false);
    EXPECT_DOUBLE_EQ(knob->Value(), 0.2);
    g->SetParamLimits(1, 0.7, 0.4, true);  // low above high: high wins
    knob->MarkChanged(false);
    EXPECT_DOUBLE_EQ(knob->Value(), 0.4);
}

TEST_F(BoundWidget, DoubleClickRestoresTheFirstPlugInValue) {
    IKnobStripWidget fresh(&plug, 0, 0, 2, Strip(10));
    fresh.SetValue(0.4);
    fresh.PointerDoubleClick(0, 0, {true});
    EXPECT_EQ(fresh.Value(), 0.4);  // no default yet
    fresh.ApplyHostValue(0.7);
    fresh.ApplyHostValue(0.2);
    EXPECT_EQ(fresh.DefaultValue(), 0.7);
    fresh.PointerDoubleClick(0, 0, {true});
    EXPECT_EQ(fresh.Value(), 0.7);
    EXPECT_DOUBLE_EQ(plug.lastAutomated, 0.7);
}

TEST_F(BoundWidget, HostValueEqualToTheCurrentOneMarksNothing) {
    while (knob->NeedsRedraw()) knob->MarkDrawn();
    knob->ApplyHostValue(knob->Value());
    EXPECT_FALSE(knob->NeedsRedraw());
    knob->ApplyHostValue(0.5);
    EXPECT_TRUE(knob->NeedsRedraw());
    EXPECT_TRUE(plug.log.empty());  // host values never echo back
}

TEST_F(BoundWidget, DisablingSetsTheWeightAndEnablingRestoresFullWeight) {
    IFrameWidget dim(&plug, 0, 0, -1, Strip(2), BlendNormal);
    dim.SetDisabled(true);
    EXPECT_EQ(dim.Blend().weight, 0.25f);
    dim.SetDisabled(false);
    EXPECT_EQ(dim.Blend().weight, 1.0f);
}

TEST_F(BoundWidget, RightClickOpensTheEntryUnlessSwitchedOff) {
    knob->PointerDown(5, 5, {false, true});
    EXPECT_EQ(g->promptCount, 1);
    EXPECT_EQ(g->lastPromptWidget, knob);
    EXPECT_EQ(g->lastPromptParam, plug.Param(1));
    knob->PointerDown(5, 5, {true});
    EXPECT_EQ(g->promptCount, 1);
    knob->SetNoTextEntry(true);
    knob->PointerDown(5, 5, {false, true});
    EXPECT_EQ(g->promptCount, 1);
    IFrameWidget unbound(&plug, 0, 0, -1, Strip(2), BlendNormal);
    unbound.PointerDown(0, 0, {false, true});
    EXPECT_EQ(g->promptCount, 1);
}

TEST_F(BoundWidget, EnteredValuesAreReportedOnlyWhenTheyDiffer) {
    knob->ApplyEnteredValue(knob->Value());
    EXPECT_TRUE(plug.log.empty());
    knob->ApplyEnteredValue(0.25);
    EXPECT_EQ(plug.log, (std::vector<std::string>{"automate 1"}));
    EXPECT_TRUE(knob->RedrawPending());
}

// Records the targets the link asks to open.
class LinkGraphics : public TestGraphics {
  public:
    using TestGraphics::TestGraphics;
    bool OpenTarget(const char* target, const char* caption, const char*, const char*) override {
        opened.push_back(std::string(target) + "|" + caption);
        return succeed;
    }
    std::vector<std::string> opened;
    bool succeed = false;
};

TEST(LinkWidget, AnyButtonOpensTheTargetThenTheFallback) {
    FakePlug plug;
    auto* g = new LinkGraphics(&plug, 50, 50, 18);
    auto* link =
        new ILinkWidget(&plug, {0, 0, 10, 10}, "/doc/manual.pdf", "https://example.org", "Manual");
    g->AddWidget(link);
    plug.AttachEditor(g);
    link->PointerDown(1, 1, {false, true});  // right button: same as left, no text entry
    EXPECT_EQ(g->opened,
              (std::vector<std::string>{"/doc/manual.pdf|Manual", "https://example.org|Manual"}));
    EXPECT_EQ(g->promptCount, 0);
    g->opened.clear();
    g->succeed = true;
    g->HandlePointerDown(1, 1, {true});
    EXPECT_EQ(g->opened, (std::vector<std::string>{"/doc/manual.pdf|Manual"}));
    EXPECT_TRUE(plug.log.empty());
}

TEST(LinkWidget, EmptyTextsAreSkippedAndLongOnesCut) {
    FakePlug plug;
    auto* g = new LinkGraphics(&plug, 50, 50, 18);
    const std::string longText(2000, 'x');
    auto* link = new ILinkWidget(&plug, {0, 0, 10, 10}, "", nullptr, longText.c_str());
    g->AddWidget(link);
    plug.AttachEditor(g);
    link->PointerDown(1, 1, {true});
    EXPECT_TRUE(g->opened.empty());
    EXPECT_EQ(std::string(link->Caption()).size(), 1023u);
    ILinkWidget longTarget(&plug, {0, 0, 1, 1}, longText.c_str(), nullptr, nullptr);
    EXPECT_EQ(std::string(longTarget.Target()).size(), 255u);
}
}  // namespace
