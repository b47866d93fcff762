// quorvex-host: a command-line VST 2 host.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "host/HostCommands.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr const char* kProgram = "quorvex-host";

void PrintOverview() {
    std::printf("usage: %s <command> [arguments]\n\ncommands:\n", kProgram);
    for (const auto& c : vhost::HostCommands()) std::printf("  %-8s %s\n", c.name, c.summary);
    std::printf("\n'%s <command> --help' shows a command's options.\n", kProgram);
}

void PrintCommandHelp(const vhost::HostCommand& c) {
    std::printf("usage: %s %s\n\n%s.\n\noptions:\n", kProgram, c.synopsis, c.summary);
    if (c.takesPluginSettings) std::printf("%s", vhost::kPluginSettingsHelp);
    std::printf("%s", c.options);
}

int Run(const std::vector<std::string>& args) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintOverview();
        return args.empty() ? 2 : 0;
    }
    const vhost::HostCommand* command = nullptr;
    for (const auto& c : vhost::HostCommands())
        if (args[0] == c.name) command = &c;
    if (!command) {
        std::fprintf(stderr, "%s: unknown command '%s' (try --help)\n", kProgram, args[0].c_str());
        return 2;
    }
    std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const std::string& a : rest)
        if (a == "--help" || a == "-h") {
            PrintCommandHelp(*command);
            return 0;
        }
    try {
        return command->run(rest);
    } catch (const vhost::UsageError& e) {
        std::fprintf(stderr, "%s %s: %s\n", kProgram, command->name, e.what());
        return 2;
    } catch (const vhost::HostError& e) {
        std::fprintf(stderr, "%s %s: %s\n", kProgram, command->name, e.what());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s %s: %s\n", kProgram, command->name, e.what());
        return 1;
    }
}

}  // namespace

#ifdef _WIN32
// Arguments arrive as UTF-16; the host works in UTF-8 throughout.
int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        int n = WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, nullptr, 0, nullptr, nullptr);
        std::string text(static_cast<size_t>(n > 0 ? n : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, argv[i], -1, text.data(), n, nullptr, nullptr);
        text.resize(text.size() - 1);
        args.push_back(text);
    }
    return Run(args);
}
#else
int main(int argc, char** argv) {
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
