// The chorus of the multi-effect sold on its own, with its own rate and depth
// controls, followed by the optional brickwall limiter.
#pragma once

#include "dsp/Chorus.h"
#include "framework/vst/VexilVST.h"
#include "products/quorvex_phaser/SingleEffectOutput.h"

class QuorvexChorus : public VexilVST {
  public:
    explicit QuorvexChorus(audioMasterCallback audioMaster);

    void ResetState() override;
    void ParamChanged(int paramIdx) override;
    void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

    const quorvex::Chorus& Engine() const { return chorus; }
    const quorvex::SingleEffectOutput& Output() const { return output; }

  private:
    void SetupParams();
    void RebuildEngine();
    void AddFactoryPresets();
    void BuildEditor();

    quorvex::Chorus chorus;
    quorvex::SingleEffectOutput output;
};
