#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/Drive.h"
#include "tests/dsp/Compare.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

TEST(DriveCurve, LandmarksAndJoins) {
    struct Case {
        double x, y;
    };
    const Case cases[] = {{-1, -1},
                          {0, 0},
                          {1, 0.875},
                          {-2, -1 - 0.03125 / 0.75},
                          {2, 0.875 + 0.03125 / 0.78225806451613}};
    for (const Case& c : cases) EXPECT_NEAR(DriveCurve(c.x), c.y, 1e-15) << c.x;
    EXPECT_NEAR(DriveCurve(-2), -1.0416666666666667, 1e-15);
    EXPECT_NEAR(DriveCurve(2), 0.91494845360824, 1e-13);
    // Matching slopes where the pieces join.
    const double h = 1e-7;
    struct Join {
        double x, slope;
    };
    const Join joins[] = {{0, 3.875}, {-1, 1.0 / 24}, {1, 0.03125 / 0.78225806451613}};
    for (const Join& j : joins) {
        EXPECT_NEAR((DriveCurve(j.x) - DriveCurve(j.x - h)) / h, j.slope, 1e-5) << j.x;
        EXPECT_NEAR((DriveCurve(j.x + h) - DriveCurve(j.x)) / h, j.slope, 1e-5) << j.x;
    }
}

TEST(Drive, ZeroDrivePassesInputExactly) {
    for (bool feedback : {false, true}) {
        Drive d;
        d.SetDrive(0);
        d.SetFeedbackEnabled(feedback);
        for (double x : ref::TestSignal(1000)) {
            double l = x * 3, r = -x;
            d.Process(l, r);
            EXPECT_EQ(l, x * 3);
            EXPECT_EQ(r, -x);
        }
    }
}

TEST(Drive, SilenceAndDecay) {
    Drive normal;
    normal.SetFilterActive(false);
    double l = 0, r = 0;
    for (int i = 0; i < 100; ++i) {
        l = r = 0;
        normal.Process(l, r);
        EXPECT_EQ(l, 0.0);
        EXPECT_EQ(r, 0.0);
    }
    Drive filtered;  // the ladder's anti-denormal offset is all that remains
    for (int i = 0; i < 100; ++i) {
        l = r = 0;
        filtered.Process(l, r);
        EXPECT_LT(std::abs(l), 1e-9);
    }
    Drive fb;
    fb.SetFeedbackEnabled(true);
    fb.SetDrive(1);
    for (double x : ref::TestSignal(2000)) {
        l = r = x;
        fb.Process(l, r);
    }
    for (int i = 0; i < 4410; ++i) {
        l = r = 0;
        fb.Process(l, r);
    }
    EXPECT_LT(std::abs(l), 1e-3);
    EXPECT_LE(std::abs(fb.FeedbackState()), 1.0);
}

TEST(Drive, FullScaleConstantSettles) {
    Drive d;
    d.SetDrive(1);
    d.SetFilterActive(false);
    double l = 0, r = 0;
    for (int i = 0; i < 2000; ++i) {
        l = r = 1;
        d.Process(l, r);
    }
    EXPECT_NEAR(d.Envelope(), 2 * DriveCurve(2), 1e-12);
    EXPECT_NEAR(d.Envelope(), 1.8299, 1e-4);
    EXPECT_NEAR(l, 2.8299, 1e-4);
    EXPECT_EQ(l, r);
}

TEST(Drive, FilterSwitchClearsOnlyWhenTurnedOff) {
    const std::vector<double> x = ref::TestSignal(400);
    auto run = [&](Drive& d, size_t from, size_t to) {
        std::vector<double> out;
        for (size_t i = from; i < to; ++i) {
            double l = x[i], r = x[i];
            d.Process(l, r);
            out.push_back(l);
        }
        return out;
    };
    Drive a, b;
    run(a, 0, 200);
    run(b, 0, 200);
    a.SetFilterActive(true);  // no clearing
    EXPECT_EQ(run(a, 200, 400), run(b, 200, 400));

    Drive c, fresh;
    c.SetDrive(0.9);
    fresh.SetDrive(0.9);
    run(c, 0, 200);
    c.SetFilterActive(false);
    c.SetFilterActive(true);
    c.SetSampleRate(44100);  // clears the rest too, so only the ladders could differ
    fresh.SetSampleRate(44100);
    EXPECT_EQ(run(c, 200, 400), run(fresh, 200, 400));
}

TEST(Drive, MatchesReference) {
    // Tolerance: 1e-12 of the peak.
    for (bool feedback : {false, true}) {
        for (bool filter : {true, false}) {
            SCOPED_TRACE(testing::Message() << feedback << filter);
            Drive d;
            d.SetSampleRate(48000);
            d.SetFeedbackEnabled(feedback);
            d.SetFilterActive(filter);
            ref::Ladder lpl(7800, 0.3, 48000), lpr(7800, 0.3, 48000);
            const double coef = std::exp(-1 / (48000 * 0.0005));
            double env = 0, fbState = 0;
            const std::vector<double> x = ref::TestSignal(5000);
            std::vector<double> want, got;
            for (size_t i = 0; i < x.size(); ++i) {
                const double drive = 0.5 + 0.5 * std::sin(i * 0.002);
                const double xl = x[i] * 1.5, xr = -x[(i * 5) % x.size()];
                const double sl = ref::DriveCurve(xl * (drive + 1));
                const double sr = ref::DriveCurve(xr * (drive + 1));
                const double sum = sl + sr + (feedback ? 0.5 * fbState : 0);
                env = sum + coef * (env - sum);
                double vl = (feedback ? sl : xl) * std::abs(env);
                double vr = (feedback ? sr : xr) * std::abs(env);
                if (filter) {
                    vl = lpl.Run(vl);
                    vr = lpr.Run(vr);
                }
                fbState = std::min(1.0, std::max(-1.0, vl + vr));
                want.push_back(xl + drive * vl);
                want.push_back(xr + drive * vr);
                double l = xl, r = xr;
                d.SetDrive(drive);
                d.Process(l, r);
                got.push_back(l);
                got.push_back(r);
            }
            ExpectSeriesNear(want, got, 1e-12);
        }
    }
}
