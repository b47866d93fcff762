#include "framework/vst/VexilVST.h"

#include <cmath>
#include <cstring>

#include "framework/core/EditorLink.h"
#include "framework/platform/Trace.h"

VexilVST::VexilVST(audioMasterCallback audioMaster, int nParams, const char* channelIOStr,
                   int nPresets, const char* effectName, const char* productName,
                   const char* vendorName, int version, int uniqueId, int vendorId, int latency,
                   bool doesMidi, bool usesChunks, bool isInstrument)
    : VexilBase(nParams, channelIOStr, nPresets, effectName, productName, vendorName, version,
                uniqueId, vendorId, latency, doesMidi, usesChunks, isInstrument),
      audioMaster_(audioMaster) {
    effect_.magic = kEffectMagic;
    effect_.dispatcher = &VSTDispatcher;
    effect_.process = &VSTProcess;
    effect_.setParameter = &VSTSetParameter;
    effect_.getParameter = &VSTGetParameter;
    effect_.numPrograms = NPresets();
    effect_.numParams = NParams();
    effect_.numInputs = MaxInputs();
    effect_.numOutputs = MaxOutputs();
    effect_.initialDelay = latency;
    effect_.ioRatio = 1.0f;
    effect_.object = this;
    effect_.uniqueID = uniqueId;
    effect_.version = VersionNumber(true);
    effect_.processReplacing = &VSTProcessReplacing;
    effect_.processDoubleReplacing = &VSTProcessDoubleReplacing;
    VstInt32 flags = effFlagsCanReplacing | effFlagsCanDoubleReplacing;
    if (usesChunks) flags |= effFlagsProgramChunks;
    if (LegalIO(1, -1)) flags |= effFlagsCanMono;
    if (isInstrument) flags |= effFlagsIsSynth;
    effect_.flags = flags;

    inputArrangement_.numChannels = MaxInputs();
    outputArrangement_.numChannels = MaxOutputs();

    const size_t nIn = static_cast<size_t>(MaxInputs()) + 1;
    const size_t nOut = static_cast<size_t>(MaxOutputs()) + 1;
    sliceIn32_.reset(new float*[nIn]());
    sliceOut32_.reset(new float*[nOut]());
    sliceIn64_.reset(new double*[nIn]());
    sliceOut64_.reset(new double*[nOut]());

    ConnectInputs(0, MaxInputs(), true);
    ConnectOutputs(0, MaxOutputs(), true);
    ChangeBlockSize(kInitialBlockSize);
}

VexilVST::~VexilVST() {
    programChunk_.Release();
    bankChunk_.Release();
}

VstIntPtr VexilVST::CallHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt) {
    if (!audioMaster_) return 0;
    return audioMaster_(&effect_, opcode, index, value, ptr, opt);
}

void VexilVST::HostEditBegin(int paramIdx) {
    CallHost(audioMasterBeginEdit, paramIdx);
}

void VexilVST::HostAutomate(int paramIdx, double normalized) {
    CallHost(audioMasterAutomate, paramIdx, 0, nullptr, static_cast<float>(normalized));
}

void VexilVST::HostEditEnd(int paramIdx) {
    CallHost(audioMasterEndEdit, paramIdx);
}

const VstTimeInfo* VexilVST::HostTime(VstInt32 flags) {
    return reinterpret_cast<const VstTimeInfo*>(CallHost(audioMasterGetTime, 0, flags));
}

std::int64_t VexilVST::HostSamplePosition() {
    const VstTimeInfo* time = HostTime(0);
    if (!time || !(time->samplePos >= 0.0)) return 0;
    // Beyond the 64-bit range (or infinite) is not a position a host means.
    if (!(time->samplePos < 9.2e18)) return 0;
    return static_cast<std::int64_t>(time->samplePos);
}

double VexilVST::HostTempo() {
    const VstTimeInfo* time = HostTime(kVstTempoValid);
    if (!time || !(time->flags & kVstTempoValid)) return 0.0;
    if (!(time->tempo >= 0.0) || !std::isfinite(time->tempo)) return 0.0;
    return time->tempo;
}

void VexilVST::HostTimeSignature(int& numerator, int& denominator) {
    numerator = 0;
    denominator = 0;
    const VstTimeInfo* time = HostTime(kVstTimeSigValid);
    if (!time || !(time->flags & kVstTimeSigValid)) return;
    if (time->timeSigNumerator < 0 || time->timeSigDenominator < 0) return;
    numerator = time->timeSigNumerator;
    denominator = time->timeSigDenominator;
}

void VexilVST::EditorResized(int, int) {
    IGraphics* editor = Editor();
    if (!editor) return;
    editorRect_.top = 0;
    editorRect_.left = 0;
    editorRect_.bottom = static_cast<std::int16_t>(editor_link::Height(editor));
    editorRect_.right = static_cast<std::int16_t>(editor_link::Width(editor));
}

void VexilVST::AttachEditor(IGraphics* graphics) {
    if (!graphics) return;
    vexil::ScopedLock hold(PluginLock());
    VexilBase::AttachEditor(graphics);
    effect_.flags |= effFlagsHasEditor;
    EditorResized(0, 0);
}

void VexilVST::ChangeLatency(int samples) {
    vexil::ScopedLock hold(PluginLock());
    effect_.initialDelay = samples;
    VexilBase::ChangeLatency(samples);
}

bool VexilVST::SendMidiMessage(const MidiMessage& message) {
    VstMidiEvent event{};
    event.type = kVstMidiType;
    event.byteSize = sizeof(VstMidiEvent);
    event.deltaFrames = message.offset;
    event.midiData[0] = static_cast<char>(message.status);
    event.midiData[1] = static_cast<char>(message.data1);
    event.midiData[2] = static_cast<char>(message.data2);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&event);
    return CallHost(audioMasterProcessEvents, 0, 0, &events) == 1;
}

bool VexilVST::SendMidiMessages(const GrowBuffer& list) {
    const auto* messages = list.As<MidiMessage>();
    const size_t n = list.Size() / sizeof(MidiMessage);
    bool all = true;
    for (size_t i = 0; i < n; ++i) all = SendMidiMessage(messages[i]) && all;
    return all;
}

void VexilVST::SetHostAdjustmentStyle(HostAdjustmentStyle style) {
    adjustmentStyle_ = style;
    hostTableHasOrion_ = style == HostAdjustmentStyle::MultiEffect;
}
