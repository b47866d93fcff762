#include "tests/host/HostTestSupport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace host_test {

namespace fs = std::filesystem;

std::string FixturePath(const std::string& name) {
    return std::string(HOST_FIXTURE_DIR) + "/" + name + HOST_LIBRARY_SUFFIX;
}

std::string BuiltPluginPath(const std::string& name) {
    return std::string(QUORVEX_PLUGIN_DIR) + "/" + name + HOST_LIBRARY_SUFFIX;
}

std::vector<std::string> BuiltPlugins() {
    std::vector<std::string> found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(QUORVEX_PLUGIN_DIR, ec))
        if (entry.path().extension() == HOST_LIBRARY_SUFFIX) found.push_back(entry.path().string());
    std::sort(found.begin(), found.end());
    return found;
}

std::string TempPath(const std::string& name) {
    static const fs::path dir = [] {
        std::random_device rd;
        fs::path d = fs::temp_directory_path() / ("quorvex-host-test-" + std::to_string(rd()));
        fs::create_directories(d);
        return d;
    }();
    return (dir / name).string();
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

namespace {

#ifdef _WIN32
// cmd.exe takes "/work/..." for a switch; give it the drive wine maps to /.
std::string NativePath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}
#else
std::string NativePath(const std::string& path) {
    return path;
}
#endif

std::string Quote(const std::string& arg) {
#ifdef _WIN32
    return "\"" + arg + "\"";
#else
    std::string quoted = "'";
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
#endif
}

}  // namespace

CliResult RunHost(const std::vector<std::string>& args) {
    std::string command = Quote(NativePath(QUORVEX_HOST_EXE));
    for (const std::string& a : args) command += " " + Quote(a);
    command += " 2>&1";
#ifdef _WIN32
    // cmd.exe strips the outer quotes of a command line that starts with one.
    command = "\"" + command + "\"";
    FILE* pipe = _popen(command.c_str(), "r");
#else
    FILE* pipe = popen(command.c_str(), "r");
#endif
    CliResult result{-1, ""};
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        result.output.append(buffer.data(), n);
#ifdef _WIN32
    result.exitCode = _pclose(pipe);
#else
    int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return result;
}

vhost::AudioBuffer TestSignal(int channels, size_t frames, double rate) {
    vhost::AudioBuffer audio;
    audio.sampleRate = rate;
    audio.channels.assign(static_cast<size_t>(channels), std::vector<float>(frames));
    for (int c = 0; c < channels; ++c)
        for (size_t i = 0; i < frames; ++i)
            audio.channels[static_cast<size_t>(c)][i] =
                static_cast<float>(0.5 * std::sin(0.01 * static_cast<double>(i) * (c + 1)) +
                                   0.25 * static_cast<double>(i % 97) / 97.0 - 0.1 * c);
    return audio;
}

}  // namespace host_test
