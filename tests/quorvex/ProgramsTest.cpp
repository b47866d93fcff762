// Factory programs: names and order, recall, user presets and chunks.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "QuorvexTestKit.h"

namespace quorvex {
namespace {

using test::ScriptedQuorvex;

const char* const kFactoryNames[] = {
    "Default",
    "Full Bypass",
    "[DRUM]  Decorate the Peaks",
    "[DRUM]  Dirt Mover",
    "[DRUM]  Loop Mangler",
    "[DRUM]  Heavy Comp",
    "[DRUM]  Put Him in the Tank",
    "[EPIANO]  Duck and Cover",
    "[EPIANO]  Intense Tremolo",
    "[EPIANO]  Vintage Combo",
    "[FX]  3AM and I Hate This band",
    "[FX]  Planet of the Trance Sweeps",
    "[FX]  Short Wave",
    "[FX]  Toyland Chase",
    "[GUITAR]  Chord Smoothener",
    "[GUITAR]  Chord Sweetener",
    "[GUITAR]  Chord Vogonizer",
    "[GUITAR]  Sergeant Love",
    "[GUITAR]  Sergeant Hate",
    "[GUITAR]  Spiced Tremolo",
    "[GUITAR]  Swirly Tail 3000",
    "[GUITAR]  Touch-Wah",
    "[SYNTH]  Bass Shape",
    "[SYNTH]  Bidirectional Phaser",
    "[SYNTH]  Chord Groove",
    "[SYNTH]  Rehydration",
    "[VOX]  Doublexpander",
};
constexpr int kFactoryCount = 27;

std::vector<double> LiveValues(const Quorvex& plug) {
    std::vector<double> v;
    for (int i = 0; i < plug.NParams(); ++i) v.push_back(plug.Param(i)->Value());
    return v;
}

std::vector<double> StoredValues(const Quorvex& plug, int slot) {
    const GrowBuffer& chunk = plug.Preset(slot)->values;
    std::vector<double> v(chunk.Size() / sizeof(double));
    std::memcpy(v.data(), chunk.Data(), v.size() * sizeof(double));
    return v;
}

TEST(QuorvexPrograms, NamesAndOrder) {
    ScriptedQuorvex plug;
    ASSERT_EQ(plug.NPresets(), 32);
    for (int i = 0; i < kFactoryCount; ++i) {
        EXPECT_STREQ(plug.PresetName(i), kFactoryNames[i]) << i;
        EXPECT_TRUE(plug.PresetInitialized(i)) << i;
    }
    for (int i = kFactoryCount; i < 32; ++i) {
        EXPECT_EQ(std::string(plug.PresetName(i)), "- " + std::to_string(i) + " -");
        EXPECT_FALSE(plug.PresetInitialized(i));
    }
}

TEST(QuorvexPrograms, StoredValuesLieInTheirRanges) {
    ScriptedQuorvex plug;
    for (int slot = 0; slot < kFactoryCount; ++slot) {
        const std::vector<double> v = StoredValues(plug, slot);
        ASSERT_EQ(v.size(), 60u) << slot;
        for (int i = 0; i < 60; ++i) {
            const IParameter* p = plug.Param(i);
            EXPECT_GE(v[i], p->Minimum()) << kFactoryNames[slot] << " " << p->Name();
            EXPECT_LE(v[i], p->Maximum()) << kFactoryNames[slot] << " " << p->Name();
        }
    }
}

TEST(QuorvexPrograms, RecallSetsNamedValuesAndDefaultsElsewhere) {
    ScriptedQuorvex plug;
    const std::vector<double> defaults = LiveValues(plug);

    ASSERT_TRUE(plug.RecallPreset(1));  // "Full Bypass"
    std::vector<double> expected = defaults;
    for (int off : {kCutoffEnable, kDriveEnable, kPhaserEnable, kChorusEnable}) expected[off] = 0;
    EXPECT_EQ(LiveValues(plug), expected);

    // A program naming only eleven values still puts every other back to its
    // default, whatever the previous program left.
    ASSERT_TRUE(plug.RecallPreset(3));  // "[DRUM]  Dirt Mover" changes nearly everything
    ASSERT_TRUE(plug.RecallPreset(5));  // "[DRUM]  Heavy Comp"
    expected = defaults;
    const std::pair<int, double> named[] = {
        {8, 0.89}, {9, -24},   {10, 0}, {18, 0}, {25, 1}, {26, 3},
        {27, 0.7}, {28, 0.45}, {29, 0}, {30, 0}, {45, 0},
    };
    for (auto [idx, value] : named) expected[idx] = value;
    EXPECT_EQ(LiveValues(plug), expected);
    EXPECT_EQ(plug.CurrentPreset(), 5);
    // ...and the engine follows.
    EXPECT_EQ(plug.Target(kTargetDrive).source, kSourceFollower);
    EXPECT_NEAR(plug.FloorAmp(), std::exp(-24.0 * 0.1151292546497), 1e-15);
}

TEST(QuorvexPrograms, UntouchedSlotsBecomeNumberedUserPresets) {
    ScriptedQuorvex plug;
    ASSERT_TRUE(plug.RecallPreset(7));
    const std::vector<double> live = LiveValues(plug);
    ASSERT_TRUE(plug.RecallPreset(29));
    EXPECT_STREQ(plug.PresetName(29), "user preset 1");
    EXPECT_EQ(LiveValues(plug), live);  // it takes the live values
    EXPECT_EQ(StoredValues(plug, 29), live);
    ASSERT_TRUE(plug.RecallPreset(27));
    EXPECT_STREQ(plug.PresetName(27), "user preset 2");
    EXPECT_STREQ(plug.PresetName(28), "- 28 -");
}

TEST(QuorvexPrograms, ProgramChunksRoundTrip) {
    for (int slot = 0; slot < kFactoryCount; ++slot) {
        SCOPED_TRACE(kFactoryNames[slot]);
        ScriptedQuorvex source;
        ASSERT_TRUE(source.RecallPreset(slot));
        GrowBuffer chunk;
        ASSERT_TRUE(source.SaveState(chunk));
        ASSERT_EQ(chunk.Size(), 60u * 8u);

        ScriptedQuorvex target;
        ASSERT_TRUE(target.RecallPreset(slot == 3 ? 4 : 3));  // start somewhere else
        EXPECT_EQ(target.LoadState(chunk, 0), 480);
        EXPECT_EQ(LiveValues(target), LiveValues(source));
        EXPECT_EQ(LiveValues(target), StoredValues(source, slot));
        EXPECT_EQ(target.Target(kTargetCutoff).source, source.Target(kTargetCutoff).source);
        EXPECT_EQ(target.CutoffBase(), source.CutoffBase());
    }
}

TEST(QuorvexPrograms, BankRoundTripKeepsEverySlot) {
    ScriptedQuorvex source;
    ASSERT_TRUE(source.RecallPreset(30));  // becomes "user preset 1"
    source.Set(kDrive, 0.33);
    source.StoreIntoCurrentPreset("mine");
    GrowBuffer bank;
    ASSERT_TRUE(source.SerializeBank(bank));

    ScriptedQuorvex target;
    EXPECT_GT(target.UnserializeBank(bank, 0), 0);
    for (int i = 0; i < 32; ++i) {
        EXPECT_STREQ(target.PresetName(i), source.PresetName(i)) << i;
        EXPECT_EQ(target.PresetInitialized(i), source.PresetInitialized(i)) << i;
        if (source.PresetInitialized(i)) {
            EXPECT_EQ(StoredValues(target, i), StoredValues(source, i));
        }
    }
    EXPECT_STREQ(target.PresetName(30), "mine");
}

}  // namespace
}  // namespace quorvex
