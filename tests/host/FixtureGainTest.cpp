// The framework's test product through the command-line host: programs by
// name, plain values through its own texts, and the samples it renders.
#include <gtest/gtest.h>

#include <cmath>

#include "host/AudioFile.h"
#include "tests/host/HostTestSupport.h"

namespace {

class FixtureGain : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = host_test::BuiltPluginPath("fixture_gain");
        if (!host_test::FileExists(path_)) GTEST_SKIP() << "fixture_gain is not built";
    }
    std::string path_;
};

TEST_F(FixtureGain, InfoWithProgramAndSettings) {
    auto r = host_test::RunHost(
        {"info", path_, "--program", "quiet", "--set", "Routing=Swap", "--set", "3=50"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* part : {"unique id:    QvxG", "programs:     5 (current 1)", "Routing = Swap",
                             "Mix = 50 %", "2  \"Input 3\" (active, stereo)"})
        EXPECT_NE(r.output.find(part), std::string::npos) << part << "\n" << r.output;
}

TEST_F(FixtureGain, RenderSwapsAndScalesTheChannels) {
    const vhost::AudioBuffer input = host_test::TestSignal(2, 5000, 44100.0);
    const std::string in = host_test::TempPath("gain-in.wav");
    vhost::WriteAudioFile(in, input);
    const double g = std::pow(10.0, -6.0 / 20.0);
    for (const char* form : {"--block=256", "--double", "--accumulate"}) {
        SCOPED_TRACE(form);
        const std::string out = host_test::TempPath("gain-out.wav");
        auto r = host_test::RunHost({"render", path_, in, out, "--set", "Gain=-6", "--set",
                                     "routing=swap", "--set", "Mix=100", form});
        ASSERT_EQ(r.exitCode, 0) << r.output;
        const vhost::AudioBuffer output = vhost::ReadAudioFile(out);
        ASSERT_EQ(output.Channels(), 2);
        ASSERT_EQ(output.Frames(), input.Frames());
        // The display shows whole decibels; the middle of the "-6" stretch is
        // within a few hundredths of a decibel of -6.
        for (size_t i = 0; i < input.Frames(); ++i) {
            ASSERT_NEAR(output.channels[0][i], g * input.channels[1][i], 3e-3) << i;
            ASSERT_NEAR(output.channels[1][i], g * input.channels[0][i], 3e-3) << i;
        }
    }
}

}  // namespace
