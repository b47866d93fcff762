// Silence, denormals, NaN, infinities and absurd levels, through every
// factory program, and no allocation while processing.

#include <gtest/gtest.h>

#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

#include "QuorvexTestKit.h"

namespace {
std::atomic<bool> gCountAllocations{false};
std::atomic<int> gAllocations{0};
}  // namespace

// Counts allocations while processing. GCC cannot see that both sides of
// the pair are replaced here.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    if (gCountAllocations.load(std::memory_order_relaxed)) gAllocations.fetch_add(1);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
// The no-throw form too: it would otherwise come from the runtime (or the
// sanitizer's) and be freed by the delete above.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (gCountAllocations.load(std::memory_order_relaxed)) gAllocations.fetch_add(1);
    return std::malloc(size ? size : 1);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace quorvex {
namespace {

using test::Block;
using test::FillSignal;
using test::ScriptedQuorvex;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

bool AllFinite(const Block& b) {
    for (const auto& ch : b.out) {
        for (double v : ch) {
            if (!std::isfinite(v)) return false;
        }
    }
    return true;
}

// Every hostile sample in one block, on main and side-chain inputs.
void Poison(Block& b) {
    const double bad[] = {kNaN, kInf, -kInf, 1e300, -DBL_MAX, 4.9e-324, -1e-310, 3.0e38};
    for (auto& ch : b.in) {
        for (size_t i = 0; i < ch.size(); ++i) ch[i] = (i % 3 == 0) ? bad[(i / 3) % 8] : ch[i];
    }
}

TEST(HostileInput, EveryProgramRecoversAndStaysFinite) {
    for (int program = 0; program < 27; ++program) {
        ScriptedQuorvex plug;
        ASSERT_TRUE(plug.RecallPreset(program));
        plug.Set(kSidechainDetector, program % 2);  // both detector inputs get poisoned
        SCOPED_TRACE(plug.PresetName(program));
        Block b(256);
        int64_t t = 0;
        for (int blk = 0; blk < 4; ++blk, t += 256) {
            FillSignal(b, t, 0, 4);
            b.Run(plug);
        }
        FillSignal(b, t, 0, 4);
        t += 256;
        Poison(b);
        b.Run(plug);
        EXPECT_TRUE(AllFinite(b)) << "the poisoned block itself";
        double level = 0.0;
        for (int blk = 0; blk < 40; ++blk, t += 256) {
            FillSignal(b, t, 0, 4);
            b.Run(plug);
            ASSERT_TRUE(AllFinite(b)) << "block " << blk << " after";
            if (blk >= 30) {
                for (double v : b.out[0]) level += std::fabs(v);
            }
        }
        if (program != 22) {  // "[SYNTH]  Bass Shape" has its output at 0
            EXPECT_GT(level, 1.0) << "the signal must come back";
        }
    }
}

TEST(HostileInput, ABadSampleCountsAsSilence) {
    // NaN and infinity act exactly like a zero sample: nothing else changes.
    ScriptedQuorvex poisoned, clean;
    for (ScriptedQuorvex* p : {&poisoned, &clean}) ASSERT_TRUE(p->RecallPreset(24));
    Block a(128), b(128);
    for (int blk = 0; blk < 12; ++blk) {
        FillSignal(a, blk * 128, 0, 4);
        FillSignal(b, blk * 128, 0, 4);
        if (blk == 3) {
            a.in[0][5] = kNaN;
            a.in[1][77] = -kInf;
            b.in[0][5] = 0.0;
            b.in[1][77] = 0.0;
        }
        a.Run(poisoned);
        b.Run(clean);
        ASSERT_EQ(a.out, b.out) << "block " << blk;
    }
}

TEST(HostileInput, LongSilenceThenSignal) {
    ScriptedQuorvex plug;
    ASSERT_TRUE(plug.RecallPreset(2));
    Block b(512);
    FillSignal(b, 0);
    b.Run(plug);
    for (auto& ch : b.in) std::fill(ch.begin(), ch.end(), 0.0);
    for (int blk = 0; blk < 2000; ++blk) {  // about 23 s of silence
        b.Run(plug);
        ASSERT_TRUE(AllFinite(b));
    }
    for (double v : b.out[0]) EXPECT_LT(std::fabs(v), 1e-6);
    FillSignal(b, 0);
    b.Run(plug);
    double level = 0.0;
    for (double v : b.out[0]) level += std::fabs(v);
    EXPECT_GT(level, 1.0);
}

TEST(HostileInput, ProcessingNeverAllocates) {
    // Every block on, every target modulated, synced LFOs with restarts.
    ScriptedQuorvex plug;
    plug.tempo = 140.0;
    plug.Set(kCutoffEnable, 1);
    plug.Set(kCutoffShape, kNarrowBandPass);
    plug.Set(kDriveEnable, 1);
    plug.Set(kLfo1TempoSync, 1);
    plug.Set(kLfo2TempoSync, 1);
    const int sources[] = {kSourceLfo1, kSourceAdsr, kSourceFollower, kSourceLfo2};
    int k = 0;
    for (const ModTargetInfo& info : kModTargetInfo) {
        plug.Set(info.sourceParam, sources[k++ % 4]);
        plug.Set(info.strengthParam, 0.6);
    }
    plug.Set(kMotorizedKnobs, 1);
    plug.Open();
    std::vector<Block> blocks;
    for (int n : {1024, 1, 77, 512, 1024}) blocks.emplace_back(n);
    for (Block& b : blocks) FillSignal(b, 0, 0, 4);
    blocks[1].in[0][0] = kNaN;
    gAllocations = 0;
    gCountAllocations = true;
    for (int round = 0; round < 20; ++round) {
        plug.samplePosition += 1000;
        for (Block& b : blocks) b.Run(plug);
    }
    gCountAllocations = false;
    EXPECT_EQ(gAllocations.load(), 0);
}

}  // namespace
}  // namespace quorvex
