// LFO rates, free and tempo-synced, and the restarts of synced LFOs on the
// host's timeline.

#include <gtest/gtest.h>

#include <cmath>

#include "QuorvexTestKit.h"
#include "products/quorvex/LfoSync.h"

namespace quorvex {
namespace {

using test::Block;
using test::ScriptedQuorvex;

TEST(LfoSync, SyncRateTable) {
    // The knob travel is split by 7 * sqrt(v) into eight beat divisions.
    const double factors[8] = {0.5, 2.0 / 3.0, 1.0, 2.0, 3.0, 4.0, 6.0, 8.0};
    for (int k = 0; k < 8; ++k) {
        const double mid = std::pow((k + 0.5) / 7.0, 2.0);
        EXPECT_DOUBLE_EQ(SyncFactor(mid > 1.0 ? 1.0 : mid), factors[k]) << "division " << k;
    }
    EXPECT_DOUBLE_EQ(SyncFactor(0.0), 0.5);
    EXPECT_DOUBLE_EQ(SyncFactor(1.0), 8.0);
    EXPECT_DOUBLE_EQ(SyncFactor(0.5), 3.0);  // trunc(7 * 0.7071) = 4
}

TEST(LfoSync, RatesFollowKnobTempoAndSync) {
    ScriptedQuorvex plug;
    plug.tempo = 120.0;
    plug.Set(kLfo1Rate, 0.5);
    EXPECT_DOUBLE_EQ(plug.Lfo1().Rate(), 8.0);  // 4 cycles per second
    EXPECT_EQ(plug.Period1(), 0);

    plug.Set(kLfo1TempoSync, 1.0);
    EXPECT_DOUBLE_EQ(plug.Lfo1().Rate(), 6.0);  // 3 cycles per second at 2 beats per second
    EXPECT_DOUBLE_EQ(plug.Lfo1Half().Rate(), 3.0);
    EXPECT_EQ(plug.Period1(), 2 * 7350);
    EXPECT_EQ(plug.HalfPeriod1(), 2 * 14700);

    // A host without tempo stops the synced LFO and its restarts.
    plug.tempo = 0.0;
    plug.ResetState();
    EXPECT_EQ(plug.Lfo1().Rate(), 0.0);
    EXPECT_EQ(plug.Period1(), 0);

    // A tempo change reaches the LFO with the next reset.
    plug.tempo = 90.0;
    plug.ResetState();
    EXPECT_DOUBLE_EQ(plug.Lfo1().Rate(), 1.5 * 3.0);
}

TEST(LfoSync, CountdownFromHostPosition) {
    struct Case {
        std::int64_t blockStart;
        int period;
        int expected;
    } cases[] = {
        {0, 100, 0},
        {1, 100, 99},
        {50, 100, 50},
        {100, 100, 0},
        {101, 100, 99},
        {-10, 100, 10},
        {int64_t{1} << 40, 14700, 14700 - static_cast<int>(((int64_t{1} << 40) - 1) % 14700 + 1)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AlignedCountdown(c.blockStart, c.period), c.expected) << c.blockStart;
    }
}

TEST(LfoSync, TransportRealignsAndRestartsAtBlockBoundaries) {
    ScriptedQuorvex plug;
    plug.tempo = 120.0;
    plug.Set(kLfo1Rate, 0.5);
    plug.Set(kLfo1TempoSync, 1.0);
    const int period = plug.Period1();
    ASSERT_EQ(period, 14700);

    Block b(512);
    plug.samplePosition = 1024;  // this block covers 512..1023
    b.Run(plug);
    EXPECT_EQ(plug.Counter1(), (period - 512) - 512);

    b.Run(plug);  // transport stopped: the countdown runs on freely
    EXPECT_EQ(plug.Counter1(), period - 512 - 1024);

    // A block that crosses a restart: the next block continues as if the
    // phase had been 0 at the start of this one.
    plug.samplePosition = period + 502;  // block starts 10 samples before the period
    b.Run(plug);
    const double increment = 6.0 * 0.5 / 44100.0;
    EXPECT_NEAR(plug.Lfo1().Phase(), 512 * increment, 1e-12);
    EXPECT_EQ(plug.Counter1(), period - (512 - 10));
}

}  // namespace
}  // namespace quorvex
