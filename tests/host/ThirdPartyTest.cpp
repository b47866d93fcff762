// A plug-in we did not write: Debian's lsp-plugins-vst delay compensator,
// through the command-line host.
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/AudioFile.h"
#include "tests/host/HostTestSupport.h"

namespace {

const char* const kThirdParty = "/usr/lib/vst/lsp-plugins/comp-delay-stereo.so";

class ThirdParty : public ::testing::Test {
  protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the third-party plug-in is a Linux library";
#else
        if (!host_test::FileExists(kThirdParty)) GTEST_SKIP() << "lsp-plugins-vst is not installed";
        // Leaks inside someone else's library are not ours to report (the
        // sanitizer build checks leaks everywhere else).
        setenv("LSAN_OPTIONS", "detect_leaks=0", 1);
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        unsetenv("LSAN_OPTIONS");
#endif
    }
};

TEST_F(ThirdParty, Info) {
    auto r = host_test::RunHost({"info", kThirdParty});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* part : {"effect:       Delay Compensator Stereo", "inputs:       2",
                             "outputs:      2", "samp = 0 samp", "wet = ", "programs:"})
        EXPECT_NE(r.output.find(part), std::string::npos) << part << "\n" << r.output;
}

TEST_F(ThirdParty, RenderDelaysAnImpulseByTheSamplesSet) {
    vhost::AudioBuffer impulse;
    impulse.sampleRate = 48000.0;
    impulse.channels.assign(2, std::vector<float>(2000, 0.0f));
    impulse.channels[0][5] = 0.5f;
    impulse.channels[1][5] = -0.25f;
    const std::string in = host_test::TempPath("lsp-in.wav");
    const std::string out = host_test::TempPath("lsp-out.wav");
    vhost::WriteAudioFile(in, impulse);
    // A plain number of samples, a level in dB, and "-inf" as the plug-in shows it.
    for (const char* form : {"--block=64", "--double"}) {
        auto r = host_test::RunHost({"render", kThirdParty, in, out, "--set", "samp=10", "--set",
                                     "wet=0 dB", "--set", "dry=-inf", form});
        if (std::string(form) == "--double" && r.exitCode != 0) {
            // Not every plug-in offers 64-bit processing; the refusal must be clear.
            EXPECT_NE(r.output.find("no 64-bit processing"), std::string::npos) << r.output;
            continue;
        }
        ASSERT_EQ(r.exitCode, 0) << r.output;
        const vhost::AudioBuffer output = vhost::ReadAudioFile(out);
        ASSERT_EQ(output.Channels(), 2);
        for (size_t i = 0; i < output.Frames(); ++i) {
            EXPECT_NEAR(output.channels[0][i], i == 15 ? 0.5f : 0.0f, 1e-4) << i;
            EXPECT_NEAR(output.channels[1][i], i == 15 ? -0.25f : 0.0f, 1e-4) << i;
        }
    }
}

}  // namespace
