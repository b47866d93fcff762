#pragma once

namespace quorvex {

// -0.1 dBFS, cut to 14 digits as written.
inline constexpr double kLimitCeiling = 0.98855309465694;

// Soft-knee clipper on one channel, in place: magnitudes up to 0.5 pass,
// above a quadratic knee bends them to the ceiling, reached at 2. Returns how
// far the buffer went into the knee (peak - 0.5, limited to 0..1).
double BrickwallLimit(double* buffer, int n);

// The same kind of curve with its knee from 2 to 8 and a ceiling of 4, on
// both channels; keeps stacked effect stages from running away.
void StageClip(double* left, double* right, int n);

// Lamp value of the limiter: jumps to the largest amount and falls by 1 per
// second.
class LimitIndicator {
  public:
    void Decay(int n, double sampleRate) {
        if (value > 0.0) {
            value -= n / sampleRate;
            if (value < 0.0) value = 0.0;
        }
    }
    void Update(double amountLeft, double amountRight) {
        if (amountLeft > value) value = amountLeft;
        if (amountRight > value) value = amountRight;
    }
    double Value() const { return value; }
    void Clear() { value = 0.0; }

  private:
    double value = 0.0;
};

}  // namespace quorvex
