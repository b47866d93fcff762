// Starts a private Xvfb server for the window tests and points DISPLAY at
// it; Xvfb picks a free display number itself (-displayfd).
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

class XvfbEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        std::string fd = std::to_string(fds[1]);
        const char* argv[] = {"Xvfb",       "-displayfd", fd.c_str(), "-screen", "0",
                              "800x600x24", "-nolisten",  "tcp",      nullptr};
        // The server must not outlive a test that crashes, nor hold the
        // test's output open (the test runner waits for that to close).
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);
            int null = open("/dev/null", O_RDWR);
            if (null >= 0) {
                dup2(null, STDOUT_FILENO);
                dup2(null, STDERR_FILENO);
            }
            close(fds[0]);
            execvp("Xvfb", const_cast<char**>(argv));
            _exit(127);
        }
        close(fds[1]);
        char buffer[32] = {};
        ssize_t n = 0, got = 0;
        while (got < ssize_t(sizeof buffer) - 1 &&
               (n = read(fds[0], buffer + got, sizeof buffer - 1 - size_t(got))) > 0) {
            got += n;
            if (buffer[got - 1] == '\n') break;
        }
        close(fds[0]);
        ASSERT_GT(got, 0) << "Xvfb did not start";
        std::string display = ":" + std::string(buffer, size_t(got));
        while (!display.empty() && (display.back() == '\n' || display.back() == ' '))
            display.pop_back();
        setenv("DISPLAY", display.c_str(), 1);
    }
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            int status = 0;
            waitpid(pid_, &status, 0);
        }
    }

  private:
    pid_t pid_ = -1;
};
