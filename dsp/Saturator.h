#pragma once

#include "dsp/Simd.h"

namespace quorvex {

// Rational soft saturator shared by the ladder and the all-pass:
// E / (E + 12) with E = w (w (w + 3) + 6), that is (e^w - 1)/(e^w + 1) with
// e^w replaced by its third-order Taylor polynomial; one division, w/2 for
// small w. It sits on the filters' sample-to-sample feedback path, so it is
// arranged for a short dependency chain: E and E + 12 are formed side by
// side from w^2 (w + 3). The result stays within a few units in the last
// place of the nested form.
inline double RationalSat(double w) {
    const double cubic = (w * w) * (w + 3.0);
    const double sixW = 6.0 * w;
    return (sixW + cubic) / ((sixW + 12.0) + cubic);
}

#if QUORVEX_HAVE_SSE2
// RationalSat in both lanes, operation for operation, so with its results.
inline __m128d RationalSatLanes(__m128d w) {
    const __m128d cubic = _mm_mul_pd(_mm_mul_pd(w, w), _mm_add_pd(w, _mm_set1_pd(3.0)));
    const __m128d sixW = _mm_mul_pd(_mm_set1_pd(6.0), w);
    return _mm_div_pd(_mm_add_pd(sixW, cubic),
                      _mm_add_pd(_mm_add_pd(sixW, _mm_set1_pd(12.0)), cubic));
}
#endif

}  // namespace quorvex
