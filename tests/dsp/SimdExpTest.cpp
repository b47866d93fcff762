#include <gtest/gtest.h>

#include <cmath>

#include "dsp/SimdExp.h"

#if QUORVEX_HAVE_SSE2

// The lane exponential stands in for std::exp in the phaser's gains, where
// 1 - exp(x) for small x magnifies any error; hold it to a few ulps.
TEST(ExpLanes, WithinAFewUlpsOfStdExp) {
    double worst = 0;
    for (int i = -200000; i <= 200000; ++i) {
        const double x0 = i * 1e-4;    // -20..20
        const double x1 = i * 1.7e-9;  // tiny arguments near 0
        alignas(16) double out[2];
        _mm_store_pd(out, quorvex::ExpLanes(_mm_set_pd(x1, x0)));
        worst = std::max(worst, std::abs(out[0] / std::exp(x0) - 1));
        worst = std::max(worst, std::abs(out[1] / std::exp(x1) - 1));
    }
    EXPECT_LT(worst, 1e-15);
    alignas(16) double edge[2];
    _mm_store_pd(edge, quorvex::ExpLanes(_mm_set_pd(-1e6, std::nan(""))));
    EXPECT_TRUE(std::isfinite(edge[0]));
    EXPECT_EQ(edge[1], std::exp(-700.0));
}

#endif
