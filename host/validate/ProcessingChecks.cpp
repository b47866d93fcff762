// Audio as hosts really deliver it: any sample rate, odd and huge block
// sizes, more frames than announced, buffers shared between inputs and
// outputs, silence, denormals and the odd NaN from another plug-in, and
// suspend and resume around every change.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

#include "host/validate/ValidateSupport.h"

namespace vhost::validate {

namespace {

constexpr double kRates[] = {22050.0, 44100.0, 48000.0, 96000.0, 192000.0};
// The largest block a host announces in practice (offline rendering).
constexpr int kLargestBlock = 8192;
constexpr int kBlocks[] = {1, 17, 64, kLargestBlock};
constexpr int kAnnounced = 64;
constexpr int kOversized[] = {4 * kAnnounced, 1000};
// Blocks of silence within which the output must be finite again after a
// block of NaN and infinities.
constexpr int kRecoveryBlocks = 8;
constexpr double kWideTolerance = 1e-4;
constexpr double kInPlaceTolerance = 1e-6;

long Frames(const PluginInstance& plugin, double seconds) {
    return static_cast<long>(plugin.SampleRate() * seconds);
}

// The run's blocks with every output pin the same buffer as the input pin
// of its number, as hosts that process in place hand them over.
Output RunInPlace(PluginInstance& plugin, long frames) {
    const int block = std::max(1, static_cast<int>(plugin.BlockSize()));
    Buffers32 b(plugin.NumInputs(), plugin.NumOutputs(), block);
    const size_t shared = std::min(b.in.size(), b.out.size());
    for (size_t c = 0; c < shared; ++c) b.outPtr[c] = b.inPtr[c];
    Output output(b.out.size(), std::vector<float>(size_t(frames)));
    for (long done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<long>(block, frames - done));
        FillInput(b, Input::Signal, done, n, plugin.SampleRate());
        Process32(plugin, b, n);
        for (size_t c = 0; c < output.size(); ++c)
            std::copy(b.outPtr[c], b.outPtr[c] + n, output[c].begin() + done);
        done += n;
    }
    return output;
}

// Whether any sample is a 32-bit subnormal (the values that make processing
// downstream slow).
std::string Subnormal(const Output& output, long from) {
    for (size_t c = 0; c < output.size(); ++c)
        for (size_t i = size_t(from); i < output[c].size(); ++i) {
            const float v = std::fabs(output[c][i]);
            if (v > 0.0f && v < std::numeric_limits<float>::min())
                return "output " + std::to_string(c) + " is " + Number(output[c][i]) +
                       " at frame " + std::to_string(i);
        }
    return {};
}

}  // namespace

void CheckProcessing(Report& report, const Options& options) {
    Group g(report, "processing");
    {
        auto probe = LoadPlugin(options);
        if (probe->NumOutputs() <= 0) {
            g.Skip("audio", "the plug-in has no outputs");
            return;
        }
        if (!probe->SupportsReplacing() && !probe->SupportsAccumulating()) {
            g.Skip("audio", "the plug-in has no 32-bit processing");
            return;
        }
    }

    g.Check("sample rates 22050, 44100, 48000, 96000 and 192000 give finite output", [&] {
        auto plugin = LoadPlugin(options);
        plugin->Resume();
        Findings f;
        for (double rate : kRates) {
            plugin->SetSampleRate(rate);
            for (Input kind : {Input::Signal, Input::Silence})
                if (auto bad = NonFinite(Run(*plugin, kind, Frames(*plugin, 0.1))); !bad.empty())
                    f.Add("at " + Number(rate) + " Hz: " + bad);
        }
        return f.ToVerdict();
    });

    g.Check("block sizes 1, 17, 64 and " + std::to_string(kLargestBlock) + " give finite output",
            [&] {
                auto plugin = LoadPlugin(options);
                plugin->Resume();
                Findings f;
                for (int block : kBlocks) {
                    plugin->SetBlockSize(block);
                    const long frames = std::max(2048L, 2L * block);
                    if (auto bad = NonFinite(Run(*plugin, Input::Signal, frames)); !bad.empty())
                        f.Add("blocks of " + std::to_string(block) + ": " + bad);
                }
                return f.ToVerdict();
            });

    g.Check("32-bit processing writes every frame of every output", [&] {
        auto plugin = LoadPlugin(options);
        plugin->Resume();
        Buffers32 b(plugin->NumInputs(), plugin->NumOutputs(), plugin->BlockSize());
        FillInput(b, Input::Signal, 0, plugin->BlockSize(), plugin->SampleRate());
        // NaN where the plug-in should write: what it leaves shows.
        b.FillOutputs(std::numeric_limits<float>::quiet_NaN());
        Process32(*plugin, b, plugin->BlockSize());
        if (auto bad = NonFinite(b.out); !bad.empty())
            return Fail(bad + " (the buffer held NaN before the call)");
        return Ok();
    });

    g.Check("calls with more frames than the announced block size are processed whole", [&] {
        auto plugin = LoadPlugin(options, 0.0, kAnnounced);
        plugin->Resume();
        Findings f;
        for (int frames : kOversized) {
            Buffers32 b(plugin->NumInputs(), plugin->NumOutputs(), frames);
            FillInput(b, Input::Signal, 0, frames, plugin->SampleRate());
            b.FillOutputs(std::numeric_limits<float>::quiet_NaN());
            Process32(*plugin, b, frames);
            if (auto bad = NonFinite(b.out); !bad.empty())
                f.Add(std::to_string(frames) + " frames after announcing " +
                      std::to_string(kAnnounced) + ": " + bad +
                      " (the buffer held NaN before the call)");
        }
        return f.ToVerdict();
    });

    g.Check("silence in gives finite output, from the start and after the signal", [&] {
        auto plugin = LoadPlugin(options);
        plugin->Resume();
        if (auto bad = NonFinite(Run(*plugin, Input::Silence, Frames(*plugin, 0.5))); !bad.empty())
            return Fail("from the start: " + bad);
        Run(*plugin, Input::Signal, Frames(*plugin, 0.25));
        if (auto bad = NonFinite(Run(*plugin, Input::Silence, Frames(*plugin, 0.5))); !bad.empty())
            return Fail("after the signal: " + bad);
        return Ok();
    });

    g.Check("denormal input gives finite output", [&] {
        auto plugin = LoadPlugin(options);
        plugin->Resume();
        if (auto bad = NonFinite(Run(*plugin, Input::Denormal, Frames(*plugin, 0.5))); !bad.empty())
            return Fail(bad);
        return Ok();
    });

    g.Check("the output holds no denormal values 2 s after the signal stops", [&] {
        auto plugin = LoadPlugin(options);
        plugin->Resume();
        Run(*plugin, Input::Signal, Frames(*plugin, 0.25));
        const long frames = Frames(*plugin, 2.0);
        const Output tail = Run(*plugin, Input::Silence, frames);
        if (auto bad = Subnormal(tail, frames - Frames(*plugin, 0.25)); !bad.empty())
            return Fail(bad + " after " + Number(2.0 - 0.25) + " s and more of silence");
        return Ok();
    });

    g.Check("after a block of NaN and infinite input, silence gives finite output within " +
                std::to_string(kRecoveryBlocks) + " blocks and the signal passes again",
            [&] {
                double reference = 0.0;
                {
                    auto fresh = LoadPlugin(options);
                    fresh->Resume();
                    reference = Peak(Run(*fresh, Input::Signal, Frames(*fresh, 0.25)));
                }
                auto plugin = LoadPlugin(options);
                plugin->Resume();
                const long block = plugin->BlockSize();
                Run(*plugin, Input::Signal, 4 * block);
                Run(*plugin, Input::NonFinite, block);
                const Output silence = Run(*plugin, Input::Silence, 2 * kRecoveryBlocks * block);
                if (auto bad = NonFinite(silence, kRecoveryBlocks * block); !bad.empty())
                    return Fail("after " + std::to_string(kRecoveryBlocks) + " blocks of silence " +
                                bad);
                const Output after = Run(*plugin, Input::Signal, Frames(*plugin, 0.25));
                if (auto bad = NonFinite(after); !bad.empty())
                    return Fail("the signal after it: " + bad);
                const double peak = Peak(after);
                if (reference > 1e-3 && peak < 0.01 * reference)
                    return Fail("the output stays silent: peak " + Number(peak) + " against " +
                                Number(reference) + " from a fresh instance");
                return Ok();
            });

    g.Check("32-bit and 64-bit processing agree within " + Number(kWideTolerance), [&] {
        auto narrow = LoadPlugin(options);
        if (!narrow->SupportsDouble())
            return Skip("the plug-in has no 64-bit processing (effFlagsCanDoubleReplacing)");
        auto wide = LoadPlugin(options);
        narrow->Resume();
        wide->Resume();
        const long frames = Frames(*narrow, 0.25);
        const Output a = Run(*narrow, Input::Signal, frames, false);
        const Output b = Run(*wide, Input::Signal, frames, true);
        if (auto d = Difference(a, b, kWideTolerance); !d.empty())
            return Fail("32-bit against 64-bit, " + d);
        return Ok();
    });

    g.Check("in-place processing (outputs in the input buffers) matches separate buffers", [&] {
        auto separate = LoadPlugin(options);
        auto inPlace = LoadPlugin(options);
        separate->Resume();
        inPlace->Resume();
        const long frames = Frames(*separate, 0.25);
        const Output a = Run(*separate, Input::Signal, frames);
        const Output b = RunInPlace(*inPlace, frames);
        if (auto d = Difference(a, b, kInPlaceTolerance); !d.empty())
            return Fail("separate against in place, " + d);
        return Ok();
    });

    g.Check("suspend, resume, and block size and sample rate changes between resumes", [&] {
        auto plugin = LoadPlugin(options);
        Findings f;
        const auto step = [&](const std::string& what) {
            if (auto bad = NonFinite(Run(*plugin, Input::Signal, 3L * plugin->BlockSize()));
                !bad.empty())
                f.Add("after " + what + ": " + bad);
        };
        plugin->Resume();
        step("resume");
        plugin->Suspend();
        plugin->Resume();
        step("suspend and resume");
        plugin->Resume();
        step("a second resume");
        plugin->Suspend();
        plugin->Suspend();
        plugin->SetSampleRate(48000.0);
        plugin->SetBlockSize(100);
        plugin->Resume();
        step("suspend twice, 48000 Hz, blocks of 100, resume");
        plugin->Suspend();
        plugin->SetBlockSize(1024);
        plugin->SetSampleRate(96000.0);
        plugin->Resume();
        step("blocks of 1024, 96000 Hz, resume");
        return f.ToVerdict();
    });

    g.Check(
        "parameter and program changes from another thread while audio runs keep the "
        "output finite",
        [&] {
            auto plugin = LoadPlugin(options);
            plugin->Resume();
            const long frames = Frames(*plugin, 0.5);
            std::atomic<bool> done{false};
            std::string bad;
            // The audio thread, as fast as it goes; this thread plays the
            // user-interface thread of a host moving knobs and presets.
            std::thread audio([&] {
                bad = NonFinite(Run(*plugin, Input::Signal, frames));
                done = true;
            });
            const int nParams = plugin->NumParams();
            const int nPrograms = plugin->NumPrograms();
            for (int k = 0; !done; ++k) {
                if (nParams > 0) {
                    plugin->SetParam(k % nParams, static_cast<float>((k * 37) % 101) / 100.0f);
                    plugin->ParamDisplay(k % nParams);
                }
                if (nPrograms > 1 && k % 64 == 63) plugin->SetProgram((k / 64) % nPrograms);
                if (nParams == 0 && nPrograms <= 1) std::this_thread::yield();
            }
            audio.join();
            if (!bad.empty()) return Fail(bad);
            return Ok();
        });

    g.Check("every program gives finite output", [&] {
        auto plugin = LoadPlugin(options);
        const int n = plugin->NumPrograms();
        if (n == 0) return Skip("the plug-in has no programs");
        plugin->Resume();
        Findings f;
        for (int p = 0; p < n; ++p) {
            plugin->SetProgram(p);
            if (auto bad = NonFinite(Run(*plugin, Input::Signal, 4L * plugin->BlockSize()));
                !bad.empty())
                f.Add("program " + std::to_string(p) + ": " + bad);
        }
        return f.ToVerdict();
    });
}

}  // namespace vhost::validate
