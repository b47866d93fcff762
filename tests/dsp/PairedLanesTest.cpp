// The two-lane ladder and all-pass against two scalar filters: per lane its
// own settings and signal (with exact zeros, which take the anti-denormal
// offset, and a per-sample cutoff sweep on one ladder lane), within 1e-12 of
// the peak; on SSE2 builds the lanes do the same operations, so they agree
// exactly.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Compare.h"
#include "dsp/Ladder.h"
#include "dsp/NonlinearAllpass.h"

using namespace quorvex;

TEST(LadderLowPassPair, EachLaneMatchesItsScalarLadder) {
    struct Setting {
        double hzA, resA, hzB, resB, sampleRate;
    };
    const Setting settings[] = {
        {7800, 0.3, 7800, 0.3, 44100},
        {200, 0.9, 15000, 0.0, 48000},
        {20000, 1.0, 50, 0.5, 96000},
    };
    for (const Setting& s : settings) {
        SCOPED_TRACE(testing::Message() << s.hzA << " " << s.hzB << " " << s.sampleRate);
        LadderLowPass a, b, refA, refB;
        for (LadderLowPass* lp : {&a, &refA}) {
            lp->SetSampleRate(s.sampleRate);
            lp->SetResonance(s.resA);
        }
        for (LadderLowPass* lp : {&b, &refB}) {
            lp->SetSampleRate(s.sampleRate);
            lp->SetResonance(s.resB);
            lp->SetFrequency(s.hzB);
        }
        std::vector<double> wantA, wantB, gotA, gotB;
        for (int i = 0; i < 4000; ++i) {
            // Lane a sweeps its cutoff every sample; lane b holds its own.
            const double hz = s.hzA * (1.0 + 0.5 * std::sin(i * 0.01));
            a.SetFrequency(hz);
            refA.SetFrequency(hz);
            const double xa = (i / 500) % 3 == 2 ? 0.0 : 0.9 * std::sin(i * 0.07);
            const double xb = (i % 700) < 100 ? 0.0 : (i % 2 ? 1.4 : -1.1) * std::cos(i * 0.003);
            wantA.push_back(refA.Process(xa));
            wantB.push_back(refB.Process(xb));
            double ya = xa, yb = xb;
            LadderLowPass::ProcessPair(a, b, ya, yb);
            gotA.push_back(ya);
            gotB.push_back(yb);
        }
        ExpectSeriesNear(wantA, gotA, 1e-12);
        ExpectSeriesNear(wantB, gotB, 1e-12);
        // The filters carry on alike after the pair: all state was written back.
        EXPECT_NEAR(a.Process(0.25), refA.Process(0.25), 1e-12);
        EXPECT_NEAR(b.Process(0.25), refB.Process(0.25), 1e-12);
    }
}

TEST(NonlinearAllpassPair, EachLaneMatchesItsScalarSection) {
    const double pairs[][3] = {{880, 880, 44100}, {3400, 40, 48000}, {12000, 110, 96000}};
    for (const auto& p : pairs) {
        SCOPED_TRACE(testing::Message() << p[0] << " " << p[1] << " " << p[2]);
        NonlinearAllpass a, b, refA, refB;
        for (NonlinearAllpass* s : {&a, &b, &refA, &refB}) s->SetSampleRate(p[2]);
        a.SetFrequency(p[0]);
        refA.SetFrequency(p[0]);
        b.SetFrequency(p[1]);
        refB.SetFrequency(p[1]);
        std::vector<double> wantA, wantB, gotA, gotB;
        for (int i = 0; i < 4000; ++i) {
            const double xa = (i / 300) % 4 == 1 ? 0.0 : 0.8 * std::sin(i * 0.11);
            const double xb = (i % 500) < 50 ? 0.0 : 2.5 * std::sin(i * 0.013) * std::cos(i * 0.2);
            wantA.push_back(refA.Process(xa));
            wantB.push_back(refB.Process(xb));
            double ya = xa, yb = xb;
            NonlinearAllpass::ProcessPair(a, b, ya, yb);
            gotA.push_back(ya);
            gotB.push_back(yb);
        }
        ExpectSeriesNear(wantA, gotA, 1e-12);
        ExpectSeriesNear(wantB, gotB, 1e-12);
        EXPECT_NEAR(a.State(), refA.State(), 1e-12 * (1 + std::abs(refA.State())));
        EXPECT_NEAR(b.Output(), refB.Output(), 1e-12 * (1 + std::abs(refB.Output())));
    }
}

// A ladder that takes its partner's cutoff matches one that worked it out
// itself, also when the two differ in resonance or sample rate.
TEST(LadderLowPassPair, FrequencyTakenFromThePartnerMatchesItsOwn) {
    const double settings[][4] = {
        {0.3, 44100, 0.3, 44100}, {0.3, 44100, 0.8, 44100}, {0.5, 48000, 0.5, 96000}};
    for (const auto& s : settings) {
        LadderLowPass leader, follower, own;
        leader.SetSampleRate(s[1]);
        leader.SetResonance(s[0]);
        for (LadderLowPass* lp : {&follower, &own}) {
            lp->SetSampleRate(s[3]);
            lp->SetResonance(s[2]);
        }
        for (int i = 0; i < 2000; ++i) {
            const double hz = 3000.0 + 2500.0 * std::sin(i * 0.02);
            leader.SetFrequency(hz);
            follower.SetFrequencyLike(leader);
            own.SetFrequency(hz);
            const double x = 0.7 * std::sin(i * 0.05);
            ASSERT_EQ(follower.Process(x), own.Process(x)) << i;
        }
        EXPECT_EQ(follower.Tune(), own.Tune());
        EXPECT_EQ(follower.Res4(), own.Res4());
        EXPECT_EQ(follower.Frequency(), own.Frequency());
    }
}
