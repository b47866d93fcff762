// The parameter set as hosts and the engine see it after the open call.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "QuorvexTestKit.h"

namespace quorvex {
namespace {

using test::ScriptedQuorvex;

std::string Display(const IParameter* p) {
    char text[64] = {};
    p->FormatCurrent(text);
    return text;
}

TEST(QuorvexParameters, NamesAreDistinctAndWhole) {
    ScriptedQuorvex plug;
    ASSERT_EQ(plug.NParams(), 60);
    std::set<std::string> names;
    for (int i = 0; i < plug.NParams(); ++i) {
        const std::string name = plug.Param(i)->Name();
        EXPECT_FALSE(name.empty()) << i;
        EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
    }
    // The longest names, formed from the target names, survive whole.
    EXPECT_STREQ(plug.Param(kPhaserFreq1Strength)->Name(),
                 "phaser frequency 1 modulation strength");
    EXPECT_STREQ(plug.Param(kPhaserFreq3Source)->Name(), "phaser frequency 3 modulation source");
    EXPECT_STREQ(plug.Param(kCutoffSource)->Name(), "cutoff filter modulation source");
    EXPECT_STREQ(plug.Param(kOutputStrength)->Name(), "output modulation strength");
}

TEST(QuorvexParameters, KindsRangesAndTexts) {
    ScriptedQuorvex plug;
    struct Row {
        int idx;
        ParamKind kind;
        double def, lo, hi, step, shape;
        const char* label;
        const char* display;
    } rows[] = {
        {kSidechainDetector, ParamKind::Toggle, 0, 0, 1, 1, 1, "", "off"},
        {kInputTrim, ParamKind::Continuous, 0, -8, 24, 0.1, 1, "dB", "0"},
        {kLfo1Rate, ParamKind::Continuous, 0.5, 0, 1, 0.01, 2, "", "0.50"},
        {kLfo2Shape, ParamKind::Choice, 1, 0, 4, 1, 1, "", "tri"},
        {kFollowerFloor, ParamKind::Continuous, -18, -24, 0, 0.01, 1, "dB", "-18.00"},
        {kGateHold, ParamKind::Continuous, 0, 0, 500, 1, 1, "ms", "0"},
        {kAdsrAttack, ParamKind::Continuous, 0.06666666666667, 0, 1, 0.01, 2.5, "", "0.07"},
        {kCutoffShape, ParamKind::Choice, 0, 0, 2, 1, 1, "", "low pass"},
        {kCutoffSource, ParamKind::Choice, 2, 0, 4, 1, 1, "", "no modulation"},
        {kCutoffFrequency, ParamKind::Continuous, 18000, 10, 18000, 1, 2.5, "Hz", "18000"},
        {kHighPassFrequency, ParamKind::Continuous, 10, 10, 18000, 1, 4, "Hz", "10"},
        {kDriveFeedback, ParamKind::Toggle, 1, 0, 1, 1, 1, "", "on"},
        {kPhaserFreq2Source, ParamKind::Choice, 4, 0, 4, 1, 1, "", "LFO 2"},
        {kPhaserFreq2Strength, ParamKind::Continuous, 1, -1, 1, 0.01, 1, "", "1.00"},
        {kChorusDelay, ParamKind::Continuous, 0.25, 0, 1, 0.01, 1.5, "", "0.25"},
        {kOutput, ParamKind::Continuous, 1, 0, 2, 0.01, 1, "", "1.00"},
        {kBrickwallLimit, ParamKind::Toggle, 1, 0, 1, 1, 1, "", "on"},
        {kUnused, ParamKind::Toggle, 0, 0, 1, 1, 1, "", "off"},
    };
    for (const Row& r : rows) {
        const IParameter* p = plug.Param(r.idx);
        SCOPED_TRACE(p->Name());
        EXPECT_EQ(p->Kind(), r.kind);
        EXPECT_EQ(p->Value(), r.def);
        EXPECT_EQ(p->Minimum(), r.lo);
        EXPECT_EQ(p->Maximum(), r.hi);
        EXPECT_EQ(p->Step(), r.step);
        EXPECT_EQ(p->ShapeExponent(), r.shape);
        EXPECT_STREQ(p->Label(), r.label);
        EXPECT_EQ(Display(p), r.display);
    }
    // Every source offers the same five choices.
    const char* sources[] = {"LFO 1", "ADSR", "no modulation", "env follower", "LFO 2"};
    for (const ModTargetInfo& info : kModTargetInfo) {
        for (int v = 0; v < 5; ++v) {
            EXPECT_STREQ(plug.Param(info.sourceParam)->ValueTextFor(v), sources[v]) << info.name;
        }
    }
    const char* shapes[] = {"sine", "tri", "nonlinear", "saw", "square"};
    for (int v = 0; v < 5; ++v) EXPECT_STREQ(plug.Param(kLfo1Shape)->ValueTextFor(v), shapes[v]);
    EXPECT_STREQ(plug.Param(kCutoffShape)->ValueTextFor(2), "narrow band pass");
}

TEST(QuorvexParameters, EngineStateAfterOpen) {
    ScriptedQuorvex plug;
    plug.Open();
    EXPECT_EQ(plug.CutoffBase(), 18000.0);
    EXPECT_EQ(plug.ChorusDelayBase(), 12.5);
    EXPECT_EQ(plug.InputGain(), 1.0);
    const Phaser& phaser = plug.GetPhaser();
    EXPECT_EQ(phaser.LeftStage(1).Frequency(), 3400.0);
    EXPECT_EQ(phaser.LeftStage(2).Frequency(), 110.0);
    EXPECT_EQ(phaser.LeftStage(3).Frequency(), 12000.0);
    for (int t : {kTargetPhaserFreq1, kTargetPhaserFreq2, kTargetPhaserFreq3}) {
        EXPECT_EQ(plug.Target(t).source, kSourceLfo2);
        EXPECT_EQ(plug.Target(t).strength, 1.0);
    }
    for (int t : {kTargetCutoff, kTargetDrive, kTargetOutput, kTargetChorusWet, kTargetChorusDelay,
                  kTargetPhaserWet}) {
        EXPECT_EQ(plug.Target(t).source, kSourceNone);
        EXPECT_EQ(plug.Target(t).strength, 0.0);
        EXPECT_EQ(plug.Target(t).values.size(), 1024u);
    }
    EXPECT_DOUBLE_EQ(plug.Lfo1().Rate(), 8.0);
    EXPECT_DOUBLE_EQ(plug.Lfo2().Rate(), 3.2);
    EXPECT_FALSE(plug.Motorized());
    // Gate on -12 dB with 3 dB hysteresis: on above 0.2512, off below 0.1778.
    EXPECT_NEAR(plug.GateOnAmp(), 0.2512, 1e-4);
    EXPECT_NEAR(plug.GateOffAmp(), 0.1778, 1e-4);
    EXPECT_NEAR(plug.FloorAmp(), std::exp(-18.0 * 0.1151292546497), 1e-15);
}

TEST(QuorvexParameters, HandlerFollowsEveryChange) {
    ScriptedQuorvex plug;
    plug.Set(kInputTrim, 6.0);
    EXPECT_NEAR(plug.InputGain(), 1.9953, 1e-4);
    plug.Set(kChorusDelay, 1.0);
    EXPECT_EQ(plug.ChorusDelayBase(), 50.0);
    plug.Set(kPhaserFreq3, 5000.0);
    EXPECT_EQ(plug.GetPhaser().LeftStage(3).Frequency(), 5000.0);
    EXPECT_EQ(plug.GetPhaser().RightStage(3).Frequency(), 5000.0);
    // Either index of a source/strength pair updates both.
    plug.Param(kDriveSource)->SetClamped(kSourceAdsr);
    plug.Param(kDriveStrength)->SetClamped(-0.4);
    plug.ParamChanged(kDriveStrength);
    EXPECT_EQ(plug.Target(kTargetDrive).source, kSourceAdsr);
    EXPECT_EQ(plug.Target(kTargetDrive).strength, -0.4);
    plug.Set(kMotorizedKnobs, 1.0);
    EXPECT_TRUE(plug.Motorized());
    plug.ResetState();  // every reset turns the motor display off
    EXPECT_FALSE(plug.Motorized());
    plug.Set(kFollowerSpeed, 1.0);
    EXPECT_NEAR(plug.Follower().AttackCoef(), std::exp(-1.0 / (10.0 * 0.001 * 44100.0)), 1e-15);
    EXPECT_NEAR(plug.Follower().ReleaseCoef(), std::exp(-1.0 / (100.0 * 0.001 * 44100.0)), 1e-15);
    plug.Set(kGateHold, 250.0);
    EXPECT_EQ(plug.Gate().HoldSamples(), 11025);
}

}  // namespace
}  // namespace quorvex
