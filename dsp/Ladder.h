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
    // The cutoff of `other`, taking its coefficients as they are when both
    // share resonance and sample rate (the two ladders of a stereo pair
    // swept together), so they are worked out once per sample, not twice.
    void SetFrequencyLike(const LadderLowPass& other) {
        if (other.resonance != resonance || other.sampleRate != sampleRate) {
            SetFrequency(other.frequency);
            return;
        }
        frequency = other.frequency;
        fc = other.fc;
        fc2 = other.fc2;
        fcr = other.fcr;
        res4 = other.res4;
        tune = other.tune;
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
        // stage += tune * (new - old), split so that the part known from the
        // previous sample is ready before the chain of this sample reaches it.
        const double base0 = stage[0] - tune * satStage[0];
        const double base1 = stage[1] - tune * satStage[1];
        const double base2 = stage[2] - tune * satStage[2];
        const double base3 = stage[3] - tune * Sat(stage[3]);  // stage 4 before this pass
        stage[0] = base0 + tune * Sat(u);
        const double s0 = Sat(stage[0]);
        stage[1] = base1 + tune * s0;
        const double s1 = Sat(stage[1]);
        stage[2] = base2 + tune * s1;
        const double s2 = Sat(stage[2]);
        stage[3] = base3 + tune * s2;
        satStage[0] = s0;
        satStage[1] = s1;
        satStage[2] = s2;
        output = (stage[3] + lastStage) * 0.5;
        lastStage = stage[3];
        return output;
    }

    // Two ladders in the two lanes of SIMD registers: the same operations as
    // a.Process(xa) and b.Process(xb), so the same results, with the two
    // chains of divisions running side by side (stereo pairs). Scalar calls
    // where SIMD is not available.
    static void ProcessPair(LadderLowPass& a, LadderLowPass& b, double& xa, double& xb);

    double Frequency() const { return frequency; }
    double Resonance() const { return resonance; }
    // Normalised cutoff after the resonance limit (cutoff / sample rate).
    double NormalisedCutoff() const { return fc; }
    double Tune() const { return tune; }
    double Res4() const { return res4; }
    double FeedbackTuning() const { return fcr; }

  private:
    // Saturator scale 20000, applied as a product (within an ulp of the
    // division, and off the feedback path's slowest operation).
    static constexpr double kSatScale = 20000.0;
    static double Sat(double v) { return RationalSat(v * (1.0 / kSatScale)); }
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
