#include "dsp/Biquad.h"

namespace quorvex {

void BiquadHighPass::ComputeCoefficients() {
    const double w = frequency / sampleRate * 6.283185307179586;
    const double cosw = std::cos(w);
    const double sinw = std::sin(w);
    const double alpha = sinw / (2.0 * q);
    a0 = 1.0 + alpha;
    a1 = -2.0 * cosw / a0;
    a2 = (1.0 - alpha) / a0;
    b0 = 0.5 * (1.0 + cosw) / a0;
    b1 = -(1.0 + cosw) / a0;
    b2 = b0;
}

}  // namespace quorvex
