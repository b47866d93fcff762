#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/Biquad.h"
#include "dsp/Ladder.h"
#include "dsp/NonlinearAllpass.h"
#include "tests/dsp/Compare.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

TEST(LadderLowPass, ResonanceLimitsTheCutoff) {
    struct Case {
        double resonance, hz, expectedFc;
    };
    const Case cases[] = {
        {0.0, 18000, 18000 / 44100.0},  // no limit without resonance
        {0.1, 18000, 0.4},              // 0.5 - resonance
        {0.2, 18000, 0.3},
        {0.25, 18000, 0.25},  // from 0.25 on: a quarter of the rate
        {1.0, 18000, 0.25},
        {0.5, 1000, 1000 / 44100.0},  // below the limit: untouched
    };
    for (const Case& c : cases) {
        LadderLowPass lp;
        lp.SetResonance(c.resonance);
        lp.SetFrequency(c.hz);
        EXPECT_DOUBLE_EQ(lp.NormalisedCutoff(), c.expectedFc) << c.resonance << " " << c.hz;
    }
}

TEST(LadderLowPass, SilenceSettlesOnATinyConstant) {
    LadderLowPass lp;
    lp.SetResonance(0.5);
    lp.SetFrequency(2000);
    double y = 0, prev = 1;
    for (int i = 0; i < 200000; ++i) {
        prev = y;
        y = lp.Process(0.0);
    }
    EXPECT_NE(y, 0.0);
    EXPECT_TRUE(std::isfinite(y));
    EXPECT_LT(std::abs(y), 1e-8);
    EXPECT_NEAR(y, prev, 1e-20);
    EXPECT_FALSE(std::fpclassify(y) == FP_SUBNORMAL);
}

TEST(LadderLowPass, SetSampleRateClearsStateOthersDoNot) {
    LadderLowPass a, b;
    for (LadderLowPass* lp : {&a, &b}) {
        lp->SetResonance(0.4);
        lp->SetFrequency(3000);
        lp->SetSampleRate(48000);
    }
    for (double x : ref::TestSignal(300)) a.Process(x);
    a.SetSampleRate(48000);
    for (double x : ref::TestSignal(50, 7)) EXPECT_EQ(a.Process(x), b.Process(x));
}

TEST(LadderLowPass, MatchesReferenceWithPerSampleCutoffChanges) {
    // Tolerance: 1e-12 of the peak (same operations; only the order of
    // independent terms may differ).
    const std::vector<double> x = ref::TestSignal(4000);
    for (double res : {0.0, 0.3, 0.9}) {
        LadderLowPass lp;
        lp.SetResonance(res);
        lp.SetFrequency(1500);
        ref::Ladder r(1500, res, 44100);
        std::vector<double> want, got;
        for (size_t i = 0; i < x.size(); ++i) {
            const double hz = 1500 + 1200 * std::sin(i * 0.003);
            lp.SetFrequency(hz);
            r.SetF(hz);
            want.push_back(r.Run(x[i] * 3));
            got.push_back(lp.Process(x[i] * 3));
        }
        ExpectSeriesNear(want, got, 1e-12);
    }
}

TEST(BiquadHighPass, PassesAudioAndRemovesOffset) {
    BiquadHighPass hp;
    hp.SetSampleRate(44100);
    hp.SetFrequency(10);
    double peak = 0;
    for (int i = 0; i < 44100; ++i) {
        const double y = hp.Process(0.5 + std::sin(2 * ref::kPi * 1000 * i / 44100.0));
        if (i > 22050) peak = std::max(peak, std::abs(y));
    }
    EXPECT_NEAR(peak, 1.0, 1e-3);
    BiquadHighPass dc;
    dc.SetSampleRate(44100);
    dc.SetFrequency(10);
    double y = 0;
    for (int i = 0; i < 44100; ++i) y = dc.Process(0.5);
    EXPECT_LT(std::abs(y), 1e-6);
}

TEST(BiquadHighPass, TinyOutputsBecomePositiveOffset) {
    BiquadHighPass hp;  // 1 Hz: the first output is about the input
    EXPECT_EQ(hp.Process(-1e-12), 1e-10);
    BiquadHighPass hp2;
    EXPECT_EQ(hp2.Process(0.0), 1e-10);
    // Clearing by SetSampleRate: the next silent output is the offset again.
    hp2.SetFrequency(100);
    for (double x : ref::TestSignal(100)) hp2.Process(x);
    hp2.SetSampleRate(44100);
    EXPECT_EQ(hp2.Process(0.0), 1e-10);
}

TEST(BiquadHighPass, MatchesReference) {
    // Tolerance: 1e-12 of the peak.
    const std::vector<double> x = ref::TestSignal(3000);
    BiquadHighPass hp;
    hp.SetSampleRate(48000);
    hp.SetQ(2.2);
    hp.SetFrequency(750);
    ref::HighPass r(750, 2.2, 48000);
    std::vector<double> want, got;
    for (double v : x) {
        want.push_back(r.Run(v));
        got.push_back(hp.Process(v));
    }
    ExpectSeriesNear(want, got, 1e-12);
}

TEST(NonlinearAllpass, ModulatedWithUnitMultiplierEqualsProcess) {
    NonlinearAllpass a, b;
    a.SetSampleRate(44100);
    b.SetSampleRate(44100);
    for (double x : ref::TestSignal(500)) EXPECT_EQ(a.Process(x), b.ProcessModulated(1.0, x));
}

TEST(NonlinearAllpass, SetSampleRateKeepsStateAndSettingsApply) {
    NonlinearAllpass a;
    a.SetSampleRate(44100);
    for (double x : ref::TestSignal(100)) a.Process(x);
    const double state = a.State(), out = a.Output();
    a.SetSampleRate(96000);
    EXPECT_EQ(a.State(), state);
    EXPECT_EQ(a.Output(), out);
    EXPECT_DOUBLE_EQ(a.W(), -6.283185307179586 * 5000 / 96000);
    a.SetFrequency(880);
    EXPECT_DOUBLE_EQ(a.Gain(), (1 - std::exp(-6.283185307179586 * 880 / 96000)) * 112500);
}

TEST(NonlinearAllpass, SmallSignalsSeeUnitGain) {
    NonlinearAllpass a;
    a.SetSampleRate(44100);
    a.SetFrequency(1000);
    double peak = 0;
    for (int i = 0; i < 20000; ++i) {
        const double y = a.Process(0.01 * std::sin(2 * ref::kPi * 3000 * i / 44100.0));
        if (i > 10000) peak = std::max(peak, std::abs(y));
    }
    EXPECT_NEAR(peak, 0.01, 1e-5);
}

TEST(NonlinearAllpass, MatchesReferenceUnderModulation) {
    // Tolerance: 1e-12 of the peak.
    const std::vector<double> x = ref::TestSignal(4000);
    NonlinearAllpass a;
    a.SetSampleRate(44100);
    a.SetFrequency(880);
    ref::Allpass r(880, 44100);
    std::vector<double> want, got;
    for (size_t i = 0; i < x.size(); ++i) {
        const double m = std::exp(2.07944154167984 * std::sin(i * 0.01));
        want.push_back(r.Run(m, x[i] * 2));
        got.push_back(a.ProcessModulated(m, x[i] * 2));
    }
    ExpectSeriesNear(want, got, 1e-12);
}
