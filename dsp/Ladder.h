#pragma once

#include "dsp/Saturator.h"

namespace quorvex {

// Four-stage transistor-ladder resonant low pass (nonlinear model with
// polynomial tuning and resonance compensation), one pass per sample.
class LadderLowPass {
  public:
    LadderLowPass() { ComputeCoefficients(); }

    void SetSampleRate(double sr);
    void SetFrequency(double hz) {
        if (hz != frequency) {
            frequency = hz;
            ComputeCoefficients();
        }
    }
    void SetResonance(double r) {
        if (r != resonance) {
            resonance = r;
            ComputeCoefficients();
        }
    }

    double Process(double x) {
        const double in = x == 0.0 ? 1e-10 : x;  // keeps the recursion off denormals
        const double u = in - res4 * output;
        const double sat3 = Sat(stage[3]);  // from stage 4's value before this pass
        stage[0] += tune * (Sat(u) - satStage[0]);
        const double s0 = Sat(stage[0]);
        stage[1] += tune * (s0 - satStage[1]);
        const double s1 = Sat(stage[1]);
        stage[2] += tune * (s1 - satStage[2]);
        const double s2 = Sat(stage[2]);
        stage[3] += tune * (s2 - sat3);
        satStage[0] = s0;
        satStage[1] = s1;
        satStage[2] = s2;
        output = (stage[3] + lastStage) * 0.5;
        lastStage = stage[3];
        return output;
    }

    double Frequency() const { return frequency; }
    double Resonance() const { return resonance; }
    // Normalised cutoff after the resonance limit (cutoff / sample rate).
    double NormalisedCutoff() const { return fc; }
    double Tune() const { return tune; }
    double Res4() const { return res4; }
    double FeedbackTuning() const { return fcr; }

  private:
    static constexpr double kSatScale = 20000.0;
    static double Sat(double v) { return RationalSat(v / kSatScale); }
    void ComputeCoefficients();

    double frequency = 1.0;
    double resonance = 1.0;
    double sampleRate = 44100.0;
    double stage[4] = {};
    double lastStage = 0.0;
    double output = 0.0;
    double satStage[3] = {};
    double fc2 = 0.0;
    double fc = 0.0;
    double fcr = 0.0;
    double res4 = 0.0;
    double tune = 0.0;
};

}  // namespace quorvex
