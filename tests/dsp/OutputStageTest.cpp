#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/OutputStage.h"
#include "tests/dsp/Compare.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

TEST(BrickwallLimit, SamplesAndAmounts) {
    struct Case {
        double in, out, amount;
    };
    const Case cases[] = {
        {0.5, 0.5, 0},
        {-0.5, -0.5, 0},
        {0.3, 0.3, 0},
        {0.6, 0.59043, 0.1},
        {1.0, 0.82315, 0.5},
        {3.0, kLimitCeiling, 1},
        {-2.5, -kLimitCeiling, 1},
        {2.0, kLimitCeiling, 1},
    };
    for (const Case& c : cases) {
        double x = c.in;
        const double amount = BrickwallLimit(&x, 1);
        EXPECT_NEAR(x, c.out, 1e-5) << c.in;
        EXPECT_NEAR(amount, c.amount, 1e-15) << c.in;
    }
    double x = 3.0;
    BrickwallLimit(&x, 1);
    EXPECT_EQ(x, 0.98855309465694);
    EXPECT_EQ(BrickwallLimit(nullptr, 0), 0.0);
}

TEST(BrickwallLimit, MatchesReferenceOnABlock) {
    // Tolerance: 1e-12 of the peak.
    std::vector<double> buf = ref::TestSignal(4096);
    double peak = 0;
    for (double& v : buf) {
        v *= 3;
        peak = std::max(peak, std::abs(v));
    }
    std::vector<double> want = buf;
    for (double& v : want) {
        if (v > 0.5) v = ref::LimitCurve(v);
        if (v < -0.5) v = -ref::LimitCurve(-v);
    }
    const double amount = BrickwallLimit(buf.data(), static_cast<int>(buf.size()));
    ExpectSeriesNear(want, buf, 1e-12);
    EXPECT_EQ(amount, std::min(1.0, peak - 0.5));
}

TEST(BrickwallLimit, NonNumbersDoNotDisturbTheRest) {
    double buf[3] = {std::nan(""), 0.7, -INFINITY};
    const double amount = BrickwallLimit(buf, 3);
    EXPECT_TRUE(std::isnan(buf[0]));
    EXPECT_NEAR(buf[1], ref::LimitCurve(0.7), 1e-15);
    EXPECT_EQ(buf[2], -kLimitCeiling);
    EXPECT_EQ(amount, 1.0);
}

TEST(StageClip, KneeFromTwoToEight) {
    struct Case {
        double in, out;
    };
    const Case cases[] = {{2, 2}, {-2, -2}, {1.5, 1.5}, {3, 2.79796}, {-3, -2.79796},
                          {8, 4}, {9, 4},   {-8, -4},   {-100, -4}};
    for (const Case& c : cases) {
        double l = c.in, r = -c.in;
        StageClip(&l, &r, 1);
        EXPECT_NEAR(l, c.out, 1e-5) << c.in;
        EXPECT_EQ(r, -l) << c.in;
    }
    std::vector<double> l = ref::TestSignal(1000), r = l;
    for (double& v : l) v *= 10;
    for (double& v : r) v *= -7;
    std::vector<double> wl = l, wr = r;
    for (std::vector<double>* w : {&wl, &wr}) {
        for (double& v : *w) {
            const double a = std::abs(v);
            if (a > 2) v = std::copysign(a >= 8 ? 4 : ref::Bezier(a, 2, 4, 8, 2, 4, 4), v);
        }
    }
    StageClip(l.data(), r.data(), 1000);
    ExpectSeriesNear(wl, l, 1e-12);
    ExpectSeriesNear(wr, r, 1e-12);
}

TEST(LimitIndicator, HoldsTheLargestAndFallsOnePerSecond) {
    LimitIndicator lamp;
    lamp.Update(0.3, 1.0);
    EXPECT_EQ(lamp.Value(), 1.0);
    lamp.Decay(4410, 44100);
    EXPECT_DOUBLE_EQ(lamp.Value(), 0.9);
    lamp.Update(0.2, 0.5);
    EXPECT_DOUBLE_EQ(lamp.Value(), 0.9);
    lamp.Decay(44100, 44100);
    EXPECT_EQ(lamp.Value(), 0.0);
    lamp.Update(0.4, 0.1);
    lamp.Clear();
    EXPECT_EQ(lamp.Value(), 0.0);
}
