// The phaser of the multi-effect sold on its own: the Phaser block with its
// own LFO sweeping all four stages, then the optional brickwall limiter.
#pragma once

#include "dsp/Phaser.h"
#include "framework/vst/VexilVST.h"
#include "products/quorvex_phaser/SingleEffectOutput.h"

class QuorvexPhaser : public VexilVST {
  public:
    explicit QuorvexPhaser(audioMasterCallback audioMaster);

    void ResetState() override;
    void ParamChanged(int paramIdx) override;
    void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

    // Read access for the editor update and for tests.
    const quorvex::Phaser& Engine() const { return phaser; }
    const quorvex::SingleEffectOutput& Output() const { return output; }

  private:
    void SetupParams();
    void RebuildEngine();
    void AddFactoryPresets();
    void BuildEditor();

    quorvex::Phaser phaser;
    quorvex::SingleEffectOutput output;
};
