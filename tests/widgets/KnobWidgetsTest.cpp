// Dragged widgets: the detent knob, the shape selector, the sync-rate knob
// and the motor knob.
#include <gtest/gtest.h>

#include <cmath>

#include "WidgetTestKit.h"
#include "products/quorvex/widgets/IDetentKnobWidget.h"
#include "products/quorvex/widgets/IMotorKnobWidget.h"
#include "products/quorvex/widgets/IShapeSelectorWidget.h"
#include "products/quorvex/widgets/ISyncRateKnobWidget.h"

using namespace quorvex;
using namespace widgets_test;

TEST(DetentKnob, SticksAtTheCentreAndStillReachesBothEnds) {
    struct Case {
        double p, c, value;
    } cases[] = {
        {0.46, 0.5, 0.5},
        {0.54, 0.5, 0.5},
        {0.45, 0.5, 0.5},
        {0.55, 0.5, 0.5},  // the zone's edges belong to it
        {0.3, 0.5, 0.3 * 0.5 / 0.45},
        {0.0, 0.5, 0.0},
        {1.0, 0.5, 1.0},
        {0.7, 0.5, 1.0 - 0.5 * 0.3 / 0.45},
        {0.25, 0.25, 0.25},
        {0.1, 0.25, 0.125},
        {1.0, 0.25, 1.0},
        {0.0, 0.25, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "p " << c.p << " centre " << c.c);
        EXPECT_NEAR(DetentValue(c.p, c.c), c.value, 1e-12);
    }
    // The value never decreases as the drag position rises.
    double last = -1;
    for (int i = 0; i <= 1000; ++i) {
        const double v = DetentValue(i / 1000.0, 0.5);
        EXPECT_GE(v, last);
        last = v;
    }
}

TEST(DetentKnob, DragPastTheEndRestartsFromTheEnd) {
    WidgetFixture f;
    // 50 pixels tall, gearing 1: one pixel is 0.02 of drag position.
    auto* k = f.Add(new IDetentKnobWidget(f.plug.get(), 10, 10, 0, f.Strip(20, 50, 10), 1.0, 0.5));
    f.Press(20, 50);
    f.DragTo(20, -10);  // up 60 pixels: drag position 1.2
    EXPECT_EQ(k->Value(), 1.0);
    EXPECT_EQ(f.plug->Automated().back(), 1.0);
    f.DragTo(20, -5);  // down 5 pixels from drag position 1, not 1.2
    EXPECT_NEAR(k->Value(), DetentValue(0.9, 0.5), 1e-12);
    EXPECT_LT(k->Value(), 1.0);
}

TEST(DetentKnob, DragCrossesTheCentreZoneAndResumesFromOutsideChanges) {
    WidgetFixture f;
    auto* k = f.Add(new IDetentKnobWidget(f.plug.get(), 10, 10, 0, f.Strip(20, 50, 10), 1.0, 0.5));
    k->ApplyHostValue(0.44);  // the host moved it: the drag starts there
    f.Press(20, 30);
    f.DragTo(20, 29);  // 0.46: inside the zone
    EXPECT_EQ(k->Value(), 0.5);
    f.DragTo(20, 25);  // 0.54: still inside
    EXPECT_EQ(k->Value(), 0.5);
    f.DragTo(20, 24);  // 0.56: out on the other side
    EXPECT_NEAR(k->Value(), DetentValue(0.56, 0.5), 1e-12);
    f.Release(20, 24);
    // A double click resets to the first host value; the next drag starts
    // from there rather than from the old drag position.
    k->PointerDoubleClick(20, 24, {});
    EXPECT_EQ(k->Value(), 0.44);
    f.Press(20, 30);
    f.DragTo(20, 31);  // 0.42
    EXPECT_NEAR(k->Value(), DetentValue(0.42, 0.5), 1e-12);
}

TEST(ShapeSelector, ReleaseSnapsToTheNearestShapePicture) {
    struct Case {
        double value, snapped;
    } cases[] = {
        {0.0, 0.0},
        {3.9 / 41, 0.0},
        {4.0 / 41, 9.0 / 41},
        {0.3, 9.0 / 41},
        {14.0 / 41, 19.0 / 41},
        {0.5, 19.0 / 41},
        {24.0 / 41, 31.0 / 41},
        {0.8, 31.0 / 41},
        {36.0 / 41, 1.0},
        {0.9, 1.0},
        {1.0, 1.0},
    };
    for (const Case& c : cases) EXPECT_EQ(SnapToShape(c.value), c.snapped) << c.value;
    // The snapped values land on frames 1, 10, 20, 31 and 41.
    for (auto [v, frame] :
         {std::pair{0.0, 1}, {9.0 / 41, 10}, {19.0 / 41, 20}, {31.0 / 41, 31}, {1.0, 41}})
        EXPECT_EQ(int(40 * v + 0.5) + 1, frame);
}

TEST(ShapeSelector, DragsFreelyAndReportsTheSnappedValueOnRelease) {
    WidgetFixture f;
    auto* s = f.Add(new IShapeSelectorWidget(f.plug.get(), 10, 10, 6, f.Strip(25, 17, 41), 1.0));
    f.Press(20, 20);
    f.DragTo(20, 15);  // up 5 of 17 pixels
    EXPECT_NEAR(s->Value(), 5.0 / 17, 1e-12);
    f.Release(20, 15);
    EXPECT_EQ(s->Value(), 9.0 / 41);
    EXPECT_NEAR(f.plug->Automated().back(), 9.0 / 41, 1e-12);
    EXPECT_EQ(f.plug->calls.back(), (PlugCall{"end", 6, 0.0}));
}

TEST(SyncRateKnob, QuantisesToTempoDivisionsOnlyWhileItsLfoIsSynced) {
    WidgetFixture f;
    auto* k1 = f.Add(new ISyncRateKnobWidget(f.plug.get(), 10, 10, 2, f.Strip(24, 23, 136)));
    auto* k2 = f.Add(new ISyncRateKnobWidget(f.plug.get(), 50, 10, 3, f.Strip(24, 23, 136)));
    auto* other = f.Add(new ISyncRateKnobWidget(f.plug.get(), 90, 10, 1, f.Strip(24, 23, 136)));
    f.plug->Param(4)->SetClamped(1.0);  // LFO 1 synced, LFO 2 free
    EXPECT_DOUBLE_EQ(k1->Quantise(0.5), 4.0 / 7);
    EXPECT_DOUBLE_EQ(k1->Quantise(1.0), 1.0);
    EXPECT_DOUBLE_EQ(k1->Quantise(0.0), 0.0);
    EXPECT_DOUBLE_EQ(k1->Quantise(0.02), 0.0);  // trunc(7 * 0.141) = 0
    EXPECT_DOUBLE_EQ(k2->Quantise(0.5), 0.5);
    f.plug->Param(5)->SetClamped(1.0);
    EXPECT_DOUBLE_EQ(k2->Quantise(0.5), 4.0 / 7);
    EXPECT_DOUBLE_EQ(other->Quantise(0.5), 0.5);  // not an LFO rate
}

TEST(SyncRateKnob, DragQuantisesWhileHostValuesShowUnquantised) {
    WidgetFixture f;
    f.plug->Param(4)->SetClamped(1.0);
    // 20 pixels tall, gearing 6: 120 pixels for the whole travel.
    auto* k = f.Add(new ISyncRateKnobWidget(f.plug.get(), 10, 10, 2, f.Strip(24, 20, 10)));
    k->ApplyHostValue(0.3);
    EXPECT_EQ(k->Value(), 0.3);
    f.Press(20, 20);
    f.DragTo(20, 20 - 24);  // +0.2: drag position 0.5
    EXPECT_DOUBLE_EQ(k->Value(), 4.0 / 7);
    EXPECT_DOUBLE_EQ(f.plug->Automated().back(), 4.0 / 7);
    f.DragTo(20, 20 - 24 - 600);  // far past the top: drag position clamped to 1
    EXPECT_DOUBLE_EQ(k->Value(), 1.0);
    f.DragTo(20, 20 - 24 - 600 + 12);       // down 0.1 from 1, not from 5.5
    EXPECT_DOUBLE_EQ(k->Value(), 6.0 / 7);  // trunc(7 * sqrt(0.9)) = 6
    f.Release(20, 0);
}

TEST(SyncRateKnob, FreeRunningDragIsPlain) {
    WidgetFixture f;
    auto* k = f.Add(new ISyncRateKnobWidget(f.plug.get(), 10, 10, 2, f.Strip(24, 20, 10)));
    f.Press(20, 20);
    f.DragTo(20, 20 - 24);
    EXPECT_DOUBLE_EQ(k->Value(), 0.2);
}

TEST(MotorKnob, InMotorModeShowsTheMotorPositionWhateverItsValue) {
    WidgetFixture f;
    IImageStrip strip = f.Strip(31, 28, 136);
    int index;
    auto* k = f.Add(new IMotorKnobWidget(f.plug.get(), 10, 10, 0, strip, 0, 6.0), &index);
    k->ApplyHostValue(0.8);
    auto shown = [&] {
        f.graphics->Draw(index);
        return RecordingGraphics::FrameOf(f.graphics->blits.at(0), strip);
    };
    EXPECT_EQ(shown(), int(135 * 0.8 + 0.5) + 1);
    k->SetMotorMode(true);
    EXPECT_EQ(k->MotorPosition(), 0.8);  // starts where the knob stands
    k->SetMotorPosition(0.25);
    EXPECT_EQ(shown(), 35);
    EXPECT_EQ(k->Value(), 0.8);
    // Out-of-range positions show the end frames.
    k->SetMotorPosition(7.0);
    EXPECT_EQ(shown(), 136);
    k->SetMotorPosition(std::nan(""));
    EXPECT_EQ(shown(), 1);
    k->SetMotorMode(false);
    EXPECT_EQ(shown(), int(135 * 0.8 + 0.5) + 1);
}

TEST(MotorKnob, DragInMotorModeStillReportsButKeepsShowingTheMotor) {
    WidgetFixture f;
    IImageStrip strip = f.Strip(31, 28, 136);
    auto* k = f.Add(new IMotorKnobWidget(f.plug.get(), 10, 10, 0, strip, 0, 1.0));
    k->SetMotorMode(true);
    k->SetMotorPosition(0.25);
    f.Press(20, 20);
    f.DragTo(20, 20 - 14);  // half the box: +0.5
    EXPECT_DOUBLE_EQ(k->Value(), 0.5);
    EXPECT_DOUBLE_EQ(f.plug->Automated().back(), 0.5);
    EXPECT_EQ(k->ShownFrame(), 35);
}

TEST(MotorKnob, MotorUpdatesAskForARedrawEvenDuringOne) {
    WidgetFixture f;
    auto* k = f.Add(new IMotorKnobWidget(f.plug.get(), 10, 10, 0, f.Strip(31, 28, 136), 0, 6.0));
    k->MarkDrawn();
    k->MarkDrawn();
    ASSERT_FALSE(k->NeedsRedraw());
    // A position stored while a pass draws (between Render and MarkDrawn)
    // survives the pass's MarkDrawn.
    k->SetMotorPosition(0.5);
    k->MarkDrawn();
    EXPECT_TRUE(k->NeedsRedraw());
    k->MarkDrawn();
    EXPECT_FALSE(k->NeedsRedraw());
    k->SetMotorMode(true);
    EXPECT_TRUE(k->NeedsRedraw());
}
