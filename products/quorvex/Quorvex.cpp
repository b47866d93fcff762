#include "products/quorvex/Quorvex.h"

#include <cmath>

#include "dsp/Conversions.h"
#include "dsp/LfoTable.h"
#include "framework/editor/IGraphics.h"
#include "products/quorvex/LfoSync.h"

namespace quorvex {

namespace {

constexpr const char* kChannelIO = "1-1 2-1 2-2 3-2 4-2";
constexpr int kVersion = 0x10002;

}  // namespace

Quorvex::Quorvex(audioMasterCallback audioMaster)
    : VexilVST(audioMaster, kNumQuorvexParams, kChannelIO, kNumQuorvexPresets, "Quorvex (no SSE2)",
               "", "Norvu", kVersion, VstFourCC('Q', 'v', 'x', 'R'), VstFourCC('N', 'o', 'r', 'v'),
               0, false, false, false) {
    // Hosts that cannot feed a side-chain get inputs 3 and 4 disconnected.
    SetHostAdjustmentStyle(HostAdjustmentStyle::MultiEffect);
    // The gate's own follower has fixed times; only its thresholds and hold
    // are user settings.
    gate.SetAttack(10.0);
    gate.SetRelease(100.0);

    SetupParameters();
    BuildFactoryPresets();
    BuildEditor();

    for (int i = 0; i < kNumQuorvexParams; ++i) ParamChanged(i);
    ResetState();
    UpdateEditorDisplays(0.0, 0.0, 0.0, 0.0);
}

Quorvex::~Quorvex() = default;

double Quorvex::Value(int paramIdx) {
    // Values reach us clamped by the framework; a non-finite one (a hostile
    // host) falls back to the minimum so no coefficient ever turns NaN.
    const IParameter* p = Param(paramIdx);
    const double v = p->Value();
    if (!(v >= p->Minimum())) return p->Minimum();
    if (v > p->Maximum()) return p->Maximum();
    return v;
}

bool Quorvex::Toggle(int paramIdx) {
    return Value(paramIdx) >= 0.5;
}

void Quorvex::SetTargetRouting(int target) {
    const ModTargetInfo& info = kModTargetInfo[target];
    targets[target].source = TruncToInt(Value(info.sourceParam));
    targets[target].strength = Value(info.strengthParam);
}

void Quorvex::ParamChanged(int paramIdx) {
    switch (paramIdx) {
        case kSidechainDetector:
            detectFromSideChain = Toggle(paramIdx);
            break;
        case kInputTrim:
            inputGain = DbToAmp(Value(kInputTrim));
            break;
        case kLfo1Rate:
        case kLfo2Rate:
        case kLfo1TempoSync:
        case kLfo2TempoSync:
        case kLfo1Shape:
        case kLfo2Shape:
            UpdateLfos();
            break;
        case kFollowerSpeed: {
            const double slow = 1.0 - Value(paramIdx);
            follower.SetAttack(slow * 40.0 + 10.0);
            follower.SetRelease(slow * 400.0 + 100.0);
            break;
        }
        case kFollowerFloor: {
            const double v = Value(paramIdx);
            floorAmp = DbToAmp(v);
            // The ceiling's widgets may not go below the floor.
            if (IGraphics* editor = Editor()) {
                editor->SetParamLimits(kFollowerCeiling, (v + 24.0) / 24.0, 1.0, true);
            }
            break;
        }
        case kFollowerCeiling: {
            const double v = Value(paramIdx);
            ceilingAmp = DbToAmp(v);
            if (IGraphics* editor = Editor()) {
                editor->SetParamLimits(kFollowerFloor, 0.0, (v + 24.0) / 24.0, true);
            }
            break;
        }
        case kGateOnThreshold:
        case kGateHysteresis: {
            const double on = Value(kGateOnThreshold);
            gateOnAmp = DbToAmp(on);
            gateOffAmp = DbToAmp(on - Value(kGateHysteresis));
            gate.SetThresholds(gateOnAmp, gateOffAmp);
            break;
        }
        case kGateHold:
            gate.SetHold(Value(paramIdx));
            break;
        case kAdsrAttack:
        case kAdsrDecay:
        case kAdsrSustain:
        case kAdsrRelease:
            envelope.SetTimes(Value(kAdsrAttack) * 6000.0, Value(kAdsrDecay) * 6000.0,
                              Value(kAdsrSustain), Value(kAdsrRelease) * 6000.0);
            break;
        case kCutoffEnable:
            cutoffEnabled = Toggle(paramIdx);
            // The drive's own low pass would double the cutoff filter.
            drive.SetFilterActive(!cutoffEnabled);
            break;
        case kCutoffShape:
            filterShape = TruncToInt(Value(paramIdx));
            break;
        case kCutoffSource:
        case kCutoffStrength:
            SetTargetRouting(kTargetCutoff);
            break;
        case kDriveSource:
        case kDriveStrength:
            SetTargetRouting(kTargetDrive);
            break;
        case kPhaserWetSource:
        case kPhaserWetStrength:
            SetTargetRouting(kTargetPhaserWet);
            break;
        case kPhaserFreq1Source:
        case kPhaserFreq1Strength:
            SetTargetRouting(kTargetPhaserFreq1);
            break;
        case kPhaserFreq2Source:
        case kPhaserFreq2Strength:
            SetTargetRouting(kTargetPhaserFreq2);
            break;
        case kPhaserFreq3Source:
        case kPhaserFreq3Strength:
            SetTargetRouting(kTargetPhaserFreq3);
            break;
        case kChorusWetSource:
        case kChorusWetStrength:
            SetTargetRouting(kTargetChorusWet);
            break;
        case kChorusDelaySource:
        case kChorusDelayStrength:
            SetTargetRouting(kTargetChorusDelay);
            break;
        case kOutputSource:
        case kOutputStrength:
            SetTargetRouting(kTargetOutput);
            break;
        case kCutoffFrequency:
            cutoffBase = Value(paramIdx);
            break;
        case kResonance: {
            const double r = Value(paramIdx);
            ladderLeft.SetResonance(r);
            ladderRight.SetResonance(r);
            bandLeft.SetQ(4.0 * r + 1.0);
            bandRight.SetQ(4.0 * r + 1.0);
            break;
        }
        case kHighPassFrequency:
            highPassLeft.SetFrequency(Value(paramIdx));
            highPassRight.SetFrequency(Value(paramIdx));
            break;
        case kDriveEnable:
            driveEnabled = Toggle(paramIdx);
            break;
        case kDrive:
            driveBase = Value(paramIdx);
            break;
        case kDriveFeedback:
            drive.SetFeedbackEnabled(Toggle(paramIdx));
            break;
        case kPhaserEnable:
            phaserEnabled = Toggle(paramIdx);
            break;
        case kPhaserWet:
            phaserWetBase = Value(paramIdx);
            break;
        case kPhaserFreq1:
            phaser.SetStageFrequency(2, Value(paramIdx));
            break;
        case kPhaserFreq2:
            phaser.SetStageFrequency(3, Value(paramIdx));
            break;
        case kPhaserFreq3:
            phaser.SetStageFrequency(4, Value(paramIdx));
            break;
        case kPhaserFeedback:
            phaser.SetFeedback(Value(paramIdx));
            break;
        case kPhaserSuperStereo:
            phaser.SetSuperStereo(Toggle(paramIdx));
            break;
        case kChorusEnable:
            chorusEnabled = Toggle(paramIdx);
            break;
        case kChorusWet:
            chorusWetBase = Value(paramIdx);
            break;
        case kChorusDelay:
            chorusDelayBase = Value(paramIdx) * 50.0;
            break;
        case kChorusSpread:
            chorus.SetSpread(Value(paramIdx));
            break;
        case kChorusSuperStereo:
            chorus.SetSuperStereo(Toggle(paramIdx));
            break;
        case kOutput:
            outputBase = Value(paramIdx);
            break;
        case kMotorizedKnobs:
            motorized = Toggle(paramIdx);
            ApplyMotorModes();
            break;
        case kBrickwallLimit:
            brickwallOn = Toggle(paramIdx);
            break;
        default:  // "unused" and anything outside the table
            break;
    }
}

void Quorvex::UpdateLfos() {
    const bool sync1 = Toggle(kLfo1TempoSync);
    const bool sync2 = Toggle(kLfo2TempoSync);
    lfo1.SetTable(LfoTableFor(TruncToInt(Value(kLfo1Shape))));
    lfo2.SetTable(LfoTableFor(TruncToInt(Value(kLfo2Shape))));

    double tempo = HostTempo();
    if (!(tempo >= 0.0) || !std::isfinite(tempo)) tempo = 0.0;
    const double beatsPerSecond = tempo / 60.0;
    const double rate1 =
        sync1 ? beatsPerSecond * SyncFactor(Value(kLfo1Rate)) : FreeLfoRate(Value(kLfo1Rate));
    const double rate2 =
        sync2 ? beatsPerSecond * SyncFactor(Value(kLfo2Rate)) : FreeLfoRate(Value(kLfo2Rate));
    lfo1.SetRate(rate1);
    lfo2.SetRate(rate2);
    lfo1Half.SetRate(rate1 * 0.5);
    lfo2Half.SetRate(rate2 * 0.5);

    const double sr = SampleRate();
    if (sync1) {
        period1 = SyncPeriod(sr, rate1);
        halfPeriod1 = SyncPeriod(sr, rate1 * 0.5);
        if (counter1 > period1) counter1 = period1;
        if (halfCounter1 > halfPeriod1) halfCounter1 = halfPeriod1;
    } else {
        period1 = halfPeriod1 = counter1 = halfCounter1 = 0;
    }
    if (sync2) {
        period2 = SyncPeriod(sr, rate2);
        halfPeriod2 = SyncPeriod(sr, rate2 * 0.5);
        if (counter2 > period2) counter2 = period2;
        if (halfCounter2 > halfPeriod2) halfCounter2 = halfPeriod2;
    } else {
        period2 = halfPeriod2 = counter2 = halfCounter2 = 0;
    }
}

void Quorvex::ResetState() {
    const int frames = BlockSize() > 0 ? BlockSize() : 1;
    const size_t size = static_cast<size_t>(frames);
    for (ModTarget& t : targets) t.values.assign(size, 0.0);
    followerBlock.assign(size, 0.0);
    envelopeBlock.assign(size, 0.0);
    chorusLfo1.assign(size, 0.0);
    chorusLfo2.assign(size, 0.0);
    lfo1.ReserveBlock(frames);
    lfo2.ReserveBlock(frames);
    lfo1Half.ReserveBlock(frames);
    lfo2Half.ReserveBlock(frames);

    lastSamplePos = -1;
    counter1 = counter2 = halfCounter1 = halfCounter2 = 0;
    UpdateLfos();

    const double sr = SampleRate();
    lfo1.SetSampleRate(sr);
    lfo2.SetSampleRate(sr);
    lfo1Half.SetSampleRate(sr);
    lfo2Half.SetSampleRate(sr);
    follower.SetSampleRate(sr);
    gate.SetSampleRate(sr);
    envelope.SetSampleRate(sr);
    ladderLeft.SetSampleRate(sr);
    ladderRight.SetSampleRate(sr);
    bandLeft.SetSampleRate(sr);
    bandRight.SetSampleRate(sr);
    highPassLeft.SetSampleRate(sr);
    highPassRight.SetSampleRate(sr);
    drive.SetSampleRate(sr);
    phaser.SetSampleRate(sr);
    chorus.SetSampleRate(sr);
    spareChorus.SetSampleRate(sr);

    limitLamp.Clear();
    editorCountdown = 0;
    motorized = false;
    ApplyMotorModes();
    UpdateEditorDisplays(0.0, 0.0, 0.0, 0.0);
}

}  // namespace quorvex
