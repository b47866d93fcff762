// The built plug-in library as a host sees it: identity, parameter and
// program lists, chunks, channel configurations and hostile input, all
// through the exported entry point.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "host/PluginInstance.h"

namespace {

std::string PluginPath() {
#if defined(_WIN32)
    return std::string(QUORVEX_PLUGIN_DIR) + "/quorvex.dll";
#else
    return std::string(QUORVEX_PLUGIN_DIR) + "/quorvex.so";
#endif
}

std::unique_ptr<vhost::PluginInstance> Load() {
    vhost::LoadOptions options;
    options.blockSize = 256;
    auto plug = vhost::PluginInstance::Load(PluginPath(), options);
    if (plug) plug->Resume();
    return plug;
}

// Stereo test audio on inputs 1-2 and a loud side-chain on 3-4.
struct HostBlock {
    explicit HostBlock(int frames) : n(frames) {
        for (auto& ch : in) ch.assign(static_cast<size_t>(n), 0.0f);
        for (auto& ch : out) ch.assign(static_cast<size_t>(n), 0.0f);
    }
    void Fill(int64_t start, float sideGain) {
        for (int i = 0; i < n; ++i) {
            const double t = static_cast<double>(start + i) / 44100.0;
            in[0][i] = static_cast<float>(0.3 * std::sin(6.2831853 * 330.0 * t));
            in[1][i] = static_cast<float>(0.3 * std::sin(6.2831853 * 440.0 * t));
            in[2][i] = static_cast<float>(sideGain * std::sin(6.2831853 * 60.0 * t));
            in[3][i] = in[2][i];
        }
    }
    bool Run(vhost::PluginInstance& plug) {
        float* inputs[4] = {in[0].data(), in[1].data(), in[2].data(), in[3].data()};
        float* outputs[2] = {out[0].data(), out[1].data()};
        return plug.ProcessReplacing(inputs, outputs, n);
    }
    double Level() const {
        double s = 0.0;
        for (const auto& ch : out) {
            for (float v : ch) s += std::fabs(v);
        }
        return s;
    }
    int n;
    std::vector<float> in[4];
    std::vector<float> out[2];
};

int ParamIndex(vhost::PluginInstance& plug, const std::string& name) {
    for (int i = 0; i < plug.NumParams(); ++i) {
        if (plug.ParamName(i) == name) return i;
    }
    return -1;
}

TEST(QuorvexHost, Identity) {
    auto plug = Load();
    ASSERT_TRUE(plug);
    EXPECT_EQ(plug->EffectName(), "Quorvex (no SSE2)");
    EXPECT_EQ(plug->VendorName(), "Norvu");
    EXPECT_EQ(plug->ProductName(), "");
    EXPECT_EQ(vhost::FourCharText(plug->UniqueId()), "QvxR");
    EXPECT_EQ(plug->Version(), 10002);
    EXPECT_EQ(plug->NumInputs(), 4);
    EXPECT_EQ(plug->NumOutputs(), 2);
    EXPECT_EQ(plug->NumParams(), 60);
    EXPECT_EQ(plug->NumPrograms(), 32);
    const VstInt32 required = effFlagsCanReplacing | effFlagsCanDoubleReplacing | effFlagsCanMono;
    EXPECT_EQ(plug->Flags() & required, required);
    EXPECT_FALSE(plug->HasFlag(effFlagsProgramChunks));
}

TEST(QuorvexHost, ParameterListAsHostsShowIt) {
    auto plug = Load();
    ASSERT_TRUE(plug);
    std::set<std::string> names;
    for (int i = 0; i < plug->NumParams(); ++i) {
        EXPECT_TRUE(names.insert(plug->ParamName(i)).second) << plug->ParamName(i);
    }
    EXPECT_EQ(plug->ParamName(35), "phaser frequency 1 modulation strength");
    EXPECT_EQ(plug->ParamName(38), "phaser frequency 2 modulation strength");
    struct Row {
        int idx;
        const char* display;
        const char* label;
    } rows[] = {{0, "off", ""},
                {1, "0", "dB"},
                {6, "tri", ""},
                {9, "-18.00", "dB"},
                {13, "0", "ms"},
                {19, "low pass", ""},
                {20, "no modulation", ""},
                {22, "18000", "Hz"},
                {34, "LFO 2", ""},
                {36, "3400", "Hz"},
                {51, "0.25", ""},
                {58, "on", ""}};
    for (const Row& r : rows) {
        EXPECT_EQ(plug->ParamDisplay(r.idx), r.display) << plug->ParamName(r.idx);
        EXPECT_EQ(plug->ParamLabel(r.idx), r.label) << plug->ParamName(r.idx);
    }
    // A host moving the shaped cutoff knob to the middle.
    plug->SetParam(22, 0.5f);
    EXPECT_EQ(plug->ParamDisplay(22), "3190");  // 10 + 17990 * 0.5^2.5, to the 1 Hz step
}

TEST(QuorvexHost, ProgramListAndRecall) {
    auto plug = Load();
    ASSERT_TRUE(plug);
    EXPECT_EQ(plug->ProgramNameIndexed(0), "Default");
    EXPECT_EQ(plug->ProgramNameIndexed(5), "[DRUM]  Heavy Comp");
    EXPECT_EQ(plug->ProgramNameIndexed(26), "[VOX]  Doublexpander");
    EXPECT_EQ(plug->ProgramNameIndexed(27), "- 27 -");
    EXPECT_EQ(plug->ProgramNameIndexed(31), "- 31 -");

    plug->SetProgram(1);
    EXPECT_EQ(plug->ProgramName(), "Full Bypass");
    for (int idx : {18, 25, 30, 45}) EXPECT_EQ(plug->ParamDisplay(idx), "off");
    EXPECT_EQ(plug->ParamDisplay(29), "on");

    plug->SetProgram(5);
    EXPECT_EQ(plug->ParamDisplay(8), "0.89");
    EXPECT_EQ(plug->ParamDisplay(26), "env follower");
    EXPECT_EQ(plug->ParamDisplay(22), "18000");

    plug->SetProgram(31);
    EXPECT_EQ(plug->ProgramName(), "user preset 1");
}

TEST(QuorvexHost, EveryFactoryProgramSurvivesAChunkRoundTrip) {
    auto source = Load();
    auto target = Load();
    ASSERT_TRUE(source && target);
    for (int program = 0; program < 27; ++program) {
        source->SetProgram(program);
        const std::vector<std::uint8_t> chunk = source->GetChunk(true);
        ASSERT_EQ(chunk.size(), 8u + 60u * 8u);
        target->SetProgram(program == 2 ? 3 : 2);
        ASSERT_TRUE(target->SetChunk(chunk, true)) << program;
        for (int i = 0; i < 60; ++i) {
            ASSERT_EQ(target->GetParam(i), source->GetParam(i))
                << source->ProgramNameIndexed(program) << " " << source->ParamName(i);
        }
        // The restored state sounds the same.
        HostBlock a(256), b(256);
        for (int blk = 0; blk < 4; ++blk) {
            a.Fill(blk * 256, 0.8f);
            b.Fill(blk * 256, 0.8f);
            ASSERT_TRUE(a.Run(*source));
            ASSERT_TRUE(b.Run(*target));
        }
        EXPECT_EQ(a.out[0], b.out[0]) << program;
        EXPECT_EQ(a.out[1], b.out[1]) << program;
    }
}

TEST(QuorvexHost, SideChainFollowsTheChannelConfiguration) {
    // Output ducked by the follower listening to the side-chain. With a
    // stereo input arrangement the side-chain inputs are disconnected.
    double level[2] = {};
    for (int stereoOnly = 0; stereoOnly < 2; ++stereoOnly) {
        auto plug = Load();
        ASSERT_TRUE(plug);
        if (stereoOnly) {
            VstSpeakerArrangement in{}, out{};
            in.numChannels = 2;
            out.numChannels = 2;
            plug->Dispatch(effSetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out);
        }
        plug->SetParam(ParamIndex(*plug, "sidechain detector"), 1.0f);
        plug->SetParam(ParamIndex(*plug, "output modulation source"), 0.75f);   // env follower
        plug->SetParam(ParamIndex(*plug, "output modulation strength"), 0.0f);  // -1
        HostBlock b(256);
        for (int blk = 0; blk < 30; ++blk) {
            b.Fill(blk * 256, 1.0f);
            ASSERT_TRUE(b.Run(*plug));
        }
        level[stereoOnly] = b.Level();
    }
    EXPECT_LT(level[0], 0.1 * level[1]);
    EXPECT_GT(level[1], 10.0);
}

TEST(QuorvexHost, HostileSamplesDoNotStick) {
    auto plug = Load();
    ASSERT_TRUE(plug);
    plug->SetProgram(24);
    HostBlock b(256);
    b.Fill(0, 0.5f);
    b.in[0][3] = std::numeric_limits<float>::quiet_NaN();
    b.in[1][9] = std::numeric_limits<float>::infinity();
    b.in[2][17] = -std::numeric_limits<float>::infinity();
    ASSERT_TRUE(b.Run(*plug));
    for (int blk = 1; blk < 10; ++blk) {
        b.Fill(blk * 256, 0.5f);
        ASSERT_TRUE(b.Run(*plug));
        for (const auto& ch : b.out) {
            for (float v : ch) ASSERT_TRUE(std::isfinite(v));
        }
    }
    EXPECT_GT(b.Level(), 1.0);
}

}  // namespace
