// Paths and helpers shared by the host library's tests.
#pragma once

#include <string>
#include <vector>

#include "host/AudioBuffer.h"

namespace host_test {

// A test library in the fixtures folder, e.g. "host_fixture".
std::string FixturePath(const std::string& name);
// A plug-in of the build's plug-ins folder, e.g. "fixture_gain".
std::string BuiltPluginPath(const std::string& name);
// The built plug-ins (ours), sorted.
std::vector<std::string> BuiltPlugins();
// A fresh file name in a private temporary folder.
std::string TempPath(const std::string& name);
bool FileExists(const std::string& path);

struct CliResult {
    int exitCode;
    std::string output;  // stdout and stderr together
};
// Runs quorvex-host with the arguments (each quoted for the shell).
CliResult RunHost(const std::vector<std::string>& args);

// A stereo or mono test signal of 'frames' samples: a slow ramp plus a
// sine, distinct per channel.
vhost::AudioBuffer TestSignal(int channels, size_t frames, double rate = 48000.0);

}  // namespace host_test
