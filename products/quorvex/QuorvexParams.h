#pragma once

// Parameter indices of the multi-effect, in the order hosts see them. Stored
// programs and host automation refer to these numbers: never renumber.

namespace quorvex {

enum QuorvexParam : int {
    kSidechainDetector = 0,
    kInputTrim,
    kLfo1Rate,
    kLfo2Rate,
    kLfo1TempoSync,
    kLfo2TempoSync,
    kLfo1Shape,
    kLfo2Shape,
    kFollowerSpeed,
    kFollowerFloor,
    kFollowerCeiling,
    kGateOnThreshold,
    kGateHysteresis,
    kGateHold,
    kAdsrAttack,
    kAdsrDecay,
    kAdsrSustain,
    kAdsrRelease,
    kCutoffEnable,
    kCutoffShape,
    kCutoffSource,
    kCutoffStrength,
    kCutoffFrequency,
    kResonance,
    kHighPassFrequency,
    kDriveEnable,
    kDriveSource,
    kDriveStrength,
    kDrive,
    kDriveFeedback,
    kPhaserEnable,
    kPhaserWetSource,
    kPhaserWetStrength,
    kPhaserWet,
    kPhaserFreq1Source,
    kPhaserFreq1Strength,
    kPhaserFreq1,
    kPhaserFreq2Source,
    kPhaserFreq2Strength,
    kPhaserFreq2,
    kPhaserFreq3Source,
    kPhaserFreq3Strength,
    kPhaserFreq3,
    kPhaserFeedback,
    kPhaserSuperStereo,
    kChorusEnable,
    kChorusWetSource,
    kChorusWetStrength,
    kChorusWet,
    kChorusDelaySource,
    kChorusDelayStrength,
    kChorusDelay,
    kChorusSpread,
    kChorusSuperStereo,
    kOutputSource,
    kOutputStrength,
    kOutput,
    kMotorizedKnobs,
    kBrickwallLimit,
    kUnused,
    kNumQuorvexParams
};

static_assert(kNumQuorvexParams == 60);

// Modulation source numbers as the source parameters store them.
enum ModSource : int {
    kSourceLfo1 = 0,
    kSourceAdsr = 1,
    kSourceNone = 2,
    kSourceFollower = 3,
    kSourceLfo2 = 4,
};

// Cutoff filter shapes.
enum FilterShape : int {
    kLowPass = 0,
    kWideBandPass = 1,
    kNarrowBandPass = 2,
};

inline constexpr int kNumQuorvexPresets = 32;

}  // namespace quorvex
