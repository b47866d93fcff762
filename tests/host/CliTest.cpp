// quorvex-host as users run it: exit status and one-line messages, and a
// render whose output we can compute.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "host/AudioFile.h"
#include "tests/host/HostTestSupport.h"

namespace {

using host_test::FixturePath;
using host_test::RunHost;
using host_test::TempPath;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

int LineCount(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

TEST(Cli, InfoListsWhatTheFixtureDeclares) {
    auto r =
        RunHost({"info", FixturePath("host_fixture"), "--program", "Quiet", "--set", "Mode=Half"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* part :
         {"effect:       Host Fixture", "vendor:       Fixture Works", "unique id:    Hfix",
          "flags:        0x1031 (editor, replacing, chunks, double replacing)", "inputs:       4",
          "2  \"In 3\" (active, stereo)", "1  \"Out 2\" (active)", "0  Gain = -20.0 dB",
          "1  Mode = Half", "programs:     3 (current 1)", "2  Loud Invert",
          "editor:       320 x 200"})
        EXPECT_TRUE(Contains(r.output, part)) << part << "\n" << r.output;
}

TEST(Cli, FailsWithOneLineAndNonZeroStatus) {
    const std::string wav = TempPath("cli-in.wav");
    vhost::WriteAudioFile(wav, host_test::TestSignal(2, 100));
    const std::string notWav = TempPath("cli-not.wav");
    std::ofstream(notWav) << "no audio here, only words that fill more than a header\n";
    const std::string fixture = FixturePath("host_fixture");
    const std::string out = TempPath("cli-out.wav");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"info", FixturePath("missing")}, 1, "no such file"},
        {{"info", FixturePath("host_not_a_plugin")}, 1, "not a VST 2 plug-in"},
        {{"info", FixturePath("host_fixture_null")}, 1, "not a VST 2 plug-in"},
        {{"info", FixturePath("host_fixture_bad_magic")}, 1, "bad magic"},
        {{"info", fixture, "--program", "Loudest"}, 1, "unknown program 'Loudest'"},
        {{"info", fixture, "--program", "7"}, 1, "unknown program 7"},
        {{"info", fixture, "--set", "Volume=3"}, 1, "unknown parameter 'Volume'"},
        {{"info", fixture, "--set", "Gain=99"},
         1,
         "outside the range of 'Gain' (-60.0 .. 12.0 dB)"},
        {{"info", fixture, "--set", "Gain"}, 2, "expected NAME=VALUE"},
        {{"render", fixture, TempPath("none.wav"), out}, 1, "no such file"},
        {{"render", fixture, notWav, out}, 1, "unreadable audio file"},
        {{"render", fixture, wav, out, "--block", "0"}, 2, "bad value '0' for --block"},
        {{"render", fixture, wav, out, "--block", "12x"}, 2, "bad value '12x' for --block"},
        {{"render", fixture, wav, out, "--rate", "-5"}, 2, "bad value '-5' for --rate"},
        {{"render", fixture, wav, out, "--tempo", "fast"}, 2, "bad value 'fast' for --tempo"},
        {{"render", fixture, wav, out, "--timesig", "3/5"}, 2, "--timesig"},
        {{"render", fixture, wav, out, "--timesig", "4"}, 2, "--timesig"},
        {{"render", fixture, wav, out, "--double", "--accumulate"}, 2, "exclude each other"},
        {{"render", fixture, wav}, 2, "an input file and an output file"},
        {{"render", fixture, wav, out, "--frobnicate"}, 2, "unknown option --frobnicate"},
        {{"render", fixture, wav, out, "--set"}, 2, "--set needs a value"},
        {{"render", fixture, wav, TempPath("no/such/folder/out.wav")}, 1, "cannot write"},
        {{"transmogrify"}, 2, "unknown command 'transmogrify'"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE(joined);
        auto r = RunHost(c.args);
        EXPECT_EQ(r.exitCode, c.status) << r.output;
        EXPECT_TRUE(Contains(r.output, c.message)) << r.output;
        EXPECT_EQ(LineCount(r.output), 1) << r.output;
    }
}

TEST(Cli, HelpDescribesHowValuesAreSet) {
    auto overview = RunHost({"--help"});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_TRUE(Contains(overview.output, "render")) << overview.output;
    auto render = RunHost({"render", "--help"});
    EXPECT_EQ(render.exitCode, 0);
    for (const char* part : {"--set PARAM=VALUE", "n:0.25", "--double", "--accumulate", "--tempo",
                             "--timesig", "--program", "--block", "--rate"})
        EXPECT_TRUE(Contains(render.output, part)) << part;
}

TEST(Cli, RenderProducesTheFixturesFormula) {
    const vhost::AudioBuffer input = host_test::TestSignal(1, 3001, 32000.0);
    const std::string in = TempPath("render-in.wav");
    vhost::WriteAudioFile(in, input);
    // Loud Invert is +6 dB inverted; the setting then takes the gain to -6 dB.
    const double factor = -std::pow(10.0, -6.0 / 20.0);
    for (const char* form : {"", "--double", "--accumulate"}) {
        SCOPED_TRACE(form);
        const std::string out = TempPath(std::string("render-out") + form + ".wav");
        std::vector<std::string> args = {"render",    FixturePath("host_fixture"),
                                         in,          out,
                                         "--program", "Loud Invert",
                                         "--set",     "gain=-6dB",
                                         "--block",   "100",
                                         "--tempo",   "133",
                                         "--timesig", "7/8"};
        if (*form) args.push_back(form);
        auto r = RunHost(args);
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_TRUE(Contains(r.output, "rendered 3001 frames, 1 -> 2 channels at 32000 Hz"))
            << r.output;
        const vhost::AudioBuffer output = vhost::ReadAudioFile(out);
        ASSERT_EQ(output.Channels(), 2);
        ASSERT_EQ(output.Frames(), input.Frames());
        EXPECT_EQ(output.sampleRate, 32000.0);
        for (int c = 0; c < 2; ++c)
            for (size_t i = 0; i < input.Frames(); ++i)
                ASSERT_NEAR(output.channels[static_cast<size_t>(c)][i],
                            factor * input.channels[0][i], 1e-5)
                    << "channel " << c << " frame " << i;
    }
    // --rate overrides the file's rate, without resampling.
    const std::string out = TempPath("render-rate.wav");
    auto r = RunHost({"render", FixturePath("host_fixture"), in, out, "--rate", "44100"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    const vhost::AudioBuffer unity = vhost::ReadAudioFile(out);
    EXPECT_EQ(unity.sampleRate, 44100.0);
    for (size_t i = 0; i < input.Frames(); ++i)
        ASSERT_NEAR(unity.channels[0][i], input.channels[0][i], 1e-6) << i;
}

}  // namespace
