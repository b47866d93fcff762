#include <iostream>
#include <memory>

#include "host/EditorHost.h"
#include "host/HostCommands.h"
#include "host/PluginInstance.h"

#ifndef _WIN32
#include "host/EditorHostXvfb.h"
#endif

namespace vhost {

extern const char* const kSnapshotOptionsHelp;
const char* const kSnapshotOptionsHelp =
    "  --ticks N            editor timer ticks to wait before reading the window\n"
    "                       (55 ms each; default 4)\n"
    "The editor is opened in a real window of its own size, as a host opens it,\n"
    "and the window's pixels are written as an RGB PNG. On Linux the window goes\n"
    "to $DISPLAY; when DISPLAY is not set a private Xvfb is started for the run.\n";

namespace {

constexpr int kTickMs = 55;
// Time for the window to be shown and the first full redraw to land.
constexpr int kSettleMs = 60;

}  // namespace

int RunSnapshot(const std::vector<std::string>& args) {
    std::vector<OptionRule> rules = PluginSettingsRules();
    rules.push_back({"ticks", true});
    ParsedArgs parsed = ParseArgs(args, rules);
    if (parsed.positional.size() != 2)
        throw UsageError("snapshot takes a plug-in file and an output PNG file");
    PluginSettings settings = ReadPluginSettings(parsed);
    int ticks = 4;
    if (auto t = parsed.Last("ticks")) ticks = ParseCount("ticks", *t, 1000);

#ifndef _WIN32
    // Declared first so that it outlives the plug-in's own display connection.
    std::unique_ptr<PrivateXvfb> xvfb;
#endif
    auto plugin = LoadWithSettings(parsed.positional[0], settings, 44100.0);
    int width = 0, height = 0;
    EditorSize(*plugin, width, height);
#ifndef _WIN32
    xvfb = XvfbUnlessDisplay(width, height, "snapshot", "");
#endif
    EditorPixels pixels;
    {
        auto editor = EditorHost::Open(*plugin);
        editor->Pump(ticks * kTickMs + kSettleMs);
        pixels = editor->Capture();
    }
    WritePng(parsed.positional[1], pixels);
    std::cout << "wrote " << pixels.width << " x " << pixels.height << " pixels to "
              << parsed.positional[1] << "\n";
    return 0;
}

}  // namespace vhost
