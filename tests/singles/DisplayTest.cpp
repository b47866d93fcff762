// What the single effects hand to their editors: the limiter lamp, the level
// meter at the display cadence, and the drive's feedback lamp.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "tests/singles/SinglesTestKit.h"

using namespace singles_test;

namespace {

// Runs blocks of n frames of a sine until `seconds` have passed, returning
// the lamp value after each block.
template <class Plug>
std::vector<double> LampAfterBlocks(Opened<Plug>& o, double amplitude, int n, double seconds,
                                    double sr) {
    std::vector<double> lamp;
    const int blocks = static_cast<int>(seconds * sr / n);
    for (int b = 0; b < blocks; ++b) {
        auto l = Sine(n, amplitude, 220, sr, b * n), r = l;
        o.Process(l, r);
        lamp.push_back(o.plug->Output().LampValue());
    }
    return lamp;
}

template <class Plug>
void CheckLampFallsWithinASecond(int brickwallIndex) {
    const double sr = 44100.0;
    const int n = 441;
    Opened<Plug> o(sr, n);
    // A loud block drives the limiter to its full amount.
    auto l = Sine(n, 3.0, 220, sr), r = l;
    o.Process(l, r);
    EXPECT_DOUBLE_EQ(o.plug->Output().LampValue(), 1.0);
    EXPECT_LE(Peak(l), 0.98855309465694);

    // With the limiter switched off the lamp falls by 1 per second and the
    // peaks pass unlimited.
    o.Set(brickwallIndex, 0.0);
    auto lamp = LampAfterBlocks(o, 3.0, n, 1.0, sr);
    EXPECT_NEAR(lamp[49], 0.5, 1e-9);     // after half a second
    EXPECT_NEAR(lamp.back(), 0.0, 1e-9);  // after one second
    auto loud = Sine(n, 3.0, 220, sr), loudR = loud;
    o.Process(loud, loudR);
    EXPECT_GT(Peak(loud), 1.0);
}

}  // namespace

TEST(SinglesDisplay, LimiterLampFallsToZeroWithinOneSecondOnceTheLimiterIsOff) {
    CheckLampFallsWithinASecond<QuorvexPhaser>(8);
    CheckLampFallsWithinASecond<QuorvexChorus>(6);
    CheckLampFallsWithinASecond<QuorvexDrive>(3);
}

TEST(SinglesDisplay, QuietSignalLeavesTheLampDark) {
    Opened<QuorvexPhaser> ph;
    auto lamp = LampAfterBlocks(ph, 0.2, 512, 0.1, 44100);
    for (double v : lamp) EXPECT_EQ(v, 0.0);
}

TEST(SinglesDisplay, LampAndMeterReachTheEditorEveryNthBlock) {
    const struct {
        double sampleRate;
        int blockSize;
        int every;
    } cases[] = {
        {44100, 512, 4}, {44100, 1024, 2}, {96000, 256, 20}, {44100, 4096, 1}, {22050, 2048, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sampleRate << " Hz, block " << c.blockSize);
        Opened<QuorvexChorus> ch(c.sampleRate, c.blockSize);
        std::vector<long> publishedAt;
        long before = ch.plug->Output().Publications();
        const int blocks = 3 * c.every + 2;
        for (int b = 0; b < blocks; ++b) {
            auto l = Sine(c.blockSize, 0.5, 330, c.sampleRate, b * c.blockSize), r = l;
            ch.Process(l, r);
            const long now = ch.plug->Output().Publications();
            if (now != before) {
                publishedAt.push_back(b);
                // The meter shows the follower's level of that very block.
                EXPECT_EQ(ch.plug->Output().PublishedMeter(), ch.plug->Output().MeterLevel());
            }
            before = now;
        }
        ASSERT_FALSE(publishedAt.empty());
        EXPECT_EQ(publishedAt[0], 0);  // the first block after a reset
        for (size_t k = 1; k < publishedAt.size(); ++k)
            EXPECT_EQ(publishedAt[k] - publishedAt[k - 1], c.every);
    }
}

TEST(SinglesDisplay, MeterShowsAPeakFollowerOfTheOutputSum) {
    const double sr = 44100.0;
    const int n = 441;  // display every trunc(44100 / 441 / 18) = 5 blocks
    Opened<QuorvexDrive> dr(sr, n);
    dr.SetValue(1, 0.6);
    dr.Set(3, 0.0);  // the meter reads the signal ahead of the limiter
    const double attack = std::exp(-1.0 / (10.0 * 0.001 * sr));
    const double release = std::exp(-1.0 / (500.0 * 0.001 * sr));
    double follower = 0.0;
    for (int b = 0; b < 16; ++b) {
        // Loud, then quiet, so both attack and release are exercised.
        auto l = Sine(n, b < 8 ? 0.45 : 0.05, 1000, sr, b * n), r = Sine(n, 0.2, 150, sr, b * n);
        dr.Process(l, r);
        for (int i = 0; i < n; ++i) {
            const double a = std::abs(l[i] + r[i]);
            follower = a + (follower - a) * (a > follower ? attack : release);
        }
    }
    // Block 15 was a display block; the meter shows the level after it.
    EXPECT_NEAR(dr.plug->Output().PublishedMeter(), follower, 1e-12);
    EXPECT_GT(follower, 0.05);
}

TEST(SinglesDisplay, DriveFeedbackLampFollowsTheSwitchWithoutAudio) {
    Opened<QuorvexDrive> dr;
    EXPECT_EQ(dr.plug->FeedbackLamp(), 1.0);  // on by default, set at open
    dr.Set(2, 0.0);
    EXPECT_EQ(dr.plug->FeedbackLamp(), 0.0);
    dr.Set(2, 0.7f);
    EXPECT_EQ(dr.plug->FeedbackLamp(), 1.0);
    // A program change reaches it through the same hook.
    dr.Set(2, 0.0);
    std::vector<std::uint8_t> chunk;
    void* data = nullptr;
    const VstIntPtr size = dr.Dispatch(effGetChunk, 1, 0, &data);
    ASSERT_GT(size, 0);
    chunk.assign(static_cast<std::uint8_t*>(data), static_cast<std::uint8_t*>(data) + size);
    double on = 1.0;
    std::memcpy(chunk.data() + 8 + 2 * 8, &on, 8);
    EXPECT_EQ(dr.Dispatch(effSetChunk, 1, size, chunk.data()), 1);
    EXPECT_EQ(dr.plug->FeedbackLamp(), 1.0);
}
