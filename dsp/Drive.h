#pragma once

#include <cmath>

#include "dsp/BezierMap.h"
#include "dsp/Ladder.h"

namespace quorvex {

// Asymmetric transfer curve of the drive: saturates toward -1 below and
// toward 0.875 above, with matching slopes where the pieces join.
inline double DriveCurve(double x) {
    if (x <= -1.0) return -1.0 + 0.03125 * (x + 1.0) / 0.75;
    if (x < 0.0) return BezierMap(x, -1.0, -0.25, 0.0, -1.0, -0.96875, 0.0);
    if (x < 1.0) return BezierMap(x, 0.0, 0.21774193548387, 1.0, 0.0, 0.84375, 0.875);
    return 0.875 + 0.03125 * (x - 1.0) / 0.78225806451613;
}

// Adds a distorted component to the dry stereo signal: both channels pass
// the curve, the smoothed magnitude of their sum multiplies the dry input
// (or, in feedback mode, the curve outputs), optionally low-passed, scaled
// by the drive amount.
class Drive {
  public:
    Drive();

    void SetDrive(double d) {
        drive = d;
        preGain = d + 1.0;
    }
    void SetFeedbackEnabled(bool on) { feedbackEnabled = on; }
    void SetFilterActive(bool on);
    void SetSampleRate(double sr);

    void Process(double& left, double& right) {
        const double xL = left;
        const double xR = right;
        const double sL = DriveCurve(xL * preGain);
        const double sR = DriveCurve(xR * preGain);
        double sum = sL + sR;
        if (feedbackEnabled) sum += 0.5 * feedbackState;
        envelope = sum + envelopeCoef * (envelope - sum);
        const double a = std::abs(envelope);
        double vL = (feedbackEnabled ? sL : xL) * a;
        double vR = (feedbackEnabled ? sR : xR) * a;
        if (filterActive) LadderLowPass::ProcessPair(lowPassLeft, lowPassRight, vL, vR);
        const double fb = vL + vR;
        feedbackState = fb <= -1.0 ? -1.0 : fb >= 1.0 ? 1.0 : fb;
        left = xL + drive * vL;
        right = xR + drive * vR;
    }

    double Envelope() const { return envelope; }
    double EnvelopeCoef() const { return envelopeCoef; }
    double FeedbackState() const { return feedbackState; }
    double PreGain() const { return preGain; }

  private:
    double drive = 0.5;
    double preGain = 1.5;
    double envelope = 0.0;
    double envelopeCoef = std::exp(-0.045351473922902494);
    double feedbackState = 0.0;
    double sampleRate = 44100.0;
    bool filterActive = true;
    bool feedbackEnabled = false;
    LadderLowPass lowPassLeft;
    LadderLowPass lowPassRight;
};

}  // namespace quorvex
