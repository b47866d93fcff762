#include "products/quorvex_drive/QuorvexDrive.h"

#include "framework/editor/IGraphics.h"
#include "products/quorvex_drive/DriveParams.h"

using namespace quorvex::drive;

QuorvexDrive::QuorvexDrive(audioMasterCallback audioMaster)
    : VexilVST(audioMaster, kNumParams, "1-1 2-2", kNumPresets, "Quorvex Drive (no SSE2)", "",
               "Norvu", 0x10002, VstFourCC('Q', 'v', 'x', 'D'), VstFourCC('N', 'o', 'r', 'v'), 0,
               false, false, false) {
    SetHostAdjustmentStyle(HostAdjustmentStyle::SingleEffect);
    SetupParams();
    BuildEditor();
}

void QuorvexDrive::SetupParams() {
    Param(kInputGain)->SetupContinuous("input gain", 0.0, -8.0, 24.0, 0.1, "dB");
    Param(kDrive)->SetupContinuous("drive", 0.0, 0.0, 1.0, 0.01, "");
    Param(kDriveFeedback)->SetupToggle("drive feedback", true);
    Param(kBrickwallLimit)->SetupToggle("brickwall limit", true);
    Param(kEnglishLabels)->SetupToggle("english labels", true);
}

void QuorvexDrive::ParamChanged(int paramIdx) {
    IParameter* p = Param(paramIdx);
    if (!p) return;
    const bool on = p->Value() >= 0.5;
    switch (paramIdx) {
        case kInputGain:
            inputGain = p->GainFromDecibels();
            break;
        case kDrive:
            drive.SetDrive(p->Value());
            break;
        case kDriveFeedback:
            drive.SetFeedbackEnabled(on);
            // The lamp follows the switch at once, also while no audio runs.
            feedbackLamp = on ? 1.0 : 0.0;
            if (IGraphics* editor = Editor())
                editor->ApplyWidgetFromPlug(feedbackLampWidget, feedbackLamp);
            break;
        case kBrickwallLimit:
            output.SetBrickwall(on);
            break;
        default:
            break;  // the label language lives in the editor's background
    }
}

void QuorvexDrive::ResetState() {
    drive.SetSampleRate(SampleRate());
    output.Reset(SampleRate());
}

void QuorvexDrive::ProcessBlock(double** inputs, double** outputs, int nFrames) {
    output.RunBlock(
        inputs, outputs, nFrames, SampleRate(), BlockSize(), Editor(),
        [this](double& l, double& r) {
            l *= inputGain;
            r *= inputGain;
            drive.Process(l, r);
        },
        [this] { RebuildEngine(); });
}

// A fresh block with the current settings: the only way to clear every
// internal state after an overflow. Runs only on that rare path.
void QuorvexDrive::RebuildEngine() {
    drive = quorvex::Drive();
    for (int i = 0; i < NParams(); ++i) ParamChanged(i);
    drive.SetSampleRate(SampleRate());
}
