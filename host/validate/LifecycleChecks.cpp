// Loading and unloading, and instances side by side: a host scans, opens
// and closes plug-ins many times in one process and runs several copies of
// one plug-in at once.
#include <algorithm>

#include "host/validate/ValidateSupport.h"

namespace vhost::validate {

namespace {

constexpr int kCycles = 3;
// Long enough for delays and smoothing to show in the output.
constexpr double kRunSeconds = 0.25;
// Two copies fed the same must agree to the last bit or so.
constexpr double kSameTolerance = 1e-6;

// Sets every parameter to a value away from its default, so that a second
// instance has settings of its own.
void SetOtherSettings(PluginInstance& plugin) {
    if (plugin.NumPrograms() > 1) plugin.SetProgram(plugin.NumPrograms() - 1);
    for (int i = 0; i < plugin.NumParams(); ++i)
        plugin.SetParam(i, 1.0f - 0.5f * plugin.GetParam(i));
}

// Two instances processing block by block in turn, as a host's audio thread
// runs two tracks. The second switches to other settings and other input
// halfway through; until then both are fed and set alike.
void Interleave(PluginInstance& a, PluginInstance& b, long frames, Output& outA, Output& outB) {
    const int block = std::max(1, static_cast<int>(a.BlockSize()));
    const double rate = a.SampleRate();
    Buffers32 bufA(a.NumInputs(), a.NumOutputs(), block);
    Buffers32 bufB(b.NumInputs(), b.NumOutputs(), block);
    outA.assign(size_t(a.NumOutputs()), std::vector<float>(size_t(frames)));
    outB.assign(size_t(b.NumOutputs()), std::vector<float>(size_t(frames)));
    bool switched = false;
    for (long done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<long>(block, frames - done));
        if (!switched && done >= frames / 2) {
            SetOtherSettings(b);
            switched = true;
        }
        FillInput(bufA, Input::Signal, done, n, rate);
        FillInput(bufB, switched ? Input::Loud : Input::Signal, done, n, rate);
        Process32(a, bufA, n);
        Process32(b, bufB, n);
        for (size_t c = 0; c < outA.size(); ++c) {
            std::copy(bufA.out[c].begin(), bufA.out[c].begin() + n, outA[c].begin() + done);
            std::copy(bufB.out[c].begin(), bufB.out[c].begin() + n, outB[c].begin() + done);
        }
        done += n;
    }
}

Output FirstHalf(const Output& output) {
    Output half;
    for (const auto& c : output) half.emplace_back(c.begin(), c.begin() + long(c.size() / 2));
    return half;
}

}  // namespace

void CheckLifecycle(Report& report, const Options& options) {
    Group g(report, "lifecycle");
    const long frames = static_cast<long>(options.sampleRate * kRunSeconds);

    g.Check("load, open, process, close and unload " + std::to_string(kCycles) + " times in a row",
            [&] {
                std::string firstName;
                for (int cycle = 1; cycle <= kCycles; ++cycle) {
                    auto plugin = LoadPlugin(options);
                    const std::string name = plugin->EffectName();
                    if (cycle == 1) firstName = name;
                    if (name != firstName)
                        return Fail("load " + std::to_string(cycle) + " is named '" + name +
                                    "', load 1 was '" + firstName + "'");
                    plugin->Resume();
                    const Output out = Run(*plugin, Input::Signal, plugin->BlockSize());
                    if (auto bad = NonFinite(out); !bad.empty())
                        return Fail("load " + std::to_string(cycle) + ": " + bad);
                }
                return Ok();
            });

    g.Check("two instances at once, processing in turn, keep to themselves", [&] {
        Output reference, second;
        {
            auto alone = LoadPlugin(options);
            alone->Resume();
            reference = Run(*alone, Input::Signal, frames);
        }
        {
            auto again = LoadPlugin(options);
            again->Resume();
            second = Run(*again, Input::Signal, frames);
        }
        if (auto d = Difference(reference, second, kSameTolerance); !d.empty())
            return Skip("two fresh instances fed the same give different output (" + d +
                        "), so instances cannot be compared");
        auto a = LoadPlugin(options);
        auto b = LoadPlugin(options);
        a->Resume();
        b->Resume();
        Output outA, outB;
        Interleave(*a, *b, frames, outA, outB);
        if (auto d = Difference(FirstHalf(reference), FirstHalf(outB), kSameTolerance); !d.empty())
            return Fail("the second instance, set and fed as the first, differs from one alone: " +
                        d);
        if (auto d = Difference(reference, outA, kSameTolerance); !d.empty())
            return Fail("the first instance differs from one alone (" + d +
                        "); the other instance's processing or settings reach it");
        return Ok();
    });
}

}  // namespace vhost::validate
