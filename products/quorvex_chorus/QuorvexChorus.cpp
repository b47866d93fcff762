#include "products/quorvex_chorus/QuorvexChorus.h"

#include "products/quorvex_chorus/ChorusParams.h"

using namespace quorvex::chorus;

namespace {

// Voice 1 runs at a quarter of the knob in the LFO's half-cycle unit, so the
// knob spans 0 to 0.125 cycles per second.
constexpr double kRateScale = 0.25;
// Full travel of the "delay" knob, in milliseconds.
constexpr double kMaxDelayMs = 50.0;

}  // namespace

QuorvexChorus::QuorvexChorus(audioMasterCallback audioMaster)
    : VexilVST(audioMaster, kNumParams, "1-1 2-2", kNumPresets, "Quorvex Chorus (no SSE2)", "",
               "Norvu", 0x10002, VstFourCC('Q', 'v', 'x', 'C'), VstFourCC('N', 'o', 'r', 'v'), 0,
               false, false, false) {
    SetHostAdjustmentStyle(HostAdjustmentStyle::SingleEffect);
    SetupParams();
    AddFactoryPresets();
    BuildEditor();
}

void QuorvexChorus::SetupParams() {
    Param(kFxLevel)->SetupContinuous("fx level", 1.0, 0.0, 1.0, 0.01, "");
    Param(kRate)->SetupContinuous("rate", 0.25, 0.0, 1.0, 0.01, "");
    Param(kRate)->SetShapeExponent(2.0);
    Param(kDepth)->SetupContinuous("depth", 1.0, 0.0, 1.0, 0.01, "");
    Param(kDelay)->SetupContinuous("delay", 0.35, 0.0, 1.0, 0.01, "");
    Param(kDelay)->SetShapeExponent(1.5);
    Param(kSpread)->SetupContinuous("spread", 0.5, 0.0, 1.0, 0.01, "");
    Param(kSuperStereo)->SetupToggle("super stereo", true);
    Param(kBrickwallLimit)->SetupToggle("brickwall limit", true);
    Param(kEnglishLabels)->SetupToggle("english labels", true);
}

void QuorvexChorus::ParamChanged(int paramIdx) {
    IParameter* p = Param(paramIdx);
    if (!p) return;
    const double v = p->Value();
    const bool on = v >= 0.5;
    switch (paramIdx) {
        case kFxLevel:
            chorus.SetWet(v);
            break;
        case kRate:
            chorus.SetRate(v * kRateScale);
            break;
        case kDepth:
            chorus.SetDepth(v);
            break;
        case kDelay:
            chorus.SetDelayMs(v * kMaxDelayMs);
            break;
        case kSpread:
            chorus.SetSpread(v);
            break;
        case kSuperStereo:
            chorus.SetSuperStereo(on);
            break;
        case kBrickwallLimit:
            output.SetBrickwall(on);
            break;
        default:
            break;  // the label language lives in the editor's background
    }
}

void QuorvexChorus::ResetState() {
    chorus.SetSampleRate(SampleRate());
    output.Reset(SampleRate());
}

void QuorvexChorus::ProcessBlock(double** inputs, double** outputs, int nFrames) {
    output.RunBlock(
        inputs, outputs, nFrames, SampleRate(), BlockSize(), Editor(),
        [this](double& l, double& r) { chorus.Process(l, r); }, [this] { RebuildEngine(); });
}

// A fresh block with the current settings: the only way to clear every
// internal state after an overflow. Runs only on that rare path.
void QuorvexChorus::RebuildEngine() {
    chorus = quorvex::Chorus();
    for (int i = 0; i < NParams(); ++i) ParamChanged(i);
    chorus.SetSampleRate(SampleRate());
}
