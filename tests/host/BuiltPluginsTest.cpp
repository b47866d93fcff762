// Every plug-in of this build (the test product and the products), driven
// the way a host drives it: open, texts, programs, chunks, the three
// processing forms, close.
#include <gtest/gtest.h>

#include <cmath>

#include "host/PluginInstance.h"
#include "host/Render.h"
#include "tests/host/HostTestSupport.h"

namespace {

using vhost::PluginInstance;
using vhost::ProcessForm;

std::unique_ptr<PluginInstance> Load(const std::string& path) {
    vhost::LoadOptions options;
    options.sampleRate = 48000.0;
    options.blockSize = 256;
    return PluginInstance::Load(path, options);
}

class BuiltPlugins : public ::testing::Test {
  protected:
    void SetUp() override {
        plugins_ = host_test::BuiltPlugins();
        if (plugins_.empty()) GTEST_SKIP() << "no plug-ins built in " << QUORVEX_PLUGIN_DIR;
    }
    std::vector<std::string> plugins_;
};

TEST_F(BuiltPlugins, OpenDescribeAndSwitchPrograms) {
    for (const std::string& path : plugins_) {
        SCOPED_TRACE(path);
        auto plugin = Load(path);
        EXPECT_FALSE(plugin->EffectName().empty());
        EXPECT_GT(plugin->NumOutputs(), 0);
        EXPECT_GE(plugin->NumPrograms(), 1);
        EXPECT_EQ(plugin->Dispatch(effGetVstVersion), 2400);
        for (int i = 0; i < plugin->NumParams(); ++i) {
            EXPECT_FALSE(plugin->ParamName(i).empty()) << "parameter " << i;
            EXPECT_FALSE(plugin->DisplayAt(i, 0.0f).empty()) << "parameter " << i;
            EXPECT_FALSE(plugin->DisplayAt(i, 1.0f).empty()) << "parameter " << i;
        }
        for (int p = plugin->NumPrograms() - 1; p >= 0; --p) {
            plugin->SetProgram(p);
            EXPECT_EQ(plugin->Program(), p);
            if (!plugin->ProgramNameIndexed(p).empty()) {
                EXPECT_EQ(plugin->ProgramName(), plugin->ProgramNameIndexed(p));
            }
        }
        if (plugin->HasEditor()) {
            auto rect = plugin->EditorRect();
            ASSERT_TRUE(rect);
            EXPECT_GT(rect->right - rect->left, 0);
            EXPECT_GT(rect->bottom - rect->top, 0);
        }
    }
}

TEST_F(BuiltPlugins, ChunksRoundTrip) {
    for (const std::string& path : plugins_)
        for (bool program : {false, true}) {
            SCOPED_TRACE(path + (program ? " program" : " bank"));
            auto source = Load(path);
            source->SetProgram(source->NumPrograms() - 1);
            for (int i = 0; i < source->NumParams(); ++i)
                source->SetParam(i, static_cast<float>((i * 37 % 100) / 100.0));
            const std::vector<std::uint8_t> saved = source->GetChunk(program);
            if (saved.empty()) continue;  // no chunks offered
            auto target = Load(path);
            // A bank restores every slot and makes the current one live; the
            // current index is the host's to set, as it does on project load.
            target->SetProgram(source->Program());
            ASSERT_TRUE(target->SetChunk(saved, program));
            for (int i = 0; i < source->NumParams(); ++i)
                EXPECT_EQ(target->ParamDisplay(i), source->ParamDisplay(i)) << "parameter " << i;
            EXPECT_EQ(target->GetChunk(program), saved);
        }
}

TEST_F(BuiltPlugins, ThreeProcessingFormsAgree) {
    const vhost::AudioBuffer input = host_test::TestSignal(2, 48000 / 4, 48000.0);
    for (const std::string& path : plugins_) {
        SCOPED_TRACE(path);
        std::vector<vhost::AudioBuffer> outputs;
        for (ProcessForm form :
             {ProcessForm::Replacing, ProcessForm::Accumulating, ProcessForm::Double}) {
            auto plugin = Load(path);
            if (form == ProcessForm::Double && !plugin->SupportsDouble()) continue;
            vhost::RenderOptions options;
            options.form = form;
            outputs.push_back(vhost::Render(*plugin, input, options));
        }
        for (const vhost::AudioBuffer& out : outputs) {
            ASSERT_EQ(out.Frames(), input.Frames());
            for (const auto& channel : out.channels)
                for (float v : channel) ASSERT_TRUE(std::isfinite(v));
        }
        for (size_t k = 1; k < outputs.size(); ++k)
            for (size_t c = 0; c < outputs[0].channels.size(); ++c)
                for (size_t i = 0; i < input.Frames(); ++i)
                    ASSERT_NEAR(outputs[k].channels[c][i], outputs[0].channels[c][i], 1e-4)
                        << "form " << k << " channel " << c << " frame " << i;
    }
}

}  // namespace
