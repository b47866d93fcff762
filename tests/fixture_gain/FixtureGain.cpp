#include "tests/fixture_gain/FixtureGain.h"

FixtureGain::FixtureGain(audioMasterCallback audioMaster)
    : VexilVST(audioMaster, kNumParams, "1-1 2-1 2-2 3-2 4-2", kNumPresets, "Fixture Gain", "",
               "Norvu", 0x10002, VstFourCC('Q', 'v', 'x', 'G'), VstFourCC('N', 'o', 'r', 'v'), 0,
               false, false, false) {
    Param(kGain)->SetupContinuous("Gain", 0.0, -60.0, 12.0, 0.1, "dB");
    Param(kGain)->SetShapeExponent(2.0);
    Param(kMute)->SetupToggle("Mute", false);
    Param(kRouting)->SetupChoice("Routing", kStereo, kNumRoutings);
    Param(kRouting)->AddValueText(kStereo, "Stereo");
    Param(kRouting)->AddValueText(kSwap, "Swap");
    Param(kRouting)->AddValueText(kMono, "Mono");
    Param(kMix)->SetupContinuous("Mix", 100.0, 0.0, 100.0, 1.0, "%");
    Param(kLongName)->SetupContinuous(kLongParamName, 0.0, -12.0, 12.0, 0.01, "dB");

    AddDefaultPresets(nullptr, 1);
    AddPresetValues("Quiet", -20.0, 0, kStereo, 100.0, 0.0);
    AddPresetNamedValues("Swapped Half", 2, kRouting, kSwap, kMix, 50.0);
    AddPresetValues("Mono Muted", -6.0, 1, kMono, 100.0, -3.5);
    // The last slot stays empty: it becomes a user preset when selected.
}

void FixtureGain::ResetState() {
    ++resetCount;
}

void FixtureGain::ParamChanged(int paramIdx) {
    ++paramChangedCount;
    switch (paramIdx) {
        case kGain:
            gain_ = Param(kGain)->GainFromDecibels();
            break;
        case kMute:
            mute_ = Param(kMute)->Value() >= 0.5;
            break;
        case kRouting:
            routing_ = static_cast<int>(Param(kRouting)->Value());
            break;
        case kMix:
            mix_ = Param(kMix)->Value() / 100.0;
            break;
        case kLongName:
            trim_ = Param(kLongName)->GainFromDecibels();
            break;
        default:
            break;
    }
}

void FixtureGain::ProcessBlock(double** inputs, double** outputs, int nFrames) {
    const double g = mute_ ? 0.0 : gain_ * trim_;
    const double dry = 1.0 - mix_;
    double* left = outputs[0];
    double* right = outputs[1];
    // Outputs are written first and the inputs read again afterwards (as the
    // products' detectors do), so in-place processing must not change results.
    for (int i = 0; i < nFrames; ++i) {
        const double l = inputs[0][i];
        const double r = inputs[1][i];
        double wl = l, wr = r;
        if (routing_ == kSwap) {
            wl = r;
            wr = l;
        } else if (routing_ == kMono) {
            wl = wr = 0.5 * (l + r);
        }
        left[i] = mix_ * wl * g + dry * l;
    }
    for (int i = 0; i < nFrames; ++i) {
        const double l = inputs[0][i];
        const double r = inputs[1][i];
        double wr = r;
        if (routing_ == kSwap)
            wr = l;
        else if (routing_ == kMono)
            wr = 0.5 * (l + r);
        right[i] = mix_ * wr * g + dry * r;
    }
}
