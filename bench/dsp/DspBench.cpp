// Nanoseconds per sample (per stereo frame for the stereo blocks) of every
// block on its per-sample path. Each iteration runs a block of kBlock samples;
// the "per_sample" counter is the time of one sample.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "dsp/AdsrEnvelope.h"
#include "dsp/Biquad.h"
#include "dsp/Chorus.h"
#include "dsp/Drive.h"
#include "dsp/EnvelopeFollower.h"
#include "dsp/Ladder.h"
#include "dsp/Lfo.h"
#include "dsp/NonlinearAllpass.h"
#include "dsp/OutputStage.h"
#include "dsp/Phaser.h"
#include "dsp/ThresholdGate.h"

using namespace quorvex;

namespace {

constexpr int kBlock = 512;

const std::vector<double>& Signal() {
    static const std::vector<double> s = [] {
        std::vector<double> v(kBlock);
        unsigned seed = 1;
        for (int i = 0; i < kBlock; ++i) {
            seed = seed * 1664525u + 1013904223u;
            v[i] = 0.7 * std::sin(i * 0.05) + ((seed >> 8) / 16777216.0 - 0.5) * 0.4;
        }
        return v;
    }();
    return s;
}

void PerSample(benchmark::State& state) {
    state.counters["per_sample"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_Ladder(benchmark::State& state) {
    LadderLowPass lp;
    lp.SetResonance(0.5);
    lp.SetFrequency(2000);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) acc += lp.Process(x[i]);
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_Ladder);

void BM_LadderModulatedCutoff(benchmark::State& state) {
    LadderLowPass lp;
    lp.SetResonance(0.5);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) {
            lp.SetFrequency(1000 + 500 * x[i]);
            acc += lp.Process(x[i]);
        }
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_LadderModulatedCutoff);

void BM_BiquadHighPass(benchmark::State& state) {
    BiquadHighPass hp;
    hp.SetFrequency(10);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) acc += hp.Process(x[i]);
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_BiquadHighPass);

void BM_NonlinearAllpass(benchmark::State& state) {
    NonlinearAllpass ap;
    ap.SetSampleRate(44100);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) acc += ap.Process(x[i]);
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_NonlinearAllpass);

void BM_NonlinearAllpassModulated(benchmark::State& state) {
    NonlinearAllpass ap;
    ap.SetSampleRate(44100);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) acc += ap.ProcessModulated(1.0 + 0.5 * x[i], x[i]);
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_NonlinearAllpassModulated);

void BM_LfoNext(benchmark::State& state) {
    Lfo lfo;
    lfo.SetTable(LfoTableFor(kLfoSine));
    lfo.SetRate(3);
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) acc += lfo.Next();
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_LfoNext);

void BM_LfoRenderBlock(benchmark::State& state) {
    Lfo lfo;
    lfo.SetRate(3);
    lfo.ReserveBlock(kBlock);
    for (auto _ : state) {
        benchmark::DoNotOptimize(lfo.RenderBlock(kBlock));
        lfo.AdvanceBlock(kBlock);
    }
    PerSample(state);
}
BENCHMARK(BM_LfoRenderBlock);

void BM_EnvelopeFollower(benchmark::State& state) {
    EnvelopeFollower f;
    f.SetAttack(10);
    f.SetRelease(100);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) acc += f.Process(x[i]);
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_EnvelopeFollower);

void BM_ThresholdGate(benchmark::State& state) {
    ThresholdGate g;
    g.SetAttack(10);
    g.SetRelease(100);
    g.SetThresholds(0.4, 0.3);
    g.SetHold(2);
    const auto& x = Signal();
    for (auto _ : state) {
        int open = 0;
        for (int i = 0; i < kBlock; ++i) open += g.Process(x[i]);
        benchmark::DoNotOptimize(open);
    }
    PerSample(state);
}
BENCHMARK(BM_ThresholdGate);

void BM_AdsrEnvelope(benchmark::State& state) {
    AdsrEnvelope env;
    env.SetTimes(5, 5, 0.5, 5);
    int n = 0;
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) acc += env.Process();
        // Cycle through all segments.
        if (++n % 2) {
            env.Trigger(1);
        } else {
            env.Release();
        }
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_AdsrEnvelope);

template <bool kModulated, bool kStereo, bool kReference>
void BM_Phaser(benchmark::State& state) {
    Phaser p;
    p.SetSuperStereo(kStereo);
    p.SetStageFrequency(2, 3400);
    p.SetStageFrequency(3, 110);
    p.SetStageFrequency(4, 12000);
    p.SetLfoRate(4);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) {
            double l = x[i], r = -x[i];
            const double m = 0.5 * x[(i + 7) & (kBlock - 1)];
            if (kModulated) {
                if (kReference) {
                    p.ProcessModulatedReference(l, r, m, -m, 0.5 * m);
                } else {
                    p.ProcessModulated(l, r, m, -m, 0.5 * m);
                }
            } else if (kReference) {
                p.ProcessReference(l, r);
            } else {
                p.Process(l, r);
            }
            acc += l + r;
        }
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_Phaser<true, true, false>)->Name("BM_PhaserModulated/superStereo");
BENCHMARK(BM_Phaser<true, false, false>)->Name("BM_PhaserModulated/mono");
BENCHMARK(BM_Phaser<false, true, false>)->Name("BM_PhaserLfo/superStereo");
BENCHMARK(BM_Phaser<false, false, false>)->Name("BM_PhaserLfo/mono");
BENCHMARK(BM_Phaser<true, true, true>)->Name("BM_PhaserModulated/superStereo/reference");
BENCHMARK(BM_Phaser<false, true, true>)->Name("BM_PhaserLfo/superStereo/reference");
BENCHMARK(BM_Phaser<true, false, true>)->Name("BM_PhaserModulated/mono/reference");
BENCHMARK(BM_Phaser<false, false, true>)->Name("BM_PhaserLfo/mono/reference");

template <bool kStereo>
void BM_Chorus(benchmark::State& state) {
    Chorus c;
    c.SetSuperStereo(kStereo);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) {
            double l = x[i], r = -x[i];
            c.SetWet(0.5);
            c.SetDelayMs(12.5 + x[i]);
            c.Process(l, r);
            acc += l + r;
        }
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_Chorus<true>)->Name("BM_Chorus/superStereo");
BENCHMARK(BM_Chorus<false>)->Name("BM_Chorus/mono");

template <bool kFilter, bool kFeedback>
void BM_Drive(benchmark::State& state) {
    Drive d;
    d.SetFilterActive(kFilter);
    d.SetFeedbackEnabled(kFeedback);
    const auto& x = Signal();
    for (auto _ : state) {
        double acc = 0;
        for (int i = 0; i < kBlock; ++i) {
            double l = x[i] * 2, r = -x[i];
            d.SetDrive(0.7);
            d.Process(l, r);
            acc += l + r;
        }
        benchmark::DoNotOptimize(acc);
    }
    PerSample(state);
}
BENCHMARK(BM_Drive<true, false>)->Name("BM_Drive/filter/noFeedback");
BENCHMARK(BM_Drive<true, true>)->Name("BM_Drive/filter/feedback");
BENCHMARK(BM_Drive<false, false>)->Name("BM_Drive/noFilter/noFeedback");
BENCHMARK(BM_Drive<false, true>)->Name("BM_Drive/noFilter/feedback");

void BM_BrickwallLimit(benchmark::State& state) {
    std::vector<double> src = Signal(), buf(kBlock);
    for (double& v : src) v *= 2;  // a good share of samples in the knee
    for (auto _ : state) {
        buf = src;
        benchmark::DoNotOptimize(BrickwallLimit(buf.data(), kBlock));
    }
    PerSample(state);
}
BENCHMARK(BM_BrickwallLimit);

void BM_StageClip(benchmark::State& state) {
    std::vector<double> src = Signal(), l(kBlock), r(kBlock);
    for (double& v : src) v *= 6;
    for (auto _ : state) {
        l = src;
        r = src;
        StageClip(l.data(), r.data(), kBlock);
        benchmark::DoNotOptimize(l.data());
    }
    PerSample(state);
}
BENCHMARK(BM_StageClip);

}  // namespace
