#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "dsp/Chorus.h"
#include "tests/dsp/Compare.h"
#include "tests/dsp/ReferenceModels.h"

using namespace quorvex;

namespace {

// The chorus written out formula by formula.
struct RefChorus {
    double sr, wet = 1, gainIn = 0.5, delay, depth = 1, depthTarget = 1, delayTarget;
    std::vector<double> line;
    int pos = 0;
    std::vector<ref::Osc> voice;
    ref::Allpass dryL, dryR, wetL, wetR;
    bool stereo = true;
    explicit RefChorus(double rate, double spread, double base)
        : sr(rate),
          delay(12.5 * 0.001 * rate),
          delayTarget(delay),
          line(static_cast<size_t>(rate * 0.2), 0.0),
          dryL(880, rate),
          dryR(880, rate),
          wetL(3400, rate),
          wetR(3400, rate) {
        const double mult[4] = {1, 1 + 0.33 * spread, 1 + 0.67 * spread, 1 + 1.33 * spread};
        for (double k : mult) voice.emplace_back(ref::NonlinearTable(), base * k, rate);
    }
    static double Glide(double cur, double target, double step) {
        if (target > cur) return std::min(cur + step, target);
        if (target < cur) return std::max(cur - step, target);
        return cur;
    }
    double Tap(double d) const {
        const double t = delay * (depth * d + 1);
        const int n = static_cast<int>(t);
        const double f = t - n;
        const int len = static_cast<int>(line.size());
        const int i = (pos - n + len) % len, j = (i - 1 + len) % len;
        return (1 - f) * line[static_cast<size_t>(i)] + f * line[static_cast<size_t>(j)];
    }
    void Run(double& left, double& right) {
        const double l = left * gainIn, r = right * gainIn;
        line[static_cast<size_t>(pos)] = (l + r) * 0.5;
        delay = Glide(delay, delayTarget, 0.1);
        depth = Glide(depth, depthTarget, 0.00005);
        const double dl = dryL.Run(1, l), dr = dryR.Run(1, r);
        double t[4];
        for (int v = 3; v >= 0; --v) t[v] = Tap(voice[static_cast<size_t>(v)].Next());
        const double g = wetL.Run(1, t[0] + (t[1] + (t[2] + t[3])));
        if (stereo) {
            for (int v = 3; v >= 0; --v) t[v] = Tap(voice[static_cast<size_t>(v)].Peek(0.25));
            const double h = wetR.Run(1, t[0] + (t[1] + (t[2] + t[3])));
            left = dl + wet * g;
            right = dr + wet * h;
        } else {
            left = dl + wet * wet * g;
            right = dr + wet * wet * g;
        }
        pos = (pos + 1) % static_cast<int>(line.size());
    }
};

}  // namespace

TEST(Chorus, MatchesReferenceWithGlidingDelayAndDepth) {
    // Tolerance: 1e-12 of the peak.
    for (bool stereo : {true, false}) {
        SCOPED_TRACE(stereo);
        Chorus c;
        c.SetSampleRate(48000);
        c.SetSuperStereo(stereo);
        c.SetRate(0.25 * 0.9);
        c.SetSpread(0.8);
        RefChorus r(48000, 0.8, 0.25 * 0.9);
        r.stereo = stereo;
        const std::vector<double> x = ref::TestSignal(20000);
        std::vector<double> want, got;
        for (size_t i = 0; i < x.size(); ++i) {
            const double wet = 0.5 + 0.5 * std::sin(i * 0.001);
            c.SetWet(wet);
            r.wet = wet;
            r.gainIn = 1 / (wet + 1);
            if (i % 1000 == 0) {
                const double ms = (i / 1000) % 2 ? 3.0 : 40.0;
                c.SetDelayMs(ms);
                r.delayTarget = ms * 0.001 * 48000;
                c.SetDepth(i % 3000 ? 0.6 : 1.0);
                r.depthTarget = i % 3000 ? 0.6 : 1.0;
            }
            double gl = x[i], gr = x[(i * 3) % x.size()], wl = gl, wr = gr;
            r.Run(wl, wr);
            c.Process(gl, gr);
            want.push_back(wl);
            want.push_back(wr);
            got.push_back(gl);
            got.push_back(gr);
        }
        ExpectSeriesNear(want, got, 1e-12);
    }
}

TEST(Chorus, DelaySettingAndLineLength) {
    Chorus c;
    EXPECT_EQ(c.Length(), 8820);
    c.SetDelayMs(80);
    EXPECT_EQ(c.DelayMs(), 50.0);
    c.SetSampleRate(48000);
    EXPECT_EQ(c.Length(), 9600);
    EXPECT_EQ(c.DelaySamples(), 2400.0);  // jumps to the setting
}

TEST(Chorus, DelayGlidesAtTheSpeedLimit) {
    Chorus c;
    EXPECT_EQ(c.DelaySamples(), 551.25);
    c.SetDelayMs(50);
    int n = 0;
    double l = 0, r = 0;
    while (c.DelaySamples() != 2205.0 && n < 20000) {
        c.Process(l, r);
        ++n;
    }
    EXPECT_EQ(n, 16538);
}

TEST(Chorus, WetZeroIsTheDryAllpassOnly) {
    Chorus c;
    c.SetWet(0);
    EXPECT_EQ(c.InputGain(), 1.0);
    NonlinearAllpass al, ar;
    for (NonlinearAllpass* a : {&al, &ar}) {
        a->SetFrequency(880);
        a->SetSampleRate(44100);
    }
    for (double x : ref::TestSignal(2000)) {
        double l = x, r = 0.3 * x;
        c.Process(l, r);
        EXPECT_EQ(l, al.Process(x));
        EXPECT_EQ(r, ar.Process(0.3 * x));
    }
}

TEST(Chorus, VoiceRatesFollowSpread) {
    Chorus c;
    c.SetRate(0.2);
    c.SetSpread(1.0);
    EXPECT_DOUBLE_EQ(c.Voice(0).Rate(), 0.2);
    EXPECT_DOUBLE_EQ(c.Voice(1).Rate(), 0.2 * 1.33);
    EXPECT_DOUBLE_EQ(c.Voice(2).Rate(), 0.2 * 1.67);
    EXPECT_DOUBLE_EQ(c.Voice(3).Rate(), 0.2 * 2.33);
}

TEST(Chorus, HostileDepthsNeverReadOutsideTheLine) {
    Chorus c;
    c.SetDepth(40.0);
    c.SetDelayMs(50);
    c.SetSampleRate(8000);
    double l = 0, r = 0;
    for (int i = 0; i < 200000; ++i) {
        l = r = 0.5 * std::sin(i * 0.01);
        c.Process(l, r);
    }
    EXPECT_TRUE(std::isfinite(l));
    c.SetSampleRate(0);  // a nonsense rate still leaves a usable line
    c.Process(l, r);
}
