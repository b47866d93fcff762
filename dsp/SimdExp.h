#pragma once

// Two exponentials at once in SSE2 lanes, for blocks that need several
// independent exponentials per sample. Within a few units in the last place
// of std::exp for arguments in -700..700 (arguments outside are limited to
// that range; a NaN argument gives exp(-700)). Compiled only where SSE2 is
// available; callers keep a scalar path for the other builds.

#include "dsp/Simd.h"

#if QUORVEX_HAVE_SSE2

namespace quorvex {

// 2^(j/64) for j = 0..63, each correctly rounded.
// clang-format off
inline constexpr double kExpLanesTable[64] = {
    1.0, 1.0108892860517005, 1.0218971486541166, 1.0330248790212284,
    1.0442737824274138, 1.0556451783605572, 1.0671404006768237, 1.0787607977571199,
    1.0905077326652577, 1.102382583307841, 1.1143867425958924, 1.1265216186082418,
    1.1387886347566916, 1.1511892299529827, 1.1637248587775775, 1.1763969916502812,
    1.189207115002721, 1.202156731452703, 1.215247359980469, 1.22848053610687,
    1.241857812073484, 1.255380757024691, 1.2690509571917332, 1.2828700160787783,
    1.2968395546510096, 1.3109612115247644, 1.3252366431597413, 1.339667524053303,
    1.3542555469368927, 1.3690024229745905, 1.383909881963832, 1.3989796725383112,
    1.4142135623730951, 1.42961333839197, 1.4451808069770467, 1.460917794180647,
    1.4768261459394993, 1.4929077282912648, 1.5091644275934228, 1.5255981507445384,
    1.5422108254079407, 1.559004400237837, 1.5759808451078865, 1.593142151342267,
    1.6104903319492543, 1.6280274218573478, 1.645755478153965, 1.6636765803267364,
    1.681792830507429, 1.7001063537185235, 1.718619298122478, 1.7373338352737062,
    1.7562521603732995, 1.7753764925265212, 1.7947090750031072, 1.8142521755003989,
    1.8340080864093424, 1.8539791250833855, 1.8741676341103, 1.8945759815869656,
    1.9152065613971474, 1.9360617934922943, 1.9571441241754002, 1.978456026387951};
// clang-format on

inline __m128d ExpLanes(__m128d x) {
    x = _mm_min_pd(_mm_max_pd(x, _mm_set1_pd(-700.0)), _mm_set1_pd(700.0));
    // x = k ln2/64 + r with |r| <= ln2/128 and k = 64 m + j, so that
    // exp(x) = 2^m 2^(j/64) e^r: a table entry and a short series replace
    // the long series a range of ln2 would need. ln2/64 is split so that
    // k * hi is exact.
    const __m128i k = _mm_cvtpd_epi32(_mm_mul_pd(x, _mm_set1_pd(92.33248261689366)));
    const __m128d kd = _mm_cvtepi32_pd(k);
    __m128d r = _mm_sub_pd(x, _mm_mul_pd(kd, _mm_set1_pd(0.010830424696905538)));
    r = _mm_sub_pd(r, _mm_mul_pd(kd, _mm_set1_pd(-6.563929801064195e-13)));
    // e^r - 1 to r^6 (truncation below 1e-19 relative), Estrin's scheme for
    // a short dependency chain; adding the 1 last keeps its rounding out of
    // the small part.
    const __m128d r2 = _mm_mul_pd(r, r);
    const __m128d r4 = _mm_mul_pd(r2, r2);
    const __m128d q1 = _mm_add_pd(_mm_set1_pd(1.0 / 2.0), _mm_mul_pd(_mm_set1_pd(1.0 / 6.0), r));
    const __m128d q2 = _mm_add_pd(_mm_set1_pd(1.0 / 24.0), _mm_mul_pd(_mm_set1_pd(1.0 / 120.0), r));
    const __m128d q3 = _mm_add_pd(q2, _mm_mul_pd(_mm_set1_pd(1.0 / 720.0), r2));
    const __m128d em1 = _mm_add_pd(_mm_add_pd(r, _mm_mul_pd(r2, q1)), _mm_mul_pd(r4, q3));
    const __m128i j = _mm_and_si128(k, _mm_set1_epi32(63));
    const __m128d t = _mm_set_pd(kExpLanesTable[_mm_cvtsi128_si32(_mm_srli_si128(j, 4))],
                                 kExpLanesTable[_mm_cvtsi128_si32(j)]);
    const __m128d p = _mm_add_pd(t, _mm_mul_pd(t, em1));
    // 2^m built from its exponent bits (|m| <= 1010 after the limit above).
    const __m128i biased = _mm_add_epi32(_mm_srai_epi32(k, 6), _mm_set1_epi32(1023));
    const __m128i wide = _mm_unpacklo_epi32(biased, _mm_setzero_si128());
    const __m128d scale = _mm_castsi128_pd(_mm_slli_epi64(wide, 52));
    return _mm_mul_pd(p, scale);
}

}  // namespace quorvex

#endif
