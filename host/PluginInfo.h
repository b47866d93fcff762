// The human-readable description `quorvex-host info` prints.
#pragma once

#include <string>

namespace vhost {

class PluginInstance;

std::string DescribePlugin(PluginInstance& plugin);

// The flags as names, e.g. "editor, replacing, double replacing".
std::string FlagNames(int flags);

}  // namespace vhost
