// The signal chain: stage order and clipping against a chain composed
// here from the blocks, the side-chain detector, the limit lamp and the
// editor cadence.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "QuorvexTestKit.h"

namespace quorvex {
namespace {

using test::Block;
using test::DisplayCall;
using test::FillSignal;
using test::ScriptedQuorvex;

struct ChainCase {
    bool cutoff, drive, phaser, chorus;
    int shape;
};

// The chain composed stage by stage from the blocks, every setting fixed.
class ReferenceChain {
  public:
    explicit ReferenceChain(const ChainCase& c) : c_(c) {
        for (LadderLowPass* l : {&ladderL, &ladderR}) {
            l->SetResonance(kResonanceValue);
            l->SetSampleRate(44100.0);
        }
        for (BiquadHighPass* b : {&bandL, &bandR}) {
            b->SetQ(4.0 * kResonanceValue + 1.0);
            b->SetSampleRate(44100.0);
        }
        for (BiquadHighPass* b : {&hpL, &hpR}) {
            b->SetFrequency(kHighPass);
            b->SetSampleRate(44100.0);
        }
        drive.SetFilterActive(!c.cutoff);
        drive.SetFeedbackEnabled(true);
        drive.SetSampleRate(44100.0);
        phaser.SetStageFrequency(2, 3400.0);
        phaser.SetStageFrequency(3, 110.0);
        phaser.SetStageFrequency(4, 12000.0);
        phaser.SetSampleRate(44100.0);
        chorus.SetSpread(1.0);
        chorus.SetSampleRate(44100.0);
    }

    void Run(std::vector<double>& L, std::vector<double>& R, double gain) {
        const int n = static_cast<int>(L.size());
        for (int i = 0; i < n; ++i) {
            L[i] *= gain;
            R[i] *= gain;
        }
        bool processed = false;
        if (c_.cutoff) {
            const double bandFreq[] = {0.0, 0.25, 0.75};
            const double bandGain[] = {1.0, 4.0, 8.0};
            for (int i = 0; i < n; ++i) {
                ladderL.SetFrequency(kCutoff);
                ladderR.SetFrequency(kCutoff);
                L[i] = ladderL.Process(L[i]);
                R[i] = ladderR.Process(R[i]);
                if (c_.shape != 0) {
                    bandL.SetFrequency(bandFreq[c_.shape] * kCutoff);
                    bandR.SetFrequency(bandFreq[c_.shape] * kCutoff);
                    L[i] = bandL.Process(L[i]) * bandGain[c_.shape];
                    R[i] = bandR.Process(R[i]) * bandGain[c_.shape];
                }
            }
            processed = true;
        }
        for (int i = 0; i < n; ++i) {
            L[i] = hpL.Process(L[i]);
            R[i] = hpR.Process(R[i]);
        }
        if (c_.drive) {
            if (processed) StageClip(L.data(), R.data(), n);
            for (int i = 0; i < n; ++i) {
                drive.SetDrive(kDriveAmount);
                drive.Process(L[i], R[i]);
            }
            processed = true;
        }
        if (c_.phaser) {
            if (processed) StageClip(L.data(), R.data(), n);
            StageClip(L.data(), R.data(), n);
            processed = true;
            for (int i = 0; i < n; ++i) {
                phaser.SetWet(kPhaserWet);
                phaser.ProcessModulated(L[i], R[i], 0.0, 0.0, 0.0);
            }
        }
        if (c_.chorus) {
            if (processed) StageClip(L.data(), R.data(), n);
            for (int i = 0; i < n; ++i) {
                chorus.SetWet(kChorusWet);
                chorus.SetDelayMs(12.5);
                chorus.Process(L[i], R[i]);
            }
        }
        for (int i = 0; i < n; ++i) {
            L[i] *= kOutput;
            R[i] *= kOutput;
        }
        BrickwallLimit(L.data(), n);
        BrickwallLimit(R.data(), n);
    }

    static constexpr double kResonanceValue = 0.4;
    static constexpr double kCutoff = 2500.0;
    static constexpr double kHighPass = 40.0;
    static constexpr double kDriveAmount = 0.8;
    static constexpr double kPhaserWet = 0.6;
    static constexpr double kChorusWet = 0.7;
    static constexpr double kOutput = 1.3;

  private:
    ChainCase c_;
    LadderLowPass ladderL, ladderR;
    BiquadHighPass bandL, bandR, hpL, hpR;
    Drive drive;
    Phaser phaser;
    Chorus chorus;
};

void Configure(ScriptedQuorvex& plug, const ChainCase& c, double trimDb) {
    for (const ModTargetInfo& info : kModTargetInfo) plug.Set(info.sourceParam, kSourceNone);
    plug.Set(kInputTrim, trimDb);
    plug.Set(kCutoffEnable, c.cutoff);
    plug.Set(kCutoffShape, c.shape);
    plug.Set(kCutoffFrequency, ReferenceChain::kCutoff);
    plug.Set(kResonance, ReferenceChain::kResonanceValue);
    plug.Set(kHighPassFrequency, ReferenceChain::kHighPass);
    plug.Set(kDriveEnable, c.drive);
    plug.Set(kDrive, ReferenceChain::kDriveAmount);
    plug.Set(kPhaserEnable, c.phaser);
    plug.Set(kPhaserWet, ReferenceChain::kPhaserWet);
    plug.Set(kChorusEnable, c.chorus);
    plug.Set(kChorusWet, ReferenceChain::kChorusWet);
    plug.Set(kOutput, ReferenceChain::kOutput);
    plug.ResetState();
}

TEST(SignalChain, StagesRunInOrderWithClipsBetween) {
    const ChainCase cases[] = {
        {false, false, false, false, 0}, {false, true, false, false, 0},
        {true, true, false, false, 0},   {true, true, false, false, 1},
        {true, false, false, false, 2},  {false, false, true, false, 0},
        {true, false, false, false, 0},  {false, true, true, false, 0},
        {true, false, false, true, 0},   {false, false, true, true, 0},
        {true, true, true, true, 2},
    };
    const double trimDb = 12.0;  // loud enough for every clip to bite
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "cutoff " << c.cutoff << " shape " << c.shape << " drive " << c.drive
                     << " phaser " << c.phaser << " chorus " << c.chorus);
        ScriptedQuorvex plug;
        Configure(plug, c, trimDb);
        ReferenceChain ref(c);
        const double gain = std::exp(trimDb * 0.1151292546497);
        double worst = 0.0;
        for (int blk = 0; blk < 8; ++blk) {
            Block b(256);
            FillSignal(b, blk * 256, 0, 2, 3.0);
            std::vector<double> L = b.in[0], R = b.in[1];
            b.Run(plug);
            ref.Run(L, R, gain);
            for (int i = 0; i < b.n; ++i) {
                worst = std::max(worst, std::fabs(b.out[0][i] - L[i]));
                worst = std::max(worst, std::fabs(b.out[1][i] - R[i]));
            }
        }
        EXPECT_LT(worst, 1e-12);
    }
}

TEST(SignalChain, FullBypassIsHighPassAndLimiter) {
    ScriptedQuorvex plug;
    ASSERT_TRUE(plug.RecallPreset(1));
    BiquadHighPass hpL, hpR;
    hpL.SetFrequency(10.0);
    hpR.SetFrequency(10.0);
    hpL.SetSampleRate(44100.0);
    hpR.SetSampleRate(44100.0);
    Block b(512);
    FillSignal(b, 0, 0, 2, 2.5);  // partly above the knee at 0.5
    b.Run(plug);
    bool limited = false;
    for (int i = 0; i < b.n; ++i) {
        double l = hpL.Process(b.in[0][i]);
        double r = hpR.Process(b.in[1][i]);
        limited |= std::fabs(l) > 0.5;
        BrickwallLimit(&l, 1);
        BrickwallLimit(&r, 1);
        EXPECT_NEAR(b.out[0][i], l, 1e-15) << i;
        EXPECT_NEAR(b.out[1][i], r, 1e-15) << i;
        EXPECT_LE(std::fabs(b.out[0][i]), kLimitCeiling);
    }
    EXPECT_TRUE(limited);
    EXPECT_GT(plug.LimitLampValue(), 0.0);

    // Limiter off: the level passes; the lamp then only falls, by 1 per second.
    const double lamp = plug.LimitLampValue();
    plug.Set(kBrickwallLimit, 0.0);
    b.Run(plug);
    EXPECT_NEAR(plug.LimitLampValue(), std::max(0.0, lamp - 512.0 / 44100.0), 1e-15);
    double peak = 0.0;
    for (double v : b.out[0]) peak = std::max(peak, std::fabs(v));
    EXPECT_GT(peak, 1.0);
}

// Runs `blocks` blocks of 256 with the given inputs loud and the rest silent.
void Feed(ScriptedQuorvex& plug, bool mainLoud, bool sideLoud, int blocks, Block& b) {
    for (int blk = 0; blk < blocks; ++blk) {
        for (auto& ch : b.in) std::fill(ch.begin(), ch.end(), 0.0);
        if (mainLoud) FillSignal(b, blk * 256, 0, 2, 2.0);
        if (sideLoud) FillSignal(b, blk * 256, 2, 1, 2.0);  // "3-2": no fourth input
        b.Run(plug);
    }
}

TEST(SignalChain, DetectorReadsMainOrSideChain) {
    struct Case {
        bool sidechain, mainLoud, sideLoud, expectOpen;
    } cases[] = {
        {false, true, false, true},
        {false, false, true, false},
        {true, true, false, false},
        {true, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "sidechain " << c.sidechain << " main " << c.mainLoud
                                        << " side " << c.sideLoud);
        ScriptedQuorvex plug;
        plug.Set(kSidechainDetector, c.sidechain);
        Block b(256);
        Feed(plug, c.mainLoud, c.sideLoud, 20, b);
        EXPECT_EQ(plug.Gate().IsOpen(), c.expectOpen);
        EXPECT_EQ(plug.Envelope().Output() > 0.0, c.expectOpen);
        EXPECT_EQ(plug.Follower().Envelope() > 0.1, c.expectOpen);
        if (!c.expectOpen) {
            EXPECT_EQ(plug.Follower().Envelope(), 0.0);
        }
    }
}

TEST(SignalChain, SideChainSteersButDoesNotFeedTheAudio) {
    // Output ducked by the follower: loud side-chain, steady main signal.
    ScriptedQuorvex ducked, plain;
    for (ScriptedQuorvex* p : {&ducked, &plain}) {
        p->Set(kSidechainDetector, 1.0);
        p->Set(kOutputSource, kSourceFollower);
        p->Set(kOutputStrength, -0.5);
    }
    Block a(256), b(256);
    double duckedLevel = 0.0, plainLevel = 0.0;
    for (int blk = 0; blk < 20; ++blk) {
        FillSignal(a, blk * 256, 0, 2, 0.5);
        b.in[0] = a.in[0];
        b.in[1] = a.in[1];
        FillSignal(a, blk * 256, 2, 2, 2.0);
        a.Run(ducked);
        b.Run(plain);
        if (blk == 19) {
            for (int i = 0; i < 256; ++i) {
                duckedLevel += std::fabs(a.out[0][i]);
                plainLevel += std::fabs(b.out[0][i]);
            }
        }
    }
    EXPECT_LT(duckedLevel, 0.5 * plainLevel);
    EXPECT_LT(ducked.Target(kTargetOutput).displayPosition, 0.5);
    EXPECT_EQ(plain.Target(kTargetOutput).displayPosition, 0.5);
}

TEST(SignalChain, EditorCadence) {
    struct Case {
        double sampleRate;
        int blockSize, hostBlock, blocks, expectedCalls;
    } cases[] = {
        {44100.0, 1024, 1, 10, 5},     // trunc(44100 / 1024 / 18) = 2
        {44100.0, 4096, 64, 7, 7},     // block size above rate / 18: every block
        {96000.0, 1024, 1024, 20, 4},  // every 5 blocks
        {44100.0, 64, 64, 76, 2},      // every 38 blocks
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sampleRate << " Hz, block size " << c.blockSize);
        ScriptedQuorvex plug;
        plug.StoreSampleRate(c.sampleRate);
        plug.ChangeBlockSize(c.blockSize);
        plug.Open();
        ASSERT_FALSE(plug.displayCalls.empty());
        const DisplayCall& reset = plug.displayCalls.back();
        EXPECT_EQ(reset.follower + reset.adsr + reset.lfo1 + reset.lfo2, 0.0);
        plug.displayCalls.clear();
        Block b(c.hostBlock);
        for (int i = 0; i < c.blocks; ++i) {
            FillSignal(b, i * c.hostBlock);
            b.Run(plug);
        }
        EXPECT_EQ(static_cast<int>(plug.displayCalls.size()), c.expectedCalls);
    }
}

TEST(SignalChain, EditorGetsTheLastValuesOfTheBlock) {
    ScriptedQuorvex plug;
    plug.Set(kFollowerFloor, -24.0);
    plug.Set(kFollowerCeiling, 0.0);
    plug.displayCalls.clear();
    Block b(300);
    FillSignal(b, 0, 0, 2, 4.0);
    b.Run(plug);
    ASSERT_EQ(plug.displayCalls.size(), 1u);
    const DisplayCall& d = plug.displayCalls[0];
    const double floorAmp = std::exp(-24.0 * 0.1151292546497);
    EXPECT_GT(d.follower, 0.0);
    EXPECT_NEAR(d.follower, (plug.Follower().Envelope() - floorAmp) / (1.0 - floorAmp), 1e-12);
    EXPECT_EQ(d.adsr, plug.Envelope().Output());
    // LFO values arrive as 0..1: 0.5 plus half the waveform.
    Lfo lfo1;
    lfo1.SetRate(8.0);
    for (int i = 0; i < 299; ++i) lfo1.Next();
    EXPECT_NEAR(d.lfo1, 0.5 + 0.5 * lfo1.Next(), 1e-12);
}

TEST(SignalChain, EmptyAndOversizedBlocks) {
    ScriptedQuorvex plug;
    plug.ChangeBlockSize(128);
    plug.Open();
    Block empty(0);
    empty.Run(plug);  // reads nothing, writes nothing
    // A host block larger than announced is processed whole, in pieces.
    Block big(1000);
    FillSignal(big, 0);
    big.Run(plug);
    ScriptedQuorvex twin;
    twin.ChangeBlockSize(128);
    twin.Open();
    for (int start = 0; start < 1000; start += 128) {
        const int n = std::min(128, 1000 - start);
        Block part(n);
        FillSignal(part, start);
        part.Run(twin);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(part.out[0][i], big.out[0][start + i]);
            ASSERT_EQ(part.out[1][i], big.out[1][start + i]);
        }
    }
}

}  // namespace
}  // namespace quorvex
