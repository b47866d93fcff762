#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "tests/core/TestPlug.h"

namespace {

struct StatePlug : TestPlug {
    explicit StatePlug(int nPresets = 3) : TestPlug(2, "1-1 2-2", nPresets) {
        Param(0)->SetupContinuous("A", 1, 0, 10, 0.1);
        Param(1)->SetupContinuous("B", 2, -5, 5, 0.1);
    }
};

ChunkWriter Entry(ChunkWriter w, const std::string& name, bool initialized, double a = 0,
                  double b = 0) {
    w.I32(static_cast<std::int32_t>(name.size())).Text(name).Byte(initialized ? 1 : 0);
    if (initialized) w.F64(a).F64(b);
    return w;
}

}  // namespace

TEST(State, ParamsRoundTripAsLittleEndianDoubles) {
    StatePlug plug;
    plug.Param(0)->SetClamped(3.5);
    plug.Param(1)->SetClamped(-4.25);
    GrowBuffer chunk;
    ASSERT_TRUE(plug.SerializeParams(chunk));
    ASSERT_EQ(chunk.Size(), 16u);
    const unsigned char expected[8] = {0, 0, 0, 0, 0, 0, 0x0C, 0x40};  // 3.5
    EXPECT_EQ(std::memcmp(chunk.Data(), expected, 8), 0);

    StatePlug other;
    other.events.clear();
    EXPECT_EQ(other.UnserializeParams(chunk, 0), 16);
    EXPECT_EQ(other.Param(0)->Value(), 3.5);
    EXPECT_EQ(other.Param(1)->Value(), -4.25);
    EXPECT_EQ(other.events.size(), 3u);  // two changes, one reset
}

TEST(State, ShortChunkZeroesTheFirstMissingAndKeepsTheRest) {
    StatePlug plug;
    plug.Param(1)->SetClamped(4);
    ChunkWriter w;
    w.Byte(0).Byte(0).Byte(0);  // three bytes: not even one value
    EXPECT_EQ(plug.UnserializeParams(w.Buffer(), 0), -1);
    EXPECT_EQ(plug.Param(0)->Value(), 0.0);
    EXPECT_EQ(plug.Param(1)->Value(), 4.0);
    ASSERT_FALSE(plug.events.empty());
    EXPECT_EQ(plug.events.back(), "reset");  // hooks run as usual

    ChunkWriter one;
    one.F64(20);  // clamped into range; B without data becomes 0 clamped
    EXPECT_EQ(plug.UnserializeParams(one.Buffer(), 0), -1);
    EXPECT_EQ(plug.Param(0)->Value(), 10.0);
    EXPECT_EQ(plug.Param(1)->Value(), 0.0);
}

TEST(State, NonFiniteValuesInAChunkKeepTheOldValue) {
    StatePlug plug;
    ChunkWriter w;
    w.F64(std::numeric_limits<double>::quiet_NaN()).F64(-std::numeric_limits<double>::infinity());
    EXPECT_EQ(plug.UnserializeParams(w.Buffer(), 0), 16);
    EXPECT_EQ(plug.Param(0)->Value(), 1.0);
    EXPECT_EQ(plug.Param(1)->Value(), -5.0);
}

TEST(State, PositionsOutsideTheChunkReadNothing) {
    StatePlug plug;
    ChunkWriter w;
    w.F64(5).F64(3);
    for (int position : {-1, 17, std::numeric_limits<int>::max()}) {
        plug.Param(0)->SetClamped(1);
        const int result = plug.UnserializeParams(w.Buffer(), position);
        EXPECT_EQ(result, -1);
        EXPECT_EQ(plug.Param(0)->Value(), position < 0 ? 1.0 : 0.0) << position;
    }
}

TEST(State, BankRoundTripRestoresSlotsAndMakesTheCurrentOneLive) {
    StatePlug plug;
    plug.AddPresetValues("First", 1.5, 2.5);
    plug.AddPresetValues("Second", 7.0, -1.0);
    ASSERT_TRUE(plug.RecallPreset(1));
    GrowBuffer bank;
    ASSERT_TRUE(plug.SerializeBank(bank));

    StatePlug other;
    ASSERT_TRUE(other.RecallPreset(1));  // current 1: the user preset
    const int end = other.UnserializeBank(bank, 0);
    EXPECT_EQ(end, static_cast<int>(bank.Size()));
    EXPECT_STREQ(other.PresetName(0), "First");
    EXPECT_STREQ(other.PresetName(1), "Second");
    EXPECT_STREQ(other.PresetName(2), "- 2 -");
    EXPECT_FALSE(other.PresetInitialized(2));
    EXPECT_EQ(other.CurrentPreset(), 1);
    EXPECT_EQ(other.Param(0)->Value(), 7.0);
    EXPECT_EQ(other.Param(1)->Value(), -1.0);
}

// Untrusted banks: none may read out of bounds, leave a name unterminated or
// report success where a length is broken.
TEST(State, HostileBanksFailCleanly) {
    const std::string huge(300, 'N');
    struct Case {
        const char* what;
        ChunkWriter chunk;
        bool ok;
        const char* firstName;
    };
    auto base = [] { return ChunkWriter{}; };
    Case cases[] = {
        {"negative length", base().I32(-8).Byte(1).F64(1).F64(1), false, ""},
        {"length past the end", base().I32(1000).Text("abc").Byte(1), false, ""},
        {"length overflowing", base().I32(std::numeric_limits<std::int32_t>::max()).Byte(0), false,
         ""},
        {"truncated length", base().Byte(3).Byte(0), false, ""},
        {"empty chunk", base(), false, ""},
        {"name without flag", base().I32(3).Text("abc"), false, "abc"},
        {"zero length", Entry(Entry(Entry(base(), "", true), "b", false), "c", false), true, ""},
        {"name of 300 bytes is cut",
         Entry(Entry(Entry(base(), huge, true), "b", false), "c", false), true, nullptr},
        {"fewer entries", Entry(base(), "only", true), false, "only"},
    };
    for (Case& c : cases) {
        StatePlug plug;
        plug.AddPresetValues("Keep", 4.0, 4.0);
        const int result = plug.UnserializeBank(c.chunk.Buffer(), 0);
        EXPECT_EQ(result >= 0, c.ok) << c.what;
        for (int i = 0; i < plug.NPresets(); ++i)
            EXPECT_LT(std::strlen(plug.PresetName(i)), 256u) << c.what;
        if (c.firstName)
            EXPECT_STREQ(plug.PresetName(0), c.firstName) << c.what;
        else
            EXPECT_EQ(std::string(plug.PresetName(0)), huge.substr(0, 255)) << c.what;
        EXPECT_TRUE(std::isfinite(plug.Param(0)->Value())) << c.what;
    }
}

TEST(State, BankShorterThanTheSlotsLeavesLaterSlotsAlone) {
    StatePlug plug;
    plug.AddPresetValues("A", 1.0, 1.0);
    plug.AddPresetValues("B", 2.0, 2.0);
    ChunkWriter w = Entry(ChunkWriter{}, "New", true, 3.0, 3.0);
    EXPECT_EQ(plug.UnserializeBank(w.Buffer(), 0), -1);
    EXPECT_STREQ(plug.PresetName(0), "New");
    EXPECT_STREQ(plug.PresetName(1), "");  // first slot without an entry: empty name
    EXPECT_TRUE(plug.PresetInitialized(1));
    EXPECT_STREQ(plug.PresetName(2), "- 2 -");
    EXPECT_EQ(plug.Param(0)->Value(), 3.0);  // current slot 0 made live
}
