#include <gtest/gtest.h>

#include <cmath>

#include "dsp/BezierMap.h"
#include "dsp/Conversions.h"
#include "dsp/Ramp.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

TEST(Conversions, DecibelsAndTimeConstants) {
    EXPECT_EQ(DbToAmp(0.0), 1.0);
    EXPECT_NEAR(DbToAmp(-24.0), 0.06309573444802, 1e-14);
    EXPECT_EQ(DbToAmp(-6.0), std::exp(-6.0 * 0.1151292546497));
    EXPECT_DOUBLE_EQ(TimeConstantCoef(10.0, 44100.0), std::exp(-1.0 / 441.0));
}

TEST(Conversions, TruncToIntSaturatesAndTruncates) {
    EXPECT_EQ(TruncToInt(2.9), 2);
    EXPECT_EQ(TruncToInt(-2.9), -2);
    EXPECT_EQ(TruncToInt(1e300), INT_MAX);
    EXPECT_EQ(TruncToInt(-1e300), INT_MIN);
    EXPECT_EQ(TruncToInt(std::nan("")), 0);
}

TEST(BezierMap, EvenlySpacedControlPointsTakeTheLinearBranch) {
    // x = 0.9375 sits at t = 0.5: (0.25 * 0.75 + 0.5 * 1 + 0.25 * 1).
    EXPECT_DOUBLE_EQ(BezierMap(0.9375, 0.875, 0.9375, 1, 0.75, 1, 1), 0.9375);
}

TEST(BezierMap, KneeCurvesHitTheirEndPointsAndSlopes) {
    for (double k : {0.98855309465694, 1.2, 1.9, 4.0 / 3.0}) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(BezierMap(0.5, 0.5, k, 2, 0.5, k, k), 0.5, 1e-15);
        EXPECT_NEAR(BezierMap(2.0, 0.5, k, 2, 0.5, k, k), k, 1e-15);
        // Leaves with slope 1 and arrives flat.
        const double h = 1e-6;
        EXPECT_NEAR((BezierMap(0.5 + h, 0.5, k, 2, 0.5, k, k) - 0.5) / h, 1.0, 1e-4);
        EXPECT_NEAR((k - BezierMap(2.0 - h, 0.5, k, 2, 0.5, k, k)) / h, 0.0, 1e-4);
    }
}

TEST(BezierMap, MatchesReferenceAcrossCurves) {
    struct Curve {
        double x0, x1, x2, y0, y1, y2;
    };
    const Curve curves[] = {{0, 0.71875, 0.875, 0, 0.125, 0.75},
                            {0.875, 0.9375, 1, 0.75, 1, 1},
                            {-1, 0.25, 1, -1, -0.25, 1},
                            {2, 4, 8, 2, 4, 4},
                            {0, 0.21774193548387, 1, 0, 0.84375, 0.875}};
    for (const Curve& c : curves) {
        for (int i = 0; i <= 100; ++i) {
            const double x = c.x0 + (c.x2 - c.x0) * i / 100.0;
            const double want = ref::Bezier(x, c.x0, c.x1, c.x2, c.y0, c.y1, c.y2);
            EXPECT_NEAR(BezierMap(x, c.x0, c.x1, c.x2, c.y0, c.y1, c.y2), want,
                        1e-12 * std::abs(want) + 1e-300);
        }
    }
}

TEST(Ramp, AdditiveGlideLandsExactlyOnTarget) {
    Ramp r;
    r.Init(0.125, false);  // exact in binary: eight steps from 10 to 11
    r.SetNow(10.0);
    r.SetTarget(11.0);
    int calls = 0;
    while (r.Advance()) ++calls;
    EXPECT_EQ(calls, 8);
    EXPECT_EQ(r.Current(), 11.0);
    EXPECT_FALSE(r.Advance());

    // 0.1 is not exact in binary: ten steps leave 10.999999999999998, the
    // eleventh lands on the target.
    r.Init(0.1, false);
    r.SetNow(10.0);
    r.SetTarget(11.0);
    calls = 0;
    while (r.Advance()) ++calls;
    EXPECT_EQ(calls, 11);
    EXPECT_EQ(r.Current(), 11.0);

    r.SetTarget(10.55);  // falling, lands on a target between steps
    calls = 0;
    while (r.Advance()) ++calls;
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(r.Current(), 10.55);
}

TEST(Ramp, MultiplicativeGlideScalesPerStep) {
    Ramp r;
    r.Init(1.0, true);  // factor 2 per step
    r.SetNow(1.0);
    r.SetTarget(5.0);
    EXPECT_TRUE(r.Advance());
    EXPECT_EQ(r.Current(), 2.0);
    EXPECT_TRUE(r.Advance());
    EXPECT_TRUE(r.Advance());
    EXPECT_EQ(r.Current(), 5.0);  // 8 overshoots: lands on the target
    r.SetTarget(1.0);
    EXPECT_TRUE(r.Advance());
    EXPECT_EQ(r.Current(), 2.5);
}

TEST(Ramp, SetTargetToCurrentStopsAndInitAloneDoesNothing) {
    Ramp r;
    r.Init(0.25, false);
    EXPECT_FALSE(r.Advance());
    EXPECT_EQ(r.Current(), 0.0);

    r.SetNow(1.0);
    r.SetTarget(3.0);
    r.Advance();
    r.SetTarget(r.Current());
    EXPECT_FALSE(r.Advance());
    EXPECT_EQ(r.Current(), 1.25);

    r.SetTarget(2.0);
    r.Snap();
    EXPECT_EQ(r.Current(), 2.0);
    EXPECT_FALSE(r.Advance());
}
