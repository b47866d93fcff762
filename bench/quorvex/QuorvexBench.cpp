// Cost of the multi-effect's whole ProcessBlock, in nanoseconds per stereo
// frame: every block on with all nine targets modulated, and every block off.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "products/quorvex/Quorvex.h"

namespace {

using quorvex::Quorvex;

constexpr int kBlock = 512;

class BenchQuorvex : public Quorvex {
  public:
    BenchQuorvex() : Quorvex(nullptr) {}
    double HostTempo() override { return 124.0; }
    std::int64_t HostSamplePosition() override { return position; }
    void Set(int idx, double value) {
        Param(idx)->SetClamped(value);
        ParamChanged(idx);
    }
    std::int64_t position = 0;
};

void Configure(BenchQuorvex& plug, bool allOn, double sampleRate) {
    using namespace quorvex;
    plug.StoreSampleRate(sampleRate);
    plug.ChangeBlockSize(kBlock);
    if (allOn) {
        plug.Set(kCutoffEnable, 1);
        plug.Set(kCutoffShape, kWideBandPass);
        plug.Set(kResonance, 0.5);
        plug.Set(kDriveEnable, 1);
        plug.Set(kDrive, 0.5);
        plug.Set(kPhaserEnable, 1);
        plug.Set(kChorusEnable, 1);
        plug.Set(kLfo1TempoSync, 1);
        const int sources[] = {kSourceLfo1, kSourceAdsr, kSourceFollower, kSourceLfo2};
        int k = 0;
        for (const ModTargetInfo& info : kModTargetInfo) {
            plug.Set(info.sourceParam, sources[k++ % 4]);
            plug.Set(info.strengthParam, 0.5);
        }
    } else {
        for (int idx : {kCutoffEnable, kDriveEnable, kPhaserEnable, kChorusEnable})
            plug.Set(idx, 0);
        for (const ModTargetInfo& info : kModTargetInfo) plug.Set(info.sourceParam, kSourceNone);
    }
    for (int i = 0; i < plug.NParams(); ++i) plug.ParamChanged(i);
    plug.ResetState();
}

void ProcessBlock(benchmark::State& state, bool allOn, double sampleRate) {
    BenchQuorvex plug;
    Configure(plug, allOn, sampleRate);
    // A second of input made up front, so the timed loop only processes.
    const int blocks = static_cast<int>(sampleRate) / kBlock;
    std::vector<std::vector<double>> in(4, std::vector<double>(size_t(blocks) * kBlock));
    for (int c = 0; c < 4; ++c) {
        for (size_t i = 0; i < in[c].size(); ++i) {
            const double x = static_cast<double>(i) / sampleRate;
            in[c][i] = 0.4 * std::sin(6.283185307179586 * (110.0 + 55.0 * c) * x) *
                       (0.6 + 0.4 * std::sin(6.283185307179586 * 2.0 * x));
        }
    }
    std::vector<std::vector<double>> out(2, std::vector<double>(kBlock));
    double* outputs[2] = {out[0].data(), out[1].data()};
    int b = 0;
    for (auto _ : state) {
        const size_t at = size_t(b) * kBlock;
        double* inputs[4] = {&in[0][at], &in[1][at], &in[2][at], &in[3][at]};
        plug.position += kBlock;
        plug.ProcessBlock(inputs, outputs, kBlock);
        benchmark::DoNotOptimize(out[0].data());
        benchmark::ClobberMemory();
        if (++b == blocks) b = 0;
    }
    // Shown as time per stereo frame.
    state.counters["per_frame"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kBlock,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_AllOn_44k(benchmark::State& s) {
    ProcessBlock(s, true, 44100.0);
}
void BM_AllOn_96k(benchmark::State& s) {
    ProcessBlock(s, true, 96000.0);
}
void BM_AllOff_44k(benchmark::State& s) {
    ProcessBlock(s, false, 44100.0);
}
void BM_AllOff_96k(benchmark::State& s) {
    ProcessBlock(s, false, 96000.0);
}

BENCHMARK(BM_AllOn_44k);
BENCHMARK(BM_AllOn_96k);
BENCHMARK(BM_AllOff_44k);
BENCHMARK(BM_AllOff_96k);

}  // namespace
