#include "framework/core/VexilBase.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "framework/core/EditorLink.h"
#include "framework/platform/Trace.h"

VexilBase::VexilBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
                     const char* productName, const char* vendorName, int version, int uniqueId,
                     int vendorId, int latency, bool doesMidi, bool usesChunks, bool isInstrument)
    : uniqueId_(uniqueId),
      vendorId_(vendorId),
      version_(version),
      usesChunks_(usesChunks),
      isInstrument_(isInstrument),
      doesMidi_(doesMidi),
      latency_(latency) {
    VEXIL_TRACE("%d:%s:%d", nParams, channelIOStr ? channelIOStr : "", nPresets);
    for (int i = 0; i < nParams; ++i) params_.Add(new IParameter);
    for (int i = 0; i < nPresets; ++i) {
        auto* preset = new PresetRecord;
        std::snprintf(preset->name, sizeof preset->name, "- %d -", i);
        presets_.Add(preset);
    }
    CopyText(effectName_, sizeof effectName_, effectName);
    CopyText(productName_, sizeof productName_, productName);
    CopyText(vendorName_, sizeof vendorName_, vendorName);
    ParseChannelIO(channelIOStr);
}

VexilBase::~VexilBase() {
    VEXIL_TRACE("%s", effectName_);
    if (editor_) {
        editor_link::Delete(editor_);
        editor_ = nullptr;
    }
    params_.DeleteAll();
    presets_.DeleteAll();
    ioConfigs_.DeleteAll();
    inputs_.DeleteAll();
    outputs_.DeleteAll();
}

void VexilBase::ResetState() {
    vexil::ScopedLock hold(lock_);
}

void VexilBase::ParamChanged(int) {
    vexil::ScopedLock hold(lock_);
}

void VexilBase::SetActive(bool) {
    vexil::ScopedLock hold(lock_);
}

void VexilBase::ProcessBlock(double** inputs, double** outputs, int nFrames) {
    if (nFrames <= 0) return;
    for (int i = 0; i < maxOut_; ++i) {
        if (!outputs[i]) continue;
        if (i < maxIn_ && inputs[i]) {
            if (outputs[i] != inputs[i])
                std::memmove(outputs[i], inputs[i], sizeof(double) * static_cast<size_t>(nFrames));
        } else {
            std::memset(outputs[i], 0, sizeof(double) * static_cast<size_t>(nFrames));
        }
    }
}

void VexilBase::HandleMidiMessage(const MidiMessage& message) {
    SendMidiMessage(message);
}

bool VexilBase::MidiNoteName(int, char* text) {
    if (text) text[0] = '\0';
    return false;
}

bool VexilBase::SaveState(GrowBuffer& chunk) {
    return SerializeParams(chunk);
}

int VexilBase::LoadState(const GrowBuffer& chunk, int position) {
    return UnserializeParams(chunk, position);
}

void VexilBase::SetParameterFromGUI(int paramIdx, double normalized) {
    vexil::ScopedLock hold(lock_);
    IParameter* param = Param(paramIdx);
    if (!param) return;
    VEXIL_TRACE("%d:%f", paramIdx, normalized);
    HostAutomate(paramIdx, normalized);
    param->SetFromNormalized(normalized);
    ParamChanged(paramIdx);
}

void VexilBase::AttachEditor(IGraphics* graphics) {
    if (!graphics) return;
    vexil::ScopedLock hold(lock_);
    VEXIL_TRACE("%p", static_cast<void*>(graphics));
    for (int i = 0, n = NParams(); i < n; ++i)
        editor_link::ApplyParamFromPlug(graphics, i, Param(i)->Normalized(), true);
    editor_link::PrepareSurfaces(graphics);
    // A second editor replaces the first; the plug-in owns only one.
    if (editor_ && editor_ != graphics) editor_link::Delete(editor_);
    editor_ = graphics;
}

void VexilBase::ApplyToEditor(int paramIdx, double value, bool normalized) {
    if (editor_) editor_link::ApplyParamFromPlug(editor_, paramIdx, value, normalized);
}

int VexilBase::VersionNumber(bool asDecimal) const {
    if (!asDecimal) return version_;
    const int major = (version_ >> 16) & 0xFFFF;
    const int minor = (version_ >> 8) & 0xFF;
    const int bugfix = version_ & 0xFF;
    return major * 10000 + minor * 100 + bugfix;
}

void VexilBase::StoreSampleRate(double rate) {
    vexil::ScopedLock hold(lock_);
    if (std::isfinite(rate) && rate > 0.0) sampleRate_ = rate;
}

void VexilBase::NotifyAllParamsChanged() {
    vexil::ScopedLock hold(lock_);
    for (int i = 0, n = NParams(); i < n; ++i) ParamChanged(i);
    ResetState();
}
