// The VST 2 adapter between the host-independent plug-in and a product:
// fills the effect record, answers the processing, parameter and dispatcher
// callbacks, and implements the host services against the host callback.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/VexilBase.h"
#include "framework/vst/VstAbi.h"

// Where a product runs the host adjustment, and which host table it uses.
enum class HostAdjustmentStyle {
    // At the host's open call; hosts 17 and 18 ("orion" recognised).
    MultiEffect,
    // At every vendor-specific call (the first one counts); host 17 only.
    SingleEffect,
};

class VexilVST : public VexilBase {
  public:
    static constexpr VstInt32 kIdentify = VstFourCC('N', 'v', 'E', 'f');
    static constexpr VstIntPtr kVendorSpecificAnswer = 0xBEEF;
    static constexpr VstIntPtr kCockosAnswer = 0xBEEF0000;
    static constexpr int kVstVersion = 2400;
    static constexpr int kInitialBlockSize = 1024;

    VexilVST(audioMasterCallback audioMaster, int nParams, const char* channelIOStr, int nPresets,
             const char* effectName, const char* productName, const char* vendorName, int version,
             int uniqueId, int vendorId, int latency, bool doesMidi, bool usesChunks,
             bool isInstrument);
    ~VexilVST() override;

    // Host services.
    void HostEditBegin(int paramIdx) override;
    void HostAutomate(int paramIdx, double normalized) override;
    void HostEditEnd(int paramIdx) override;
    std::int64_t HostSamplePosition() override;
    double HostTempo() override;
    void HostTimeSignature(int& numerator, int& denominator) override;
    int QueryHost() override;
    void EditorResized(int width, int height) override;
    void AttachEditor(IGraphics* graphics) override;
    void ChangeLatency(int samples) override;
    bool SendMidiMessage(const MidiMessage& message) override;
    bool SendMidiMessages(const GrowBuffer& list) override;

    AEffect* Effect() { return &effect_; }
    const ERect& EditorRect() const { return editorRect_; }

    // The once-per-instance channel change for hosts that hand only two inputs.
    void HostAdjustment();
    void SetHostAdjustmentStyle(HostAdjustmentStyle style);
    HostAdjustmentStyle AdjustmentStyle() const { return adjustmentStyle_; }

    // The dispatcher's work once the lock is held (effClose excluded).
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // The callbacks stored in the effect record.
    static VstIntPtr VSTCALLBACK VSTDispatcher(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                               VstIntPtr value, void* ptr, float opt);
    static void VSTCALLBACK VSTProcess(AEffect* effect, float** inputs, float** outputs,
                                       VstInt32 sampleFrames);
    static void VSTCALLBACK VSTProcessReplacing(AEffect* effect, float** inputs, float** outputs,
                                                VstInt32 sampleFrames);
    static void VSTCALLBACK VSTProcessDoubleReplacing(AEffect* effect, double** inputs,
                                                      double** outputs, VstInt32 sampleFrames);
    static float VSTCALLBACK VSTGetParameter(AEffect* effect, VstInt32 index);
    static void VSTCALLBACK VSTSetParameter(AEffect* effect, VstInt32 index, float value);

  private:
    enum class Run { Accumulating, Replacing32 };
    VstIntPtr CallHost(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    const VstTimeInfo* HostTime(VstInt32 flags);
    void Process32(float** inputs, float** outputs, VstInt32 sampleFrames, Run run);
    void Process64(double** inputs, double** outputs, VstInt32 sampleFrames);
    VstIntPtr GetChunk(bool bank, void* ptr);
    VstIntPtr SetChunk(bool bank, VstIntPtr size, const void* ptr);
    VstIntPtr ProcessEvents(const VstEvents* events);
    VstIntPtr PinProperties(bool input, VstInt32 index, void* ptr);
    VstIntPtr SetSpeakerArrangement(VstSpeakerArrangement* in, VstSpeakerArrangement* out);
    VstIntPtr CanDo(const char* text) const;

    ERect editorRect_{};
    audioMasterCallback audioMaster_;
    VstSpeakerArrangement inputArrangement_{};
    VstSpeakerArrangement outputArrangement_{};
    bool hostAdjustmentDone_ = false;
    GrowBuffer programChunk_;
    GrowBuffer bankChunk_;
    AEffect effect_{};
    HostAdjustmentStyle adjustmentStyle_ = HostAdjustmentStyle::SingleEffect;
    // Host buffers advanced by the slice offset, when a call is longer than a block.
    std::unique_ptr<float*[]> sliceIn32_, sliceOut32_;
    std::unique_ptr<double*[]> sliceIn64_, sliceOut64_;
};
