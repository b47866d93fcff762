// The dispatcher: routes the host's opcodes to the plug-in under its lock.
// Pointers from the host are checked before use; a null pointer where a
// result is expected answers 0.
#include <climits>
#include <cstdio>
#include <cstring>

#include "framework/core/EditorLink.h"
#include "framework/platform/Trace.h"
#include "framework/vst/VexilVST.h"

namespace {

const char* OpcodeName(VstInt32 opcode) {
    switch (opcode) {
        case effOpen:
            return "effOpen";
        case effClose:
            return "effClose";
        case effSetProgram:
            return "effSetProgram";
        case effGetProgram:
            return "effGetProgram";
        case effSetProgramName:
            return "effSetProgramName";
        case effGetProgramName:
            return "effGetProgramName";
        case effGetParamLabel:
            return "effGetParamLabel";
        case effGetParamDisplay:
            return "effGetParamDisplay";
        case effGetParamName:
            return "effGetParamName";
        case effSetSampleRate:
            return "effSetSampleRate";
        case effSetBlockSize:
            return "effSetBlockSize";
        case effMainsChanged:
            return "effMainsChanged";
        case effEditGetRect:
            return "effEditGetRect";
        case effEditOpen:
            return "effEditOpen";
        case effEditClose:
            return "effEditClose";
        case effIdentify:
            return "effIdentify";
        case effGetChunk:
            return "effGetChunk";
        case effSetChunk:
            return "effSetChunk";
        case effProcessEvents:
            return "effProcessEvents";
        case effCanBeAutomated:
            return "effCanBeAutomated";
        case effGetProgramNameIndexed:
            return "effGetProgramNameIndexed";
        case effGetInputProperties:
            return "effGetInputProperties";
        case effGetOutputProperties:
            return "effGetOutputProperties";
        case effGetPlugCategory:
            return "effGetPlugCategory";
        case effProcessVarIo:
            return "effProcessVarIo";
        case effSetSpeakerArrangement:
            return "effSetSpeakerArrangement";
        case effGetEffectName:
            return "effGetEffectName";
        case effGetVendorString:
            return "effGetVendorString";
        case effGetProductString:
            return "effGetProductString";
        case effVendorSpecific:
            return "effVendorSpecific";
        case effCanDo:
            return "effCanDo";
        case effGetVstVersion:
            return "effGetVstVersion";
        case effGetMidiKeyName:
            return "effGetMidiKeyName";
        case effGetSpeakerArrangement:
            return "effGetSpeakerArrangement";
        default:
            return "";
    }
}

// Host values that must be an int index; anything outside becomes -1.
int IndexFrom(VstIntPtr value) {
    return value >= INT_MIN && value <= INT_MAX ? static_cast<int>(value) : -1;
}

int CountFrom(VstInt32 n, int max) {
    return n < 0 ? 0 : (n > max ? max : n);
}

}  // namespace

VstIntPtr VSTCALLBACK VexilVST::VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                              VstIntPtr value, void* ptr, float opt) {
    VexilVST* plug = effect ? static_cast<VexilVST*>(effect->object) : nullptr;
    if (!plug) return 0;
    vexil::RecursiveLock& lock = plug->PluginLock();
    lock.Lock();
    if (opcode == effEditIdle || opcode == effIdle) {
        lock.Unlock();
        return 0;
    }
    if (opcode == effClose) {
        // The lock dies with the plug-in: release it before deleting.
        VEXIL_TRACE("%d(%s):%d:%d", opcode, OpcodeName(opcode), index, static_cast<int>(value));
        effect->object = nullptr;
        // A host may close the plug-in with its editor still open. Close the
        // window first, under the lock, so the window's thread is gone before
        // the product's members are destroyed under it.
        if (plug->Editor() && editor_link::IsWindowOpen(plug->Editor())) {
            try {
                plug->EditorClosing();
                editor_link::CloseEditorWindow(plug->Editor());
            } catch (...) {
            }
        }
        lock.Unlock();
        delete plug;
        return 0;
    }
    VstIntPtr result = 0;
    try {
        result = plug->Dispatch(opcode, index, value, ptr, opt);
    } catch (...) {
        // No exception crosses the host boundary.
        result = 0;
    }
    lock.Unlock();
    return result;
}

VstIntPtr VexilVST::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                             float opt) {
    VEXIL_TRACE("%d(%s):%d:%d", opcode, OpcodeName(opcode), index, static_cast<int>(value));
    char* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effOpen:
            if (adjustmentStyle_ == HostAdjustmentStyle::MultiEffect) HostAdjustment();
            NotifyAllParamsChanged();
            return 0;
        case effSetProgram:
            if (!UsesChunks()) StoreIntoCurrentPreset(nullptr);
            RecallPreset(IndexFrom(value));
            return 0;
        case effGetProgram:
            return CurrentPreset();
        case effSetProgramName:
            if (text) StoreIntoCurrentPreset(text);
            return 0;
        case effGetProgramName:
            if (text) CopyText(text, PresetRecord::kNameSize, PresetName(CurrentPreset()));
            return 0;
        case effGetParamLabel:
            if (const IParameter* param = Param(index); param && text)
                CopyText(text, IParameter::kLabelSize, param->Label());
            return 0;
        case effGetParamDisplay:
            if (const IParameter* param = Param(index); param && text)
                param->FormatCurrent(text, IParameter::kTextSize);
            return 0;
        case effGetParamName:
            if (const IParameter* param = Param(index); param && text)
                CopyText(text, IParameter::kNameSize, param->Name());
            return 0;
        case effSetSampleRate:
            StoreSampleRate(opt);
            ResetState();
            return 0;
        case effSetBlockSize:
            ChangeBlockSize(value > INT_MAX ? INT_MAX : static_cast<int>(value < 0 ? 0 : value));
            ResetState();
            return 0;
        case effMainsChanged:
            if (value != 0) {
                SetActive(true);
            } else {
                SetActive(false);
                ResetState();
            }
            return 0;
        case effEditGetRect:
            if (!Editor() || !ptr) return 0;
            *static_cast<ERect**>(ptr) = &editorRect_;
            return 1;
        case effEditOpen:
            // A window needs a parent; without one nothing is opened.
            if (!Editor() || !ptr) return 0;
            if (!editor_link::OpenEditorWindow(Editor(), ptr)) return 0;
            EditorOpened();
            return 1;
        case effEditClose:
            if (!Editor()) return 0;
            EditorClosing();
            editor_link::CloseEditorWindow(Editor());
            return 1;
        case effIdentify:
            return kIdentify;
        case effGetChunk:
            return GetChunk(index == 0, ptr);
        case effSetChunk:
            return SetChunk(index == 0, value, ptr);
        case effProcessEvents:
            return ProcessEvents(static_cast<const VstEvents*>(ptr));
        case effCanBeAutomated:
            return 1;
        case effGetProgramNameIndexed:
            if (!text) return 0;
            CopyText(text, PresetRecord::kNameSize, PresetName(index));
            return text[0] != '\0' ? 1 : 0;
        case effGetInputProperties:
            return PinProperties(true, index, ptr);
        case effGetOutputProperties:
            return PinProperties(false, index, ptr);
        case effGetPlugCategory:
            return kPlugCategEffect;
        case effProcessVarIo:
            return 0;
        case effSetSpeakerArrangement:
            return SetSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                         static_cast<VstSpeakerArrangement*>(ptr));
        case effGetEffectName:
            if (!text) return 0;
            CopyText(text, kNameSize, EffectName());
            return 1;
        case effGetVendorString:
            if (!text) return 0;
            CopyText(text, kNameSize, VendorName());
            return 1;
        case effGetProductString:
            if (!text) return 0;
            CopyText(text, kNameSize, ProductName());
            return 1;
        case effVendorSpecific:
            if (adjustmentStyle_ == HostAdjustmentStyle::SingleEffect) HostAdjustment();
            if (index != effGetParamDisplay || !text) return 0;
            if (value >= 0 && value < NParams())
                Param(static_cast<int>(value))->FormatValue(opt, true, text, IParameter::kTextSize);
            return kVendorSpecificAnswer;
        case effCanDo:
            return CanDo(text);
        case effGetVstVersion:
            return kVstVersion;
        case effGetMidiKeyName: {
            if (!ptr) return 0;
            auto* key = static_cast<MidiKeyName*>(ptr);
            key->keyName[0] = '\0';
            const bool named = MidiNoteName(key->thisKeyNumber, key->keyName);
            key->keyName[sizeof key->keyName - 1] = '\0';
            return named ? 1 : 0;
        }
        case effGetSpeakerArrangement:
            if (auto** in = reinterpret_cast<VstSpeakerArrangement**>(value))
                *in = &inputArrangement_;
            if (auto** out = static_cast<VstSpeakerArrangement**>(ptr)) *out = &outputArrangement_;
            return 1;
        default:
            return 0;
    }
}

VstIntPtr VexilVST::GetChunk(bool bank, void* ptr) {
    if (!ptr) return 0;
    GrowBuffer& chunk = bank ? bankChunk_ : programChunk_;
    chunk.Clear();
    const std::int32_t header[2] = {kChunkMagic, kChunkVersion};
    bool ok = chunk.Append(header, sizeof header);
    if (ok && bank) {
        StoreIntoCurrentPreset(nullptr);
        ok = SerializeBank(chunk);
    } else if (ok) {
        ok = SaveState(chunk);
    }
    if (!ok || chunk.Size() == 0) return 0;
    *static_cast<void**>(ptr) = chunk.Data();
    return static_cast<VstIntPtr>(chunk.Size());
}

VstIntPtr VexilVST::SetChunk(bool bank, VstIntPtr size, const void* ptr) {
    // Positions inside a chunk are ints; larger chunks are not ours.
    if (!ptr || size < 0 || size > INT_MAX) return 0;
    // The host often hands back the very buffer it got from effGetChunk, so
    // the bytes are copied into a fresh buffer before the old one goes.
    GrowBuffer incoming;
    if (!incoming.Append(ptr, static_cast<size_t>(size))) return 0;
    GrowBuffer& chunk = bank ? bankChunk_ : programChunk_;
    chunk = std::move(incoming);
    int position = 0;
    std::int32_t version = 0;
    std::int32_t magic = 0;
    if (chunk.Size() >= 4) std::memcpy(&magic, chunk.Data(), 4);
    if (chunk.Size() >= 4 && magic == kChunkMagic) {
        if (chunk.Size() >= 8) {
            std::memcpy(&version, chunk.Data() + 4, 4);
            position = kChunkHeaderSize;
        } else {
            position = -1;
        }
    }
    if (bank && version >= kChunkVersion) {
        position = UnserializeBank(chunk, position);
    } else {
        position = LoadState(chunk, position);
        StoreIntoCurrentPreset(nullptr);
    }
    NotifyAllParamsChanged();
    return position >= 0 ? 1 : 0;
}

VstIntPtr VexilVST::ProcessEvents(const VstEvents* events) {
    if (!events) return 0;
    for (VstInt32 i = 0; i < events->numEvents; ++i) {
        VstEvent* event = events->events[i];
        if (!event) continue;
        if (event->type == kVstMidiType) {
            const auto* midi = reinterpret_cast<const VstMidiEvent*>(event);
            MidiMessage message;
            message.offset = midi->deltaFrames;
            message.status = static_cast<std::uint8_t>(midi->midiData[0]);
            message.data1 = static_cast<std::uint8_t>(midi->midiData[1]);
            message.data2 = static_cast<std::uint8_t>(midi->midiData[2]);
            HandleMidiMessage(message);
        } else {
            VstEvents one{};
            one.numEvents = 1;
            one.events[0] = event;
            CallHost(audioMasterProcessEvents, 0, 0, &one);
        }
    }
    return 1;
}

VstIntPtr VexilVST::PinProperties(bool input, VstInt32 index, void* ptr) {
    const int max = input ? MaxInputs() : MaxOutputs();
    if (!ptr || index < 0 || index >= max) return 0;
    auto* pin = static_cast<VstPinProperties*>(ptr);
    pin->flags = kVstPinIsActive | (index % 2 == 0 ? kVstPinIsStereo : 0);
    std::snprintf(pin->label, sizeof pin->label, input ? "Input %d" : "Output %d", index + 1);
    return 1;
}

VstIntPtr VexilVST::SetSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out) {
    if (in) {
        const int n = CountFrom(in->numChannels, MaxInputs());
        ConnectInputs(0, n, true);
        ConnectInputs(n, MaxInputs() - n, false);
    }
    if (out) {
        const int n = CountFrom(out->numChannels, MaxOutputs());
        ConnectOutputs(0, n, true);
        ConnectOutputs(n, MaxOutputs() - n, false);
    }
    return 1;
}

VstIntPtr VexilVST::CanDo(const char* text) const {
    if (!text) return 0;
    if (std::strcmp(text, "receiveVstTimeInfo") == 0) return 1;
    if (DoesMidi()) {
        for (const char* midi :
             {"sendVstEvents", "sendVstMidiEvent", "receiveVstEvents", "receiveVstMidiEvent"})
            if (std::strcmp(text, midi) == 0) return 1;
    }
    if (std::strcmp(text, "hasCockosExtensions") == 0) return kCockosAnswer;
    if (std::strcmp(text, "hasCockosViewAsConfig") == 0) return kCockosAnswer;
    return 0;
}
