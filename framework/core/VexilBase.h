// The host-independent plug-in: parameters, presets and state, channel
// configurations and the processing frame, the attached editor, and the one
// recursive lock that serialises everything touching them. Every parameter
// change, wherever it comes from, reaches the stored value, the product's
// ParamChanged hook and the other side (host or editor).
#pragma once

#include <cstdarg>
#include <cstdint>
#include <memory>

#include "framework/core/Channels.h"
#include "framework/core/GrowBuffer.h"
#include "framework/core/IParameter.h"
#include "framework/core/ItemList.h"
#include "framework/core/MidiMessage.h"
#include "framework/core/Presets.h"
#include "framework/platform/RecursiveLock.h"

class IGraphics;

class VexilBase {
  public:
    static constexpr int kNameSize = 128;

    VexilBase(int nParams, const char* channelIOStr, int nPresets, const char* effectName,
              const char* productName, const char* vendorName, int version, int uniqueId,
              int vendorId, int latency, bool doesMidi, bool usesChunks, bool isInstrument);
    VexilBase(const VexilBase&) = delete;
    VexilBase& operator=(const VexilBase&) = delete;

    // Virtual operations, in their fixed slot order.
    virtual ~VexilBase();
    virtual void ResetState();
    virtual void ParamChanged(int paramIdx);
    virtual void ProcessBlock(double** inputs, double** outputs, int nFrames);
    virtual void EditorOpened() {}
    virtual void EditorClosing() {}
    virtual void SetActive(bool on);
    virtual void HandleMidiMessage(const MidiMessage& message);
    // text holds at least 64 bytes.
    virtual bool MidiNoteName(int note, char* text);
    virtual bool SaveState(GrowBuffer& chunk);
    virtual int LoadState(const GrowBuffer& chunk, int position);
    virtual void HostEditBegin(int paramIdx) = 0;
    virtual void HostAutomate(int paramIdx, double normalized) = 0;
    virtual void HostEditEnd(int paramIdx) = 0;
    virtual std::int64_t HostSamplePosition() = 0;
    virtual double HostTempo() = 0;
    virtual void HostTimeSignature(int& numerator, int& denominator) = 0;
    virtual int QueryHost() { return hostId_; }
    virtual void EditorResized(int width, int height) = 0;
    virtual void AttachEditor(IGraphics* graphics);
    virtual void ChangeBlockSize(int frames);
    virtual void ChangeLatency(int samples) { latency_ = samples; }
    virtual bool SendMidiMessage(const MidiMessage& message) = 0;
    // list holds MidiMessage records.
    virtual bool SendMidiMessages(const GrowBuffer& list) = 0;

    // Parameters. Param is null for an index outside 0..n-1.
    IParameter* Param(int paramIdx) const { return params_.Get(paramIdx); }
    int NParams() const { return params_.Count(); }
    // The editor's way to change a parameter: tell the host, store, notify.
    // An index without a parameter is ignored.
    void SetParameterFromGUI(int paramIdx, double normalized);

    // Fixed data.
    const char* EffectName() const { return effectName_; }
    const char* ProductName() const { return productName_; }
    const char* VendorName() const { return vendorName_; }
    int UniqueId() const { return uniqueId_; }
    int VendorId() const { return vendorId_; }
    int VersionNumber(bool asDecimal) const;
    bool DoesMidi() const { return doesMidi_; }
    bool UsesChunks() const { return usesChunks_; }
    bool IsInstrument() const { return isInstrument_; }

    double SampleRate() const { return sampleRate_; }
    // Rates that are not finite and positive are refused (the old rate stays).
    void StoreSampleRate(double rate);
    int BlockSize() const { return blockSize_; }
    int Latency() const { return latency_; }
    IGraphics* Editor() const { return editor_; }

    int HostId() const { return hostId_; }
    int HostVersion() const { return hostVersion_; }
    void SetHost(const char* vendor, const char* product, int version);
    // Maps the host's texts to a host number; -1 never results.
    int IdentifyHost(const char* vendor, const char* product) const;

    // Presets and state.
    void AddPresetValues(const char* name, ...);
    void AddPresetNamedValues(const char* name, int count, ...);
    void AddDefaultPresets(const char* name, int count);
    void EnsureDefaultPreset();
    bool RecallPreset(int index);
    void StoreIntoCurrentPreset(const char* name);
    int CurrentPreset() const { return currentPreset_; }
    int NPresets() const { return presets_.Count(); }
    // Name of a slot; the empty text for an index out of range.
    const char* PresetName(int index) const;
    bool PresetInitialized(int index) const;
    const PresetRecord* Preset(int index) const { return presets_.Get(index); }
    bool SerializeParams(GrowBuffer& chunk);
    int UnserializeParams(const GrowBuffer& chunk, int position);
    bool SerializeBank(GrowBuffer& chunk);
    int UnserializeBank(const GrowBuffer& chunk, int position);

    // Channels and the processing frame.
    int NIOConfigs() const { return ioConfigs_.Count(); }
    const IOConfig* GetIOConfig(int index) const { return ioConfigs_.Get(index); }
    int MaxInputs() const { return maxIn_; }
    int MaxOutputs() const { return maxOut_; }
    bool LegalIO(int nIn, int nOut) const;
    void ConnectInputs(int first, int count, bool connected);
    void ConnectOutputs(int first, int count, bool connected);
    bool InputConnected(int index) const;
    int ConnectedInputs() const;
    int ConnectedOutputs() const;
    bool OutputConnected(int index) const;
    // Host buffers go to connected channels in order. Null buffers read as
    // silence (inputs) or are not written (outputs).
    void BindInputs(int first, int count, double** buffers);
    void BindInputs(int first, int count, float** buffers, int nFrames);
    // An output that shares memory with a bound input makes that input move
    // to its own scratch copy first, so products may read inputs after
    // writing outputs.
    void BindOutputs(int first, int count, double** buffers, int nFrames);
    void BindOutputs(int first, int count, float** buffers);
    void RunBlock(int nFrames);  // 64-bit
    void RunBlock32(int nFrames);
    void RunBlockAccumulating(int nFrames);
    double** InputSlots() { return inputSlots_.get(); }
    double** OutputSlots() { return outputSlots_.get(); }

    vexil::RecursiveLock& PluginLock() { return lock_; }

  protected:
    // Sends every parameter to ParamChanged in index order, then ResetState.
    void NotifyAllParamsChanged();
    // Tells the editor, if any, a parameter's value.
    void ApplyToEditor(int paramIdx, double value, bool normalized);
    PresetRecord* FreePresetSlot();
    InputChannel* Input(int index) const { return inputs_.Get(index); }
    OutputChannel* Output(int index) const { return outputs_.Get(index); }

    int hostId_ = -1;
    int hostVersion_ = 0;
    // Only the multi-effect recognises the "orion" host.
    bool hostTableHasOrion_ = false;

  private:
    void ParseChannelIO(const char* channelIOStr);
    void ReadPresetArguments(PresetRecord& slot, va_list& args);

    ItemList<IOConfig> ioConfigs_;
    char effectName_[kNameSize] = {};
    char productName_[kNameSize] = {};
    char vendorName_[kNameSize] = {};
    std::int32_t uniqueId_;
    std::int32_t vendorId_;
    std::int32_t version_;
    bool usesChunks_;
    bool isInstrument_;
    bool doesMidi_;
    double sampleRate_ = 44100.0;
    std::int32_t blockSize_ = 0;
    std::int32_t latency_;
    ItemList<IParameter> params_;
    IGraphics* editor_ = nullptr;
    ItemList<PresetRecord> presets_;
    std::int32_t currentPreset_ = 0;
    std::unique_ptr<double*[]> inputSlots_;
    std::unique_ptr<double*[]> outputSlots_;
    ItemList<InputChannel> inputs_;
    ItemList<OutputChannel> outputs_;
    int maxIn_ = 0;
    int maxOut_ = 0;
    vexil::RecursiveLock lock_;
};
