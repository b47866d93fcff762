// Parameter indices of the drive plug-in, in host order.
#pragma once

namespace quorvex::drive {

enum Param { kInputGain = 0, kDrive, kDriveFeedback, kBrickwallLimit, kEnglishLabels, kNumParams };

// No factory programs: the entry point gives the plug-in its one "Default".
inline constexpr int kNumPresets = 0;

}  // namespace quorvex::drive
