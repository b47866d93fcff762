#pragma once

#include <cmath>

namespace quorvex {

// Second-order section in direct form I; subclasses supply the coefficients.
class Biquad {
  public:
    virtual ~Biquad() = default;
    virtual void ComputeCoefficients() = 0;

    void SetSampleRate(double sr) {
        sampleRate = sr;
        ComputeCoefficients();
        x1 = x2 = y1 = y2 = 0.0;
    }
    void SetFrequency(double hz) {
        if (hz != frequency) {
            frequency = hz;
            ComputeCoefficients();
        }
    }
    void SetQ(double value) {
        q = value;
        ComputeCoefficients();
    }

    double Process(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        // Replacing tiny outputs by a positive constant keeps the recursion
        // away from denormals; the offset is part of the output.
        if (y > -1e-10 && y < 1e-10) y = 1e-10;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    double Frequency() const { return frequency; }
    double Q() const { return q; }
    double A0() const { return a0; }
    double A1() const { return a1; }
    double A2() const { return a2; }
    double B0() const { return b0; }
    double B1() const { return b1; }
    double B2() const { return b2; }

  protected:
    double sampleRate = 44100.0;
    double frequency = 1.0;
    double q = 1.0 / std::sqrt(2.0);
    double a0 = 1.0;
    double a1 = 0.0;
    double a2 = 0.0;
    double b0 = 1.0;
    double b1 = 0.0;
    double b2 = 0.0;
    double x1 = 0.0;
    double x2 = 0.0;
    double y1 = 0.0;
    double y2 = 0.0;
};

// Bilinear-transform high pass (the usual audio-EQ formulas).
class BiquadHighPass final : public Biquad {
  public:
    BiquadHighPass() { BiquadHighPass::ComputeCoefficients(); }
    void ComputeCoefficients() override;
};

}  // namespace quorvex
