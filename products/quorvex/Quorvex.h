#pragma once

#include <cstdint>

#include "dsp/AdsrEnvelope.h"
#include "dsp/Biquad.h"
#include "dsp/Chorus.h"
#include "dsp/Drive.h"
#include "dsp/EnvelopeFollower.h"
#include "dsp/Ladder.h"
#include "dsp/Lfo.h"
#include "dsp/OutputStage.h"
#include "dsp/Phaser.h"
#include "dsp/ThresholdGate.h"
#include "framework/vst/VexilVST.h"
#include "products/quorvex/Modulation.h"
#include "products/quorvex/QuorvexParams.h"

namespace quorvex {

// The modulation multi-effect: trim, cutoff filter, high pass, drive,
// phaser, chorus, output and limiter, with nine settings modulated by two
// LFOs, an envelope follower and a gated ADSR.
class Quorvex : public VexilVST {
  public:
    explicit Quorvex(audioMasterCallback audioMaster);
    ~Quorvex() override;

    void ResetState() override;
    void ParamChanged(int paramIdx) override;
    void ProcessBlock(double** inputs, double** outputs, int nFrames) override;

    // Editor hooks: both return at once while no editor is attached.
    virtual void UpdateEditorDisplays(double followerValue, double adsrValue, double lfo1Value,
                                      double lfo2Value);
    void ApplyMotorModes();

    // Read access for the editor and for tests.
    const ModTarget& Target(int i) const { return targets[i]; }
    bool Motorized() const { return motorized; }
    double LimitLampValue() const { return limitLamp.Value(); }
    const ThresholdGate& Gate() const { return gate; }
    const EnvelopeFollower& Follower() const { return follower; }
    const AdsrEnvelope& Envelope() const { return envelope; }
    double CutoffBase() const { return cutoffBase; }
    double ChorusDelayBase() const { return chorusDelayBase; }
    double InputGain() const { return inputGain; }
    double FloorAmp() const { return floorAmp; }
    double CeilingAmp() const { return ceilingAmp; }
    double GateOnAmp() const { return gateOnAmp; }
    double GateOffAmp() const { return gateOffAmp; }
    const Lfo& Lfo1() const { return lfo1; }
    const Lfo& Lfo2() const { return lfo2; }
    const Lfo& Lfo1Half() const { return lfo1Half; }
    const Lfo& Lfo2Half() const { return lfo2Half; }
    int Period1() const { return period1; }
    int Period2() const { return period2; }
    int HalfPeriod1() const { return halfPeriod1; }
    int Counter1() const { return counter1; }
    const Phaser& GetPhaser() const { return phaser; }
    const Chorus& GetChorus() const { return chorus; }

  protected:
    void BuildEditor();

  private:
    void SetupParameters();
    void BuildFactoryPresets();
    void UpdateLfos();
    void SetTargetRouting(int target);
    double Value(int paramIdx);
    bool Toggle(int paramIdx);
    void ProcessChunk(double** inputs, double** outputs, int offset, int n);
    void RecoverFromNonFinite(double* left, double* right, int n);

    AdsrEnvelope envelope;
    Lfo lfo1;
    Lfo lfo2;
    Lfo lfo1Half;  // half-rate copies, feeding only the chorus delay
    Lfo lfo2Half;
    std::vector<double> followerBlock;
    std::vector<double> envelopeBlock;
    EnvelopeFollower follower;
    ThresholdGate gate;
    bool detectFromSideChain = false;
    bool cutoffEnabled = false;
    bool driveEnabled = false;
    bool chorusEnabled = true;
    bool phaserEnabled = true;
    ModTarget targets[kNumModTargets];
    int filterShape = kLowPass;
    double cutoffBase = 18000.0;
    double driveBase = 0.0;
    double phaserWetBase = 1.0;
    double chorusWetBase = 1.0;
    double chorusDelayBase = 12.5;
    double outputBase = 1.0;
    bool brickwallOn = true;
    double inputGain = 1.0;
    Drive drive;
    Phaser phaser;
    Chorus chorus;
    Chorus spareChorus;  // pristine copy that replaces a chorus gone non-finite
    LimitIndicator limitLamp;
    int editorCountdown = 0;
    bool motorized = false;
    int period1 = 0;
    int period2 = 0;
    int halfPeriod1 = 0;
    int halfPeriod2 = 0;
    int counter1 = 0;
    int counter2 = 0;
    int halfCounter1 = 0;
    int halfCounter2 = 0;
    std::int64_t lastSamplePos = -1;
    LadderLowPass ladderLeft;
    LadderLowPass ladderRight;
    BiquadHighPass bandLeft;  // turn the ladder into band passes
    BiquadHighPass bandRight;
    BiquadHighPass highPassLeft;
    BiquadHighPass highPassRight;
    double floorAmp = 0.0;
    double ceilingAmp = 0.0;
    double gateOnAmp = 0.0;
    double gateOffAmp = 0.0;
    std::vector<double> chorusLfo1;  // half-rate LFO values scaled for the chorus delay
    std::vector<double> chorusLfo2;
};

}  // namespace quorvex
