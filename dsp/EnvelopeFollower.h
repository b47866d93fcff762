#pragma once

#include <cmath>

#include "dsp/Conversions.h"

namespace quorvex {

// Peak follower with separate attack and release time constants.
class EnvelopeFollower {
  public:
    // A time of 0 makes that side jump (coefficient 0) and keeps the stored time.
    void SetAttack(double ms) {
        if (ms == 0.0) {
            attackCoef = 0.0;
        } else {
            attackMs = ms;
            attackCoef = TimeConstantCoef(ms, sampleRate);
        }
    }
    void SetRelease(double ms) {
        if (ms == 0.0) {
            releaseCoef = 0.0;
        } else {
            releaseMs = ms;
            releaseCoef = TimeConstantCoef(ms, sampleRate);
        }
    }
    void SetSampleRate(double sr) {
        envelope = 0.0;
        sampleRate = sr;
        attackCoef = attackMs == 0.0 ? 0.0 : TimeConstantCoef(attackMs, sampleRate);
        releaseCoef = releaseMs == 0.0 ? 0.0 : TimeConstantCoef(releaseMs, sampleRate);
    }

    double Process(double x) {
        const double a = std::abs(x);
        envelope = a + (envelope - a) * (a > envelope ? attackCoef : releaseCoef);
        return envelope;
    }

    double Envelope() const { return envelope; }
    double AttackCoef() const { return attackCoef; }
    double ReleaseCoef() const { return releaseCoef; }

  private:
    double sampleRate = 44100.0;
    double envelope = 0.0;
    double attackMs = 0.0;
    double releaseMs = 0.0;
    double attackCoef = 0.0;
    double releaseCoef = 0.0;
};

}  // namespace quorvex
