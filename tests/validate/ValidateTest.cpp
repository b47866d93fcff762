// quorvex-host validate as users run it: our plug-ins pass, a third-party
// one is judged without bringing the host down, and each broken fixture
// fails the check meant for its fault.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "tests/host/HostTestSupport.h"

namespace {

using host_test::FixturePath;
using host_test::RunHost;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> LinesStartingWith(const std::string& text, const std::string& start) {
    std::vector<std::string> found;
    for (const std::string& line : Lines(text))
        if (line.compare(0, start.size(), start) == 0) found.push_back(line);
    return found;
}

// The summary line, with the counts it gives; false when there is none.
bool Summary(const std::string& output, int& checks, int& failed) {
    static const std::regex pattern(R"(^(\d+) checks, (\d+) failed(, \d+ skipped)?$)");
    for (const std::string& line : Lines(output)) {
        std::smatch m;
        if (std::regex_match(line, m, pattern)) {
            checks = std::stoi(m[1]);
            failed = std::stoi(m[2]);
            return true;
        }
    }
    return false;
}

TEST(Validate, PassesEveryPluginOfOurs) {
    std::vector<std::string> plugins = host_test::BuiltPlugins();
    ASSERT_FALSE(plugins.empty()) << "no plug-ins built in " << QUORVEX_PLUGIN_DIR;
    plugins.push_back(FixturePath("validate_fixture"));
    for (const std::string& path : plugins) {
        SCOPED_TRACE(path);
        auto r = RunHost({"validate", path});
        EXPECT_EQ(r.exitCode, 0) << r.output;
        EXPECT_TRUE(LinesStartingWith(r.output, "FAIL").empty()) << r.output;
        int checks = 0, failed = -1;
        ASSERT_TRUE(Summary(r.output, checks, failed)) << r.output;
        EXPECT_EQ(failed, 0);
        EXPECT_GT(checks, 20);
        // Every group ran: a plug-in with an editor had it opened.
        for (const char* group : {"lifecycle:", "strings:", "parameters:", "programs:", "state:",
                                  "processing:", "editor:"})
            EXPECT_TRUE(Contains(r.output, group)) << group << "\n" << r.output;
        const bool hasEditor = LinesStartingWith(r.output, "skip editor: editor:").empty();
        if (hasEditor) {
            EXPECT_EQ(LinesStartingWith(r.output, "ok   editor:").size(), 5u) << r.output;
        }
    }
}

TEST(Validate, TakesTheRateTheBlockSizeAndNoEditor) {
    const std::string drive = host_test::BuiltPluginPath("quorvex_drive");
    auto r = RunHost({"validate", drive, "--rate", "96000", "--block", "100", "--no-editor"});
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_TRUE(Contains(r.output, "at 96000 Hz, blocks of 100")) << r.output;
    EXPECT_EQ(LinesStartingWith(r.output, "skip editor: editor: --no-editor was given").size(), 1u)
        << r.output;
    EXPECT_TRUE(LinesStartingWith(r.output, "ok   editor:").empty()) << r.output;
}

TEST(Validate, FailsEachBrokenFixtureAtItsFault) {
    const struct {
        const char* fixture;
        const char* failure;  // the start of the FAIL line, then what it must say
        const char* reason;
    } cases[] = {
        {"validate_fixture_long_name", "FAIL strings: parameter names end within 64 bytes",
         "parameter 0 name: wrote 100 bytes"},
        {"validate_fixture_nan_param",
         "FAIL parameters: values outside 0..1, infinities and NaN read back finite",
         "parameter 0 (Gain) set to nan reads nan"},
        {"validate_fixture_stuck_nan", "FAIL processing: after a block of NaN and infinite input",
         "after 8 blocks of silence output 0 is nan"},
        {"validate_fixture_shared_state",
         "FAIL lifecycle: two instances at once, processing in turn, keep to themselves",
         "differs from one alone"},
#ifndef VALIDATE_SANITIZED
        {"validate_fixture_chunk_crash",
         "FAIL state: bank chunk: damaged chunks leave valid parameters and finite output",
         "the plug-in crashed"},
#endif
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixture);
        auto r = RunHost({"validate", FixturePath(c.fixture)});
        EXPECT_EQ(r.exitCode, 1) << r.output;
        const auto failures = LinesStartingWith(r.output, c.failure);
        ASSERT_EQ(failures.size(), 1u) << r.output;
        EXPECT_TRUE(Contains(failures[0], c.reason)) << failures[0];
        int checks = 0, failed = 0;
        ASSERT_TRUE(Summary(r.output, checks, failed)) << r.output;
        EXPECT_GE(failed, 1);
        EXPECT_EQ(failed, int(LinesStartingWith(r.output, "FAIL").size())) << r.output;
    }
}

TEST(Validate, UsageErrorsAndBadFilesGiveOneLine) {
    const std::string fixture = FixturePath("validate_fixture");
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"validate"}, 2, "validate takes one plug-in file"},
        {{"validate", fixture, fixture}, 2, "validate takes one plug-in file"},
        {{"validate", fixture, "--block", "0"}, 2, "bad value '0' for --block"},
        {{"validate", fixture, "--rate", "fast"}, 2, "bad value 'fast' for --rate"},
        {{"validate", fixture, "--program", "1"}, 2, "unknown option --program"},
        {{"validate", fixture, "--no-editor=1"}, 2, "--no-editor takes no value"},
        {{"validate", FixturePath("missing")}, 1, "no such file"},
        {{"validate", VALIDATE_NOT_A_PLUGIN}, 1, "not a VST 2 plug-in"},
    };
    for (const auto& c : cases) {
        std::string joined;
        for (const auto& a : c.args) joined += a + " ";
        SCOPED_TRACE(joined);
        auto r = RunHost(c.args);
        EXPECT_EQ(r.exitCode, c.status) << r.output;
        EXPECT_TRUE(Contains(r.output, c.message)) << r.output;
        EXPECT_EQ(Lines(r.output).size(), 1u) << r.output;
    }
    auto overview = RunHost({"--help"});
    EXPECT_TRUE(Contains(overview.output, "  validate ")) << overview.output;
    auto help = RunHost({"validate", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* part : {"--rate", "--block", "--no-editor", "skip"})
        EXPECT_TRUE(Contains(help.output, part)) << part << "\n" << help.output;
}

// A plug-in we did not write (Debian's lsp-plugins-vst): its verdicts are
// not ours to assert, only that the run completes with a summary, crash or
// no crash inside the plug-in.
TEST(Validate, CompletesOnAThirdPartyPlugin) {
#if defined(_WIN32)
    GTEST_SKIP() << "the third-party plug-in is a Linux library";
#elif defined(VALIDATE_SANITIZED)
    GTEST_SKIP() << "the sanitizers take over the plug-in's own faults";
#else
    const char* const path = "/usr/lib/vst/lsp-plugins/comp-delay-stereo.so";
    if (!host_test::FileExists(path)) GTEST_SKIP() << "lsp-plugins-vst is not installed";
    auto r = RunHost({"validate", path});
    EXPECT_TRUE(r.exitCode == 0 || r.exitCode == 1) << r.output;
    int checks = 0, failed = 0;
    EXPECT_TRUE(Summary(r.output, checks, failed)) << r.output;
    EXPECT_EQ(r.exitCode, failed == 0 ? 0 : 1);
#endif
}

}  // namespace
