// The editor as a host handles it: asks its size before opening, opens it
// in a window of its own (a real X11 window on Linux, an HWND on Windows),
// idles it, closes and reopens it, closes it at once, and closes the
// plug-in with the editor still open before unloading the library.
#include <chrono>
#include <thread>

#include "host/AudioLoop.h"
#include "host/EditorHost.h"
#include "host/HostError.h"
#include "host/validate/ValidateSupport.h"

#ifndef _WIN32
#include "host/EditorHostXvfb.h"
#endif

namespace vhost::validate {

namespace {

constexpr int kReopenCycles = 3;
constexpr int kIdleMs = 150;
// How long the window system may take to show a window made or destroyed
// on the plug-in's own connection or thread.
constexpr int kWindowWaitMs = 2000;

bool HasWindow(EditorHost& host) {
    return host.EditorWindow() != nullptr;
}

// Pumps the host window's events until the editor's window is there (or
// gone), or the time is up.
bool WaitForWindow(EditorHost& host, bool present) {
    using clock = std::chrono::steady_clock;
    const auto end = clock::now() + std::chrono::milliseconds(kWindowWaitMs);
    while (HasWindow(host) != present) {
        if (clock::now() >= end) return false;
        host.Pump(10);
    }
    return true;
}

// Opens the editor in the host's window (newly made when 'host' is empty)
// and checks that the editor's window appears; "" when it did.
std::string OpenIn(PluginInstance& plugin, std::unique_ptr<EditorHost>& host) {
    if (!host) {
        host = EditorHost::Open(plugin);
    } else if (!plugin.OpenEditor(host->ParentWindow())) {
        return "effEditOpen refused to open again in the same window";
    }
    if (!WaitForWindow(*host, true)) return "effEditOpen made no window inside the host's window";
    return {};
}

std::string CloseIn(EditorHost& host) {
    host.CloseEditor();
    if (!WaitForWindow(host, false))
        return "the editor's window stayed inside the host's window after effEditClose";
    return {};
}

// A second of the test signal for the audio thread to loop.
AudioBuffer LoopInput(PluginInstance& plugin) {
    const int frames = static_cast<int>(plugin.SampleRate());
    Buffers32 b(plugin.NumInputs(), 0, frames);
    FillInput(b, Input::Signal, 0, frames, plugin.SampleRate());
    AudioBuffer input;
    input.sampleRate = plugin.SampleRate();
    input.channels = b.in;
    return input;
}

}  // namespace

void CheckEditor(Report& report, const Options& options, std::shared_ptr<void>& keepAlive) {
    Group g(report, "editor");
    auto plugin = LoadPlugin(options);
    if (!plugin->HasEditor()) {
        g.Skip("editor", "the plug-in has no editor (no effFlagsHasEditor)");
        return;
    }
    if (!options.editor) {
        g.Skip("editor", "--no-editor was given");
        return;
    }

    int width = 0, height = 0;
    bool sized = false;
    g.Check("effEditGetRect before opening gives a sensible size", [&] {
        EditorSize(*plugin, width, height);
        sized = true;
        return Ok();
    });
    if (!sized) {
        g.Skip("editor windows", "the editor reports no size");
        return;
    }
#ifndef _WIN32
    if (!DisplayConfigured()) {
        try {
            keepAlive = std::make_shared<PrivateXvfb>(width, height);
        } catch (const HostError& e) {
            g.Skip("editor windows", std::string("no display: DISPLAY is not set and ") + e.what());
            return;
        }
    }
#else
    (void)keepAlive;
#endif

    // One host window is kept from check to check where a host would keep
    // it: destroying a top-level window is slow on some systems (wine
    // without a window manager waits two seconds for each).
    std::unique_ptr<EditorHost> host;
    g.Check("opens in a host window, idles, closes, and its window goes with it", [&] {
        if (auto p = OpenIn(*plugin, host); !p.empty()) return Fail(p);
        host->Pump(kIdleMs);
        if (auto p = CloseIn(*host); !p.empty()) return Fail(p);
        return Ok();
    });

    g.Check("reopens " + std::to_string(kReopenCycles) +
                " times, in the same window and in a new one, with audio running",
            [&] {
                std::unique_ptr<AudioLoop> audio;
                if (plugin->SupportsReplacing() || plugin->SupportsAccumulating()) {
                    audio = std::make_unique<AudioLoop>(*plugin, LoopInput(*plugin));
                    audio->Start();
                }
                for (int cycle = 1; cycle <= kReopenCycles; ++cycle) {
                    // A new window for the middle cycle, the one at hand otherwise.
                    if (cycle == 2) host.reset();
                    const std::string when = "opening " + std::to_string(cycle) + ": ";
                    if (auto p = OpenIn(*plugin, host); !p.empty()) return Fail(when + p);
                    host->Pump(kIdleMs);
                    if (auto p = CloseIn(*host); !p.empty()) return Fail(when + p);
                }
                if (audio) audio->Stop();
                return Ok();
            });

    g.Check("closes at once after opening, without idle", [&] {
        if (auto p = OpenIn(*plugin, host); !p.empty()) return Fail(p);
        if (auto p = CloseIn(*host); !p.empty()) return Fail(p);
        return Ok();
    });
    host.reset();

    // The last instance goes first, so that closing the next one really
    // unloads the library.
    plugin.reset();
    g.Check(
        "effClose with the editor open closes its window, and the library unloads cleanly", [&] {
            auto last = LoadPlugin(options);
            std::unique_ptr<EditorHost> window;
            if (auto p = OpenIn(*last, window); !p.empty()) return Fail(p);
            window->Pump(kIdleMs);
            last->CloseWithEditorOpen();
            if (!WaitForWindow(*window, false))
                return Fail("the editor's window stayed inside the host's window after effClose");
            window.reset();
            last.reset();
            // A thread the plug-in left behind would now run in unloaded
            // code; give it the time to show.
            std::this_thread::sleep_for(std::chrono::milliseconds(kIdleMs));
            return Ok();
        });
}

}  // namespace vhost::validate
