// A plug-in that crashes or hangs takes the host with it. The guard turns
// that into a verdict: the running check is printed as failed, with the
// summary, before the process ends with status 1.
#pragma once

#include <string>

namespace vhost::validate {

class CrashGuard {
  public:
    // Installs the handlers for fatal signals (Linux) or unhandled
    // exceptions (Windows) and starts the watchdog that ends a check taking
    // longer than 'hangSeconds'. Not installed under the sanitizers, which
    // report crashes better themselves.
    static void Install(int hangSeconds);
    // The check now running: 'failPrefix' is its failure line up to the
    // reason ("FAIL group: what: "); 'checks' and 'failed' are the counts
    // the summary shows when it fails.
    static void Enter(const std::string& failPrefix, int checks, int failed);
    static void Leave();
};

}  // namespace vhost::validate
