// Shared helpers for the multi-effect's tests: a plug-in with a scripted
// host (tempo, transport, editor feed) and buffers to run blocks through it.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "products/quorvex/Quorvex.h"

namespace quorvex::test {

struct DisplayCall {
    double follower, adsr, lfo1, lfo2;
};

// The plug-in as the frame and host would drive it, with the host's answers
// set by the test and the editor feed recorded.
class ScriptedQuorvex : public Quorvex {
  public:
    ScriptedQuorvex() : Quorvex(nullptr) {
        displayCalls.clear();
        displayCalls.reserve(4096);  // recording must not allocate while processing
    }

    double HostTempo() override { return tempo; }
    std::int64_t HostSamplePosition() override { return samplePosition; }
    void UpdateEditorDisplays(double followerValue, double adsrValue, double lfo1Value,
                              double lfo2Value) override {
        displayCalls.push_back({followerValue, adsrValue, lfo1Value, lfo2Value});
        Quorvex::UpdateEditorDisplays(followerValue, adsrValue, lfo1Value, lfo2Value);
    }

    // What the host's open call does: apply every parameter, then reset.
    void Open() {
        for (int i = 0; i < NParams(); ++i) ParamChanged(i);
        ResetState();
    }

    // Sets a plain parameter value as state loading does.
    void Set(int paramIdx, double value) {
        Param(paramIdx)->SetClamped(value);
        ParamChanged(paramIdx);
    }

    double tempo = 0.0;
    std::int64_t samplePosition = 0;
    std::vector<DisplayCall> displayCalls;
};

// Four inputs and two outputs of one block, as the frame hands them over.
struct Block {
    explicit Block(int frames)
        : in(4, std::vector<double>(static_cast<size_t>(frames), 0.0)),
          out(2, std::vector<double>(static_cast<size_t>(frames), 0.0)),
          n(frames) {}

    void Run(Quorvex& plug) {
        double* inputs[4] = {in[0].data(), in[1].data(), in[2].data(), in[3].data()};
        double* outputs[2] = {out[0].data(), out[1].data()};
        plug.ProcessBlock(inputs, outputs, n);
    }

    std::vector<std::vector<double>> in;
    std::vector<std::vector<double>> out;
    int n;
};

// A deterministic test signal: two sines and a little noise, about -6 dBFS.
inline double TestSignal(int64_t i, int channel) {
    const double t = static_cast<double>(i) / 44100.0;
    std::uint32_t h = static_cast<std::uint32_t>(i * 2654435761u + channel * 40503u);
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    const double noise = (h & 0xffff) / 65535.0 - 0.5;
    return 0.3 * std::sin(6.283185307179586 * 220.0 * t + channel) +
           0.15 * std::sin(6.283185307179586 * 1375.0 * t) + 0.05 * noise;
}

inline void FillSignal(Block& b, int64_t start, int firstChannel = 0, int count = 2,
                       double gain = 1.0) {
    for (int c = firstChannel; c < firstChannel + count; ++c) {
        for (int i = 0; i < b.n; ++i) {
            b.in[static_cast<size_t>(c)][static_cast<size_t>(i)] = gain * TestSignal(start + i, c);
        }
    }
}

}  // namespace quorvex::test
