#pragma once

#include "dsp/Lfo.h"
#include "dsp/NonlinearAllpass.h"

namespace quorvex {

// Four-stage phaser: mono input, stereo output, feedback around stages 2 to
// 4, its own triangle LFO and an optional second, differently swept chain
// for the right channel (super stereo). Every stage frequency is multiplied
// per sample by 8 to the power of its control value.
class Phaser {
  public:
    static constexpr int kStages = 4;
    // ln 8 as written: the natural-log sweep span of one control unit.
    static constexpr double kSweepDepth = 2.07944154167984;
    static constexpr double kMinStageHz = 10.0;
    static constexpr double kMaxStageHz = 18000.0;

    Phaser();

    void SetWet(double w) {
        wet = w;
        dry = 1.0 - w;
    }
    void SetFeedback(double g) { feedback = g; }
    void SetSuperStereo(bool on) { superStereo = on; }
    // stage is 2, 3 or 4; others are ignored.
    void SetStageFrequency(int stage, double hz);
    void SetLfoRate(double rate) { lfo.SetRate(rate); }
    void SetDepth(double d) { sweepDepth = d * kSweepDepth; }
    void SetSampleRate(double sr);

    // Multi-effect variant: stage 1 swept by the LFO, stages 2..4 by m1..m3
    // (each in -1..1). In place on one stereo sample.
    void ProcessModulated(double& left, double& right, double m1, double m2, double m3);
    // Single-product variant: the LFO sweeps all four stages.
    void Process(double& left, double& right);

    // The same two variants evaluated one formula at a time through the
    // all-pass sections' own modulated call; the fast paths above must stay
    // within 1e-12 relative of these.
    void ProcessModulatedReference(double& left, double& right, double m1, double m2, double m3);
    void ProcessReference(double& left, double& right);

    double Wet() const { return wet; }
    double Dry() const { return dry; }
    double MinMult(int i) const { return minMult[i]; }
    double MaxMult(int i) const { return maxMult[i]; }
    double SweepDepth() const { return sweepDepth; }
    const Lfo& GetLfo() const { return lfo; }
    const NonlinearAllpass& LeftStage(int i) const { return left[i]; }
    const NonlinearAllpass& RightStage(int i) const { return right[i]; }

  private:
    struct Lanes;  // the SIMD evaluation of the fast paths
    friend struct Lanes;

    double ClampMult(double k, int stage) const {
        if ((k > minMult[stage] ? k : minMult[stage]) >= maxMult[stage]) return maxMult[stage];
        if (k <= minMult[stage]) return minMult[stage];
        return k;
    }

    Lfo lfo;
    NonlinearAllpass left[kStages];
    NonlinearAllpass right[kStages];
    double wet = 1.0;
    double dry = 0.0;
    double feedback = 0.7;
    double feedbackLeft = 0.0;
    double feedbackRight = 0.0;
    double sweepDepth = kSweepDepth;
    double minMult[kStages] = {};
    double maxMult[kStages] = {};
    bool superStereo = true;
};

}  // namespace quorvex
