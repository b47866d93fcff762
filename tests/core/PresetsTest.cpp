#include <gtest/gtest.h>

#include <cstring>

#include "tests/core/TestPlug.h"

namespace {

// Parameters: 0 continuous, 1 choice, 2 toggle.
struct Plug3 : TestPlug {
    explicit Plug3(int nPresets = 4) : TestPlug(3, "1-1 2-2", nPresets) {
        Param(0)->SetupContinuous("Level", 0.5, 0, 1, 0.01);
        Param(1)->SetupChoice("Shape", 2, 5);
        Param(2)->SetupToggle("On", true);
    }
    double Stored(int slot, int param) const {
        double v;
        std::memcpy(&v, Preset(slot)->values.Data() + 8 * param, 8);
        return v;
    }
};

}  // namespace

TEST(Presets, FreshSlotsAreNumberedAndEmpty) {
    Plug3 plug;
    EXPECT_EQ(plug.NPresets(), 4);
    EXPECT_STREQ(plug.PresetName(2), "- 2 -");
    EXPECT_FALSE(plug.PresetInitialized(0));
    EXPECT_STREQ(plug.PresetName(4), "");
    EXPECT_STREQ(plug.PresetName(-1), "");
}

TEST(Presets, BuildingFillsFreeSlotsInOrderWithValuesUnchanged) {
    Plug3 plug;
    plug.AddDefaultPresets(nullptr, 1);
    plug.AddPresetValues("Loud", 7.5, 3, 0);  // 7.5 is outside the range: stored as given
    plug.AddPresetNamedValues("Named", 1, 1, 4);
    plug.AddPresetNamedValues("Marker", 1, 0, 9.999e-8);
    EXPECT_STREQ(plug.PresetName(0), "Default");
    EXPECT_STREQ(plug.PresetName(1), "Loud");
    EXPECT_EQ(plug.Stored(1, 0), 7.5);
    EXPECT_EQ(plug.Stored(1, 1), 3.0);
    EXPECT_EQ(plug.Stored(1, 2), 0.0);
    EXPECT_EQ(plug.Stored(2, 0), 0.5);  // not named: the live value
    EXPECT_EQ(plug.Stored(2, 1), 4.0);
    EXPECT_EQ(plug.Stored(3, 0), 0.5);       // exactly the marker: the live value
    EXPECT_EQ(plug.Param(0)->Value(), 0.5);  // nothing applied to the live parameters
    // All slots taken: building does nothing and reads no argument.
    plug.AddPresetValues("Extra", 1.0, 1, 1);
    plug.AddDefaultPresets("More", 2);
    EXPECT_STREQ(plug.PresetName(3), "Marker");
}

TEST(Presets, EnsureDefaultPresetOnlyWithoutSlots) {
    Plug3 none(0);
    none.EnsureDefaultPreset();
    ASSERT_EQ(none.NPresets(), 1);
    EXPECT_STREQ(none.PresetName(0), "Default");
    EXPECT_TRUE(none.PresetInitialized(0));
    Plug3 some(2);
    some.EnsureDefaultPreset();
    EXPECT_EQ(some.NPresets(), 2);
    EXPECT_FALSE(some.PresetInitialized(0));
}

TEST(Presets, RecallAppliesClampedValuesAndRunsHooks) {
    Plug3 plug;
    plug.AddDefaultPresets(nullptr, 1);
    plug.AddPresetValues("Loud", 7.5, 3, 0);
    plug.events.clear();
    EXPECT_TRUE(plug.RecallPreset(1));
    EXPECT_EQ(plug.CurrentPreset(), 1);
    EXPECT_EQ(plug.Param(0)->Value(), 1.0);
    EXPECT_EQ(plug.Param(1)->Value(), 3.0);
    ASSERT_EQ(plug.events.size(), 4u);
    EXPECT_EQ(plug.events.back(), "reset");
    EXPECT_FALSE(plug.RecallPreset(9));
    EXPECT_FALSE(plug.RecallPreset(-1));
    EXPECT_EQ(plug.CurrentPreset(), 1);
}

TEST(Presets, NeverFilledSlotsBecomeNumberedUserPresets) {
    Plug3 plug(5);
    plug.AddDefaultPresets(nullptr, 1);
    plug.Param(0)->SetClamped(0.25);
    EXPECT_TRUE(plug.RecallPreset(3));
    EXPECT_STREQ(plug.PresetName(3), "user preset 1");
    EXPECT_EQ(plug.Stored(3, 0), 0.25);
    EXPECT_TRUE(plug.RecallPreset(1));
    EXPECT_STREQ(plug.PresetName(1), "user preset 2");
    // A rename containing the text raises the next number.
    EXPECT_TRUE(plug.RecallPreset(0));
    plug.StoreIntoCurrentPreset("my user preset");
    EXPECT_TRUE(plug.RecallPreset(4));
    EXPECT_STREQ(plug.PresetName(4), "user preset 4");
}

TEST(Presets, StoreIntoCurrentKeepsNameWithoutOneAndFlagAlways) {
    Plug3 plug;
    plug.Param(0)->SetClamped(0.75);
    plug.StoreIntoCurrentPreset(nullptr);
    EXPECT_STREQ(plug.PresetName(0), "- 0 -");
    EXPECT_FALSE(plug.PresetInitialized(0));
    EXPECT_EQ(plug.Stored(0, 0), 0.75);
    plug.StoreIntoCurrentPreset("");
    EXPECT_STREQ(plug.PresetName(0), "- 0 -");
    const std::string longName(400, 'x');
    plug.StoreIntoCurrentPreset(longName.c_str());
    EXPECT_EQ(std::strlen(plug.PresetName(0)), 255u);
}

TEST(Presets, WithoutParametersRecallFails) {
    TestPlug plug(0, "1-1", 2);
    plug.AddDefaultPresets(nullptr, 1);
    EXPECT_FALSE(plug.RecallPreset(0));
    EXPECT_TRUE(plug.RecallPreset(1));  // a user preset: serialising nothing succeeds
    EXPECT_EQ(plug.CurrentPreset(), 1);
    EXPECT_FALSE(plug.RecallPreset(0));
    EXPECT_EQ(plug.CurrentPreset(), 1);
}
