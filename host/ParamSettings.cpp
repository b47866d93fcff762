#include "host/ParamSettings.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "host/HostError.h"
#include "host/PluginInstance.h"

namespace vhost {

namespace {

constexpr int kNumberGrid = 200;
constexpr int kTextGrid = 1000;
constexpr int kBisections = 32;

std::string Trim(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool SameText(const std::string& a, const std::string& b) {
    return Lower(Trim(a)) == Lower(Trim(b));
}

// Parses a leading number; 'rest' receives what follows it.
std::optional<double> LeadingNumber(const std::string& text, std::string& rest) {
    std::string trimmed = Trim(text);
    if (trimmed.empty()) return std::nullopt;
    const char* begin = trimmed.c_str();
    char* end = nullptr;
    double v = std::strtod(begin, &end);
    if (end == begin) return std::nullopt;
    // strtod also takes "nan" and hexadecimal forms, which no display means.
    if (std::isnan(v)) return std::nullopt;
    if (*end == 'k' || *end == 'K') {
        v *= 1000.0;
        ++end;
    }
    rest = Trim(end);
    return v;
}

std::optional<size_t> ParseIndex(const std::string& text) {
    std::string t = Trim(text);
    if (t.empty() || t.size() > 9 || !std::all_of(t.begin(), t.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        }))
        return std::nullopt;
    return static_cast<size_t>(std::stoul(t));
}

bool Equal(double a, double b) {
    if (a == b) return true;
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

// The number a parameter displays at a normalized position.
class DisplayCurve {
  public:
    DisplayCurve(PluginInstance& plugin, int index) : plugin_(plugin), index_(index) {}
    std::optional<double> At(double x) {
        return DisplayNumber(plugin_.DisplayAt(index_, static_cast<float>(x)));
    }

  private:
    PluginInstance& plugin_;
    int index_;
};

// Empty when the value lies outside the numbers the parameter shows.
std::optional<float> SolveNumber(PluginInstance& plugin, int index, double target,
                                 const std::string& name) {
    DisplayCurve curve(plugin, index);
    std::vector<double> ys;
    double lowest = INFINITY, highest = -INFINITY;
    int numeric = 0;
    for (int i = 0; i <= kNumberGrid; ++i) {
        auto y = curve.At(static_cast<double>(i) / kNumberGrid);
        ys.push_back(y ? *y : NAN);
        if (!y) continue;
        ++numeric;
        lowest = std::min(lowest, *y);
        highest = std::max(highest, *y);
    }
    if (numeric < 2)
        throw HostError("parameter '" + name + "' shows no numbers (it shows '" +
                        plugin.DisplayAt(index, 0.0f) +
                        "'); give one of its texts or a normalized position n:0..1");
    if ((target < lowest && !Equal(target, lowest)) ||
        (target > highest && !Equal(target, highest)))
        return std::nullopt;

    bool monotone = true;
    int direction = 0;
    double previous = NAN;
    for (double y : ys) {
        if (std::isnan(y)) continue;
        if (!std::isnan(previous) && y != previous) {
            int d = y > previous ? 1 : -1;
            if (direction == 0) direction = d;
            if (d != direction) monotone = false;
        }
        previous = y;
    }

    if (!monotone || direction == 0) {
        // No order to search along: take the grid point showing the nearest number.
        int best = 0;
        for (int i = 0; i <= kNumberGrid; ++i)
            if (!std::isnan(ys[static_cast<size_t>(i)]) &&
                (std::isnan(ys[static_cast<size_t>(best)]) ||
                 std::fabs(ys[static_cast<size_t>(i)] - target) <
                     std::fabs(ys[static_cast<size_t>(best)] - target)))
                best = i;
        return static_cast<float>(best) / kNumberGrid;
    }

    // u runs along the range in the direction the display increases. Texts
    // without a number count as below every number on the lower half and
    // above on the upper half (an "off" at one end of a level, say).
    auto xOf = [&](double u) { return direction > 0 ? u : 1.0 - u; };
    auto g = [&](double u) -> double {
        auto y = curve.At(xOf(u));
        if (y) return *y;
        return u < 0.5 ? -INFINITY : INFINITY;
    };
    // Smallest u where pred holds, for a pred that is false then true.
    auto edge = [&](const std::function<bool(double)>& pred) {
        if (pred(g(0.0))) return 0.0;
        if (!pred(g(1.0))) return 1.0;
        double lo = 0.0, hi = 1.0;
        for (int i = 0; i < kBisections; ++i) {
            double mid = 0.5 * (lo + hi);
            (pred(g(mid)) ? hi : lo) = mid;
        }
        return hi;
    };
    auto plateau = [&](double value) {
        double begin = edge([&](double y) { return y >= value || Equal(y, value); });
        double end = edge([&](double y) { return y > value && !Equal(y, value); });
        return std::pair<double, double>(begin, end);
    };

    auto [begin, end] = plateau(target);
    double shown = g(begin);
    if (!Equal(shown, target)) {
        // Between two steps: move to the nearer one and take its stretch.
        double below = begin > 0.0 ? g(std::max(0.0, begin - 1.0 / (1 << 20))) : shown;
        double chosen = std::fabs(below - target) < std::fabs(shown - target) ? below : shown;
        std::tie(begin, end) = plateau(chosen);
    }
    return static_cast<float>(xOf(0.5 * (begin + end)));
}

float SolveText(PluginInstance& plugin, int index, const std::string& value,
                const std::string& name) {
    int runStart = -1, runEnd = -1;
    std::vector<std::string> seen;
    for (int i = 0; i <= kTextGrid; ++i) {
        std::string text = plugin.DisplayAt(index, static_cast<float>(i) / kTextGrid);
        if (SameText(text, value)) {
            if (runStart < 0) runStart = i;
            runEnd = i;
        } else if (runStart >= 0) {
            break;
        }
        if (seen.size() < 8 && std::find(seen.begin(), seen.end(), Trim(text)) == seen.end())
            seen.push_back(Trim(text));
    }
    if (runStart < 0) {
        std::string list;
        for (const std::string& s : seen) list += (list.empty() ? "'" : ", '") + s + "'";
        throw HostError("parameter '" + name + "' shows no text '" + value + "' (it shows " + list +
                        (seen.size() >= 8 ? ", ..." : "") + ")");
    }
    return static_cast<float>(0.5 * (runStart + runEnd) / kTextGrid);
}

}  // namespace

std::optional<double> DisplayNumber(const std::string& text) {
    std::string rest;
    return LeadingNumber(text, rest);
}

ParamAssignment ParseAssignment(const std::string& text) {
    size_t eq = text.find('=');
    if (eq == std::string::npos || Trim(text.substr(0, eq)).empty() ||
        Trim(text.substr(eq + 1)).empty())
        throw HostError("bad setting '" + text + "': expected NAME=VALUE");
    return {Trim(text.substr(0, eq)), Trim(text.substr(eq + 1))};
}

int FindParameter(PluginInstance& plugin, const std::string& nameOrIndex) {
    if (auto index = ParseIndex(nameOrIndex)) {
        if (*index < static_cast<size_t>(plugin.NumParams())) return static_cast<int>(*index);
        throw HostError("unknown parameter " + Trim(nameOrIndex) + " (the plug-in has " +
                        std::to_string(plugin.NumParams()) + " parameters)");
    }
    for (int i = 0; i < plugin.NumParams(); ++i)
        if (SameText(plugin.ParamName(i), nameOrIndex)) return i;
    throw HostError("unknown parameter '" + Trim(nameOrIndex) + "'");
}

float ResolveParamValue(PluginInstance& plugin, int index, const std::string& value) {
    const std::string name = plugin.ParamName(index);
    const std::string v = Trim(value);
    if (v.size() > 2 && (v[0] == 'n' || v[0] == 'N') && v[1] == ':') {
        std::string rest;
        auto n = LeadingNumber(v.substr(2), rest);
        if (!n || !rest.empty() || v.find_first_of("kK", 2) != std::string::npos || *n < 0.0 ||
            *n > 1.0)
            throw HostError("bad normalized value '" + v + "' for '" + name + "': expected n:0..1");
        return static_cast<float>(*n);
    }
    const std::string label = plugin.ParamLabel(index);
    std::string rest;
    auto number = LeadingNumber(v, rest);
    if (number && (rest.empty() || SameText(rest, label))) {
        if (auto position = SolveNumber(plugin, index, *number, name)) return *position;
        std::string low = plugin.DisplayAt(index, 0.0f), high = plugin.DisplayAt(index, 1.0f);
        throw HostError("value " + v + " is outside the range of '" + name + "' (" + Trim(low) +
                        " .. " + Trim(high) + (label.empty() ? "" : " " + Trim(label)) + ")");
    }
    return SolveText(plugin, index, v, name);
}

int FindProgram(PluginInstance& plugin, const std::string& nameOrIndex) {
    if (auto index = ParseIndex(nameOrIndex)) {
        if (*index < static_cast<size_t>(plugin.NumPrograms())) return static_cast<int>(*index);
        throw HostError("unknown program " + Trim(nameOrIndex) + " (the plug-in has " +
                        std::to_string(plugin.NumPrograms()) + " programs)");
    }
    bool anyIndexed = false;
    for (int i = 0; i < plugin.NumPrograms(); ++i) {
        const std::string name = plugin.ProgramNameIndexed(i);
        anyIndexed = anyIndexed || !name.empty();
        if (SameText(name, nameOrIndex)) return i;
    }
    if (!anyIndexed) {
        // Older plug-ins name only the current program: visit each, then
        // return to where we were.
        const int current = plugin.Program();
        int found = -1;
        for (int i = 0; i < plugin.NumPrograms() && found < 0; ++i) {
            plugin.SetProgram(i);
            if (SameText(plugin.ProgramName(), nameOrIndex)) found = i;
        }
        plugin.SetProgram(current);
        if (found >= 0) return found;
    }
    throw HostError("unknown program '" + Trim(nameOrIndex) + "'");
}

void ApplySettings(PluginInstance& plugin, const std::optional<std::string>& program,
                   const std::vector<std::string>& assignments) {
    // Resolve everything before changing anything, so a typo changes nothing.
    std::vector<ParamAssignment> parsed;
    for (const std::string& a : assignments) parsed.push_back(ParseAssignment(a));
    std::vector<int> indices;
    for (const ParamAssignment& a : parsed) indices.push_back(FindParameter(plugin, a.target));
    if (program) plugin.SetProgram(FindProgram(plugin, *program));
    for (size_t i = 0; i < parsed.size(); ++i)
        plugin.SetParam(indices[i], ResolveParamValue(plugin, indices[i], parsed[i].value));
}

}  // namespace vhost
