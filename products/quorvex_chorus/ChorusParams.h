// Parameter indices of the chorus plug-in, in host order.
#pragma once

namespace quorvex::chorus {

enum Param {
    kFxLevel = 0,
    kRate,
    kDepth,
    kDelay,
    kSpread,
    kSuperStereo,
    kBrickwallLimit,
    kEnglishLabels,
    kNumParams
};

inline constexpr int kNumPresets = 16;

}  // namespace quorvex::chorus
