#include "host/HostCommands.h"

#include "host/ParamSettings.h"
#include "host/PluginInstance.h"

namespace vhost {

extern const char* const kSnapshotOptionsHelp;

const std::vector<HostCommand>& HostCommands() {
    static const std::vector<HostCommand> commands = {
        {"info", "info <plugin> [--program N|NAME] [--set PARAM=VALUE ...]",
         "names, flags, pins, parameters with their texts, programs", "", true, &RunInfo},
        {"render",
         "render <plugin> <in.wav> <out.wav> [--program N|NAME] [--set PARAM=VALUE ...]\n"
         "         [--rate HZ] [--block N] [--double | --accumulate] [--tempo BPM]\n"
         "         [--timesig N/D]",
         "an audio file through the plug-in into a 32-bit float WAV file", kRenderOptionsHelp, true,
         &RunRender},
        {"snapshot",
         "snapshot <plugin> <out.png> [--program N|NAME] [--set PARAM=VALUE ...] [--ticks N]",
         "the editor opened in a real window, its pixels written to a PNG file",
         kSnapshotOptionsHelp, true, &RunSnapshot},
        {"edit",
         "edit <plugin> [--program N|NAME] [--set PARAM=VALUE ...] [--seconds S]\n"
         "         [--input FILE] [--verbose] [--rate HZ] [--block N]",
         "the editor in a window of its own, with audio running, until the window is closed",
         kEditOptionsHelp, true, &RunEdit},
        {"validate", "validate <plugin> [--rate HZ] [--block N] [--no-editor]",
         "the calls a strict host makes, checked one by one, with a verdict for each",
         kValidateOptionsHelp, false, &RunValidate},
    };
    return commands;
}

std::unique_ptr<PluginInstance> LoadWithSettings(const std::string& path,
                                                 const PluginSettings& settings,
                                                 double defaultRate) {
    LoadOptions options;
    options.sampleRate = settings.sampleRate.value_or(defaultRate);
    options.blockSize = settings.blockSize;
    auto plugin = PluginInstance::Load(path, options);
    ApplySettings(*plugin, settings.program, settings.assignments);
    return plugin;
}

}  // namespace vhost
