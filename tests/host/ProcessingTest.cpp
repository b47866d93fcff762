// The three processing calls and the block-by-block render: known signals
// in, the fixture's formula out.
#include <gtest/gtest.h>

#include <cmath>

#include "host/HostError.h"
#include "host/PluginInstance.h"
#include "host/Render.h"
#include "tests/host/HostTestSupport.h"
#include "tests/host/fixture/HostFixture.h"

namespace {

using vhost::PluginInstance;
using vhost::ProcessForm;

constexpr int kBlock = 64;

std::unique_ptr<PluginInstance> LoadFixture(int block = kBlock) {
    vhost::LoadOptions options;
    options.blockSize = block;
    return PluginInstance::Load(host_test::FixturePath("host_fixture"), options);
}

// The fixture's output for one frame, with the gain at 'db' and mode Clean.
double Expected(double db, double in, double side) {
    return std::pow(10.0, db / 20.0) * in + 0.5 * side;
}

template <typename T>
struct Buffers {
    std::vector<std::vector<T>> in, out;
    std::vector<T*> inPtr, outPtr;
    Buffers(int frames, T outFill) {
        in.assign(4, std::vector<T>(static_cast<size_t>(frames)));
        out.assign(2, std::vector<T>(static_cast<size_t>(frames), outFill));
        for (int c = 0; c < 4; ++c)
            for (int i = 0; i < frames; ++i)
                in[static_cast<size_t>(c)][static_cast<size_t>(i)] =
                    static_cast<T>(0.1 * (c + 1) + 0.001 * i);
        for (auto& v : in) inPtr.push_back(v.data());
        for (auto& v : out) outPtr.push_back(v.data());
    }
};

TEST(Processing, ReplacingAccumulatingAndDoubleGiveTheFormula) {
    auto plugin = LoadFixture();
    plugin->SetParam(0, 54.0f / 72.0f);  // -6 dB
    plugin->Resume();
    const double db = -60.0 + 72.0 * static_cast<double>(54.0f / 72.0f);

    Buffers<float> replaced(kBlock, 9.0f), accumulated(kBlock, 0.25f);
    Buffers<double> doubled(kBlock, 9.0);
    ASSERT_TRUE(plugin->ProcessReplacing(replaced.inPtr.data(), replaced.outPtr.data(), kBlock));
    ASSERT_TRUE(
        plugin->ProcessAccumulating(accumulated.inPtr.data(), accumulated.outPtr.data(), kBlock));
    ASSERT_TRUE(plugin->ProcessDouble(doubled.inPtr.data(), doubled.outPtr.data(), kBlock));
    for (size_t c = 0; c < 2; ++c)
        for (size_t i = 0; i < kBlock; ++i) {
            const double y = Expected(db, doubled.in[c][i], doubled.in[c + 2][i]);
            EXPECT_NEAR(replaced.out[c][i], y, 1e-6);
            // Accumulating adds to what the host left in the outputs.
            EXPECT_NEAR(accumulated.out[c][i], 0.25 + y, 1e-6);
            EXPECT_NEAR(doubled.out[c][i], y, 1e-12);
        }
}

TEST(Processing, AnyBlockUpToTheAnnouncedSizeAndNotBeyond) {
    auto plugin = LoadFixture();
    plugin->Resume();
    Buffers<float> f(kBlock + 1, 0.0f);
    Buffers<double> d(kBlock + 1, 0.0);
    for (int frames : {1, 7, kBlock - 1, kBlock}) {
        EXPECT_TRUE(plugin->ProcessReplacing(f.inPtr.data(), f.outPtr.data(), frames));
        EXPECT_TRUE(plugin->ProcessDouble(d.inPtr.data(), d.outPtr.data(), frames));
    }
    const double position = plugin->Host().SamplePosition();
    EXPECT_EQ(position, 2.0 * (1 + 7 + kBlock - 1 + kBlock));
    EXPECT_FALSE(plugin->ProcessReplacing(f.inPtr.data(), f.outPtr.data(), kBlock + 1));
    EXPECT_FALSE(plugin->ProcessAccumulating(f.inPtr.data(), f.outPtr.data(), kBlock + 1));
    EXPECT_FALSE(plugin->ProcessDouble(d.inPtr.data(), d.outPtr.data(), kBlock + 1));
    EXPECT_EQ(plugin->Host().SamplePosition(), position);
    host_fixture::BlocksSeen seen{};
    plugin->Dispatch(effVendorSpecific, host_fixture::kQueryBlocks, 0, &seen);
    EXPECT_EQ(seen.maxFrames, kBlock);
    EXPECT_EQ(seen.calls, 8);

    // A smaller announced size is honoured at once, and while active.
    plugin->SetBlockSize(16);
    EXPECT_TRUE(plugin->Active());
    EXPECT_FALSE(plugin->ProcessReplacing(f.inPtr.data(), f.outPtr.data(), 17));
    EXPECT_TRUE(plugin->ProcessReplacing(f.inPtr.data(), f.outPtr.data(), 16));
}

TEST(Render, MapsFileChannelsOntoThePlugInsInputs) {
    // Unity gain, mode Clean: out c = in c + 0.5 * in c+2.
    const struct {
        int fileChannels;
        // Which file channel feeds inputs 0..3 (-1 silence).
        int source[4];
    } cases[] = {
        {1, {0, 0, -1, -1}},  // mono feeds both main inputs
        {2, {0, 1, -1, -1}},
        {3, {0, 1, 2, -1}},
        {5, {0, 1, 2, 3}},  // the fifth channel is dropped
    };
    for (ProcessForm form :
         {ProcessForm::Replacing, ProcessForm::Accumulating, ProcessForm::Double})
        for (const auto& c : cases) {
            SCOPED_TRACE(c.fileChannels);
            auto plugin = LoadFixture(100);
            const vhost::AudioBuffer input = host_test::TestSignal(c.fileChannels, 1234);
            vhost::RenderOptions options;
            options.form = form;
            const vhost::AudioBuffer output = vhost::Render(*plugin, input, options);
            ASSERT_EQ(output.Channels(), 2);
            ASSERT_EQ(output.Frames(), input.Frames());
            auto at = [&](int pin, size_t i) {
                return c.source[pin] < 0 ? 0.0f
                                         : input.channels[static_cast<size_t>(c.source[pin])][i];
            };
            for (int ch = 0; ch < 2; ++ch)
                for (size_t i = 0; i < input.Frames(); ++i)
                    ASSERT_NEAR(output.channels[static_cast<size_t>(ch)][i],
                                at(ch, i) + 0.5 * at(ch + 2, i), 1e-6)
                        << "channel " << ch << " frame " << i;
        }
}

TEST(Render, RefusesAFormThePlugInLacks) {
    auto plugin = LoadFixture();
    plugin->Effect()->flags &= ~effFlagsCanDoubleReplacing;
    vhost::RenderOptions options;
    options.form = ProcessForm::Double;
    EXPECT_THROW(vhost::Render(*plugin, host_test::TestSignal(2, 10), options), vhost::HostError);
}

}  // namespace
