// quorvex-host edit: a plug-in's editor in a window of its own, for a person
// to try, with audio running through the plug-in so that meters and lamps
// move, until the window is closed or the time is up.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>

#include "host/AudioFile.h"
#include "host/AudioLoop.h"
#include "host/EditorHost.h"
#include "host/HostCommands.h"
#include "host/PluginInstance.h"

#ifndef _WIN32
#include "host/EditorHostXvfb.h"
#endif

namespace vhost {

const char* const kEditOptionsHelp =
    "  --seconds S          close the editor after S seconds (default: when the\n"
    "                       window is closed)\n"
    "  --input FILE         audio played through the plug-in in a loop\n"
    "                       (default: silence)\n"
    "  --verbose            print the automation the plug-in reports\n"
    "The editor opens in a window of its own size, on $DISPLAY on Linux. While it\n"
    "is open a separate thread processes audio block by block at the pace it would\n"
    "play. When DISPLAY is not set a private Xvfb is started, where nothing can be\n"
    "seen: there the command is only useful with --seconds.\n";

namespace {

// How often the user-interface loop looks at the window, the clock and the
// automation record.
constexpr int kSliceMs = 10;

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) {
    gInterrupted = 1;
}

const char* EditName(VstInt32 opcode) {
    switch (opcode) {
        case audioMasterAutomate:
            return "automate";
        case audioMasterBeginEdit:
            return "begin edit";
        case audioMasterEndEdit:
            return "end edit";
        default:
            return "edit";
    }
}

void PrintEdits(PluginInstance& plugin, const std::vector<HostEditEvent>& edits) {
    for (const HostEditEvent& e : edits) {
        std::string name =
            e.index >= 0 && e.index < plugin.NumParams() ? plugin.ParamName(e.index) : "?";
        if (e.opcode == audioMasterAutomate)
            std::printf("%s %d (%s) = %.4f\n", EditName(e.opcode), int(e.index), name.c_str(),
                        double(e.value));
        else
            std::printf("%s %d (%s)\n", EditName(e.opcode), int(e.index), name.c_str());
    }
    if (!edits.empty()) std::fflush(stdout);
}

}  // namespace

int RunEdit(const std::vector<std::string>& args) {
    std::vector<OptionRule> rules = PluginSettingsRules();
    rules.insert(rules.end(), {{"seconds", true}, {"input", true}, {"verbose", false}});
    ParsedArgs parsed = ParseArgs(args, rules);
    if (parsed.positional.size() != 1) throw UsageError("edit takes one plug-in file");
    PluginSettings settings = ReadPluginSettings(parsed);
    std::optional<double> seconds;
    if (auto s = parsed.Last("seconds")) seconds = ParsePositive("seconds", *s, 7 * 86400.0);
    const bool verbose = parsed.Has("verbose");

    AudioBuffer input;
    if (auto file = parsed.Last("input")) input = ReadAudioFile(*file);

#ifndef _WIN32
    // Declared first so that it outlives the plug-in's own display connection.
    std::unique_ptr<PrivateXvfb> xvfb;
#endif
    auto plugin = LoadWithSettings(parsed.positional[0], settings, input.sampleRate);
    int width = 0, height = 0;
    EditorSize(*plugin, width, height);
#ifndef _WIN32
    xvfb = XvfbUnlessDisplay(width, height, "edit",
                             seconds ? ", where the window cannot be seen"
                                     : ", where the window cannot be seen (stop it with Ctrl-C)");
#endif
    AudioLoop audio(*plugin, std::move(input));
    audio.Start();
    // Whatever loading reported is not the user's; cleared before the
    // window opens, because from then on every gesture counts.
    plugin->Host().ClearEditEvents();
    auto editor = EditorHost::Open(*plugin);

    gInterrupted = 0;
    auto oldInt = std::signal(SIGINT, OnInterrupt);
    auto oldTerm = std::signal(SIGTERM, OnInterrupt);
    using clock = std::chrono::steady_clock;
    const auto start = clock::now();
    const char* reason = "interrupted";
    for (;;) {
        editor->Pump(kSliceMs);
        // Taken even when not printed, so that the record does not grow
        // for as long as the window stays open.
        auto edits = plugin->Host().TakeEditEvents();
        if (verbose) PrintEdits(*plugin, edits);
        if (editor->CloseRequested()) {
            reason = "window closed";
            break;
        }
        if (gInterrupted) break;
        if (seconds && clock::now() - start >= std::chrono::duration<double>(*seconds)) {
            reason = "time up";
            break;
        }
    }
    std::signal(SIGINT, oldInt);
    std::signal(SIGTERM, oldTerm);
    editor.reset();
    audio.Stop();
    if (verbose) PrintEdits(*plugin, plugin->Host().TakeEditEvents());
    double elapsed = std::chrono::duration<double>(clock::now() - start).count();
    std::printf("editor closed (%s) after %.1f s; %ld blocks of %d frames processed\n", reason,
                elapsed, audio.Blocks(), int(plugin->BlockSize()));
    return 0;
}

}  // namespace vhost
