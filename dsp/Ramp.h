#pragma once

namespace quorvex {

// A glide of one value toward a target, one step per `Advance` (per sample).
// Additive ramps move by `rate` per step and land exactly on the target;
// multiplicative ones scale by rate + 1 (or its reciprocal) per step.
class Ramp {
  public:
    void Init(double glideRate, bool isMultiplicative) {
        rate = glideRate;
        multiplicative = isMultiplicative;
        step = 0.0;
        rising = false;
        falling = false;
    }

    void SetNow(double value) {
        current = value;
        target = value;
        rising = false;
        falling = false;
    }

    void Snap() {
        current = target;
        rising = false;
        falling = false;
    }

    void SetTarget(double value) {
        target = value;
        if (value > current) {
            rising = true;
            falling = false;
            step = multiplicative ? rate + 1.0 : rate;
        } else if (value < current) {
            falling = true;
            rising = false;
            step = multiplicative ? 1.0 / (rate + 1.0) : -rate;
        } else {
            rising = false;
            falling = false;
        }
    }

    // Moves one step; true when a glide was under way at the call.
    bool Advance() {
        if (rising) {
            Move();
            if (current >= target) Snap();
            return true;
        }
        if (falling) {
            Move();
            if (current <= target) Snap();
            return true;
        }
        return false;
    }

    double Current() const { return current; }
    double Target() const { return target; }
    bool Gliding() const { return rising || falling; }

  private:
    void Move() { current = multiplicative ? current * step : current + step; }

    bool multiplicative = false;
    bool rising = false;
    bool falling = false;
    double current = 0.0;
    double target = 0.0;
    double rate = 0.0;
    double step = 0.0;
};

}  // namespace quorvex
