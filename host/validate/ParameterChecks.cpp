// Parameters as a host drives them: automation writes any float it has,
// including values outside 0..1 from a broken lane and NaN from a broken
// curve; the host reads values back to draw them and sets what it read.
#include <cmath>
#include <limits>

#include "host/validate/ValidateSupport.h"

namespace vhost::validate {

namespace {

constexpr float kInRange[] = {0.0f, 0.5f, 1.0f};
constexpr float kReadBackTolerance = 1e-6f;
constexpr size_t kTextBound = 32;

const std::vector<float>& OutsideValues() {
    static const std::vector<float> values = {-0.5f,
                                              1.5f,
                                              -1e30f,
                                              1e30f,
                                              std::numeric_limits<float>::infinity(),
                                              -std::numeric_limits<float>::infinity(),
                                              std::numeric_limits<float>::quiet_NaN()};
    return values;
}

bool Valid(float v) {
    return std::isfinite(v) && v >= 0.0f && v <= 1.0f;
}

void SetAll(PluginInstance& plugin, float value) {
    for (int i = 0; i < plugin.NumParams(); ++i) plugin.SetParam(i, value);
}

// A short run of the signal; "" when the output is finite.
std::string ProcessProblem(PluginInstance& plugin) {
    return NonFinite(Run(plugin, Input::Signal, 4L * plugin.BlockSize()));
}

}  // namespace

void CheckParameters(Report& report, const Options& options) {
    Group g(report, "parameters");
    auto plugin = LoadPlugin(options);
    const int n = plugin->NumParams();
    if (n == 0) {
        g.Skip("parameter values", "the plug-in has no parameters");
        return;
    }

    g.Check(
        "every parameter set to 0, 0.5 and 1 reads back within 0..1 with a printable value "
        "text",
        [&] {
            Findings f;
            for (int i = 0; i < n; ++i)
                for (float x : kInRange) {
                    plugin->SetParam(i, x);
                    const float v = plugin->GetParam(i);
                    if (!Valid(v))
                        f.Add(ParamTitle(*plugin, i) + " set to " + Number(x) + " reads " +
                              Number(v));
                    const TextReply text = AskText(*plugin, effGetParamDisplay, i);
                    if (auto p = TextProblem(text, kTextBound); !p.empty())
                        f.Add(ParamTitle(*plugin, i) + " at " + Number(x) + ": " + p);
                }
            return f.ToVerdict();
        });

    g.Check("values outside 0..1, infinities and NaN read back finite within 0..1", [&] {
        Findings f;
        for (int i = 0; i < n; ++i)
            for (float x : OutsideValues()) {
                plugin->SetParam(i, 0.5f);
                plugin->SetParam(i, x);
                const float v = plugin->GetParam(i);
                if (!Valid(v))
                    f.Add(ParamTitle(*plugin, i) + " set to " + Number(x) + " reads " + Number(v));
            }
        return f.ToVerdict();
    });

    g.Check("a value read back and set again changes neither the value nor its text", [&] {
        Findings f;
        for (int i = 0; i < n; ++i)
            for (float x : {0.0f, 0.3f, 0.77f, 1.0f}) {
                plugin->SetParam(i, x);
                const float v = plugin->GetParam(i);
                const std::string text = plugin->ParamDisplay(i);
                plugin->SetParam(i, v);
                const float again = plugin->GetParam(i);
                const std::string textAgain = plugin->ParamDisplay(i);
                if (!(std::fabs(again - v) <= kReadBackTolerance) || textAgain != text)
                    f.Add(ParamTitle(*plugin, i) + " reads " + Number(v) + " ('" + text +
                          "'), set to that it reads " + Number(again) + " ('" + textAgain + "')");
            }
        return f.ToVerdict();
    });

    g.Check(
        "processing stays finite with every parameter at 0, at 1, and after outside values "
        "and NaN",
        [&] {
            plugin->Resume();
            Findings f;
            for (float x : kInRange) {
                SetAll(*plugin, x);
                if (auto p = ProcessProblem(*plugin); !p.empty())
                    f.Add("every parameter at " + Number(x) + ": " + p);
            }
            for (float x : OutsideValues()) {
                SetAll(*plugin, x);
                if (auto p = ProcessProblem(*plugin); !p.empty())
                    f.Add("every parameter set to " + Number(x) + ": " + p);
            }
            plugin->Suspend();
            return f.ToVerdict();
        });
}

}  // namespace vhost::validate
