// The display feeds: target lamps, block lamps, limiter lamp, meters,
// needles, gate lamps and motor positions, from known values and from audio.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "EditorTestKit.h"
#include "products/quorvex/QuorvexEditorLayout.h"
#include "products/quorvex/widgets/IMotorKnobWidget.h"

using namespace quorvex;
using namespace quorvex::editor;
using namespace quorvex_editor_test;

namespace {

double Meter(double level) {
    return std::clamp((level - 0.06309573444802) / 0.93690426555198, 0.0, 1.0);
}

}  // namespace

TEST(QuorvexEditorDisplays, TargetLampsFollowSourceStrengthAndBlock) {
    EditorPlug plug;
    // Lamps 1-9: cutoff, drive, chorus wet, chorus delay, output, phaser
    // wet, phaser frequency 1-3.
    plug.Set(kCutoffEnable, 1);
    plug.Set(kCutoffSource, kSourceLfo1);
    plug.Set(kCutoffStrength, -0.25);
    plug.Set(kDriveEnable, 0);
    plug.Set(kDriveSource, kSourceAdsr);
    plug.Set(kDriveStrength, 1);
    plug.Set(kChorusWetSource, kSourceNone);
    plug.Set(kChorusDelaySource, kSourceFollower);
    plug.Set(kChorusDelayStrength, 0.64);
    plug.Set(kOutputSource, kSourceAdsr);
    plug.Set(kOutputStrength, -1);
    plug.Set(kPhaserEnable, 0);  // all four phaser lamps dark

    plug.UpdateEditorDisplays(0.5, 0.9, 0.3 + 0.5, 0.2);
    const double expected[kNumModTargets] = {0.5 * 0.8, 0, 1, 0.8 * 0.5, 0.9, 0, 0, 0, 0};
    for (int i = 0; i < kNumModTargets; ++i)
        EXPECT_NEAR(plug.WidgetValue(1 + i), expected[i], 1e-12) << "lamp " << 1 + i;

    // With the phaser back on, its frequency targets show LFO 2 at full
    // strength (the defaults); a source outside the list counts as none.
    plug.Set(kPhaserEnable, 1);
    plug.Set(kPhaserWetSource, 2);
    plug.UpdateEditorDisplays(0.5, 0.9, 0.8, 0.2);
    EXPECT_NEAR(plug.WidgetValue(6), 1.0, 1e-12);
    for (int i = 7; i <= 9; ++i) EXPECT_NEAR(plug.WidgetValue(i), 0.2, 1e-12) << i;
}

TEST(QuorvexEditorDisplays, BlockLampsShowWhichBlocksRun) {
    EditorPlug plug;
    struct Case {
        int cutoff, drive, chorus, phaser;
    } cases[] = {{0, 0, 1, 1}, {1, 1, 0, 0}, {1, 0, 1, 0}};
    for (const Case& c : cases) {
        plug.Set(kCutoffEnable, c.cutoff);
        plug.Set(kDriveEnable, c.drive);
        plug.Set(kChorusEnable, c.chorus);
        plug.Set(kPhaserEnable, c.phaser);
        plug.UpdateEditorDisplays(0, 0, 0, 0);
        EXPECT_EQ(plug.WidgetValue(kCutoffEnabledLamp), c.cutoff);
        EXPECT_EQ(plug.WidgetValue(kDriveEnabledLamp), c.drive);
        EXPECT_EQ(plug.WidgetValue(kChorusEnabledLamp), c.chorus);
        EXPECT_EQ(plug.WidgetValue(kPhaserEnabledLamp), c.phaser);
    }
}

TEST(QuorvexEditorDisplays, NeedlesShowTheThresholds) {
    EditorPlug plug;
    plug.Set(kGateOnThreshold, -12);
    plug.Set(kGateHysteresis, 3);
    plug.Set(kFollowerFloor, -18);
    plug.Set(kFollowerCeiling, -3);
    plug.UpdateEditorDisplays(0, 0, 0, 0);
    EXPECT_NEAR(plug.WidgetValue(kGateOnNeedle), 0.2008, 1e-4);
    EXPECT_NEAR(plug.WidgetValue(kGateOffNeedle), 0.1225, 1e-4);
    EXPECT_NEAR(plug.WidgetValue(kFloorNeedle), Meter(std::pow(10, -18 / 20.0)), 1e-6);
    EXPECT_NEAR(plug.WidgetValue(kCeilingNeedle), Meter(std::pow(10, -3 / 20.0)), 1e-6);
    // Thresholds below -24 dB keep the needle at its start.
    plug.Set(kGateOnThreshold, -24);
    plug.Set(kGateHysteresis, 18);
    plug.UpdateEditorDisplays(0, 0, 0, 0);
    EXPECT_EQ(plug.WidgetValue(kGateOffNeedle), 0.0);
}

TEST(QuorvexEditorDisplays, MetersLampsAndGateFollowTheAudio) {
    EditorPlug plug;
    plug.Set(kGateHold, 300);
    plug.Set(kOutput, 2);
    plug.Set(kBrickwallLimit, 1);
    // Loud: the gate opens, both meters rise, the limiter works.
    plug.Run(40, 0.5);
    ASSERT_TRUE(plug.Gate().IsOpen());
    plug.UpdateEditorDisplays(0, 0, 0, 0);
    EXPECT_NEAR(plug.WidgetValue(kGateMeter), Meter(plug.Gate().Envelope()), 1e-12);
    EXPECT_NEAR(plug.WidgetValue(kFollowerMeter), Meter(plug.Follower().Envelope()), 1e-12);
    EXPECT_GT(plug.WidgetValue(kFollowerMeter), 0.5);
    EXPECT_GT(plug.WidgetValue(kLimiterLamp), 0.0);
    EXPECT_EQ(plug.WidgetValue(kLimiterLamp), std::min(plug.LimitLampValue(), 1.0));
    EXPECT_EQ(plug.WidgetValue(kGateClosedLamp), 0);
    EXPECT_EQ(plug.WidgetValue(kGateHoldingLamp), 0);
    EXPECT_EQ(plug.WidgetValue(kGateOpenLamp), 1);

    // Silence: the gate holds for a while, then closes.
    bool sawHolding = false;
    for (int i = 0; i < 200 && plug.Gate().IsOpen(); ++i) {
        plug.Run(1, 0.0);
        plug.UpdateEditorDisplays(0, 0, 0, 0);
        const bool holding = plug.Gate().IsHolding();
        const bool open = plug.Gate().IsOpen() && !holding;
        sawHolding = sawHolding || holding;
        EXPECT_EQ(plug.WidgetValue(kGateHoldingLamp), holding ? 1 : 0);
        EXPECT_EQ(plug.WidgetValue(kGateOpenLamp), open ? 1 : 0);
        EXPECT_EQ(plug.WidgetValue(kGateClosedLamp), !holding && !open ? 1 : 0);
    }
    EXPECT_TRUE(sawHolding);
    ASSERT_FALSE(plug.Gate().IsOpen());
    EXPECT_EQ(plug.WidgetValue(kGateClosedLamp), 1);
    EXPECT_EQ(plug.WidgetValue(kGateHoldingLamp), 0);
    EXPECT_EQ(plug.WidgetValue(kGateOpenLamp), 0);
}

TEST(QuorvexEditorDisplays, ProcessingFeedsTheEditorAtItsCadence) {
    EditorPlug plug;
    IGraphics& g = plug.G();
    plug.UpdateEditorDisplays(0, 0, 0, 0);
    IWidget* meter = plug.W(kFollowerMeter);
    // Block size 1024 at 44100 Hz: trunc(44100 / 1024 / 18) = 2, so the
    // first block after a reset feeds the editor, the second does not, the
    // third does.
    ASSERT_EQ(plug.BlockSize(), 1024);
    plug.Run(1, 0.5, 1024);
    const double afterOne = meter->Value();
    EXPECT_NEAR(afterOne, Meter(plug.Follower().Envelope()), 1e-12);
    EXPECT_GT(afterOne, 0.0);
    plug.Run(1, 0.5, 1024);
    EXPECT_EQ(meter->Value(), afterOne);
    EXPECT_NE(Meter(plug.Follower().Envelope()), afterOne);
    plug.Run(1, 0.5, 1024);
    EXPECT_NEAR(meter->Value(), Meter(plug.Follower().Envelope()), 1e-12);
    // Feeding only stores values and flags; the widgets wait for a redraw.
    EXPECT_TRUE(meter->NeedsRedraw());
    IBox dirty;
    EXPECT_TRUE(g.CollectDirtyArea(dirty));
}

TEST(QuorvexEditorDisplays, MotorKnobsFollowTheirTargetsWhileMotorized) {
    EditorPlug plug;
    plug.Set(kChorusDelaySource, kSourceLfo1);
    plug.Set(kChorusDelayStrength, 1);
    plug.Set(kCutoffEnable, 0);
    plug.Set(kMotorizedKnobs, 1);
    // Motor mode for the targets whose block runs: chorus, output, phaser.
    const bool expectMotor[kNumModTargets] = {false, false, true, true, true,
                                              true,  true,  true, true};
    for (int i = 0; i < kNumModTargets; ++i) {
        const ModTarget& t = plug.Target(kDisplayOrder[i]);
        EXPECT_EQ(t.knob->MotorMode(), expectMotor[i]) << i;
    }
    plug.Run(7, 0.1);
    plug.UpdateEditorDisplays(0, 0, 0, 0);
    for (int i = 0; i < kNumModTargets; ++i) {
        const ModTarget& t = plug.Target(kDisplayOrder[i]);
        EXPECT_EQ(t.knob->MotorPosition(), t.displayPosition) << i;
    }
    // An unmodulated phaser frequency sits in the middle of its travel.
    plug.Set(kPhaserFreq2Source, kSourceNone);
    plug.Run(1, 0.1);
    plug.UpdateEditorDisplays(0, 0, 0, 0);
    EXPECT_EQ(plug.Target(kTargetPhaserFreq2).knob->MotorPosition(), 0.5);
    // The modulated chorus delay knob shows something else than its value.
    IMotorKnobWidget* delay = plug.Target(kTargetChorusDelay).knob;
    EXPECT_NE(delay->ShownFrame(), delay->FrameForValue());

    // Switching the block off does not end the motor display until the
    // modes are applied again; a reset turns every motor off.
    plug.Set(kChorusEnable, 0);
    EXPECT_TRUE(delay->MotorMode());
    plug.ApplyMotorModes();
    EXPECT_FALSE(delay->MotorMode());
    EXPECT_TRUE(plug.Target(kTargetOutput).knob->MotorMode());
    plug.ResetState();
    for (int i = 0; i < kNumModTargets; ++i)
        EXPECT_FALSE(plug.Target(kDisplayOrder[i]).knob->MotorMode()) << i;
}

TEST(QuorvexEditorDisplays, MotorPositionsAreLeftAloneWhileNotMotorized) {
    EditorPlug plug;
    IMotorKnobWidget* output = plug.Target(kTargetOutput).knob;
    output->SetMotorPosition(0.123);
    plug.Run(3, 0.1);
    plug.UpdateEditorDisplays(0, 0, 0, 0);
    EXPECT_EQ(output->MotorPosition(), 0.123);
}
