#include "host/EditorHostXvfb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/HostError.h"

extern char** environ;

namespace vhost {
namespace {

constexpr int kStartTimeoutMs = 10000;

// Reads the display number Xvfb writes once it accepts connections.
std::string ReadDisplayNumber(int fd) {
    std::string text;
    char buffer[32];
    while (text.find('\n') == std::string::npos) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, kStartTimeoutMs) <= 0) return {};
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return {};
        text.append(buffer, size_t(n));
    }
    text.resize(text.find('\n'));
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return {};
    return text;
}

}  // namespace

bool DisplayConfigured() {
    const char* d = std::getenv("DISPLAY");
    return d && *d;
}

PrivateXvfb::PrivateXvfb(int width, int height) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw HostError("cannot start Xvfb: no pipe");
    // Xvfb writes to an inherited descriptor: keep only the write end open
    // across exec.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::string screen = std::to_string(std::max(width, 1280)) + "x" +
                         std::to_string(std::max(height, 1024)) + "x24";
    const char* argv[] = {"Xvfb",         "-displayfd", "3",   "-screen",  "0",
                          screen.c_str(), "-nolisten",  "tcp", "-noreset", nullptr};
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        throw HostError(std::string("cannot start Xvfb: ") + std::strerror(rc));
    }
    pid_ = pid;
    std::string number = ReadDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty()) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw HostError("Xvfb started but reported no display");
    }
    display_ = ":" + number;
    if (const char* d = std::getenv("DISPLAY")) {
        previous_ = d;
        hadPrevious_ = true;
    }
    setenv("DISPLAY", display_.c_str(), 1);
}

PrivateXvfb::~PrivateXvfb() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (hadPrevious_)
        setenv("DISPLAY", previous_.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

std::unique_ptr<PrivateXvfb> XvfbUnlessDisplay(int width, int height, const char* command,
                                               const char* note) {
    if (DisplayConfigured()) return nullptr;
    auto xvfb = std::make_unique<PrivateXvfb>(width, height);
    std::fprintf(stderr, "quorvex-host %s: DISPLAY is not set; using a private Xvfb on %s%s\n",
                 command, xvfb->Display().c_str(), note);
    return xvfb;
}

}  // namespace vhost
