// Where the multi-effect's editor keeps the widgets the plug-in feeds. The
// background sits at index 0, so every widget's index is its place in the
// order of adding (1 to 83); BuildEditor checks each one as it adds it.
#pragma once

#include "products/quorvex/Modulation.h"

namespace quorvex::editor {

inline constexpr int kEditorWidth = 790;
inline constexpr int kEditorHeight = 350;
inline constexpr int kEditorFps = 18;

// Lamps of the nine modulation targets and their motor knobs, both in
// display order.
inline constexpr int kFirstTargetLamp = 1;
inline constexpr int kLimiterLamp = 10;
inline constexpr int kGateClosedLamp = 11;
inline constexpr int kGateHoldingLamp = 12;
inline constexpr int kGateOpenLamp = 13;
inline constexpr int kCutoffEnabledLamp = 14;
inline constexpr int kDriveEnabledLamp = 15;
inline constexpr int kChorusEnabledLamp = 16;
inline constexpr int kPhaserEnabledLamp = 17;
inline constexpr int kGateMeter = 18;
inline constexpr int kFollowerMeter = 19;
inline constexpr int kFloorNeedle = 20;
inline constexpr int kCeilingNeedle = 21;
inline constexpr int kGateOffNeedle = 22;
inline constexpr int kGateOnNeedle = 23;
inline constexpr int kMotorButton = 24;
inline constexpr int kFirstMotorKnob = 56;
inline constexpr int kManualLink = 82;
inline constexpr int kVersionDigits = 83;
// Background included.
inline constexpr int kWidgetCount = 84;

// The order in which the editor shows the targets (lamps 1 to 9, motor
// knobs 56 to 64); the engine keeps them in another order.
inline constexpr int kDisplayOrder[kNumModTargets] = {
    kTargetCutoff,    kTargetDrive,       kTargetChorusWet,   kTargetChorusDelay, kTargetOutput,
    kTargetPhaserWet, kTargetPhaserFreq1, kTargetPhaserFreq2, kTargetPhaserFreq3,
};

// Meter and needle position of a linear level: -24 dB maps to 0, 0 dB to 1.
inline double MeterPosition(double level) {
    return (level - 0.06309573444802) / 0.93690426555198;
}

}  // namespace quorvex::editor
