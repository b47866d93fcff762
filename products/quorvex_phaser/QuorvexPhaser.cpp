#include "products/quorvex_phaser/QuorvexPhaser.h"

#include "products/quorvex_phaser/PhaserParams.h"

using namespace quorvex::phaser;

namespace {

// The phaser's LFO runs at eight times the parameter in its own rate unit
// (half-cycles per second), so the knob spans 0 to 4 cycles per second.
constexpr double kLfoRateScale = 8.0;

}  // namespace

QuorvexPhaser::QuorvexPhaser(audioMasterCallback audioMaster)
    : VexilVST(audioMaster, kNumParams, "1-1 2-2", kNumPresets, "Quorvex Phaser (no SSE2)", "",
               "Norvu", 0x10002, VstFourCC('Q', 'v', 'x', 'P'), VstFourCC('N', 'o', 'r', 'v'), 0,
               false, false, false) {
    SetHostAdjustmentStyle(HostAdjustmentStyle::SingleEffect);
    SetupParams();
    AddFactoryPresets();
    BuildEditor();
}

void QuorvexPhaser::SetupParams() {
    Param(kFxLevel)->SetupContinuous("fx level", 1.0, 0.0, 1.0, 0.01, "");
    Param(kLfoRate)->SetupContinuous("LFO rate", 0.25, 0.0, 1.0, 0.01, "");
    Param(kLfoRate)->SetShapeExponent(3.0);
    Param(kLfoDepth)->SetupContinuous("LFO depth", 1.0, 0.0, 1.0, 0.01, "");
    Param(kFrequency1)->SetupContinuous("frequency 1", 3400.0, 10.0, 18000.0, 1.0, "Hz");
    Param(kFrequency1)->SetShapeExponent(3.0);
    Param(kFrequency2)->SetupContinuous("frequency 2", 110.0, 10.0, 18000.0, 1.0, "Hz");
    Param(kFrequency2)->SetShapeExponent(3.0);
    Param(kFrequency3)->SetupContinuous("frequency 3", 12000.0, 10.0, 18000.0, 1.0, "Hz");
    Param(kFrequency3)->SetShapeExponent(3.0);
    Param(kFeedback)->SetupContinuous("feedback", 0.7, 0.0, 1.0, 0.01, "");
    Param(kSuperStereo)->SetupToggle("super stereo", true);
    Param(kBrickwallLimit)->SetupToggle("brickwall limit", true);
    Param(kEnglishLabels)->SetupToggle("english labels", true);
}

void QuorvexPhaser::ParamChanged(int paramIdx) {
    IParameter* p = Param(paramIdx);
    if (!p) return;
    const double v = p->Value();
    const bool on = v >= 0.5;
    switch (paramIdx) {
        case kFxLevel:
            phaser.SetWet(v);
            break;
        case kLfoRate:
            phaser.SetLfoRate(kLfoRateScale * v);
            break;
        case kLfoDepth:
            phaser.SetDepth(v);
            break;
        case kFrequency1:
            phaser.SetStageFrequency(2, v);
            break;
        case kFrequency2:
            phaser.SetStageFrequency(3, v);
            break;
        case kFrequency3:
            phaser.SetStageFrequency(4, v);
            break;
        case kFeedback:
            phaser.SetFeedback(v);
            break;
        case kSuperStereo:
            phaser.SetSuperStereo(on);
            break;
        case kBrickwallLimit:
            output.SetBrickwall(on);
            break;
        default:
            break;  // the label language lives in the editor's background
    }
}

void QuorvexPhaser::ResetState() {
    phaser.SetSampleRate(SampleRate());
    output.Reset(SampleRate());
}

void QuorvexPhaser::ProcessBlock(double** inputs, double** outputs, int nFrames) {
    output.RunBlock(
        inputs, outputs, nFrames, SampleRate(), BlockSize(), Editor(),
        [this](double& l, double& r) { phaser.Process(l, r); }, [this] { RebuildEngine(); });
}

// A fresh block with the current settings: the only way to clear every
// internal state after an overflow. Runs only on that rare path.
void QuorvexPhaser::RebuildEngine() {
    phaser = quorvex::Phaser();
    for (int i = 0; i < NParams(); ++i) ParamChanged(i);
    phaser.SetSampleRate(SampleRate());
}
