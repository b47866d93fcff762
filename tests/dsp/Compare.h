#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

// Compares two sample series with a tolerance relative to the reference's
// peak magnitude (signals cross zero, so a per-sample relative error says
// nothing near the crossings).
inline void ExpectSeriesNear(const std::vector<double>& expected, const std::vector<double>& got,
                             double relTol) {
    ASSERT_EQ(expected.size(), got.size());
    double peak = 0;
    for (double v : expected) peak = std::max(peak, std::abs(v));
    double worst = 0;
    size_t at = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const double d = std::abs(expected[i] - got[i]);
        if (!(d <= worst)) {
            worst = d;
            at = i;
        }
    }
    EXPECT_LE(worst, relTol * peak) << "worst at sample " << at << ": expected " << expected[at]
                                    << ", got " << got[at] << ", peak " << peak;
}
