#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "dsp/AdsrEnvelope.h"
#include "dsp/EnvelopeTables.h"
#include "tests/dsp/Compare.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

namespace {

double Curve(double x) {
    return x < 0.875 ? ref::Bezier(x, 0, 0.71875, 0.875, 0, 0.125, 0.75)
                     : ref::Bezier(x, 0.875, 0.9375, 1, 0.75, 1, 1);
}

// The inverse table as first built, before any gap is bridged.
std::vector<float> RawInverse() {
    const LookupTable& rise = EnvelopeRiseTable();
    std::vector<float> inv(8192, 0.0f);
    for (int i = 0; i < 8192; ++i)
        inv[static_cast<size_t>(8191 * rise[i])] = static_cast<float>(i / 8192.0);
    inv[0] = 1.0f;
    inv[8191] = 0.0f;
    return inv;
}

// Largest change between neighbouring rise entries: one table step.
double RiseStep() {
    const LookupTable& rise = EnvelopeRiseTable();
    double step = 0;
    for (int i = 0; i + 1 < 8192; ++i) step = std::max(step, std::abs(rise[i] - rise[i + 1]));
    return step;
}

}  // namespace

TEST(EnvelopeTables, RiseAndFallFollowTheCurve) {
    const LookupTable& rise = EnvelopeRiseTable();
    const LookupTable& fall = EnvelopeFallTable();
    for (int i = 0; i < 8192; ++i) {
        ASSERT_EQ(rise[i], static_cast<float>(Curve(1 - i / 8192.0))) << i;
        ASSERT_EQ(fall[i], static_cast<float>(Curve(i / 8192.0))) << i;
    }
    EXPECT_EQ(rise[0], 1.0);
    EXPECT_EQ(fall[0], 0.0);
    EXPECT_NEAR(rise[8191], 0.0, 1e-4);
    EXPECT_NEAR(fall[8191], 1.0, 1e-4);
    EXPECT_EQ(fall[7168], 0.75f);  // x = 0.875, where the two pieces meet
}

TEST(EnvelopeTables, InverseKeepsFilledEntriesAndBridgesEveryGap) {
    const std::vector<float> raw = RawInverse();
    const LookupTable& inv = EnvelopeInverseTable();
    int singles = 0, longRuns = 0;
    for (int j = 0; j < 8192; ++j) {
        if (j == 0 || j == 8191 || raw[static_cast<size_t>(j)] != 0.0f) {
            ASSERT_EQ(inv[j], raw[static_cast<size_t>(j)]) << j;
            continue;
        }
        int a = j, b = j;
        while (raw[static_cast<size_t>(b + 1)] == 0.0f && b + 1 < 8191) ++b;
        const double lo = raw[static_cast<size_t>(a - 1)], hi = raw[static_cast<size_t>(b + 1)];
        if (a == b) {
            ++singles;
            ASSERT_EQ(inv[j], static_cast<float>((lo + hi) * 0.5)) << j;  // the plain average
        } else {
            ++longRuns;
            for (int m = a; m <= b; ++m) {
                const double w = static_cast<double>(m - a + 1) / (b - a + 2);
                ASSERT_NEAR(inv[m], lo + (hi - lo) * w, 1e-7) << m;
            }
        }
        j = b;
    }
    EXPECT_GT(singles, 0);
    EXPECT_GT(longRuns, 0);  // the runs the single-entry rule would leave empty
}

TEST(EnvelopeTables, InverseLandsOnEveryLevelWithinOneStep) {
    const LookupTable& rise = EnvelopeRiseTable();
    const LookupTable& inv = EnvelopeInverseTable();
    // One rise step, plus the quantisation of the level itself to 1/8191.
    const double tol = RiseStep() + 1.0 / 8191;
    double worst = 0;
    for (int n = 0; n <= 100000; ++n) {
        const double level = n / 100000.0;
        const double k = inv[static_cast<int>(8191 * level)];
        const double back = rise[static_cast<int>(8191 * k)];
        worst = std::max(worst, std::abs(back - level));
    }
    EXPECT_LE(worst, tol);
}

TEST(AdsrEnvelope, StepsFromTimes) {
    AdsrEnvelope env;
    env.SetTimes(400, 2, 0.5, 0);
    EXPECT_DOUBLE_EQ(env.AttackStep(), 1.0 / 17640);
    EXPECT_DOUBLE_EQ(env.DecayStep(), 1.0 / (44.1 * 4));  // no segment under 4 ms
    EXPECT_DOUBLE_EQ(env.ReleaseStep(), 1.0 / (44.1 * 4));
    EXPECT_EQ(env.ToSustainStep(), 0.0);
    env.SetTimes(0, 0, 0.5, 100);
    EXPECT_EQ(env.AttackStep(), 0.0);
    EXPECT_DOUBLE_EQ(env.ToSustainStep(), 1.0 / (4 * 44.1));
    env.SetTimes(0, 0, 0.0, 100);
    EXPECT_EQ(env.ToSustainStep(), 0.0);
}

TEST(AdsrEnvelope, NoAttackNoDecayGlidesToSustainIn4Ms) {
    AdsrEnvelope env;
    env.SetTimes(0, 0, 0.5, 100);
    env.Trigger(1);
    double y = 0;
    int n = 0;
    while (!env.IsSustaining() && n < 1000) {
        y = env.Process();
        ++n;
    }
    EXPECT_EQ(n, 178);  // 177 samples of glide (176.4 rounded up), then sustain
    EXPECT_EQ(y, 0.5);
    EXPECT_EQ(env.Process(), 0.5);
    env.SetTimes(0, 0, 0.25, 100);  // sustain level follows at once
    EXPECT_EQ(env.Output(), 0.25);
}

TEST(AdsrEnvelope, NothingToRunEndsAtOnce) {
    AdsrEnvelope env;
    env.SetTimes(0, 0, 0, 100);
    env.Trigger(1);
    EXPECT_TRUE(env.IsActive());
    EXPECT_EQ(env.Process(), 0.0);
    EXPECT_FALSE(env.IsActive());

    AdsrEnvelope idle;
    idle.Release();
    EXPECT_FALSE(idle.IsActive());
    EXPECT_EQ(idle.Process(), 0.0);
}

TEST(AdsrEnvelope, AttackOf400MsPeaksThenDecays) {
    AdsrEnvelope env;
    env.SetTimes(400, 100, 0.5, 100);
    env.Trigger(1);
    int peakAt = 0;
    double peak = 0;
    for (int i = 0; i < 17700; ++i) {
        const double y = env.Process();
        if (y > peak) {
            peak = y;
            peakAt = i;
        }
    }
    EXPECT_NEAR(peak, 1.0, 1e-6);
    EXPECT_NEAR(peakAt, 17640, 2);
    EXPECT_LT(env.Output(), 1.0);  // decaying
}

TEST(AdsrEnvelope, RetriggerResumesFromThePresentLevel) {
    // Every level the release passes through: a retrigger continues from it.
    const double step = RiseStep() + 1.0 / 8191;
    for (int stop = 10; stop < 4410; stop += 37) {
        AdsrEnvelope env;
        env.SetTimes(50, 50, 0.8, 100);
        env.Trigger(1);
        for (int i = 0; i < 6000; ++i) env.Process();
        env.Release();
        for (int i = 0; i < stop; ++i) env.Process();
        const double level = env.Output();
        env.Trigger(1);
        const double next = env.Process();
        ASSERT_NEAR(next, level, step) << "level " << level;
    }
}

TEST(AdsrEnvelope, VelocityScalesLevelsAndReleaseStartsFromOutput) {
    AdsrEnvelope env;
    env.SetTimes(4, 4, 0.5, 10);
    env.Trigger(0.5);
    for (int i = 0; i < 1000; ++i) env.Process();
    EXPECT_TRUE(env.IsSustaining());
    EXPECT_EQ(env.Output(), 0.25);
    env.Release();
    EXPECT_NEAR(env.Process(), 0.25, 1e-6);
    int n = 1;
    while (env.IsActive()) {
        env.Process();
        ++n;
    }
    EXPECT_EQ(n, 441);
    EXPECT_EQ(env.Output(), 0.0);
}

TEST(AdsrEnvelope, MatchesReference) {
    // Tolerance: exact (table reads and products of the same values).
    AdsrEnvelope env;
    env.SetSampleRate(48000);
    const double g = 48;
    env.SetTimes(30, 60, 0.4, 80);
    const double aStep = 1 / (g * 30), dStep = 1 / (g * 60), rStep = 1 / (g * 80);
    const LookupTable& rise = EnvelopeRiseTable();
    const LookupTable& fall = EnvelopeFallTable();
    double a = 1, d = 1, r = 0, out = 0, rl = 0;
    bool sus = false, active = true;
    env.Trigger(1);
    std::vector<double> want, got;
    for (int i = 0; i < 12000; ++i) {
        if (i == 7000) {
            env.Release();
            a = d = 0;
            sus = false;
            rl = out;
            r = 1;
        }
        if (!active) {
            want.push_back(0);
        } else if (sus) {
            want.push_back(out);
        } else {
            if (a > 0) {
                out = rise[static_cast<int>(8191 * a)];
                a -= aStep;
            } else if (d > 0) {
                const double b = fall[static_cast<int>(8191 * d)];
                out = b + (1 - b) * 0.4;
                d -= dStep;
            } else if (r > 0) {
                out = fall[static_cast<int>(8191 * r)] * rl;
                r -= rStep;
                if (r <= 0) {
                    out = 0;
                    active = false;
                }
            } else {
                sus = true;
                out = 0.4;
            }
            want.push_back(out);
        }
        got.push_back(env.Process());
    }
    ExpectSeriesNear(want, got, 0.0);
}
