// The host's side of one plug-in instance: what audioMaster answers and what
// it records. Each instance has its own, so several plug-ins can share a process.
#pragma once

#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "framework/vst/VstAbi.h"

namespace vhost {

// How the host names itself; tests pose as other hosts by changing it.
struct HostIdentity {
    std::string vendor = "Quorvex";
    std::string product = "quorvex-host";
    VstInt32 vendorVersion = 10002;  // decimal-coded major, minor, bugfix
};

struct TransportSettings {
    double tempo = 120.0;
    VstInt32 timeSigNumerator = 4;
    VstInt32 timeSigDenominator = 4;
    bool playing = true;
};

// An automation or gesture call the plug-in made.
struct HostEditEvent {
    VstInt32 opcode;  // audioMasterAutomate, audioMasterBeginEdit or audioMasterEndEdit
    VstInt32 index;
    float value;  // the normalized value for audioMasterAutomate, else 0
    bool operator==(const HostEditEvent&) const = default;
};

class HostContext {
  public:
    // The audioMaster handed to every plug-in; finds the instance's context
    // through effect->user, or the one under construction while the entry
    // point runs (the effect record does not exist yet then).
    static VstIntPtr VSTCALLBACK AudioMaster(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                             VstIntPtr value, void* ptr, float opt);

    // Marks this context as the one the entry point's calls belong to, on
    // this thread, for the lifetime of the guard.
    class ConstructionScope {
      public:
        explicit ConstructionScope(HostContext* context);
        ~ConstructionScope();
        ConstructionScope(const ConstructionScope&) = delete;
        ConstructionScope& operator=(const ConstructionScope&) = delete;

      private:
        HostContext* previous_;
    };

    VstIntPtr Answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                     float opt);

    // Settings; change them only while the plug-in is not processing.
    HostIdentity identity;
    TransportSettings transport;
    double sampleRate = 44100.0;
    VstInt32 blockSize = 512;
    VstInt32 currentUniqueId = 0;

    // Transport position: the start of the block being processed.
    double SamplePosition() const { return samplePos_; }
    void RestartTransport(double samplePos = 0.0);
    void AdvanceTransport(VstInt32 frames);
    // The time record as audioMasterGetTime fills it for the requested flags.
    const VstTimeInfo& FillTimeInfo(VstInt32 requestedFlags);

    // What the plug-in told the host.
    std::vector<HostEditEvent> EditEvents() const;
    void ClearEditEvents();
    // The calls recorded so far, removed from the record in one step (none
    // lost to a call arriving from another thread between reading and clearing).
    std::vector<HostEditEvent> TakeEditEvents();
    int CallCount(VstInt32 opcode) const;
    int ReceivedEventCount() const { return receivedEvents_.load(); }
    int RequestedWidth() const { return requestedWidth_.load(); }
    int RequestedHeight() const { return requestedHeight_.load(); }

    // The capability texts audioMasterCanDo answers with 1.
    static const std::vector<std::string>& CanDoTexts();

  private:
    void Record(VstInt32 opcode, VstInt32 index, float value);

    double samplePos_ = 0.0;
    bool transportChanged_ = true;
    VstTimeInfo time_{};

    mutable std::mutex editsLock_;
    std::vector<HostEditEvent> edits_;
    std::array<std::atomic<int>, 128> calls_{};
    std::atomic<int> receivedEvents_{0};
    std::atomic<int> requestedWidth_{0};
    std::atomic<int> requestedHeight_{0};
};

}  // namespace vhost
