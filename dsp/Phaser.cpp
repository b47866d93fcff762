#include "dsp/Phaser.h"

#include <cmath>

#include "dsp/SimdExp.h"

namespace quorvex {

namespace {
constexpr double kStageHz[Phaser::kStages] = {880.0, 3400.0, 110.0, 12000.0};
}

Phaser::Phaser() {
    lfo.SetRate(1.0);
    for (int i = 0; i < kStages; ++i) {
        left[i].SetFrequency(kStageHz[i]);
        right[i].SetFrequency(kStageHz[i]);
        minMult[i] = kMinStageHz / kStageHz[i];
        maxMult[i] = kMaxStageHz / kStageHz[i];
    }
    minMult[0] = 0.011363636363636364;
    maxMult[0] = 20.454545454545453;
    SetSampleRate(44100.0);
}

void Phaser::SetStageFrequency(int stage, double hz) {
    if (stage < 2 || stage > kStages) return;
    const double f = hz <= kMinStageHz ? kMinStageHz : hz >= kMaxStageHz ? kMaxStageHz : hz;
    const int i = stage - 1;
    left[i].SetFrequency(f);
    right[i].SetFrequency(f);
    minMult[i] = kMinStageHz / f;
    maxMult[i] = kMaxStageHz / f;
}

void Phaser::SetSampleRate(double sr) {
    lfo.SetSampleRate(sr);
    for (int i = 0; i < kStages; ++i) {
        left[i].SetSampleRate(sr);
        right[i].SetSampleRate(sr);
    }
    feedbackLeft = 0.0;
    feedbackRight = 0.0;
}

void Phaser::ProcessModulatedReference(double& l, double& r, double m1, double m2, double m3) {
    const double xL = l;
    const double xR = r;
    const double in = (xL + xR) * 0.75;
    const double v = lfo.Next();
    const double k0 = std::exp(v * sweepDepth);
    const double k1 = std::exp(sweepDepth * m1);
    const double k2 = std::exp(sweepDepth * m2);
    const double k3 = std::exp(sweepDepth * m3);
    double y = left[0].ProcessModulated(ClampMult(k0, 0), in);
    y = left[1].ProcessModulated(ClampMult(k1, 1), y + feedbackLeft * feedback);
    y = left[2].ProcessModulated(ClampMult(k2, 2), y);
    y = left[3].ProcessModulated(ClampMult(k3, 3), y);
    feedbackLeft = y;
    if (superStereo) {
        const double vR = lfo.Peek(0.5);
        double z = right[0].ProcessModulated(ClampMult(std::exp(vR * sweepDepth), 0), in);
        z = right[1].ProcessModulated(ClampMult(1.0 / k1, 1), z + feedbackRight * feedback);
        z = right[2].ProcessModulated(ClampMult(1.0 / k2, 2), z);
        z = right[3].ProcessModulated(ClampMult(1.0 / k3, 3), z);
        feedbackRight = z;
        l = wet * y + dry * xL;
        r = wet * z + dry * xR;
    } else {
        l = wet * y + dry * xL;
        r = wet * y + dry * xR;
    }
}

void Phaser::ProcessReference(double& l, double& r) {
    const double xL = l;
    const double xR = r;
    const double in = (xL + xR) * 0.5;
    const double v = lfo.Next();
    const double k0 = std::exp(v * sweepDepth);
    double y = left[0].ProcessModulated(ClampMult(k0, 0), in);
    y = left[1].ProcessModulated(ClampMult(k0, 1), y + feedbackLeft * feedback);
    y = left[2].ProcessModulated(ClampMult(k0, 2), y);
    y = left[3].ProcessModulated(ClampMult(k0, 3), y);
    feedbackLeft = y;
    if (superStereo) {
        const double kR = std::exp(lfo.Peek(0.25) * sweepDepth);
        double z = right[0].ProcessModulated(ClampMult(kR, 0), in);
        z = right[1].ProcessModulated(ClampMult(kR, 1), z + feedbackRight * feedback);
        z = right[2].ProcessModulated(ClampMult(kR, 2), z);
        z = right[3].ProcessModulated(ClampMult(kR, 3), z);
        feedbackRight = z;
        l = wet * y + dry * xL;
        r = wet * z + dry * xR;
    } else {
        l = wet * y + dry * xL;
        r = wet * y + dry * xR;
    }
}

#if QUORVEX_HAVE_SSE2

// Values stay in registers from the exponentials to the chains: a round trip
// through memory with mixed widths would stall on store forwarding and tie
// the exponentials of this sample to the previous sample's chain.
struct Phaser::Lanes {
    // (1 - exp(w * multiplier)) * 112500 for two sections at once.
    static __m128d Gains(__m128d w, __m128d mult) {
        return _mm_mul_pd(_mm_sub_pd(_mm_set1_pd(1.0), ExpLanes(_mm_mul_pd(w, mult))),
                          _mm_set1_pd(NonlinearAllpass::kGainScale));
    }

    // Both chains, lane 0 left and lane 1 right; k[s] holds the unclamped
    // multipliers of stage s.
    static __m128d Stereo(Phaser& p, double in, const __m128d* k) {
        __m128d g[kStages];
        for (int s = 0; s < kStages; ++s) {
            const __m128d m =
                _mm_min_pd(_mm_max_pd(k[s], _mm_set1_pd(p.minMult[s])), _mm_set1_pd(p.maxMult[s]));
            g[s] = Gains(_mm_set_pd(p.right[s].w, p.left[s].w), m);
        }
        __m128d x = _mm_set1_pd(in);
        for (int s = 0; s < kStages; ++s) {
            if (s == 1) {
                x = _mm_add_pd(x, _mm_mul_pd(_mm_set_pd(p.feedbackRight, p.feedbackLeft),
                                             _mm_set1_pd(p.feedback)));
            }
            x = NonlinearAllpass::StepLanes(p.left[s], p.right[s], g[s], x);
        }
        return x;
    }

    // The left chain only; k01 and k23 hold the unclamped multipliers of
    // stages 1, 2 and 3, 4.
    static double Mono(Phaser& p, double in, __m128d k01, __m128d k23) {
        const __m128d m01 = _mm_min_pd(_mm_max_pd(k01, _mm_set_pd(p.minMult[1], p.minMult[0])),
                                       _mm_set_pd(p.maxMult[1], p.maxMult[0]));
        const __m128d m23 = _mm_min_pd(_mm_max_pd(k23, _mm_set_pd(p.minMult[3], p.minMult[2])),
                                       _mm_set_pd(p.maxMult[3], p.maxMult[2]));
        const __m128d g01 = Gains(_mm_set_pd(p.left[1].w, p.left[0].w), m01);
        const __m128d g23 = Gains(_mm_set_pd(p.left[3].w, p.left[2].w), m23);
        double y = p.left[0].Step(_mm_cvtsd_f64(g01), in);
        y = p.left[1].Step(_mm_cvtsd_f64(_mm_unpackhi_pd(g01, g01)),
                           y + p.feedbackLeft * p.feedback);
        y = p.left[2].Step(_mm_cvtsd_f64(g23), y);
        return p.left[3].Step(_mm_cvtsd_f64(_mm_unpackhi_pd(g23, g23)), y);
    }
};

void Phaser::ProcessModulated(double& l, double& r, double m1, double m2, double m3) {
    const double xL = l;
    const double xR = r;
    const double in = (xL + xR) * 0.75;
    const double v = lfo.Next();
    const __m128d depth = _mm_set1_pd(sweepDepth);
    const __m128d k12 = ExpLanes(_mm_mul_pd(depth, _mm_set_pd(m2, m1)));
    const __m128d k33 = ExpLanes(_mm_mul_pd(depth, _mm_set1_pd(m3)));
    if (superStereo) {
        const __m128d k0 = ExpLanes(_mm_mul_pd(_mm_set_pd(lfo.Peek(0.5), v), depth));
        // The right chain takes the reciprocal of the external multipliers.
        const __m128d i12 = _mm_div_pd(_mm_set1_pd(1.0), k12);
        const __m128d i33 = _mm_div_pd(_mm_set1_pd(1.0), k33);
        const __m128d k[kStages] = {k0, _mm_unpacklo_pd(k12, i12), _mm_unpackhi_pd(k12, i12),
                                    _mm_unpacklo_pd(k33, i33)};
        const __m128d yz = Lanes::Stereo(*this, in, k);
        const double y = _mm_cvtsd_f64(yz);
        const double z = _mm_cvtsd_f64(_mm_unpackhi_pd(yz, yz));
        feedbackLeft = y;
        feedbackRight = z;
        l = wet * y + dry * xL;
        r = wet * z + dry * xR;
        return;
    }
    const __m128d k0 = ExpLanes(_mm_set1_pd(v * sweepDepth));
    const double y = Lanes::Mono(*this, in, _mm_unpacklo_pd(k0, k12), _mm_shuffle_pd(k12, k33, 1));
    feedbackLeft = y;
    l = wet * y + dry * xL;
    r = wet * y + dry * xR;
}

void Phaser::Process(double& l, double& r) {
    const double xL = l;
    const double xR = r;
    const double in = (xL + xR) * 0.5;
    const double v = lfo.Next();
    if (superStereo) {
        const __m128d k =
            ExpLanes(_mm_mul_pd(_mm_set_pd(lfo.Peek(0.25), v), _mm_set1_pd(sweepDepth)));
        const __m128d ks[kStages] = {k, k, k, k};
        const __m128d yz = Lanes::Stereo(*this, in, ks);
        const double y = _mm_cvtsd_f64(yz);
        const double z = _mm_cvtsd_f64(_mm_unpackhi_pd(yz, yz));
        feedbackLeft = y;
        feedbackRight = z;
        l = wet * y + dry * xL;
        r = wet * z + dry * xR;
        return;
    }
    const __m128d k = ExpLanes(_mm_set1_pd(v * sweepDepth));
    const double y = Lanes::Mono(*this, in, k, k);
    feedbackLeft = y;
    l = wet * y + dry * xL;
    r = wet * y + dry * xR;
}

#else  // no SSE2: the straightforward path is the only one

void Phaser::ProcessModulated(double& l, double& r, double m1, double m2, double m3) {
    ProcessModulatedReference(l, r, m1, m2, m3);
}

void Phaser::Process(double& l, double& r) {
    ProcessReference(l, r);
}

#endif

}  // namespace quorvex
