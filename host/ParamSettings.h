// Parameter and program settings as users write them: names or indices, and
// plain values in the units the plug-in displays.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vhost {

class PluginInstance;

struct ParamAssignment {
    std::string target;  // parameter name or index
    std::string value;   // plain value, display text, or "n:<normalized>"
};

// "NAME=VALUE"; throws HostError when there is no '=' or either side is empty.
ParamAssignment ParseAssignment(const std::string& text);

// A decimal number is an index, anything else a name (case-insensitive);
// throws HostError for an unknown parameter.
int FindParameter(PluginInstance& plugin, const std::string& nameOrIndex);

// The normalized position for a value:
// - "n:0.25": that normalized position (0..1);
// - a number, optionally followed by the parameter's label: the position
//   whose display shows that number. The display is read across the range
//   (201 points), then two bisections find where it reaches the value and
//   where it passes it; the middle of that stretch is taken, so values shown
//   rounded land on the exact setting. A value between two steps of a stepped
//   parameter takes the nearer step;
// - anything else: one of the parameter's display texts (case-insensitive),
//   found on a 1001-point scan, again taking the middle of its stretch.
// Throws HostError when the value is outside the shown range or matches no text.
float ResolveParamValue(PluginInstance& plugin, int index, const std::string& value);

// A decimal number is an index, anything else a program name
// (case-insensitive); throws HostError for an unknown program.
int FindProgram(PluginInstance& plugin, const std::string& nameOrIndex);

// Program first, then each setting in order, as a user would.
void ApplySettings(PluginInstance& plugin, const std::optional<std::string>& program,
                   const std::vector<std::string>& assignments);

// The number a display text starts with; "1.5k" counts as 1500. Empty when
// the text does not start with a number.
std::optional<double> DisplayNumber(const std::string& text);

}  // namespace vhost
