#include <cstdlib>
#include <iostream>

#include "host/AudioFile.h"
#include "host/HostCommands.h"
#include "host/PluginInstance.h"
#include "host/Render.h"

namespace vhost {

const char* const kRenderOptionsHelp =
    "  --double             process with 64-bit samples\n"
    "  --accumulate         use the accumulating 32-bit call (into silence)\n"
    "                       (default: 32-bit replacing)\n"
    "  --tempo BPM          host tempo (default 120)\n"
    "  --timesig N/D        host time signature (default 4/4)\n"
    "The output has one channel per plug-in output, as many frames as the input,\n"
    "and the sample rate used. A mono file feeds the first two inputs; inputs\n"
    "beyond the file's channels get silence. No resampling is done.\n";

namespace {

void ParseTimeSignature(const std::string& text, TransportSettings& transport) {
    size_t slash = text.find('/');
    if (slash == std::string::npos) throw UsageError("bad value '" + text + "' for --timesig");
    int numerator = ParseCount("timesig", text.substr(0, slash), 64);
    int denominator = ParseCount("timesig", text.substr(slash + 1), 64);
    if ((denominator & (denominator - 1)) != 0)
        throw UsageError("bad value '" + text + "' for --timesig (denominator 1, 2, 4 .. 64)");
    transport.timeSigNumerator = numerator;
    transport.timeSigDenominator = denominator;
}

}  // namespace

int RunRender(const std::vector<std::string>& args) {
    std::vector<OptionRule> rules = PluginSettingsRules();
    rules.insert(rules.end(),
                 {{"double", false}, {"accumulate", false}, {"tempo", true}, {"timesig", true}});
    ParsedArgs parsed = ParseArgs(args, rules);
    if (parsed.positional.size() != 3)
        throw UsageError("render takes a plug-in, an input file and an output file");
    PluginSettings settings = ReadPluginSettings(parsed);
    RenderOptions options;
    if (parsed.Has("double") && parsed.Has("accumulate"))
        throw UsageError("--double and --accumulate exclude each other");
    if (parsed.Has("double")) options.form = ProcessForm::Double;
    if (parsed.Has("accumulate")) options.form = ProcessForm::Accumulating;
    if (auto tempo = parsed.Last("tempo"))
        options.transport.tempo = ParsePositive("tempo", *tempo, 999.0);
    if (auto sig = parsed.Last("timesig")) ParseTimeSignature(*sig, options.transport);

    // Read the audio before loading: a bad file should not cost a plug-in load.
    AudioBuffer input = ReadAudioFile(parsed.positional[1]);
    auto plugin = LoadWithSettings(parsed.positional[0], settings, input.sampleRate);
    AudioBuffer output = Render(*plugin, input, options);
    WriteAudioFile(parsed.positional[2], output);
    std::cout << "rendered " << output.Frames() << " frames, " << input.Channels() << " -> "
              << output.Channels() << " channels at " << output.sampleRate << " Hz\n";
    return 0;
}

}  // namespace vhost
