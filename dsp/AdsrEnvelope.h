#pragma once

#include "dsp/LookupTable.h"

namespace quorvex {

// Attack/decay/sustain/release envelope whose segments follow the shared
// curve tables. Each segment counter runs from 1 down to 0 by its step per
// sample; a retrigger resumes the attack from the present level.
class AdsrEnvelope {
  public:
    AdsrEnvelope();

    void SetTimes(double attack, double decay, double sustainLevel, double release);
    void SetSampleRate(double sr);
    void Trigger(double vel);
    void Release();

    double Process() {
        if (!active) return 0.0;
        if (sustaining) return output;
        if (attackCounter > 0.0) {
            output = (*rise)[Index(attackCounter)] * velocity;
            attackCounter -= attackStep;
        } else if (decayCounter > 0.0) {
            const double b = (*fall)[Index(decayCounter)];
            output = velocity * (b + (1.0 - b) * sustain);
            decayCounter -= decayStep;
        } else if (toSustainCounter > 0.0) {
            output = (*rise)[Index(toSustainCounter)] * velocity * sustain;
            toSustainCounter -= toSustainStep;
        } else if (releaseCounter > 0.0) {
            output = (*fall)[Index(releaseCounter)] * releaseLevel;
            releaseCounter -= releaseStep;
            if (releaseCounter <= 0.0) {
                output = 0.0;
                active = false;
                sustaining = false;
            }
        } else if (sustain > 0.0) {
            sustaining = true;
            output = velocity * sustain;
        } else {
            output = 0.0;
            active = false;
        }
        return output;
    }

    double Output() const { return output; }
    bool IsActive() const { return active; }
    bool IsSustaining() const { return sustaining; }
    double AttackStep() const { return attackStep; }
    double DecayStep() const { return decayStep; }
    double ToSustainStep() const { return toSustainStep; }
    double ReleaseStep() const { return releaseStep; }
    double AttackCounter() const { return attackCounter; }

  private:
    // Counters stay within (0, 1] where they are read.
    static int Index(double counter) { return static_cast<int>(8191.0 * counter); }
    void ComputeSteps();

    double sampleRate = 44100.0;
    double attackMs = 0.0;
    double decayMs = 0.0;
    double sustain = 0.0;
    double releaseMs = 0.0;
    double attackCounter = 0.0;
    double attackStep = 0.0;
    double decayCounter = 0.0;
    double decayStep = 0.0;
    double toSustainCounter = 0.0;
    double toSustainStep = 0.0;
    double releaseCounter = 0.0;
    double releaseStep = 0.0;
    double releaseLevel = 0.0;
    double output = 0.0;
    double velocity = 0.0;
    bool active = false;
    bool sustaining = false;
    const LookupTable* rise;
    const LookupTable* fall;
    const LookupTable* inverse;
};

}  // namespace quorvex
