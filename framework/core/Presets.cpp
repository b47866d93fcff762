// Preset slots: factory building, default presets, recall and store.
#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/core/VexilBase.h"
#include "framework/platform/Trace.h"

namespace {

bool TakesInt(const IParameter& param) {
    const ParamKind k = param.Kind();
    return k == ParamKind::Toggle || k == ParamKind::Integer || k == ParamKind::Choice;
}

double ReadPresetArgument(const IParameter& param, va_list& args) {
    return TakesInt(param) ? static_cast<double>(va_arg(args, int)) : va_arg(args, double);
}

}  // namespace

PresetRecord* VexilBase::FreePresetSlot() {
    for (int i = 0, n = NPresets(); i < n; ++i) {
        PresetRecord* slot = presets_.Get(i);
        if (!slot->initialized) return slot;
    }
    return nullptr;
}

void VexilBase::AddPresetValues(const char* name, ...) {
    PresetRecord* slot = FreePresetSlot();
    if (!slot) return;
    slot->initialized = true;
    CopyText(slot->name, sizeof slot->name, name);
    slot->values.Clear();
    va_list args;
    va_start(args, name);
    for (int i = 0, n = NParams(); i < n; ++i) {
        const double v = ReadPresetArgument(*Param(i), args);
        slot->values.Append(&v, sizeof v);
    }
    va_end(args);
}

void VexilBase::AddPresetNamedValues(const char* name, int count, ...) {
    PresetRecord* slot = FreePresetSlot();
    if (!slot) return;
    slot->initialized = true;
    CopyText(slot->name, sizeof slot->name, name);
    slot->values.Clear();
    const int n = NParams();
    std::vector<double> values(static_cast<size_t>(n), kPresetUnsetMarker);
    va_list args;
    va_start(args, count);
    for (int i = 0; i < count; ++i) {
        const int paramIdx = va_arg(args, int);
        assert(paramIdx >= 0 && paramIdx < n);
        // Without the parameter its argument type is unknown, so nothing
        // after a bad index can be read safely.
        if (paramIdx < 0 || paramIdx >= n) break;
        values[static_cast<size_t>(paramIdx)] = ReadPresetArgument(*Param(paramIdx), args);
    }
    va_end(args);
    for (int i = 0; i < n; ++i) {
        double v = values[static_cast<size_t>(i)];
        if (v == kPresetUnsetMarker) v = Param(i)->Value();
        slot->values.Append(&v, sizeof v);
    }
}

void VexilBase::AddDefaultPresets(const char* name, int count) {
    for (int i = 0; i < count; ++i) {
        PresetRecord* slot = FreePresetSlot();
        if (!slot) continue;
        slot->initialized = true;
        CopyText(slot->name, sizeof slot->name, name ? name : "Default");
        slot->values.Clear();
        SerializeParams(slot->values);
    }
}

void VexilBase::EnsureDefaultPreset() {
    if (NPresets() > 0) return;
    auto* preset = new PresetRecord;
    std::snprintf(preset->name, sizeof preset->name, "- %d -", 0);
    if (!presets_.Add(preset)) return;
    AddDefaultPresets(nullptr, 1);
}

bool VexilBase::RecallPreset(int index) {
    vexil::ScopedLock hold(lock_);
    PresetRecord* slot = presets_.Get(index);
    if (!slot) return false;
    VEXIL_TRACE("%d", index);
    bool ok;
    if (slot->initialized) {
        ok = UnserializeParams(slot->values, 0) > 0;
    } else {
        slot->initialized = true;
        int users = 0;
        for (int i = 0, n = NPresets(); i < n; ++i)
            if (std::strstr(presets_.Get(i)->name, "user preset")) ++users;
        std::snprintf(slot->name, sizeof slot->name, "%s %d", "user preset", users + 1);
        slot->values.Clear();
        ok = SerializeParams(slot->values);
    }
    if (ok) currentPreset_ = index;
    return ok;
}

void VexilBase::StoreIntoCurrentPreset(const char* name) {
    vexil::ScopedLock hold(lock_);
    PresetRecord* slot = presets_.Get(currentPreset_);
    if (!slot) return;
    slot->values.Clear();
    SerializeParams(slot->values);
    if (name && name[0] != '\0') CopyText(slot->name, sizeof slot->name, name);
}

const char* VexilBase::PresetName(int index) const {
    const PresetRecord* slot = presets_.Get(index);
    return slot ? slot->name : "";
}

bool VexilBase::PresetInitialized(int index) const {
    const PresetRecord* slot = presets_.Get(index);
    return slot && slot->initialized;
}
