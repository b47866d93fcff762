// The system services of the X11 editor window. Linux has no counterpart of
// the Windows file and colour dialogs or message boxes; those report
// failure with a logged message rather than pretend to succeed.
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "framework/editor/x11/IGraphicsX11.h"
#include "framework/platform/Module.h"

extern char** environ;

namespace {

void FolderOf(const std::string& path, std::string& out) {
    size_t slash = path.rfind('/');
    out = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool Executable(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The full path of a program found on PATH, empty when there is none.
std::string FindProgram(const char* name) {
    const char* path = std::getenv("PATH");
    std::string dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (!dir.empty()) {
            std::string candidate = dir + "/" + name;
            if (Executable(candidate)) return candidate;
        }
        start = end + 1;
    }
    return {};
}

void Report(const char* caption, const char* text) {
    std::fprintf(stderr, "vexil editor: %s%s%s\n", caption && *caption ? caption : "",
                 caption && *caption ? ": " : "", text);
}

}  // namespace

void IGraphicsX11::HostDirectory(std::string& out) {
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) {
        out.clear();
        return;
    }
    buffer[n] = 0;
    FolderOf(buffer, out);
}

void IGraphicsX11::ModuleDirectory(std::string& out) {
    const char* path = vexil::ModulePath();
    FolderOf(path ? path : "", out);
}

void IGraphicsX11::AskForFile(std::string& out, int action, const char* directory,
                              const char* extensions) {
    out.clear();
    Report(nullptr, "no file dialog is available in this editor on Linux");
}

bool IGraphicsX11::AskForColour(IArgb& colour, const char* prompt) {
    Report(prompt, "no colour dialog is available in this editor on Linux");
    return false;
}

// Opens a document or address with the desktop's opener, xdg-open. Its exit
// status is the answer; an opener that keeps running (some start the viewer
// in the foreground) has evidently launched it and counts as success.
bool IGraphicsX11::OpenTarget(const char* target, const char* caption, const char* question,
                              const char* failureText) {
    if (!target || !*target) return false;
    if (question && *question) {
        // There is no message box to ask in; not asking must not mean yes.
        Report(caption, "cannot ask before opening; nothing opened");
        return false;
    }
    std::string opener = FindProgram("xdg-open");
    bool ok = false;
    if (opener.empty()) {
        Report(caption, "xdg-open is not installed");
    } else {
        pid_t pid = 0;
        char* argv[] = {const_cast<char*>(opener.c_str()), const_cast<char*>(target), nullptr};
        if (posix_spawn(&pid, opener.c_str(), nullptr, nullptr, argv, environ) != 0) {
            Report(caption, "xdg-open could not be started");
        } else {
            using Clock = std::chrono::steady_clock;
            auto deadline = Clock::now() + std::chrono::seconds(3);
            for (;;) {
                int status = 0;
                pid_t r = waitpid(pid, &status, WNOHANG);
                if (r == pid) {
                    ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                    break;
                }
                if (r < 0) {
                    // Someone else (the host's child handler) reaped it; the
                    // start itself succeeded.
                    ok = errno == ECHILD;
                    break;
                }
                if (Clock::now() >= deadline) {
                    ok = true;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
    }
    if (!ok && failureText && *failureText) Report(caption, failureText);
    return ok;
}
