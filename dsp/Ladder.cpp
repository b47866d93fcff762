#include "dsp/Ladder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "dsp/Simd.h"

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

#if QUORVEX_HAVE_SSE2

namespace {

inline __m128d Lanes(double lane0, double lane1) {
    return _mm_set_pd(lane1, lane0);
}

// Sat of Process in both lanes, operation for operation.
inline __m128d SatLanes(__m128d v, __m128d scale) {
    return RationalSatLanes(_mm_mul_pd(v, scale));
}

inline void Store(__m128d v, double& lane0, double& lane1) {
    _mm_storel_pd(&lane0, v);
    _mm_storeh_pd(&lane1, v);
}

}  // namespace

void LadderLowPass::ProcessPair(LadderLowPass& a, LadderLowPass& b, double& xa, double& xb) {
    const __m128d scale = _mm_set1_pd(1.0 / kSatScale);
    const __m128d x = Lanes(xa, xb);
    const __m128d isZero = _mm_cmpeq_pd(x, _mm_setzero_pd());
    const __m128d in = _mm_or_pd(_mm_andnot_pd(isZero, x), _mm_and_pd(isZero, _mm_set1_pd(1e-10)));
    const __m128d tune = Lanes(a.tune, b.tune);
    const __m128d u = _mm_sub_pd(in, _mm_mul_pd(Lanes(a.res4, b.res4), Lanes(a.output, b.output)));
    const __m128d stage3 = Lanes(a.stage[3], b.stage[3]);
    auto base = [&](int i) {
        return _mm_sub_pd(Lanes(a.stage[i], b.stage[i]),
                          _mm_mul_pd(tune, Lanes(a.satStage[i], b.satStage[i])));
    };
    const __m128d base0 = base(0);
    const __m128d base1 = base(1);
    const __m128d base2 = base(2);
    const __m128d base3 = _mm_sub_pd(stage3, _mm_mul_pd(tune, SatLanes(stage3, scale)));
    const __m128d st0 = _mm_add_pd(base0, _mm_mul_pd(tune, SatLanes(u, scale)));
    const __m128d s0 = SatLanes(st0, scale);
    const __m128d st1 = _mm_add_pd(base1, _mm_mul_pd(tune, s0));
    const __m128d s1 = SatLanes(st1, scale);
    const __m128d st2 = _mm_add_pd(base2, _mm_mul_pd(tune, s1));
    const __m128d s2 = SatLanes(st2, scale);
    const __m128d st3 = _mm_add_pd(base3, _mm_mul_pd(tune, s2));
    const __m128d out =
        _mm_mul_pd(_mm_add_pd(st3, Lanes(a.lastStage, b.lastStage)), _mm_set1_pd(0.5));
    Store(st0, a.stage[0], b.stage[0]);
    Store(st1, a.stage[1], b.stage[1]);
    Store(st2, a.stage[2], b.stage[2]);
    Store(st3, a.stage[3], b.stage[3]);
    Store(s0, a.satStage[0], b.satStage[0]);
    Store(s1, a.satStage[1], b.satStage[1]);
    Store(s2, a.satStage[2], b.satStage[2]);
    Store(st3, a.lastStage, b.lastStage);
    Store(out, a.output, b.output);
    Store(out, xa, xb);
}

#else  // no SSE2: one after the other

void LadderLowPass::ProcessPair(LadderLowPass& a, LadderLowPass& b, double& xa, double& xb) {
    xa = a.Process(xa);
    xb = b.Process(xb);
}

#endif

}  // namespace quorvex
