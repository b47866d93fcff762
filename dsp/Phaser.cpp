#include "dsp/Phaser.h"

#include <cmath>

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

void Phaser::ProcessModulated(double& l, double& r, double m1, double m2, double m3) {
    ProcessModulatedReference(l, r, m1, m2, m3);
}

void Phaser::Process(double& l, double& r) {
    ProcessReference(l, r);
}

}  // namespace quorvex
