#include <iostream>

#include "host/HostCommands.h"
#include "host/PluginInfo.h"
#include "host/PluginInstance.h"

namespace vhost {

int RunInfo(const std::vector<std::string>& args) {
    ParsedArgs parsed = ParseArgs(args, PluginSettingsRules());
    if (parsed.positional.size() != 1) throw UsageError("info takes one plug-in file");
    PluginSettings settings = ReadPluginSettings(parsed);
    auto plugin = LoadWithSettings(parsed.positional[0], settings, 44100.0);
    std::cout << DescribePlugin(*plugin);
    return 0;
}

}  // namespace vhost
