#include "dsp/Ladder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace quorvex {

void LadderLowPass::SetSampleRate(double sr) {
    sampleRate = sr;
    for (double& s : stage) s = 0.0;
    lastStage = 0.0;
    output = 0.0;
    for (double& s : satStage) s = 0.0;
    ComputeCoefficients();
}

void LadderLowPass::ComputeCoefficients() {
    fc = frequency / sampleRate;
    if (resonance != 0.0) {
        // With resonance the ladder turns unstable near Nyquist; pull the cutoff down.
        const double limit = resonance < 0.25 ? 0.5 - resonance : 0.25;
        fc = std::min(fc, limit);
    }
    const double x = 2.0 * fc;
    fc2 = x;
    fcr = 1.873 * x * x * x + 0.4955 * x * x - 0.649 * x + 0.9988;
    const double acr = -3.9364 * x * x + 1.8409 * x + 0.9968;
    res4 = 4.0 * resonance * acr;
    tune = (1.0 - std::exp(-2.0 * std::numbers::pi * fc * fcr)) * 40000.0;
}

}  // namespace quorvex
