#include <gtest/gtest.h>

#include <vector>

#include "tests/core/TestPlug.h"

namespace {

// Records what ProcessBlock saw and writes input + 100 * channel to outputs.
struct FramePlug : TestPlug {
    explicit FramePlug(const char* io) : TestPlug(0, io, 0) {
        ConnectInputs(0, MaxInputs(), true);
        ConnectOutputs(0, MaxOutputs(), true);
        ChangeBlockSize(16);
    }
    void ProcessBlock(double** in, double** out, int n) override {
        seen.assign(in, in + MaxInputs());
        firstSamples.clear();
        for (int c = 0; c < MaxInputs(); ++c) firstSamples.push_back(in[c][0]);
        for (int c = 0; c < MaxOutputs(); ++c)
            for (int i = 0; i < n; ++i) out[c][i] = 100.0 * (c + 1) + i;
    }
    std::vector<double*> seen;
    std::vector<double> firstSamples;
};

}  // namespace

TEST(Channels, ParsesConfigurationsAndAnswersLegalIO) {
    FramePlug plug("1-1 2-1 2-2 3-2 4-2");
    EXPECT_EQ(plug.NIOConfigs(), 5);
    EXPECT_EQ(plug.MaxInputs(), 4);
    EXPECT_EQ(plug.MaxOutputs(), 2);
    const struct {
        int in, out;
        bool legal;
    } cases[] = {{1, -1, true}, {4, 2, true}, {3, 1, false}, {-1, 3, false}, {-1, -1, true}};
    for (const auto& c : cases) EXPECT_EQ(plug.LegalIO(c.in, c.out), c.legal) << c.in << c.out;
}

TEST(Channels, ConnectionRangesAreCut) {
    FramePlug plug("4-2");
    plug.ConnectInputs(2, 100, false);
    EXPECT_TRUE(plug.InputConnected(1));
    EXPECT_FALSE(plug.InputConnected(3));
    plug.ConnectInputs(0, 0, false);
    plug.ConnectInputs(-3, 4, false);  // reaches channel 0 only
    EXPECT_FALSE(plug.InputConnected(0));
    EXPECT_TRUE(plug.InputConnected(1));
    EXPECT_FALSE(plug.InputConnected(7));
}

TEST(Channels, DisconnectedInputsPresentZeroedScratchAndHostBuffersGoInOrder) {
    FramePlug plug("4-2");
    plug.ConnectInputs(1, 1, false);  // only input 2 of 4 disconnected
    plug.ChangeBlockSize(8);
    float a[8], b[8], c[8], outL[8] = {}, outR[8] = {};
    for (int i = 0; i < 8; ++i) a[i] = 1, b[i] = 2, c[i] = 3;
    float* ins[] = {a, b, c};
    float* outs[] = {outL, outR};
    plug.BindInputs(0, 4, ins, 8);
    plug.BindOutputs(0, 2, outs);
    plug.RunBlock32(8);
    ASSERT_EQ(plug.firstSamples.size(), 4u);
    EXPECT_EQ(plug.firstSamples[0], 1.0);
    EXPECT_EQ(plug.firstSamples[1], 0.0);  // its own scratch, zeroed by the size change
    EXPECT_EQ(plug.firstSamples[2], 2.0);  // the host's second buffer feeds channel 3
    EXPECT_EQ(plug.firstSamples[3], 3.0);
    EXPECT_EQ(outL[3], 103.0f);
    EXPECT_EQ(outR[0], 200.0f);
}

TEST(Channels, AccumulatingAddsToWhatTheHostHeld) {
    FramePlug plug("2-2");
    float in[16] = {}, outL[16], outR[16];
    for (int i = 0; i < 16; ++i) outL[i] = outR[i] = 0.5f;
    float* ins[] = {in, in};
    float* outs[] = {outL, outR};
    plug.BindInputs(0, 2, ins, 16);
    plug.BindOutputs(0, 2, outs);
    plug.RunBlockAccumulating(16);
    EXPECT_EQ(outL[2], 102.5f);
    EXPECT_EQ(outR[15], 215.5f);
}

TEST(Channels, SameBlockSizeKeepsScratchContents) {
    FramePlug plug("2-2");
    float in[16];
    for (float& s : in) s = 9;
    float* ins[] = {in, in};
    plug.BindInputs(0, 2, ins, 16);
    plug.ConnectInputs(0, 2, false);  // slots now designate the scratch holding the nines
    plug.ChangeBlockSize(16);
    plug.RunBlock(16);
    EXPECT_EQ(plug.firstSamples[0], 9.0);
    plug.ChangeBlockSize(32);
    plug.RunBlock(32);
    EXPECT_EQ(plug.firstSamples[0], 0.0);
}

TEST(Channels, NonsenseBlockSizesAreRefused) {
    FramePlug plug("2-2");
    for (int bad : {0, -1, -1000}) {
        plug.ChangeBlockSize(bad);
        EXPECT_EQ(plug.BlockSize(), 16);
    }
}

TEST(Channels, InPlaceOutputGivesTheInputAnUnaliasedCopy) {
    FramePlug plug("2-2");
    double l[16], r[16];
    for (int i = 0; i < 16; ++i) l[i] = r[i] = 1.0;
    double* ins[] = {l, r};
    double* outs[] = {l, r};
    plug.BindInputs(0, 2, ins);
    plug.BindOutputs(0, 2, outs, 16);
    plug.RunBlock(16);
    ASSERT_EQ(plug.seen.size(), 2u);
    EXPECT_NE(plug.seen[0], l);
    EXPECT_NE(plug.seen[1], r);
    EXPECT_EQ(plug.firstSamples[0], 1.0);
    EXPECT_EQ(l[1], 101.0);

    // Separate buffers pass straight through.
    double o1[16], o2[16];
    double* sep[] = {o1, o2};
    plug.BindInputs(0, 2, ins);
    plug.BindOutputs(0, 2, sep, 16);
    plug.RunBlock(16);
    EXPECT_EQ(plug.seen[0], l);
}

TEST(Channels, DefaultProcessCopiesSharedChannelsAndZeroesTheRest) {
    TestPlug plug(0, "1-2", 0);
    plug.ConnectInputs(0, 1, true);
    plug.ConnectOutputs(0, 2, true);
    plug.ChangeBlockSize(4);
    double in[4] = {1, 2, 3, 4}, o1[4] = {}, o2[4] = {9, 9, 9, 9};
    double* ins[] = {in};
    double* outs[] = {o1, o2};
    plug.BindInputs(0, 1, ins);
    plug.BindOutputs(0, 2, outs, 4);
    plug.RunBlock(4);
    EXPECT_EQ(o1[3], 4.0);
    EXPECT_EQ(o2[0], 0.0);
}
