// Texts the plug-in writes into the host's buffers. Hosts set aside fixed
// buffers for them; a plug-in that writes past one corrupts the host's
// memory, and one that leaves a text unterminated makes it read past it.
// Every text here goes into a large buffer of guard bytes, so an overlong
// or unterminated text is seen without harm.
#include <algorithm>
#include <cstring>

#include "host/validate/ValidateSupport.h"

namespace vhost::validate {

namespace {

// Effect, vendor, product, parameter and program names: the interface's
// other name fields (pins, speakers, keys) are 64 bytes too, and so is
// what this host sets aside for its own texts.
constexpr size_t kNameBound = 64;
// Parameter labels and value texts are short by nature.
constexpr size_t kShortBound = 32;
constexpr size_t kPinRecord = sizeof(VstPinProperties);

struct NamedOpcode {
    VstInt32 opcode;
    const char* name;
    size_t bound;
};

// The indices a careless caller passes: one before the first, just past
// the last, and far past it.
std::vector<VstInt32> OutOfRange(int count) {
    return {-1, count, count + 1, count + 1000};
}

void CheckText(Findings& findings, const std::string& where, const TextReply& reply, size_t bound) {
    if (auto problem = TextProblem(reply, bound); !problem.empty())
        findings.Add(where + ": " + problem);
}

// A pin record in a guarded buffer: "" when the plug-in kept to the record
// and its texts are terminated, else what went wrong. The texts are read
// from a record zeroed first, as hosts hand it over: a plug-in need not
// fill every field.
std::string PinProblem(PluginInstance& plugin, bool input, VstInt32 index) {
    const VstInt32 opcode = input ? effGetInputProperties : effGetOutputProperties;
    std::vector<unsigned char> buffer(4096);
    size_t written = 0;
    for (unsigned char guard : {0xA5, 0x5A}) {
        std::fill(buffer.begin(), buffer.end(), guard);
        plugin.Dispatch(opcode, index, 0, buffer.data());
        size_t n = buffer.size();
        while (n > 0 && buffer[n - 1] == guard) --n;
        written = std::max(written, n);
    }
    const std::string pin = std::string(input ? "input" : "output") + " " + std::to_string(index);
    if (written > kPinRecord)
        return pin + ": wrote " + std::to_string(written) + " bytes into a " +
               std::to_string(kPinRecord) + "-byte pin record";
    std::fill(buffer.begin(), buffer.end(), 0);
    if (plugin.Dispatch(opcode, index, 0, buffer.data()) == 0) return {};
    VstPinProperties record;
    std::memcpy(&record, buffer.data(), sizeof record);
    if (!std::memchr(record.label, 0, sizeof record.label))
        return pin + ": the label is not terminated within its 64 bytes";
    if (!std::memchr(record.shortLabel, 0, sizeof record.shortLabel))
        return pin + ": the short label is not terminated within its 8 bytes";
    return {};
}

}  // namespace

void CheckStrings(Report& report, const Options& options) {
    Group g(report, "strings");
    auto plugin = LoadPlugin(options);
    const int nParams = plugin->NumParams();
    const int nPrograms = plugin->NumPrograms();
    const std::string name64 = std::to_string(kNameBound) + " bytes";
    const std::string short32 = std::to_string(kShortBound) + " bytes";

    g.Check("effect, vendor and product names end within " + name64, [&] {
        Findings f;
        for (NamedOpcode o : {NamedOpcode{effGetEffectName, "effect name", kNameBound},
                              NamedOpcode{effGetVendorString, "vendor", kNameBound},
                              NamedOpcode{effGetProductString, "product", kNameBound}})
            CheckText(f, o.name, AskText(*plugin, o.opcode), o.bound);
        return f.ToVerdict();
    });

    g.Check("parameter names end within " + name64 + ", labels and value texts within " + short32 +
                ", all printable",
            [&] {
                Findings f;
                for (int i = 0; i < nParams; ++i) {
                    const std::string p = "parameter " + std::to_string(i);
                    CheckText(f, p + " name", AskText(*plugin, effGetParamName, i), kNameBound);
                    CheckText(f, p + " label", AskText(*plugin, effGetParamLabel, i), kShortBound);
                    CheckText(f, p + " value text", AskText(*plugin, effGetParamDisplay, i),
                              kShortBound);
                }
                return f.ToVerdict();
            });

    g.Check(
        "program names, current and by index, end within " + name64 + " and are printable", [&] {
            Findings f;
            CheckText(f, "current program name", AskText(*plugin, effGetProgramName), kNameBound);
            for (int p = 0; p < nPrograms; ++p)
                CheckText(f, "program " + std::to_string(p) + " name by index",
                          AskText(*plugin, effGetProgramNameIndexed, p, -1), kNameBound);
            return f.ToVerdict();
        });

    g.Check("texts asked for out-of-range parameter and program indices stay within bounds", [&] {
        Findings f;
        for (VstInt32 i : OutOfRange(nParams)) {
            const std::string p = "parameter " + std::to_string(i);
            CheckText(f, p + " name", AskText(*plugin, effGetParamName, i), kNameBound);
            CheckText(f, p + " label", AskText(*plugin, effGetParamLabel, i), kShortBound);
            CheckText(f, p + " value text", AskText(*plugin, effGetParamDisplay, i), kShortBound);
        }
        for (VstInt32 p : OutOfRange(nPrograms))
            CheckText(f, "program " + std::to_string(p) + " name by index",
                      AskText(*plugin, effGetProgramNameIndexed, p, -1), kNameBound);
        return f.ToVerdict();
    });

    g.Check("pin properties, in and out of range, stay within their record", [&] {
        Findings f;
        for (bool input : {true, false}) {
            const int n = input ? plugin->NumInputs() : plugin->NumOutputs();
            std::vector<VstInt32> indices = OutOfRange(n);
            for (int i = 0; i < n; ++i) indices.push_back(i);
            for (VstInt32 i : indices)
                if (auto problem = PinProblem(*plugin, input, i); !problem.empty()) f.Add(problem);
        }
        return f.ToVerdict();
    });
}

}  // namespace vhost::validate
