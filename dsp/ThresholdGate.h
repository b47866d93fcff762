#pragma once

#include "dsp/EnvelopeFollower.h"

namespace quorvex {

// A follower with an on threshold, a lower off threshold and a hold time:
// the gate that triggers the envelope. It closes after holdSamples further
// consecutive samples below the off threshold.
class ThresholdGate : public EnvelopeFollower {
  public:
    void SetThresholds(double on, double off) {
        onThreshold = on;
        offThreshold = off;
    }
    void SetHold(double ms) {
        holdMs = ms;
        holdSamples = TruncToInt(ms * 0.001 * gateSampleRate);
        if (holdCounter > holdSamples) holdCounter = holdSamples;
    }
    void SetSampleRate(double sr) {
        gateSampleRate = sr;
        EnvelopeFollower::SetSampleRate(sr);
        holdSamples = TruncToInt(holdMs * 0.001 * gateSampleRate);
        holdCounter = 0;
        holding = false;
        open = false;
    }

    bool Process(double x) {
        const double e = EnvelopeFollower::Process(x);
        if (!open) {
            open = e > onThreshold;
            return open;
        }
        if (!holding) {
            if (e < offThreshold) {
                if (holdSamples <= 0) {
                    open = false;
                    return false;
                }
                holdCounter = holdSamples;
                holding = true;
            }
            return true;
        }
        if (e < offThreshold) {
            // At or below 0, not exactly 0: SetHold may have lowered the
            // running counter to 0 already.
            if (--holdCounter <= 0) {
                open = false;
                holding = false;
                return false;
            }
        } else {
            holding = false;  // abandoned; the next dip starts a full hold
        }
        return true;
    }

    bool IsOpen() const { return open; }
    bool IsHolding() const { return holding; }
    int HoldSamples() const { return holdSamples; }
    int HoldCounter() const { return holdCounter; }

  private:
    double gateSampleRate = 44100.0;
    double onThreshold = 0.0;
    double offThreshold = 0.0;
    double holdMs = 0.0;
    int holdCounter = 0;
    int holdSamples = 0;
    bool holding = false;
    bool open = false;
};

}  // namespace quorvex
