// quorvex-host validate: the battery of checks, group by group, with a
// summary; exit status 1 when any check failed.
#include <cstdio>

#include "host/HostCommands.h"
#include "host/validate/CrashGuard.h"
#include "host/validate/ValidateSupport.h"

namespace vhost {

const char* const kValidateOptionsHelp =
    "  --rate HZ            sample rate of the checks that do not set their own\n"
    "                       (default 44100)\n"
    "  --block N            block size of the checks that do not set their own\n"
    "                       (default 512)\n"
    "  --no-editor          leave the editor closed\n"
    "Each check prints 'ok', 'FAIL' with what went wrong, or 'skip' when it does not\n"
    "apply; the last line counts them. The exit status is 1 when a check failed.\n"
    "The groups: lifecycle, strings, parameters, programs, state, processing,\n"
    "editor. A plug-in that crashes or hangs (60 s in one check) ends the run with\n"
    "that check failed. Editor windows go to $DISPLAY on Linux, or to a private\n"
    "Xvfb when DISPLAY is not set.\n";

namespace {

// Longer than any check takes on a slow machine under wine.
constexpr int kHangSeconds = 60;

}  // namespace

int RunValidate(const std::vector<std::string>& args) {
    ParsedArgs parsed = ParseArgs(args, {{"rate", true}, {"block", true}, {"no-editor", false}});
    if (parsed.positional.size() != 1) throw UsageError("validate takes one plug-in file");
    validate::Options options;
    options.path = parsed.positional[0];
    if (auto rate = parsed.Last("rate")) options.sampleRate = ParsePositive("rate", *rate, 1e6);
    if (auto block = parsed.Last("block")) options.blockSize = ParseCount("block", *block, 1 << 16);
    options.editor = !parsed.Has("no-editor");

    // A file that is no plug-in is the one-line error of every command,
    // before any check runs.
    std::string title;
    {
        auto plugin = validate::LoadPlugin(options);
        title = plugin->EffectName() + " (" + std::to_string(plugin->NumParams()) +
                " parameters, " + std::to_string(plugin->NumPrograms()) + " programs, " +
                std::to_string(plugin->NumInputs()) + " in, " +
                std::to_string(plugin->NumOutputs()) + " out)";
    }
    std::printf("validating %s: %s at %g Hz, blocks of %d\n", options.path.c_str(), title.c_str(),
                options.sampleRate, options.blockSize);
    std::fflush(stdout);

    validate::CrashGuard::Install(kHangSeconds);
    validate::Report report;
    // Declared before the groups run, so that a private display outlives
    // every connection the plug-in library may hold.
    std::shared_ptr<void> display;
    validate::CheckLifecycle(report, options);
    validate::CheckStrings(report, options);
    validate::CheckParameters(report, options);
    validate::CheckPrograms(report, options);
    validate::CheckState(report, options);
    validate::CheckProcessing(report, options);
    validate::CheckEditor(report, options, display);
    std::printf("%s\n", report.Summary().c_str());
    std::fflush(stdout);
    return report.Failed() == 0 ? 0 : 1;
}

}  // namespace vhost
