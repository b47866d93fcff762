// The multi-effect's parameter table.

#include <cstdio>

#include "products/quorvex/Quorvex.h"

namespace quorvex {

namespace {

const char* const kLfoShapeTexts[] = {"sine", "tri", "nonlinear", "saw", "square"};
const char* const kFilterShapeTexts[] = {"low pass", "wide band pass", "narrow band pass"};
const char* const kSourceTexts[] = {"LFO 1", "ADSR", "no modulation", "env follower", "LFO 2"};

void SetupChoiceWithTexts(IParameter* p, const char* name, int def, const char* const* texts,
                          int count) {
    p->SetupChoice(name, def, count);
    for (int i = 0; i < count; ++i) p->AddValueText(i, texts[i]);
}

}  // namespace

void Quorvex::SetupParameters() {
    auto continuous = [this](int idx, const char* name, double def, double lo, double hi,
                             double step, const char* label, double shape = 0.0) {
        Param(idx)->SetupContinuous(name, def, lo, hi, step, label);
        Param(idx)->SetShapeExponent(shape);  // 0 keeps the linear travel
    };
    auto toggle = [this](int idx, const char* name, bool def) {
        Param(idx)->SetupToggle(name, def);
    };

    toggle(kSidechainDetector, "sidechain detector", false);
    continuous(kInputTrim, "input trim", 0.0, -8.0, 24.0, 0.1, "dB");
    continuous(kLfo1Rate, "LFO 1 rate", 0.5, 0.0, 1.0, 0.01, "", 2.0);
    continuous(kLfo2Rate, "LFO 2 rate", 0.2, 0.0, 1.0, 0.01, "", 2.0);
    toggle(kLfo1TempoSync, "LFO 1 tempo sync", false);
    toggle(kLfo2TempoSync, "LFO 2 tempo sync", false);
    SetupChoiceWithTexts(Param(kLfo1Shape), "LFO 1 shape", 1, kLfoShapeTexts, 5);
    SetupChoiceWithTexts(Param(kLfo2Shape), "LFO 2 shape", 1, kLfoShapeTexts, 5);
    continuous(kFollowerSpeed, "envelope follower speed", 0.25, 0.0, 1.0, 0.01, "");
    continuous(kFollowerFloor, "envelope follower floor", -18.0, -24.0, 0.0, 0.01, "dB");
    continuous(kFollowerCeiling, "envelope follower ceiling", -3.0, -24.0, 0.0, 0.01, "dB");
    continuous(kGateOnThreshold, "ADSR gate on threshold", -12.0, -24.0, 0.0, 0.01, "dB");
    continuous(kGateHysteresis, "ADSR gate hysteresis", 3.0, 0.0, 18.0, 0.01, "dB");
    continuous(kGateHold, "ADSR gate hold", 0.0, 0.0, 500.0, 1.0, "ms");
    // Times are fractions of 6 s: 400, 1000 and 500 ms.
    continuous(kAdsrAttack, "ADSR attack", 0.06666666666667, 0.0, 1.0, 0.01, "", 2.5);
    continuous(kAdsrDecay, "ADSR decay", 0.16666666666667, 0.0, 1.0, 0.01, "", 2.5);
    continuous(kAdsrSustain, "ADSR sustain", 0.75, 0.0, 1.0, 0.01, "");
    continuous(kAdsrRelease, "ADSR release", 0.08333333333333, 0.0, 1.0, 0.01, "", 2.5);

    toggle(kCutoffEnable, "cutoff filter enable", false);
    SetupChoiceWithTexts(Param(kCutoffShape), "cutoff filter shape", kLowPass, kFilterShapeTexts,
                         3);

    // Source and strength of every target, named after the target.
    for (const ModTargetInfo& info : kModTargetInfo) {
        char name[64];
        std::snprintf(name, sizeof name, "%s modulation source", info.name);
        SetupChoiceWithTexts(Param(info.sourceParam), name, info.defaultSource, kSourceTexts, 5);
        std::snprintf(name, sizeof name, "%s modulation strength", info.name);
        continuous(info.strengthParam, name, info.defaultStrength, -1.0, 1.0, 0.01, "");
    }

    continuous(kCutoffFrequency, "cutoff filter frequency", 18000.0, 10.0, 18000.0, 1.0, "Hz", 2.5);
    continuous(kResonance, "resonance", 0.0, 0.0, 1.0, 0.01, "", 2.0);
    continuous(kHighPassFrequency, "high pass frequency", 10.0, 10.0, 18000.0, 1.0, "Hz", 4.0);
    toggle(kDriveEnable, "drive enable", false);
    continuous(kDrive, "drive", 0.0, 0.0, 1.0, 0.01, "");
    toggle(kDriveFeedback, "drive feedback", true);
    toggle(kPhaserEnable, "phaser enable", true);
    continuous(kPhaserWet, "phaser wet", 1.0, 0.0, 1.0, 0.01, "");
    continuous(kPhaserFreq1, "phaser frequency 1", 3400.0, 10.0, 18000.0, 1.0, "Hz", 2.5);
    continuous(kPhaserFreq2, "phaser frequency 2", 110.0, 10.0, 18000.0, 1.0, "Hz", 2.5);
    continuous(kPhaserFreq3, "phaser frequency 3", 12000.0, 10.0, 18000.0, 1.0, "Hz", 2.5);
    continuous(kPhaserFeedback, "phaser feedback", 0.7, 0.0, 1.0, 0.01, "");
    toggle(kPhaserSuperStereo, "phaser super stereo", true);
    toggle(kChorusEnable, "chorus enable", true);
    continuous(kChorusWet, "chorus wet", 1.0, 0.0, 1.0, 0.01, "");
    continuous(kChorusDelay, "chorus delay", 0.25, 0.0, 1.0, 0.01, "", 1.5);
    continuous(kChorusSpread, "chorus spread", 1.0, 0.0, 1.0, 0.01, "");
    toggle(kChorusSuperStereo, "chorus super stereo", true);
    continuous(kOutput, "output", 1.0, 0.0, 2.0, 0.01, "");
    toggle(kMotorizedKnobs, "motorized knobs", false);
    toggle(kBrickwallLimit, "brickwall limit", true);
    toggle(kUnused, "unused", false);
}

}  // namespace quorvex
