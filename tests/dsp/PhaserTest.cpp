#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/Phaser.h"
#include "tests/dsp/Compare.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

namespace {

// The phaser written out formula by formula.
struct RefPhaser {
    double sr, depth = 2.07944154167984, wet = 1, fb = 0.7, fbL = 0, fbR = 0;
    double freq[4] = {880, 3400, 110, 12000};
    std::vector<ref::Allpass> l, r;
    ref::Osc lfo;
    bool stereo = true;
    RefPhaser(double rate, double lfoRate) : sr(rate), lfo(ref::TriTable(), lfoRate, rate) {}
    void Start() {
        for (double f : freq) {
            l.emplace_back(f, sr);
            r.emplace_back(f, sr);
        }
    }
    double Clamp(double k, int s) const {
        const double lo = 10 / freq[s], hi = 18000 / freq[s];
        if (std::max(k, lo) >= hi) return hi;
        if (k <= lo) return lo;
        return k;
    }
    void Run(double& xl, double& xr, const double* m, bool single) {
        const double in = (xl + xr) * (single ? 0.5 : 0.75);
        const double v = lfo.Next();
        double k[4], kr[4];
        k[0] = std::exp(v * depth);
        kr[0] = std::exp(lfo.Peek(single ? 0.25 : 0.5) * depth);
        for (int s = 1; s < 4; ++s) {
            k[s] = single ? k[0] : std::exp(depth * m[s - 1]);
            kr[s] = single ? kr[0] : 1 / k[s];
        }
        double y = in;
        for (int s = 0; s < 4; ++s) y = l[s].Run(Clamp(k[s], s), s == 1 ? y + fbL * fb : y);
        fbL = y;
        double z = y;
        if (stereo) {
            z = in;
            for (int s = 0; s < 4; ++s) z = r[s].Run(Clamp(kr[s], s), s == 1 ? z + fbR * fb : z);
            fbR = z;
        }
        xl = wet * y + (1 - wet) * xl;
        xr = wet * z + (1 - wet) * xr;
    }
};

enum class Path { Fast, Reference };

void Configure(Phaser& p, RefPhaser& r, bool stereo, bool single) {
    p.SetSampleRate(48000);
    p.SetSuperStereo(stereo);
    r.stereo = stereo;
    const double f[3] = {3400, 9.0, 18000};  // the 10 Hz and 18 kHz limits
    for (int s = 0; s < 3; ++s) {
        p.SetStageFrequency(s + 2, f[s]);
        r.freq[s + 1] = std::min(18000.0, std::max(10.0, f[s]));
    }
    p.SetFeedback(0.85);
    r.fb = 0.85;
    p.SetWet(0.7);
    r.wet = 0.7;
    if (single) {
        p.SetLfoRate(8 * 0.9);
        p.SetDepth(0.8);
        r.depth = 0.8 * 2.07944154167984;
    }
    r.Start();
}

void CompareWithReference(bool stereo, bool single, Path path) {
    Phaser p;
    RefPhaser r(48000, single ? 8 * 0.9 : 1.0);
    Configure(p, r, stereo, single);
    const std::vector<double> x = ref::TestSignal(6000);
    std::vector<double> want, got;
    for (size_t i = 0; i < x.size(); ++i) {
        // Extreme modulation: well past the clamps on both sides.
        const double m[3] = {std::sin(i * 0.002) * 1.3, std::cos(i * 0.0031),
                             -std::sin(i * 0.0007)};
        double wl = x[i] * 2, wr = -x[(i * 7) % x.size()];
        double gl = wl, gr = wr;
        r.Run(wl, wr, m, single);
        if (single) {
            path == Path::Fast ? p.Process(gl, gr) : p.ProcessReference(gl, gr);
        } else if (path == Path::Fast) {
            p.ProcessModulated(gl, gr, m[0], m[1], m[2]);
        } else {
            p.ProcessModulatedReference(gl, gr, m[0], m[1], m[2]);
        }
        want.push_back(wl);
        want.push_back(wr);
        got.push_back(gl);
        got.push_back(gr);
    }
    ExpectSeriesNear(want, got, 1e-12);
}

}  // namespace

TEST(Phaser, MatchesReferenceInEveryVariant) {
    // Tolerance: 1e-12 of the peak, for the straightforward path and for the
    // fast path (which evaluates the exponentials together).
    for (bool stereo : {false, true}) {
        for (bool single : {false, true}) {
            for (Path path : {Path::Reference, Path::Fast}) {
                SCOPED_TRACE(testing::Message() << "stereo " << stereo << " single " << single
                                                << " fast " << (path == Path::Fast));
                CompareWithReference(stereo, single, path);
            }
        }
    }
}

TEST(Phaser, FastPathStaysWithinToleranceOverLongRuns) {
    // Relative to the peak, 1e-12, over many LFO cycles and a fast LFO.
    for (bool stereo : {false, true}) {
        Phaser a, b;
        for (Phaser* p : {&a, &b}) {
            p->SetSuperStereo(stereo);
            p->SetLfoRate(8);
            p->SetStageFrequency(2, 700);
            p->SetStageFrequency(3, 40);
            p->SetStageFrequency(4, 15000);
            p->SetFeedback(0.95);
        }
        const std::vector<double> x = ref::TestSignal(200000, 3);
        std::vector<double> want, got;
        for (size_t i = 0; i < x.size(); ++i) {
            const double m1 = std::sin(i * 0.0001), m2 = std::sin(i * 0.00033), m3 = -m1;
            double al = x[i], ar = x[i] * 0.5, bl = al, br = ar;
            if (i < x.size() / 2) {
                a.ProcessModulatedReference(al, ar, m1, m2, m3);
                b.ProcessModulated(bl, br, m1, m2, m3);
            } else {
                a.ProcessReference(al, ar);
                b.Process(bl, br);
            }
            want.push_back(al);
            want.push_back(ar);
            got.push_back(bl);
            got.push_back(br);
        }
        ExpectSeriesNear(want, got, 1e-12);
    }
}

TEST(Phaser, DryWetExtremes) {
    const std::vector<double> x = ref::TestSignal(500);
    Phaser dry;
    dry.SetWet(0);
    Phaser mono;
    mono.SetSuperStereo(false);
    for (size_t i = 0; i < x.size(); ++i) {
        double l = x[i], r = -0.5 * x[i];
        dry.ProcessModulated(l, r, 0.3, -0.2, 0.1);
        EXPECT_EQ(l, x[i]);
        EXPECT_EQ(r, -0.5 * x[i]);
        double ml = x[i], mr = 0.25;
        mono.Process(ml, mr);
        EXPECT_EQ(ml, mr);
    }
    EXPECT_EQ(dry.Dry(), 1.0);
}

TEST(Phaser, StageFrequencyLimitsAndMultipliers) {
    Phaser p;
    EXPECT_EQ(p.MinMult(0), 0.011363636363636364);
    EXPECT_EQ(p.MaxMult(0), 20.454545454545453);
    struct Case {
        double hz, applied;
    };
    const Case cases[] = {{3400, 3400}, {18000, 18000}, {25000, 18000}, {10, 10}, {-5, 10}};
    for (const Case& c : cases) {
        p.SetStageFrequency(2, c.hz);
        EXPECT_EQ(p.LeftStage(1).Frequency(), c.applied);
        EXPECT_EQ(p.RightStage(1).Frequency(), c.applied);
        EXPECT_EQ(p.MinMult(1), 10 / c.applied);
        EXPECT_EQ(p.MaxMult(1), 18000 / c.applied);
    }
    p.SetStageFrequency(4, 18000);
    EXPECT_EQ(p.MaxMult(3), 1.0);  // can only sweep downward
    p.SetStageFrequency(1, 5000);  // stage 1 stays at 880 Hz
    EXPECT_EQ(p.LeftStage(0).Frequency(), 880.0);
    p.SetDepth(0.5);
    EXPECT_EQ(p.SweepDepth(), 0.5 * 2.07944154167984);
}
