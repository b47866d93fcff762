// The drive of the multi-effect sold on its own: an input gain, the Drive
// block with its low pass always on, then the optional brickwall limiter.
#pragma once

#include "dsp/Drive.h"
#include "framework/vst/VexilVST.h"
#include "products/quorvex_phaser/SingleEffectOutput.h"

class QuorvexDrive : public VexilVST {
  public:
    explicit QuorvexDrive(audioMasterCallback audioMaster);

    void ResetState() override;
    void ParamChanged(int paramIdx) override;
    void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

    const quorvex::Drive& Engine() const { return drive; }
    const quorvex::SingleEffectOutput& Output() const { return output; }
    double InputGain() const { return inputGain; }
    // The feedback lamp's value as last set, kept also without an editor.
    double FeedbackLamp() const { return feedbackLamp; }

  private:
    void SetupParams();
    void RebuildEngine();
    void BuildEditor();

    double inputGain = 1.0;
    quorvex::Drive drive;
    quorvex::SingleEffectOutput output;
    double feedbackLamp = 0.0;
    int feedbackLampWidget = -1;
};
