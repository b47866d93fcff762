// Clicked widgets: the cycle switch, the momentary button and the position
// switch, driven through the editor's pointer dispatch.
#include <gtest/gtest.h>

#include "WidgetTestKit.h"
#include "products/quorvex/widgets/ICycleSwitchWidget.h"
#include "products/quorvex/widgets/IMomentaryButtonWidget.h"
#include "products/quorvex/widgets/IPositionSwitchWidget.h"

using namespace quorvex;
using namespace widgets_test;

TEST(CycleSwitch, StepsThroughItsFramesAndWrapsPastTheLast) {
    struct Case {
        int frames;
        double from, to;
    } cases[] = {
        {2, 0.0, 1.0}, {2, 1.0, 0.0},  {2, 0.3, 0.0},  // 1.3 is past the end
        {3, 0.0, 0.5}, {3, 0.5, 1.0},  {3, 1.0, 0.0}, {3, 0.7, 0.0},
        {3, 0.4, 0.9}, {5, 0.75, 1.0}, {1, 0.0, 1.0}, {1, 1.0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frames << " frames from " << c.from);
        EXPECT_NEAR(CycleSwitchNext(c.from, c.frames), c.to, 1e-12);
    }
    // Four equal steps of a five-position switch still land on the last one.
    double v = 0;
    for (int i = 0; i < 4; ++i) v = CycleSwitchNext(v, 5);
    EXPECT_NEAR(v, 1.0, 1e-12);
}

TEST(CycleSwitch, TakesClicksFourPixelsAroundItsPicture) {
    WidgetFixture f;
    auto* sw = f.Add(new ICycleSwitchWidget(f.plug.get(), 83, 5, 1, f.Strip(27, 10, 2)));
    EXPECT_EQ(sw->Box(), (IBox{83, 5, 110, 15}));
    EXPECT_EQ(sw->HitBox(), (IBox{79, 1, 114, 19}));
    for (auto [x, y, inside] : {std::tuple{79, 1, true},
                                {113, 18, true},
                                {114, 18, false},
                                {113, 19, false},
                                {78, 10, false},
                                {95, 0, false}}) {
        EXPECT_EQ(sw->Contains(x, y), inside) << x << "," << y;
    }
}

// The widget reports its new value first; the editor opens the gesture
// after the widget has handled the press.
TEST(CycleSwitch, ClickTogglesReportsAndFramesTheGesture) {
    WidgetFixture f;
    auto* sw = f.Add(new ICycleSwitchWidget(f.plug.get(), 10, 10, 2, f.Strip(20, 10, 2)));
    f.Press(10, 8);  // in the grown margin above the picture
    f.Release(10, 8);
    EXPECT_EQ(sw->Value(), 1.0);
    EXPECT_EQ(f.plug->calls,
              (std::vector<PlugCall>{{"automate", 2, 1.0}, {"begin", 2, 0.0}, {"end", 2, 0.0}}));
    EXPECT_EQ(f.plug->Param(2)->Value(), 1.0);
    f.Press(15, 15);
    EXPECT_EQ(sw->Value(), 0.0);
    EXPECT_EQ(f.plug->Param(2)->Value(), 0.0);
}

TEST(CycleSwitch, RightClickOpensTheEntryWithoutSwitching) {
    WidgetFixture f;
    auto* sw = f.Add(new ICycleSwitchWidget(f.plug.get(), 10, 10, 2, f.Strip(20, 10, 2)));
    f.Press(15, 15, true);
    EXPECT_EQ(sw->Value(), 0.0);
    EXPECT_EQ(f.graphics->promptCount, 1);
    EXPECT_EQ(f.graphics->lastPromptWidget, sw);
    EXPECT_TRUE(f.plug->Automated().empty());
}

TEST(CycleSwitch, ShowsTheFrameOfItsValue) {
    WidgetFixture f;
    IImageStrip strip = f.Strip(20, 10, 3);
    int index;
    auto* sw = f.Add(new ICycleSwitchWidget(f.plug.get(), 10, 10, 0, strip), &index);
    for (int click = 0; click < 3; ++click) {
        f.graphics->Draw(index);
        ASSERT_EQ(f.graphics->blits.size(), 1u);
        EXPECT_EQ(RecordingGraphics::FrameOf(f.graphics->blits[0], strip), click + 1);
        sw->PointerDown(0, 0, {true});
    }
}

TEST(MomentaryButton, IsOnOnlyWhileHeldEvenWhenReleasedElsewhere) {
    WidgetFixture f;
    auto* b = f.Add(new IMomentaryButtonWidget(f.plug.get(), 50, 50, 3, f.Strip(76, 22, 2)));
    f.Press(60, 60);
    EXPECT_EQ(b->Value(), 1.0);
    EXPECT_EQ(f.plug->Param(3)->Value(), 1.0);
    f.DragTo(300, 250);
    f.Release(300, 250);  // far outside: the pressed widget still gets it
    EXPECT_EQ(b->Value(), 0.0);
    EXPECT_EQ(f.plug->Param(3)->Value(), 0.0);
    EXPECT_EQ(f.plug->calls,
              (std::vector<PlugCall>{
                  {"automate", 3, 1.0}, {"begin", 3, 0.0}, {"automate", 3, 0.0}, {"end", 3, 0.0}}));
}

TEST(MomentaryButton, PressWhileOnFromTheHostTurnsItOffAndReleaseKeepsItOff) {
    WidgetFixture f;
    auto* b = f.Add(new IMomentaryButtonWidget(f.plug.get(), 50, 50, 3, f.Strip(76, 22, 2)));
    b->ApplyHostValue(1.0);
    f.Press(60, 60);
    EXPECT_EQ(b->Value(), 0.0);
    f.Release(60, 60);
    EXPECT_EQ(b->Value(), 0.0);
    EXPECT_EQ(f.plug->Automated(), (std::vector<double>{0.0, 0.0}));
}

TEST(PositionSwitch, ClickPutsItWhereThePointerIs) {
    WidgetFixture f;
    // 53 wide, like the modulation source levers; 50 tall faders.
    auto* h = f.Add(new IPositionSwitchWidget(f.plug.get(), 100, 10, 0, f.Strip(53, 25, 5),
                                              IPositionSwitchWidget::Horizontal));
    auto* v = f.Add(new IPositionSwitchWidget(f.plug.get(), 10, 100, 1, f.Strip(16, 60, 50),
                                              IPositionSwitchWidget::Vertical));
    struct Case {
        IPositionSwitchWidget* w;
        int x, y;
        double value;
    } cases[] = {
        {h, 100 + 3, 20, 0.0},  // inside the end margin
        {h, 100 + 26, 20, 20.0 / 41}, {h, 100 + 6, 20, 0.0}, {h, 100 + 47, 20, 1.0},
        {h, 100 + 52, 20, 1.0},  // past the margin: clamped
        {v, 15, 100 + 2, 1.0},        {v, 15, 100 + 6, 1.0}, {v, 15, 100 + 30, 1.0 - 24.0 / 48},
        {v, 15, 100 + 59, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        f.Press(c.x, c.y);
        f.Release(c.x, c.y);
        EXPECT_NEAR(c.w->Value(), c.value, 1e-12);
        EXPECT_NEAR(f.plug->Automated().back(), c.value, 1e-12);
    }
}

TEST(PositionSwitch, DraggingFollowsThePointerAndRespectsTheClampRange) {
    WidgetFixture f;
    auto* h = f.Add(new IPositionSwitchWidget(f.plug.get(), 100, 10, 0, f.Strip(53, 25, 5),
                                              IPositionSwitchWidget::Horizontal));
    f.graphics->SetParamLimits(0, 0.25, 0.75, true);
    f.Press(106, 20);
    EXPECT_EQ(h->Value(), 0.25);
    f.DragTo(126, 40);  // below the box: only x counts
    EXPECT_NEAR(h->Value(), 20.0 / 41, 1e-12);
    f.DragTo(200, 20);
    EXPECT_EQ(h->Value(), 0.75);
    f.Release(200, 20);
    EXPECT_EQ(f.plug->Automated(), (std::vector<double>{0.25, 20.0 / 41, 0.75}));
}

TEST(PositionSwitch, ATinySwitchStillAnswersWithoutDividingByZero) {
    WidgetFixture f;
    auto* h = f.Add(new IPositionSwitchWidget(f.plug.get(), 0, 0, 0, f.Strip(10, 4, 2),
                                              IPositionSwitchWidget::Horizontal));
    f.Press(1, 1);
    EXPECT_EQ(h->Value(), 0.0);
    f.Release(1, 1);
    f.Press(8, 1);
    EXPECT_EQ(h->Value(), 1.0);
}

TEST(PositionSwitch, RightClickOpensTheEntry) {
    WidgetFixture f;
    auto* h = f.Add(new IPositionSwitchWidget(f.plug.get(), 100, 10, 0, f.Strip(53, 25, 5),
                                              IPositionSwitchWidget::Horizontal));
    f.Press(140, 20, true);
    EXPECT_EQ(h->Value(), 0.0);
    EXPECT_EQ(f.graphics->promptCount, 1);
}
