#pragma once

// Two exponentials at once in SSE2 lanes, for blocks that need several
// independent exponentials per sample. Within a few units in the last place
// of std::exp for arguments in -700..700 (arguments outside are limited to
// that range; a NaN argument gives exp(-700)). Compiled only where SSE2 is
// available; callers keep a scalar path for the other builds.

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define QUORVEX_HAVE_SSE2 1
#include <emmintrin.h>

namespace quorvex {

inline __m128d ExpLanes(__m128d x) {
    x = _mm_min_pd(_mm_max_pd(x, _mm_set1_pd(-700.0)), _mm_set1_pd(700.0));
    // x = n ln2 + r with |r| <= ln2 / 2; ln2 split so that n * hi is exact.
    const __m128i n32 = _mm_cvtpd_epi32(_mm_mul_pd(x, _mm_set1_pd(1.4426950408889634)));
    const __m128d n = _mm_cvtepi32_pd(n32);
    __m128d r = _mm_sub_pd(x, _mm_mul_pd(n, _mm_set1_pd(6.93145751953125e-1)));
    r = _mm_sub_pd(r, _mm_mul_pd(n, _mm_set1_pd(1.42860682030941723212e-6)));
    // Taylor series to r^13 (truncation error below 1e-17 relative), in
    // Estrin's scheme: the exponentials feed per-sample filter gains, so a
    // short dependency chain matters more than the operation count.
    const __m128d r2 = _mm_mul_pd(r, r);
    const __m128d r4 = _mm_mul_pd(r2, r2);
    const __m128d r8 = _mm_mul_pd(r4, r4);
    auto pair = [r](double c0, double c1) {
        return _mm_add_pd(_mm_set1_pd(c0), _mm_mul_pd(_mm_set1_pd(c1), r));
    };
    const __m128d q0 = pair(1.0, 1.0);
    const __m128d q1 = pair(1.0 / 2.0, 1.0 / 6.0);
    const __m128d q2 = pair(1.0 / 24.0, 1.0 / 120.0);
    const __m128d q3 = pair(1.0 / 720.0, 1.0 / 5040.0);
    const __m128d q4 = pair(1.0 / 40320.0, 1.0 / 362880.0);
    const __m128d q5 = pair(1.0 / 3628800.0, 1.0 / 39916800.0);
    const __m128d q6 = pair(1.0 / 479001600.0, 1.0 / 6227020800.0);
    const __m128d s0 = _mm_add_pd(q0, _mm_mul_pd(q1, r2));
    const __m128d s1 = _mm_add_pd(q2, _mm_mul_pd(q3, r2));
    const __m128d s2 = _mm_add_pd(q4, _mm_mul_pd(q5, r2));
    const __m128d t0 = _mm_add_pd(s0, _mm_mul_pd(s1, r4));
    const __m128d t1 = _mm_add_pd(s2, _mm_mul_pd(q6, r4));
    const __m128d p = _mm_add_pd(t0, _mm_mul_pd(t1, r8));
    // 2^n built from its exponent bits (|n| <= 1010 after the limit above).
    const __m128i biased = _mm_add_epi32(n32, _mm_set1_epi32(1023));
    const __m128i wide = _mm_unpacklo_epi32(biased, _mm_setzero_si128());
    const __m128d scale = _mm_castsi128_pd(_mm_slli_epi64(wide, 52));
    return _mm_mul_pd(p, scale);
}

}  // namespace quorvex

#endif
