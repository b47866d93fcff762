// The commands of quorvex-host. Each lives in its own file; the table in
// HostCommands.cpp lists them, so a new command (an editor snapshot, say)
// is one file and one line there.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/CommandLine.h"

namespace vhost {

class PluginInstance;

struct HostCommand {
    const char* name;
    const char* synopsis;      // the usage line
    const char* summary;       // one line for the overview
    const char* options;       // help for the command's own options, may be empty
    bool takesPluginSettings;  // --program, --set, --rate, --block
    // Runs with the arguments after the command name; returns the exit status.
    // Throws HostError (exit 1) or UsageError (exit 2).
    int (*run)(const std::vector<std::string>& args);
};

const std::vector<HostCommand>& HostCommands();

// Loads a plug-in at the settings' rate (else 'defaultRate') and block size,
// then applies its program and parameter settings.
std::unique_ptr<PluginInstance> LoadWithSettings(const std::string& path,
                                                 const PluginSettings& settings,
                                                 double defaultRate);

int RunInfo(const std::vector<std::string>& args);
int RunRender(const std::vector<std::string>& args);
extern const char* const kRenderOptionsHelp;
int RunSnapshot(const std::vector<std::string>& args);
int RunEdit(const std::vector<std::string>& args);
extern const char* const kEditOptionsHelp;
int RunValidate(const std::vector<std::string>& args);
extern const char* const kValidateOptionsHelp;

}  // namespace vhost
