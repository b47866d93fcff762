#include "host/validate/CrashGuard.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUORVEX_VALIDATE_NO_GUARD 1
#endif

namespace vhost::validate {

namespace {

// Everything the handlers print is prepared before the check runs: a
// handler may only copy bytes out.
char gPrefix[1024] = "FAIL validate: ";
char gSummary[128] = "";
std::atomic<bool> gActive{false};
std::atomic<long long> gStartMs{0};
std::atomic<int> gHangSeconds{0};
std::atomic<bool> gEnding{false};

long long NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void WriteOut(const char* text) {
    const size_t n = std::strlen(text);
#ifdef _WIN32
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, DWORD(n), &written, nullptr);
#else
    ssize_t ignored = write(STDOUT_FILENO, text, n);
    (void)ignored;
#endif
}

[[noreturn]] void EndProcess() {
#ifdef _WIN32
    TerminateProcess(GetCurrentProcess(), 1);
#endif
    _exit(1);
}

// Prints the verdict of the running check and ends the process; only the
// first caller (a crash and the watchdog may race) gets to print.
[[noreturn]] void Die(const char* reason) {
    if (gEnding.exchange(true)) {
        for (;;) std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    if (gActive.load()) {
        WriteOut(gPrefix);
        WriteOut(reason);
        WriteOut("\n");
        WriteOut(gSummary);
    } else {
        WriteOut("quorvex-host validate: ");
        WriteOut(reason);
        WriteOut(" outside a check\n");
    }
    EndProcess();
}

void Watch() {
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        const int limit = gHangSeconds.load();
        if (gActive.load() && limit > 0 && NowMs() - gStartMs.load() > limit * 1000LL) {
            static char reason[96];
            std::snprintf(reason, sizeof reason,
                          "no answer within %d s: the plug-in hangs (the run stops here)", limit);
            Die(reason);
        }
    }
}

#ifndef QUORVEX_VALIDATE_NO_GUARD
#ifdef _WIN32
const char* ExceptionName(DWORD code) {
    switch (code) {
        case EXCEPTION_ACCESS_VIOLATION:
            return "the plug-in crashed (access violation; the run stops here)";
        case EXCEPTION_STACK_OVERFLOW:
            return "the plug-in crashed (stack overflow; the run stops here)";
        case EXCEPTION_INT_DIVIDE_BY_ZERO:
            return "the plug-in crashed (integer division by zero; the run stops here)";
        case EXCEPTION_ILLEGAL_INSTRUCTION:
            return "the plug-in crashed (illegal instruction; the run stops here)";
        default:
            return "the plug-in crashed (unhandled exception; the run stops here)";
    }
}

LONG WINAPI OnException(EXCEPTION_POINTERS* info) {
    Die(ExceptionName(info && info->ExceptionRecord ? info->ExceptionRecord->ExceptionCode : 0));
}

void OnAbort(int) {
    Die("the plug-in aborted the process (the run stops here)");
}

void InstallHandlers() {
    SetUnhandledExceptionFilter(OnException);
    std::signal(SIGABRT, OnAbort);
}
#else
const char* SignalReason(int sig) {
    switch (sig) {
        case SIGSEGV:
            return "the plug-in crashed (SIGSEGV; the run stops here)";
        case SIGBUS:
            return "the plug-in crashed (SIGBUS; the run stops here)";
        case SIGFPE:
            return "the plug-in crashed (SIGFPE; the run stops here)";
        case SIGILL:
            return "the plug-in crashed (SIGILL; the run stops here)";
        default:
            return "the plug-in aborted the process (SIGABRT; the run stops here)";
    }
}

void OnSignal(int sig) {
    Die(SignalReason(sig));
}

void InstallHandlers() {
    // Its own stack, so that a stack overflow can still be reported.
    static char altStack[64 * 1024];
    stack_t ss{};
    ss.ss_sp = altStack;
    ss.ss_size = sizeof altStack;
    sigaltstack(&ss, nullptr);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sa.sa_flags = SA_ONSTACK;
    sigemptyset(&sa.sa_mask);
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) sigaction(sig, &sa, nullptr);
}
#endif
#endif

}  // namespace

void CrashGuard::Install(int hangSeconds) {
#ifndef QUORVEX_VALIDATE_NO_GUARD
    InstallHandlers();
#endif
    static bool watching = false;
    gHangSeconds = hangSeconds;
    if (!watching && hangSeconds > 0) {
        watching = true;
        std::thread(Watch).detach();
    }
}

void CrashGuard::Enter(const std::string& failPrefix, int checks, int failed) {
    gActive = false;
    std::snprintf(gPrefix, sizeof gPrefix, "%s", failPrefix.c_str());
    std::snprintf(gSummary, sizeof gSummary, "%d checks, %d failed\n", checks, failed);
    gStartMs = NowMs();
    gActive = true;
}

void CrashGuard::Leave() {
    gActive = false;
}

}  // namespace vhost::validate
