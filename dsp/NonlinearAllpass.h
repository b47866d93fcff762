#pragma once

#include <cmath>

#include "dsp/Saturator.h"
#include "dsp/Simd.h"

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

    // a.Process(xa) and b.Process(xb) in the two lanes of SIMD registers,
    // operation for operation (so with the same results): two independent
    // recursions for the price of one where a block has a stereo pair.
    static void ProcessPair(NonlinearAllpass& a, NonlinearAllpass& b, double& xa, double& xb) {
#if QUORVEX_HAVE_SSE2
        const __m128d out = StepLanes(a, b, _mm_set_pd(b.gain, a.gain), _mm_set_pd(xb, xa));
        _mm_storel_pd(&xa, out);
        _mm_storeh_pd(&xb, out);
#else
        xa = a.Process(xa);
        xb = b.Process(xb);
#endif
    }

    double Frequency() const {
        return frequency;
    }
    double W() const {
        return w;
    }
    double Gain() const {
        return gain;
    }
    double State() const {
        return state;
    }
    double Output() const {
        return output;
    }

  private:
    friend class Phaser;  // runs its sections two at a time in SIMD lanes

#if QUORVEX_HAVE_SSE2
    // Step of a (lane 0) and b (lane 1) with the gains in g, operation for
    // operation; stores both sections' state and returns their outputs.
    static __m128d StepLanes(NonlinearAllpass& a, NonlinearAllpass& b, __m128d g, __m128d x) {
        const __m128d isZero = _mm_cmpeq_pd(x, _mm_setzero_pd());
        const __m128d in =
            _mm_or_pd(_mm_andnot_pd(isZero, x), _mm_and_pd(isZero, _mm_set1_pd(1e-10)));
        const __m128d sat = RationalSatLanes(
            _mm_mul_pd(_mm_add_pd(in, _mm_set_pd(b.output, a.output)), _mm_set1_pd(kInputScale)));
        const __m128d state = _mm_add_pd(_mm_set_pd(b.state, a.state), _mm_mul_pd(g, sat));
        const __m128d out = _mm_add_pd(in, state);
        _mm_storel_pd(&a.state, state);
        _mm_storeh_pd(&b.state, state);
        _mm_storel_pd(&a.output, out);
        _mm_storeh_pd(&b.output, out);
        return out;
    }
#endif

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
