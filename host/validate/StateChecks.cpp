// Program and bank chunks as a host saves and restores them with a project,
// and the damaged ones it may hand back from a truncated or corrupted file.
#include <cmath>
#include <cstdint>

#include "host/validate/ValidateSupport.h"

namespace vhost::validate {

namespace {

constexpr float kRestoreTolerance = 1e-6f;
constexpr std::uint32_t kSeed = 20240611u;

using Bytes = std::vector<std::uint8_t>;

struct Hostile {
    std::string name;
    Bytes bytes;
    bool null = false;  // handed over as a null pointer
};

Bytes RandomBytes(size_t size, std::uint32_t seed) {
    Bytes bytes(size);
    std::uint32_t x = seed;
    for (auto& b : bytes) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<std::uint8_t>(x >> 24);
    }
    return bytes;
}

std::vector<Hostile> HostileChunks(const Bytes& real) {
    std::vector<Hostile> cases;
    cases.push_back({"an empty chunk at a null pointer", {}, true});
    cases.push_back({"an empty chunk", {}});
    cases.push_back({"1 byte", {0x01}});
    cases.push_back({"3 bytes", {0xff, 0x00, 0x7f}});
    const auto prefix = [&](size_t n) { return Bytes(real.begin(), real.begin() + long(n)); };
    if (real.size() > 8) cases.push_back({"the first 8 bytes of a real chunk", prefix(8)});
    if (real.size() > 2) cases.push_back({"a real chunk cut in half", prefix(real.size() / 2)});
    if (real.size() > 1)
        cases.push_back({"a real chunk less its last byte", prefix(real.size() - 1)});
    for (size_t size : {16u, 512u, 4096u})
        cases.push_back({std::to_string(size) + " random bytes", RandomBytes(size, kSeed + size)});
    for (size_t at : {size_t(0), size_t(4), size_t(8), size_t(12), size_t(16), real.size() / 2,
                      real.size() - 1}) {
        if (at >= real.size()) continue;
        Bytes flipped = real;
        flipped[at] ^= 0xff;
        cases.push_back({"a real chunk with byte " + std::to_string(at) + " flipped", flipped});
    }
    Bytes every = real;
    for (size_t i = 3; i < every.size(); i += 13) every[i] ^= 0x5a;
    cases.push_back({"a real chunk with every 13th byte flipped", every});
    Bytes longer = real;
    const Bytes tail = RandomBytes(100, kSeed);
    longer.insert(longer.end(), tail.begin(), tail.end());
    cases.push_back({"a real chunk with 100 random bytes after it", longer});
    return cases;
}

void SetChunkRaw(PluginInstance& plugin, const Hostile& chunk, bool program) {
    Bytes copy = chunk.bytes;
    std::uint8_t none = 0;
    void* data = chunk.null ? nullptr : copy.empty() ? &none : copy.data();
    plugin.Dispatch(effSetChunk, program ? 1 : 0, static_cast<VstIntPtr>(copy.size()), data);
}

// Values away from the defaults, different for every parameter.
void SetPattern(PluginInstance& plugin, bool inverted) {
    for (int i = 0; i < plugin.NumParams(); ++i) {
        const float v = static_cast<float>((i * 37 % 100) / 100.0);
        plugin.SetParam(i, inverted ? 1.0f - v : v);
    }
}

std::string Mismatch(PluginInstance& plugin, const std::vector<float>& expected) {
    const std::vector<float> now = ParamValues(plugin);
    for (size_t i = 0; i < now.size() && i < expected.size(); ++i)
        if (!(std::fabs(now[i] - expected[i]) <= kRestoreTolerance))
            return ParamTitle(plugin, int(i)) + " is " + Number(now[i]) + " instead of " +
                   Number(expected[i]);
    return {};
}

void CheckKind(Group& g, const Options& options, bool program) {
    const std::string kind = program ? "program chunk" : "bank chunk";
    auto plugin = LoadPlugin(options);
    if (plugin->NumPrograms() > 1) plugin->SetProgram(1);
    SetPattern(*plugin, false);
    const std::vector<float> saved = ParamValues(*plugin);
    const Bytes real = plugin->GetChunk(program);
    if (real.empty()) {
        g.Skip(kind + "s", plugin->HasFlag(effFlagsProgramChunks)
                               ? "the plug-in gives no " + kind
                               : "the plug-in keeps no chunks (no effFlagsProgramChunks); hosts "
                                 "save its parameters");
        return;
    }

    g.Check(kind + ": get, set back and get again gives the same bytes", [&] {
        if (!plugin->SetChunk(real, program)) return Fail("effSetChunk refused its own chunk");
        const Bytes again = plugin->GetChunk(program);
        if (again.size() != real.size())
            return Fail(std::to_string(real.size()) + " bytes first, " +
                        std::to_string(again.size()) + " after setting them back");
        for (size_t i = 0; i < real.size(); ++i)
            if (again[i] != real[i])
                return Fail("byte " + std::to_string(i) + " of " + std::to_string(real.size()) +
                            " differs after setting the chunk back");
        return Ok();
    });

    g.Check(kind + ": restores the parameters, here and in a fresh instance", [&] {
        SetPattern(*plugin, true);
        plugin->SetChunk(real, program);
        if (auto m = Mismatch(*plugin, saved); !m.empty()) return Fail("here: " + m);
        auto fresh = LoadPlugin(options);
        // The current program is the host's to restore, as on loading a project.
        fresh->SetProgram(plugin->Program());
        if (!fresh->SetChunk(real, program)) return Fail("a fresh instance refused the chunk");
        if (auto m = Mismatch(*fresh, saved); !m.empty()) return Fail("fresh instance: " + m);
        return Ok();
    });

    g.Check(kind + ": damaged chunks leave valid parameters and finite output", [&] {
        plugin->Resume();
        Findings f;
        const int nPrograms = plugin->NumPrograms();
        for (const Hostile& chunk : HostileChunks(real)) {
            SetChunkRaw(*plugin, chunk, program);
            if (auto bad = InvalidParam(*plugin); !bad.empty()) f.Add(chunk.name + ": " + bad);
            const int p = plugin->Program();
            if (nPrograms > 0 && (p < 0 || p >= nPrograms))
                f.Add(chunk.name + ": effGetProgram answers " + std::to_string(p));
            if (auto bad = NonFinite(Run(*plugin, Input::Signal, 2L * plugin->BlockSize()));
                !bad.empty())
                f.Add(chunk.name + ": " + bad);
        }
        if (plugin->Program() != 1 && nPrograms > 1) plugin->SetProgram(1);
        plugin->SetChunk(real, program);
        if (auto m = Mismatch(*plugin, saved); !m.empty())
            f.Add("the real chunk set after the damaged ones: " + m);
        plugin->Suspend();
        return f.ToVerdict();
    });
}

}  // namespace

void CheckState(Report& report, const Options& options) {
    Group g(report, "state");
    // Without effFlagsProgramChunks hosts keep the parameters instead, but
    // some still ask for chunks (to compare states, for undo); a plug-in
    // that answers must answer soundly, so its chunks are checked as well.
    CheckKind(g, options, false);
    CheckKind(g, options, true);
}

}  // namespace vhost::validate
