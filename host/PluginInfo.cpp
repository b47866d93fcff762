#include "host/PluginInfo.h"

#include <cstdio>
#include <sstream>

#include "host/PluginInstance.h"

namespace vhost {

namespace {

std::string Hex(unsigned v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", v);
    return text;
}

std::string PinFlagNames(VstInt32 flags) {
    std::string text;
    auto add = [&](const char* name) { text += (text.empty() ? "" : ", ") + std::string(name); };
    if (flags & kVstPinIsActive) add("active");
    if (flags & kVstPinIsStereo) add("stereo");
    if (flags & kVstPinUseSpeaker) add("speaker");
    return text.empty() ? "-" : text;
}

void DescribePins(std::ostringstream& out, PluginInstance& plugin, bool input) {
    const int count = input ? plugin.NumInputs() : plugin.NumOutputs();
    out << (input ? "inputs:       " : "outputs:      ") << count << '\n';
    for (int i = 0; i < count; ++i) {
        auto pin = plugin.PinProperties(input, i);
        out << "  " << i << "  ";
        if (pin)
            out << '"' << pin->label << "\" (" << PinFlagNames(pin->flags) << ")\n";
        else
            out << "(no properties)\n";
    }
}

}  // namespace

std::string FlagNames(int flags) {
    static const struct {
        int flag;
        const char* name;
    } kNames[] = {
        {effFlagsHasEditor, "editor"},
        {effFlagsCanMono, "mono"},
        {effFlagsCanReplacing, "replacing"},
        {effFlagsProgramChunks, "chunks"},
        {effFlagsIsSynth, "synth"},
        {effFlagsNoSoundInStop, "no sound in stop"},
        {effFlagsCanDoubleReplacing, "double replacing"},
    };
    std::string text;
    int known = 0;
    for (const auto& n : kNames) {
        known |= n.flag;
        if (flags & n.flag) text += (text.empty() ? "" : ", ") + std::string(n.name);
    }
    if (flags & ~known)
        text += (text.empty() ? "other " : ", other ") + Hex(static_cast<unsigned>(flags & ~known));
    return text;
}

std::string DescribePlugin(PluginInstance& plugin) {
    std::ostringstream out;
    out << "file:         " << plugin.Path() << '\n';
    out << "effect:       " << plugin.EffectName() << '\n';
    out << "vendor:       " << plugin.VendorName() << '\n';
    out << "product:      " << plugin.ProductName() << '\n';
    out << "version:      " << plugin.Version() << " (vendor version " << plugin.VendorVersion()
        << ")\n";
    out << "unique id:    " << FourCharText(plugin.UniqueId()) << " ("
        << Hex(static_cast<unsigned>(plugin.UniqueId())) << ")\n";
    out << "VST version:  " << plugin.Dispatch(effGetVstVersion) << '\n';
    out << "category:     " << plugin.Dispatch(effGetPlugCategory) << '\n';
    out << "flags:        " << Hex(static_cast<unsigned>(plugin.Flags())) << " ("
        << FlagNames(plugin.Flags()) << ")\n";
    out << "latency:      " << plugin.Effect()->initialDelay << " samples\n";
    if (auto rect = plugin.EditorRect())
        out << "editor:       " << (rect->right - rect->left) << " x " << (rect->bottom - rect->top)
            << '\n';
    DescribePins(out, plugin, true);
    DescribePins(out, plugin, false);

    out << "parameters:   " << plugin.NumParams() << '\n';
    for (int i = 0; i < plugin.NumParams(); ++i) {
        std::string label = plugin.ParamLabel(i);
        char normalized[32];
        std::snprintf(normalized, sizeof normalized, "%.6g", plugin.GetParam(i));
        out << "  " << i << "  " << plugin.ParamName(i) << " = " << plugin.ParamDisplay(i)
            << (label.empty() ? "" : " " + label) << "  (n:" << normalized << ")\n";
    }
    out << "programs:     " << plugin.NumPrograms() << " (current " << plugin.Program() << ")\n";
    for (int i = 0; i < plugin.NumPrograms(); ++i)
        out << "  " << i << "  " << plugin.ProgramNameIndexed(i) << '\n';
    return out.str();
}

}  // namespace vhost
