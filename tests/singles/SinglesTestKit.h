// Opens a single-effect product the way a host does, with a scripted host
// callback that can pose as any host and counts the identity questions.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "framework/vst/EntryPoint.h"
#include "products/quorvex_chorus/QuorvexChorus.h"
#include "products/quorvex_drive/QuorvexDrive.h"
#include "products/quorvex_phaser/QuorvexPhaser.h"

namespace singles_test {

struct ScriptedHost {
    std::string vendor;
    std::string product;
    VstIntPtr vendorVersion = 0;
    int productQueries = 0;
};

// One scripted host for the whole test process; tests set it before opening.
ScriptedHost& Host();
VstIntPtr VSTCALLBACK ScriptedAudioMaster(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void* ptr,
                                          float);

// A product opened through the entry point's construction path, closed by
// the host's close call when the test ends.
template <class Plug>
class Opened {
  public:
    explicit Opened(double sampleRate = 44100.0, int blockSize = 512) {
        effect = CreateVexilEffect(
            &ScriptedAudioMaster, [](audioMasterCallback cb) -> VexilVST* { return new Plug(cb); });
        plug = static_cast<Plug*>(static_cast<VexilVST*>(effect->object));
        Dispatch(effOpen);
        Dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
        Dispatch(effSetBlockSize, 0, blockSize);
        Dispatch(effMainsChanged, 0, 1);
    }
    ~Opened() { Dispatch(effClose); }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f) {
        return effect->dispatcher(effect, opcode, index, value, ptr, opt);
    }
    void Set(int index, double normalized) {
        effect->setParameter(effect, index, static_cast<float>(normalized));
    }
    // Sets a parameter to a plain value through its own mapping, as a host
    // automating it would.
    void SetValue(int index, double value) { Set(index, plug->Param(index)->ToNormalized(value)); }
    // One block through the double-precision callback; returns the outputs.
    void Process(std::vector<double>& left, std::vector<double>& right) {
        std::vector<double> inL = left, inR = right;
        double* in[2] = {inL.data(), inR.data()};
        double* out[2] = {left.data(), right.data()};
        effect->processDoubleReplacing(effect, in, out, static_cast<VstInt32>(left.size()));
    }

    AEffect* effect = nullptr;
    Plug* plug = nullptr;
};

inline std::vector<double> Sine(int n, double amplitude, double hz, double sampleRate,
                                int start = 0) {
    std::vector<double> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        v[static_cast<size_t>(i)] =
            amplitude * std::sin(6.283185307179586 * hz * (start + i) / sampleRate);
    return v;
}

inline bool AllFinite(const std::vector<double>& v) {
    for (double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

inline double Peak(const std::vector<double>& v) {
    double p = 0.0;
    for (double x : v) p = std::max(p, std::abs(x));
    return p;
}

}  // namespace singles_test
