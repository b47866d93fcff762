#include <gtest/gtest.h>

#include <cmath>
#include <thread>
#include <vector>

#include "dsp/EnvelopeFollower.h"
#include "dsp/Lfo.h"
#include "dsp/LfoTable.h"
#include "dsp/ThresholdGate.h"
#include "tests/dsp/Compare.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

TEST(LfoTable, LandmarksOfEveryShape) {
    struct Case {
        int shape, index;
        double value, tol;
    };
    const Case cases[] = {
        {kLfoSine, 0, 0, 0},
        {kLfoSine, 2048, 1, 0},
        {kLfoSine, 6144, -1, 0},
        {kLfoTri, 0, 0, 0},
        {kLfoTri, 2048, 1, 0},
        {kLfoTri, 6144, -1, 0},
        {kLfoTri, 1024, 0.5, 0},
        {kLfoNonlinear, 0, -0.2462, 1e-4},
        {kLfoNonlinear, 1024, 0.2889, 1e-4},
        {kLfoNonlinear, 5120, -0.6652, 1e-4},
        {kLfoNonlinear, 2048, 1, 0},
        {kLfoNonlinear, 6144, -1, 0},
        {kLfoSaw, 0, 0, 0},
        {kLfoSaw, 64, 1, 0},
        {kLfoSaw, 4096, 0, 0},
        {kLfoSaw, 8128, -1, 0},
        {kLfoSaw, 8160, -0.5, 0},
        {kLfoSquare, 0, 0, 0},
        {kLfoSquare, 64, 1, 0},
        {kLfoSquare, 4032, 1, 0},
        {kLfoSquare, 4000, 1, 0},
        {kLfoSquare, 4096, 0, 0},
        {kLfoSquare, 4160, -1, 0},
        {kLfoSquare, 8128, -1, 0},
    };
    for (const Case& c : cases) {
        const double v = (*LfoTableFor(c.shape))[c.index];
        EXPECT_NEAR(v, c.value, c.tol + 1e-7) << "shape " << c.shape << " entry " << c.index;
    }
}

TEST(LfoTable, UnknownShapesSelectTriAndTablesAreShared) {
    EXPECT_EQ(LfoTableFor(-1), LfoTableFor(kLfoTri));
    EXPECT_EQ(LfoTableFor(5), LfoTableFor(kLfoTri));
    EXPECT_EQ(LfoTableFor(kLfoSaw), LfoTableFor(kLfoSaw));
    EXPECT_NE(LfoTableFor(kLfoSaw), LfoTableFor(kLfoSquare));
}

TEST(LfoTable, ConcurrentFirstRequestsGetOneTable) {
    // Two plug-in instances may apply their first shape on two threads.
    const LfoTable* seen[8] = {};
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t) {
        threads.emplace_back([&seen, t] { seen[t] = LfoTableFor(kLfoSquare - (t & 1)); });
    }
    for (std::thread& th : threads) th.join();
    for (int t = 0; t < 8; ++t) EXPECT_EQ(seen[t], LfoTableFor(kLfoSquare - (t & 1)));
}

TEST(Lfo, RateIsInHalfCyclesAndPeekLooksAhead) {
    Lfo lfo;
    lfo.SetTable(LfoTableFor(kLfoSine));
    lfo.SetRate(2.0);
    EXPECT_DOUBLE_EQ(lfo.Increment(), 1.0 / 44100);
    for (int i = 0; i < 11025; ++i) lfo.Next();  // a quarter cycle
    EXPECT_NEAR(lfo.Phase(), 0.25, 1e-12);
    EXPECT_NEAR(lfo.Peek(0.0), 1.0, 1e-6);
    EXPECT_EQ(lfo.Peek(0.5), LfoTableFor(kLfoSine)->Lookup(lfo.Phase() + 0.5 + 1.0 / 44100));
    for (int i = 0; i < 33075; ++i) lfo.Next();
    EXPECT_NEAR(lfo.Phase(), 0.0, 1e-9);
}

TEST(Lfo, RateZeroStopsAtPhaseZero) {
    for (int shape = 0; shape < 5; ++shape) {
        Lfo lfo;
        lfo.SetTable(LfoTableFor(shape));
        lfo.SetRate(3.0);
        for (int i = 0; i < 1000; ++i) lfo.Next();
        lfo.SetRate(0.0);
        const double want = shape == kLfoNonlinear ? -0.2462 : 0.0;
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(lfo.Next(), want, 1e-4) << shape;
    }
}

TEST(Lfo, LookupJustBelowOneWrapsToEntryZero) {
    const LfoTable& tri = *LfoTableFor(kLfoTri);
    const double p = 1.0 - 0.5 / 8192;
    EXPECT_DOUBLE_EQ(tri.Lookup(p), 0.5 * tri[8191] + 0.5 * tri[0]);
    const LfoTable& nl = *LfoTableFor(kLfoNonlinear);
    EXPECT_DOUBLE_EQ(nl.Lookup(p), 0.5 * nl[8191] + 0.5 * nl[0]);
}

TEST(Lfo, RenderBlockLeavesPhaseAndAdvanceBlockCatchesUp) {
    Lfo a, b;
    for (Lfo* l : {&a, &b}) {
        l->SetTable(LfoTableFor(kLfoSaw));
        l->SetRate(1234.5);
    }
    const double* block = a.RenderBlock(700);
    for (int i = 0; i < 700; ++i) EXPECT_EQ(block[i], b.Next());
    EXPECT_EQ(a.Phase(), 0.0);
    a.AdvanceBlock(700);
    EXPECT_NEAR(a.Phase(), b.Phase(), 1e-12);
    // A reset between render and advance shifts only the following blocks.
    a.RenderBlock(10);
    a.ResetPhase();
    a.AdvanceBlock(10);
    EXPECT_NEAR(a.Phase(), 10 * a.Increment(), 1e-15);
}

TEST(Lfo, MatchesReferenceForEveryPathAndShape) {
    // Tolerance: 1e-12 of the peak (table reads of the same floats).
    for (double rate : {0.37, 16.0, 5000.0}) {
        Lfo lfo;
        lfo.SetTable(LfoTableFor(kLfoNonlinear));
        lfo.SetSampleRate(48000);
        lfo.SetRate(rate);
        ref::Osc r(ref::NonlinearTable(), rate, 48000);
        std::vector<double> want, got;
        for (int i = 0; i < 5000; ++i) {
            want.push_back(r.Peek(0.25));
            got.push_back(lfo.Peek(0.25));
            want.push_back(r.Next());
            got.push_back(lfo.Next());
        }
        ExpectSeriesNear(want, got, 1e-12);
    }
}

TEST(Lfo, HostileRatesStayInsideTheTable) {
    Lfo lfo;
    for (double rate : {-3.0, 1e9, std::nan(""), double(INFINITY)}) {
        lfo.SetRate(rate);
        for (int i = 0; i < 10; ++i) lfo.Next();
        lfo.Peek(0.5);
        lfo.RenderBlock(4);
        lfo.AdvanceBlock(4);
    }
    SUCCEED();
}

TEST(EnvelopeFollower, ZeroTimesJumpAndKeepStoredTime) {
    EnvelopeFollower f;
    f.SetAttack(10);
    f.SetRelease(100);
    f.SetAttack(0);
    EXPECT_EQ(f.AttackCoef(), 0.0);
    EXPECT_EQ(f.Process(-0.7), 0.7);
    f.SetSampleRate(48000);  // the stored 10 ms comes back
    EXPECT_DOUBLE_EQ(f.AttackCoef(), std::exp(-1.0 / 480.0));
    EXPECT_DOUBLE_EQ(f.ReleaseCoef(), std::exp(-1.0 / 4800.0));
    EXPECT_EQ(f.Envelope(), 0.0);
}

TEST(EnvelopeFollower, MatchesReference) {
    // Tolerance: 1e-12 of the peak.
    EnvelopeFollower f;
    f.SetSampleRate(44100);
    f.SetAttack(3);
    f.SetRelease(80);
    const double ca = std::exp(-1 / (3 * 0.001 * 44100)), cr = std::exp(-1 / (80 * 0.001 * 44100));
    double e = 0;
    std::vector<double> want, got;
    for (double x : ref::TestSignal(3000)) {
        const double a = std::abs(x);
        e = a + (e - a) * (a > e ? ca : cr);
        want.push_back(e);
        got.push_back(f.Process(x));
    }
    ExpectSeriesNear(want, got, 1e-12);
}

namespace {
// A gate whose follower jumps to |x|, at 1000 Hz so that 1 ms is one sample.
ThresholdGate MakeGate(double holdMs) {
    ThresholdGate g;
    g.SetSampleRate(1000);
    g.SetAttack(0);
    g.SetRelease(0);
    g.SetThresholds(0.5, 0.25);
    g.SetHold(holdMs);
    return g;
}

std::vector<int> Feed(ThresholdGate& g, const std::vector<double>& in) {
    std::vector<int> out;
    for (double x : in) out.push_back(g.Process(x) ? 1 : 0);
    return out;
}
}  // namespace

TEST(ThresholdGate, StateSequences) {
    struct Case {
        const char* what;
        double holdMs;
        std::vector<double> in;
        std::vector<int> open;
    };
    const Case cases[] = {
        {"opens strictly above on, hold 0 closes at once",
         0,
         {0.5, 0.6, 0.3, 0.25, 0.2, 0.4},
         {0, 1, 1, 1, 0, 0}},
        {"hold of 3 samples", 3, {0.9, 0.1, 0.1, 0.1, 0.1, 0.1}, {1, 1, 1, 1, 0, 0}},
        {"a dip that returns restarts the hold",
         2,
         {0.9, 0.1, 0.1, 0.3, 0.1, 0.1, 0.1, 0.1},
         {1, 1, 1, 1, 1, 1, 0, 0}},
    };
    for (const Case& c : cases) {
        ThresholdGate g = MakeGate(c.holdMs);
        EXPECT_EQ(Feed(g, c.in), c.open) << c.what;
    }
}

TEST(ThresholdGate, ShorterHoldWhileHoldingShortensTheRunningHold) {
    ThresholdGate g = MakeGate(10);
    Feed(g, {0.9, 0.1, 0.1});
    EXPECT_TRUE(g.IsHolding());
    EXPECT_EQ(g.HoldCounter(), 9);
    g.SetHold(4);
    EXPECT_EQ(g.HoldCounter(), 4);
    EXPECT_EQ(Feed(g, {0.1, 0.1, 0.1, 0.1}), (std::vector<int>{1, 1, 1, 0}));
}

TEST(ThresholdGate, HoldLoweredToZeroWhileHoldingStillCloses) {
    ThresholdGate g = MakeGate(10);
    Feed(g, {0.9, 0.1, 0.1});
    g.SetHold(0);
    EXPECT_EQ(g.HoldCounter(), 0);
    EXPECT_FALSE(g.Process(0.1));
    EXPECT_FALSE(g.IsOpen());
    EXPECT_FALSE(g.IsHolding());
    // With the envelope back above off while the counter sits at 0, the gate
    // stays open, and the next dip closes it at once (hold is now 0).
    ThresholdGate h = MakeGate(10);
    Feed(h, {0.9, 0.1});
    h.SetHold(0);
    EXPECT_EQ(Feed(h, {0.3, 0.1}), (std::vector<int>{1, 0}));
}

TEST(ThresholdGate, SetSampleRateCloses) {
    ThresholdGate g = MakeGate(5);
    Feed(g, {0.9, 0.1});
    g.SetSampleRate(2000);
    EXPECT_FALSE(g.IsOpen());
    EXPECT_FALSE(g.IsHolding());
    EXPECT_EQ(g.HoldSamples(), 10);
    EXPECT_EQ(g.Envelope(), 0.0);
}
