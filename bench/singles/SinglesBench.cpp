// ProcessBlock of each single effect, per stereo frame at 44.1 kHz, with its
// default settings (limiter on) on a noise signal at about -6 dBFS.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <vector>

#include "products/quorvex_chorus/QuorvexChorus.h"
#include "products/quorvex_drive/QuorvexDrive.h"
#include "products/quorvex_phaser/QuorvexPhaser.h"

namespace {

VstIntPtr VSTCALLBACK SilentHost(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) {
    return 0;
}

template <class Plug>
void BM_ProcessBlock(benchmark::State& state, double driveAmount) {
    const int frames = static_cast<int>(state.range(0));
    auto plug = std::make_unique<Plug>(&SilentHost);
    AEffect* fx = plug->Effect();
    fx->dispatcher(fx, effSetSampleRate, 0, 0, nullptr, 44100.0f);
    fx->dispatcher(fx, effSetBlockSize, 0, frames, nullptr, 0.0f);
    fx->dispatcher(fx, effOpen, 0, 0, nullptr, 0.0f);
    if (driveAmount > 0.0) fx->setParameter(fx, 1, static_cast<float>(driveAmount));
    fx->dispatcher(fx, effMainsChanged, 0, 1, nullptr, 0.0f);

    std::vector<double> inL(frames), inR(frames), outL(frames), outR(frames);
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> noise(-0.5, 0.5);
    for (int i = 0; i < frames; ++i) {
        inL[i] = noise(rng);
        inR[i] = noise(rng);
    }
    double* in[2] = {inL.data(), inR.data()};
    double* out[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        plug->ProcessBlock(in, out, frames);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["per_frame"] = benchmark::Counter(
        static_cast<double>(frames),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    fx->dispatcher(fx, effClose, 0, 0, nullptr, 0.0f);
    plug.release();  // effClose deleted it
}

}  // namespace

void BM_Phaser(benchmark::State& state) {
    BM_ProcessBlock<QuorvexPhaser>(state, 0.0);
}
void BM_Chorus(benchmark::State& state) {
    BM_ProcessBlock<QuorvexChorus>(state, 0.0);
}
void BM_Drive(benchmark::State& state) {
    BM_ProcessBlock<QuorvexDrive>(state, 0.5);
}

BENCHMARK(BM_Phaser)->Arg(512);
BENCHMARK(BM_Chorus)->Arg(512);
BENCHMARK(BM_Drive)->Arg(512);
