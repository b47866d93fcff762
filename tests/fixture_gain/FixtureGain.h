// A small gain plug-in that drives the whole adapter in tests: parameters of
// every kind, value texts, a shape exponent, several presets and a four-input
// channel configuration. A fixture, not a product.
#pragma once

#include "framework/vst/VexilVST.h"

class FixtureGain : public VexilVST {
  public:
    enum Params { kGain, kMute, kRouting, kMix, kLongName, kNumParams };
    enum Routing { kStereo, kSwap, kMono, kNumRoutings };
    static constexpr int kNumPresets = 5;
    static constexpr const char* kLongParamName = "Output Trim Of The Very Long Named Stage";

    explicit FixtureGain(audioMasterCallback audioMaster);

    void ResetState() override;
    void ParamChanged(int paramIdx) override;
    void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

    // Counters for tests.
    int resetCount = 0;
    int paramChangedCount = 0;

  private:
    double gain_ = 1.0;
    double trim_ = 1.0;
    double mix_ = 1.0;
    bool mute_ = false;
    int routing_ = kStereo;
};
