#include "host/CommandLine.h"

#include <cmath>
#include <cstdlib>

#include "host/ParamSettings.h"

namespace vhost {

bool ParsedArgs::Has(const std::string& name) const {
    for (const auto& o : options)
        if (o.first == name) return true;
    return false;
}

std::optional<std::string> ParsedArgs::Last(const std::string& name) const {
    std::optional<std::string> value;
    for (const auto& o : options)
        if (o.first == name) value = o.second;
    return value;
}

std::vector<std::string> ParsedArgs::All(const std::string& name) const {
    std::vector<std::string> values;
    for (const auto& o : options)
        if (o.first == name) values.push_back(o.second);
    return values;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionRule>& rules) {
    ParsedArgs parsed;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            if (arg == "--") {
                optionsEnded = true;
                continue;
            }
            parsed.positional.push_back(arg);
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        const OptionRule* rule = nullptr;
        for (const OptionRule& s : rules)
            if (name == s.name) rule = &s;
        if (!rule) throw UsageError("unknown option --" + name);
        if (rule->takesValue) {
            if (!value) {
                if (i + 1 >= args.size()) throw UsageError("option --" + name + " needs a value");
                value = args[++i];
            }
        } else if (value) {
            throw UsageError("option --" + name + " takes no value");
        }
        parsed.options.emplace_back(name, value.value_or(""));
    }
    return parsed;
}

double ParsePositive(const std::string& option, const std::string& text, double max) {
    const char* begin = text.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (text.empty() || *end != '\0' || !std::isfinite(v) || v <= 0.0 || v > max)
        throw UsageError("bad value '" + text + "' for --" + option);
    return v;
}

int ParseCount(const std::string& option, const std::string& text, int max) {
    const char* begin = text.c_str();
    char* end = nullptr;
    long v = std::strtol(begin, &end, 10);
    if (text.empty() || *end != '\0' || v < 1 || v > max)
        throw UsageError("bad value '" + text + "' for --" + option + " (1.." +
                         std::to_string(max) + ")");
    return static_cast<int>(v);
}

std::vector<OptionRule> PluginSettingsRules() {
    return {{"program", true}, {"set", true}, {"rate", true}, {"block", true}};
}

PluginSettings ReadPluginSettings(const ParsedArgs& args) {
    PluginSettings settings;
    settings.program = args.Last("program");
    settings.assignments = args.All("set");
    // The form NAME=VALUE is the command line's business; names and values
    // are checked against the plug-in once it is loaded.
    for (const std::string& a : settings.assignments) {
        try {
            ParseAssignment(a);
        } catch (const HostError& e) {
            throw UsageError(e.what());
        }
    }
    if (auto rate = args.Last("rate")) settings.sampleRate = ParsePositive("rate", *rate, 1e6);
    if (auto block = args.Last("block")) settings.blockSize = ParseCount("block", *block, 1 << 16);
    return settings;
}

const char* const kPluginSettingsHelp =
    "  --program N|NAME     load a program by index or by name (case-insensitive)\n"
    "  --set PARAM=VALUE    set a parameter after the program; repeatable.\n"
    "                       PARAM is a parameter index or name (case-insensitive).\n"
    "                       VALUE is a plain value in the units the plug-in shows,\n"
    "                       e.g. --set Gain=-6 for -6 dB (the label may follow:\n"
    "                       Gain=-6dB), one of its value texts (--set Mode=Sine),\n"
    "                       or a normalized position 0..1 written n:0.25.\n"
    "                       A plain value is found by reading the parameter's\n"
    "                       display across its range and bisecting for the\n"
    "                       stretch that shows the value; its middle is used.\n"
    "                       A value between two steps takes the nearer step.\n"
    "  --rate HZ            sample rate (default: the input file's, else 44100)\n"
    "  --block N            block size announced to the plug-in (default 512)\n";

}  // namespace vhost
