// Parameter sets of the three single effects and how their settings reach
// the signal-processing blocks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "tests/singles/SinglesTestKit.h"

using namespace singles_test;

namespace {

struct ParamRow {
    const char* product;
    int index;
    const char* name;
    ParamKind kind;
    double defaultValue, minimum, maximum, step;
    const char* label;
    double shape;
};

constexpr ParamKind C = ParamKind::Continuous;
constexpr ParamKind T = ParamKind::Toggle;

const ParamRow kParams[] = {
    {"phaser", 0, "fx level", C, 1, 0, 1, 0.01, "", 1},
    {"phaser", 1, "LFO rate", C, 0.25, 0, 1, 0.01, "", 3},
    {"phaser", 2, "LFO depth", C, 1, 0, 1, 0.01, "", 1},
    {"phaser", 3, "frequency 1", C, 3400, 10, 18000, 1, "Hz", 3},
    {"phaser", 4, "frequency 2", C, 110, 10, 18000, 1, "Hz", 3},
    {"phaser", 5, "frequency 3", C, 12000, 10, 18000, 1, "Hz", 3},
    {"phaser", 6, "feedback", C, 0.7, 0, 1, 0.01, "", 1},
    {"phaser", 7, "super stereo", T, 1, 0, 1, 1, "", 1},
    {"phaser", 8, "brickwall limit", T, 1, 0, 1, 1, "", 1},
    {"phaser", 9, "english labels", T, 1, 0, 1, 1, "", 1},
    {"chorus", 0, "fx level", C, 1, 0, 1, 0.01, "", 1},
    {"chorus", 1, "rate", C, 0.25, 0, 1, 0.01, "", 2},
    {"chorus", 2, "depth", C, 1, 0, 1, 0.01, "", 1},
    {"chorus", 3, "delay", C, 0.35, 0, 1, 0.01, "", 1.5},
    {"chorus", 4, "spread", C, 0.5, 0, 1, 0.01, "", 1},
    {"chorus", 5, "super stereo", T, 1, 0, 1, 1, "", 1},
    {"chorus", 6, "brickwall limit", T, 1, 0, 1, 1, "", 1},
    {"chorus", 7, "english labels", T, 1, 0, 1, 1, "", 1},
    {"drive", 0, "input gain", C, 0, -8, 24, 0.1, "dB", 1},
    {"drive", 1, "drive", C, 0, 0, 1, 0.01, "", 1},
    {"drive", 2, "drive feedback", T, 1, 0, 1, 1, "", 1},
    {"drive", 3, "brickwall limit", T, 1, 0, 1, 1, "", 1},
    {"drive", 4, "english labels", T, 1, 0, 1, 1, "", 1},
};

void CheckParams(const VexilBase& plug, const char* product, int count) {
    EXPECT_EQ(plug.NParams(), count) << product;
    for (const ParamRow& row : kParams) {
        if (std::strcmp(row.product, product) != 0) continue;
        SCOPED_TRACE(std::string(product) + " parameter " + row.name);
        const IParameter* p = plug.Param(row.index);
        ASSERT_NE(p, nullptr);
        EXPECT_STREQ(p->Name(), row.name);
        EXPECT_STREQ(p->Label(), row.label);
        EXPECT_EQ(p->Kind(), row.kind);
        EXPECT_DOUBLE_EQ(p->Value(), row.defaultValue);
        EXPECT_DOUBLE_EQ(p->Minimum(), row.minimum);
        EXPECT_DOUBLE_EQ(p->Maximum(), row.maximum);
        EXPECT_DOUBLE_EQ(p->Step(), row.step);
        EXPECT_DOUBLE_EQ(p->ShapeExponent(), row.shape);
    }
}

}  // namespace

TEST(SinglesParameters, NamesKindsRangesAndCurvesAsDeclared) {
    Opened<QuorvexPhaser> phaser;
    Opened<QuorvexChorus> chorus;
    Opened<QuorvexDrive> drive;
    CheckParams(*phaser.plug, "phaser", 10);
    CheckParams(*chorus.plug, "chorus", 8);
    CheckParams(*drive.plug, "drive", 5);
}

TEST(SinglesParameters, PhaserRateDepthAndStageFrequencies) {
    const double sr = 48000.0;
    Opened<QuorvexPhaser> ph(sr);
    const quorvex::Phaser& engine = ph.plug->Engine();
    // "LFO rate": the cube of the knob position, then 4 x value cycles per second.
    for (double position : {0.0, 0.3, 0.5, 1.0}) {
        ph.Set(1, position);
        const double value = std::pow(static_cast<float>(position), 3.0);
        EXPECT_NEAR(ph.plug->Param(1)->Value(), value, 1e-7);
        EXPECT_NEAR(engine.GetLfo().Increment() * sr, 4.0 * ph.plug->Param(1)->Value(), 1e-12)
            << "position " << position;
    }
    // "LFO depth": at 1 the sweep spans 8 to the power +-1.
    for (double depth : {0.0, 0.35, 1.0}) {
        ph.SetValue(2, depth);
        EXPECT_NEAR(engine.SweepDepth(), ph.plug->Param(2)->Value() * 2.07944154167984, 1e-15);
    }
    ph.SetValue(2, 1.0);
    EXPECT_NEAR(std::exp(engine.SweepDepth()), 8.0, 1e-12);
    // Frequencies 1..3 are stages 2..4; stage 1 stays at 880 Hz.
    ph.SetValue(3, 3400.0);
    ph.SetValue(4, 110.0);
    ph.SetValue(5, 18000.0);
    for (int stage = 1; stage <= 3; ++stage) {
        const double f = ph.plug->Param(2 + stage)->Value();
        EXPECT_NEAR(engine.MinMult(stage), 10.0 / f, 1e-12);
        EXPECT_NEAR(engine.MaxMult(stage), 18000.0 / f, 1e-12);
    }
    EXPECT_DOUBLE_EQ(engine.MaxMult(3), 1.0);  // 18000 Hz sweeps only downward
    EXPECT_NEAR(engine.MinMult(0), 10.0 / 880.0, 1e-12);
}

TEST(SinglesParameters, PhaserRateZeroFreezesTheSweep) {
    Opened<QuorvexPhaser> ph;
    ph.Set(1, 0.0);
    auto l = Sine(2048, 0.3, 440, 44100), r = l;
    ph.Process(l, r);
    EXPECT_EQ(ph.plug->Engine().GetLfo().Phase(), 0.0);
}

TEST(SinglesParameters, ChorusRateSpreadDelayAndDepth) {
    const double sr = 44100.0;
    Opened<QuorvexChorus> ch(sr, 1000);
    const quorvex::Chorus& engine = ch.plug->Engine();
    // "rate": the square of the position; voice 1 makes value x 0.125 cycles per second.
    ch.Set(1, 0.5);
    const double rate = ch.plug->Param(1)->Value();
    EXPECT_NEAR(rate, 0.25, 1e-7);
    EXPECT_NEAR(engine.Voice(0).Increment() * sr, rate * 0.125, 1e-12);
    ch.SetValue(4, 1.0);  // spread 1 puts voice 4 at 2.33 times voice 1
    EXPECT_NEAR(engine.Voice(3).Rate(), rate * 0.25 * 2.33, 1e-12);
    ch.Set(1, 0.0);
    EXPECT_EQ(engine.Voice(0).Rate(), 0.0);

    // "delay": default 0.35 is 17.5 ms; the opened plug-in starts there.
    EXPECT_DOUBLE_EQ(engine.DelayMs(), 17.5);
    EXPECT_NEAR(engine.DelaySamples(), 17.5e-3 * sr, 1e-9);
    // Position 1 asks for 50 ms, reached gliding 0.1 sample per sample.
    ch.Set(3, 1.0);
    EXPECT_DOUBLE_EQ(engine.DelayMs(), 50.0);
    std::vector<double> l(1000, 0.0), r(1000, 0.0);
    ch.Process(l, r);
    EXPECT_NEAR(engine.DelaySamples(), 17.5e-3 * sr + 100.0, 1e-6);
    // "delay" position 0.5 is 50 x 0.5^1.5 ms.
    ch.Set(3, 0.5);
    EXPECT_NEAR(engine.DelayMs(), 50.0 * std::pow(0.5, 1.5), 1e-6);

    // "depth" glides too, 0.00005 per sample.
    ch.Set(2, 0.0);
    ch.Process(l, r);
    EXPECT_NEAR(engine.Depth(), 1.0 - 1000 * 0.00005, 1e-9);
}

TEST(SinglesParameters, DriveInputGainInDecibels) {
    Opened<QuorvexDrive> dr;
    const struct {
        double db, gain;
    } cases[] = {{0.0, 1.0}, {24.0, 15.848931924611}, {-8.0, 0.398107170553497}, {6.0, 1.99526}};
    for (const auto& c : cases) {
        dr.SetValue(0, c.db);
        EXPECT_NEAR(dr.plug->InputGain(), c.gain, 1e-5) << c.db << " dB";
    }
}

TEST(SinglesParameters, VendorSpecificDisplayFormatsAnyPositionWithoutSettingIt) {
    Opened<QuorvexPhaser> ph;
    char text[64] = "untouched";
    // frequency 1 at position 0.5: 10 + 0.125 x 17990 = 2258.75, shown without decimals.
    EXPECT_EQ(ph.Dispatch(effVendorSpecific, effGetParamDisplay, 3, text, 0.5f), 0xBEEF);
    EXPECT_STREQ(text, "2258");
    EXPECT_DOUBLE_EQ(ph.plug->Param(3)->Value(), 3400.0);
    std::strcpy(text, "untouched");
    EXPECT_EQ(ph.Dispatch(effVendorSpecific, effGetParamDisplay, 10, text, 0.5f), 0xBEEF);
    EXPECT_STREQ(text, "untouched");
}
