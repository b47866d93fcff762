#pragma once

#include <cmath>

#include "dsp/Saturator.h"

namespace quorvex {

// First-order all-pass whose state update passes through the rational
// saturator. For small signals it is y[n] = p*x[n] - x[n-1] + p*y[n-1],
// p = exp(-2*pi*f/sampleRate).
class NonlinearAllpass {
  public:
    // Scale of the saturator argument, as written (about -1/56250).
    static constexpr double kInputScale = -1.77777778e-05;
    static constexpr double kGainScale = 112500.0;

    void SetSampleRate(double sr) {
        sampleRate = sr;
        ComputeCoefficients();
    }
    void SetFrequency(double hz) {
        if (hz != frequency) {
            frequency = hz;
            ComputeCoefficients();
        }
    }

    double Process(double x) { return Step(gain, x); }

    // One sample as if the frequency were multiplied by `multiplier`.
    double ProcessModulated(double multiplier, double x) {
        return Step((1.0 - std::exp(w * multiplier)) * kGainScale, x);
    }

    // One sample with a gain computed by the caller, for blocks that evaluate
    // the gains of several sections together.
    double Step(double g, double x) {
        const double a = x == 0.0 ? 1e-10 : x;  // keeps the recursion off denormals
        state += g * RationalSat((a + output) * kInputScale);
        output = a + state;
        return output;
    }

    double Frequency() const { return frequency; }
    double W() const { return w; }
    double Gain() const { return gain; }
    double State() const { return state; }
    double Output() const { return output; }

  private:
    friend class Phaser;  // runs its sections two at a time in SIMD lanes

    void ComputeCoefficients() {
        w = -6.283185307179586 * frequency / sampleRate;
        gain = (1.0 - std::exp(w)) * kGainScale;
    }

    double frequency = 5000.0;
    double sampleRate = 44100.0;
    double state = 0.0;
    double output = 0.0;
    double w = 0.0;
    double gain = 0.0;
};

}  // namespace quorvex
