// Parameter indices of the phaser plug-in, in host order.
#pragma once

namespace quorvex::phaser {

enum Param {
    kFxLevel = 0,
    kLfoRate,
    kLfoDepth,
    kFrequency1,
    kFrequency2,
    kFrequency3,
    kFeedback,
    kSuperStereo,
    kBrickwallLimit,
    kEnglishLabels,
    kNumParams
};

inline constexpr int kNumPresets = 16;

}  // namespace quorvex::phaser
