// Programs as a host's program menu uses them: select each, read its name,
// and survive a stale or broken program number from a saved project.
#include <climits>
#include <cmath>
#include <cstdint>

#include "host/validate/ValidateSupport.h"

namespace vhost::validate {

namespace {

// "" when the values are the same as before, else the first that is not.
std::string Changed(PluginInstance& plugin, const std::vector<float>& before) {
    const std::vector<float> now = ParamValues(plugin);
    for (size_t i = 0; i < now.size() && i < before.size(); ++i)
        if (!(now[i] == before[i]) && !(std::isnan(now[i]) && std::isnan(before[i])))
            return ParamTitle(plugin, int(i)) + " went from " + Number(before[i]) + " to " +
                   Number(now[i]);
    return {};
}

}  // namespace

void CheckPrograms(Report& report, const Options& options) {
    Group g(report, "programs");
    auto plugin = LoadPlugin(options);
    const int n = plugin->NumPrograms();
    if (n == 0) {
        g.Skip("program selection", "the plug-in has no programs");
        return;
    }

    g.Check("each of the " + std::to_string(n) +
                " programs can be selected, and effGetProgram "
                "follows",
            [&] {
                Findings f;
                // Down from the last, then up from the first.
                for (bool down : {true, false})
                    for (int q = 0; q < n; ++q) {
                        const int want = down ? n - 1 - q : q;
                        plugin->SetProgram(want);
                        const int got = plugin->Program();
                        if (got != want)
                            f.Add("program " + std::to_string(want) +
                                  " selected, effGetProgram "
                                  "answers " +
                                  std::to_string(got));
                    }
                return f.ToVerdict();
            });

    g.Check("each program's name by index is its name when selected", [&] {
        Findings f;
        int answered = 0;
        for (int p = 0; p < n; ++p) {
            const TextReply indexed = AskText(*plugin, effGetProgramNameIndexed, p, -1);
            if (indexed.result == 0) continue;
            ++answered;
            plugin->SetProgram(p);
            const std::string current = AskText(*plugin, effGetProgramName).text;
            if (current != indexed.text)
                f.Add("program " + std::to_string(p) + " is '" + indexed.text + "' by index but '" +
                      current + "' when selected");
        }
        if (answered == 0 && f.Empty())
            return Skip("the plug-in names no program by index (effGetProgramNameIndexed)");
        return f.ToVerdict();
    });

    g.Check("out-of-range program numbers change neither the program nor the parameters", [&] {
        const int current = n > 1 ? 1 : 0;
        plugin->SetProgram(current);
        const std::vector<float> before = ParamValues(*plugin);
        std::vector<VstIntPtr> numbers = {-1, n, n + 1, n + 1000, INT_MAX, INT_MIN};
        // Where the value is wide enough, a number whose low 32 bits are
        // program 0, which a plug-in that cuts the value to an int selects.
        if constexpr (sizeof(VstIntPtr) > 4)
            numbers.push_back(static_cast<VstIntPtr>(std::int64_t{1} << 40));
        Findings f;
        for (VstIntPtr number : numbers) {
            plugin->Dispatch(effSetProgram, 0, number);
            const int got = plugin->Program();
            const std::string what = "after program " + std::to_string(number) + ", ";
            if (got != current)
                f.Add(what + "effGetProgram answers " + std::to_string(got) + " instead of " +
                      std::to_string(current));
            if (auto changed = Changed(*plugin, before); !changed.empty()) f.Add(what + changed);
        }
        return f.ToVerdict();
    });
}

}  // namespace vhost::validate
