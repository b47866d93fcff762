// Command-line parsing shared by the host's commands, so every command reads
// plug-in settings (--program, --set, --rate, --block) the same way.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/HostError.h"

namespace vhost {

// A mistake in how the command was written (exit status 2, not 1).
class UsageError : public HostError {
  public:
    using HostError::HostError;
};

struct OptionRule {
    const char* name;  // without the leading dashes
    bool takesValue;
};

struct ParsedArgs {
    std::vector<std::string> positional;
    std::vector<std::pair<std::string, std::string>> options;  // in order, repeats kept

    bool Has(const std::string& name) const;
    std::optional<std::string> Last(const std::string& name) const;
    std::vector<std::string> All(const std::string& name) const;
};

// Accepts "--name VALUE" and "--name=VALUE"; throws UsageError for unknown
// options and missing values.
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionRule>& rules);

// Strict numbers for option values; each throws UsageError naming the option.
double ParsePositive(const std::string& option, const std::string& text, double max);
int ParseCount(const std::string& option, const std::string& text, int max);

// The options every command that loads a plug-in takes.
struct PluginSettings {
    std::optional<std::string> program;
    std::vector<std::string> assignments;
    std::optional<double> sampleRate;
    int blockSize = 512;
};
std::vector<OptionRule> PluginSettingsRules();
PluginSettings ReadPluginSettings(const ParsedArgs& args);
extern const char* const kPluginSettingsHelp;

}  // namespace vhost
