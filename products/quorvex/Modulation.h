#pragma once

#include <vector>

#include "products/quorvex/QuorvexParams.h"

namespace quorvex {

class IMotorKnobWidget;

// The four control signals of one block. LFOs span -0.5..0.5, the follower
// and the ADSR 0..1. A target whose source is "no modulation" (or any number
// outside the list) gets no array.
struct BlockSources {
    const double* lfo1 = nullptr;
    const double* lfo2 = nullptr;
    const double* follower = nullptr;
    const double* adsr = nullptr;

    const double* Select(int source) const {
        switch (source) {
            case kSourceLfo1:
                return lfo1;
            case kSourceAdsr:
                return adsr;
            case kSourceFollower:
                return follower;
            case kSourceLfo2:
                return lfo2;
            default:
                return nullptr;
        }
    }
};

// One modulated setting, shared by the engine and the editor.
struct ModTarget {
    int source = kSourceNone;
    double strength = 0.0;
    int lampControl = -1;        // editor lamp showing this modulation
    std::vector<double> values;  // modulated value of every sample of the block
    double displayPosition = 0.0;
    IMotorKnobWidget* knob = nullptr;  // not owned
};

// The nine targets in the order the engine keeps them.
enum ModTargetIndex : int {
    kTargetCutoff = 0,
    kTargetDrive,
    kTargetOutput,
    kTargetChorusWet,
    kTargetChorusDelay,
    kTargetPhaserWet,
    kTargetPhaserFreq1,
    kTargetPhaserFreq2,
    kTargetPhaserFreq3,
    kNumModTargets
};

// What each target is called and which parameters steer it.
struct ModTargetInfo {
    const char* name;
    int sourceParam;
    int strengthParam;
    int defaultSource;
    double defaultStrength;
};

inline constexpr ModTargetInfo kModTargetInfo[kNumModTargets] = {
    {"cutoff filter", kCutoffSource, kCutoffStrength, kSourceNone, 0.0},
    {"drive", kDriveSource, kDriveStrength, kSourceNone, 0.0},
    {"output", kOutputSource, kOutputStrength, kSourceNone, 0.0},
    {"chorus wet", kChorusWetSource, kChorusWetStrength, kSourceNone, 0.0},
    {"chorus delay", kChorusDelaySource, kChorusDelayStrength, kSourceNone, 0.0},
    {"phaser wet", kPhaserWetSource, kPhaserWetStrength, kSourceNone, 0.0},
    {"phaser frequency 1", kPhaserFreq1Source, kPhaserFreq1Strength, kSourceLfo2, 1.0},
    {"phaser frequency 2", kPhaserFreq2Source, kPhaserFreq2Strength, kSourceLfo2, 1.0},
    {"phaser frequency 3", kPhaserFreq3Source, kPhaserFreq3Strength, kSourceLfo2, 1.0},
};

// Linear law: the strength is a fraction of the whole range low..high.
// Fills target.values[0..n) and the display position; returns the values.
// target.values must hold at least n doubles.
const double* RenderModulation(ModTarget& target, double low, double high, double base,
                               const BlockSources& sources, int n);

// Shaped law: the strength is a fraction of the knob travel of a parameter
// whose value is low + (high - low) * position^exponent.
const double* RenderShapedModulation(ModTarget& target, double low, double high, double base,
                                     const BlockSources& sources, int n, double exponent);

}  // namespace quorvex
