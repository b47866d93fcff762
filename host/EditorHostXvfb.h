// A private X server (Xvfb) for hosts that must show an editor where no
// desktop is: started on a display number it picks itself (-displayfd),
// stopped when the object goes. Linux only.
#pragma once

#include <memory>
#include <string>

namespace vhost {

class PrivateXvfb {
  public:
    // Starts Xvfb with one screen of at least the given size and points
    // DISPLAY at it. Throws HostError when Xvfb cannot be started.
    PrivateXvfb(int width, int height);
    // Stops the server and restores the previous DISPLAY.
    ~PrivateXvfb();
    PrivateXvfb(const PrivateXvfb&) = delete;
    PrivateXvfb& operator=(const PrivateXvfb&) = delete;

    const std::string& Display() const { return display_; }

  private:
    int pid_ = -1;
    std::string display_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// True when DISPLAY is set and not empty.
bool DisplayConfigured();

// For a command that shows a window: null when DISPLAY is set, otherwise a
// private Xvfb of at least the given size, announced on standard error as
// "quorvex-host <command>: DISPLAY is not set; using a private Xvfb on :N"
// followed by `note`. Throws HostError when Xvfb cannot be started.
std::unique_ptr<PrivateXvfb> XvfbUnlessDisplay(int width, int height, const char* command,
                                               const char* note);

}  // namespace vhost
