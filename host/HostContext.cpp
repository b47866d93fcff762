#include "host/HostContext.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vhost {

namespace {

constexpr VstInt32 kHostVstVersion = 2400;

// Host texts go into plug-in buffers the interface sizes at 64 bytes.
constexpr size_t kMaxHostText = 64;

thread_local HostContext* tConstructing = nullptr;

void CopyHostText(void* ptr, const std::string& text) {
    if (!ptr) return;
    size_t n = std::min(text.size(), kMaxHostText - 1);
    std::memcpy(ptr, text.data(), n);
    static_cast<char*>(ptr)[n] = '\0';
}

}  // namespace

HostContext::ConstructionScope::ConstructionScope(HostContext* context) : previous_(tConstructing) {
    tConstructing = context;
}

HostContext::ConstructionScope::~ConstructionScope() {
    tConstructing = previous_;
}

const std::vector<std::string>& HostContext::CanDoTexts() {
    static const std::vector<std::string> texts = {
        "sendVstEvents",       "sendVstMidiEvent", "sendVstTimeInfo", "receiveVstEvents",
        "receiveVstMidiEvent", "supplyIdle",       "sizeWindow",
    };
    return texts;
}

VstIntPtr VSTCALLBACK HostContext::AudioMaster(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                               VstIntPtr value, void* ptr, float opt) {
    HostContext* context = nullptr;
    if (effect && effect->user) context = static_cast<HostContext*>(effect->user);
    if (!context) context = tConstructing;
    if (context) return context->Answer(effect, opcode, index, value, ptr, opt);
    // A call we cannot place (another thread during construction): the
    // version is the one answer some plug-ins cannot start without.
    return opcode == audioMasterVersion ? kHostVstVersion : 0;
}

VstIntPtr HostContext::Answer(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt) {
    if (opcode >= 0 && opcode < static_cast<VstInt32>(calls_.size())) ++calls_[opcode];
    switch (opcode) {
        case audioMasterAutomate:
            Record(opcode, index, opt);
            return 0;
        case audioMasterBeginEdit:
        case audioMasterEndEdit:
            Record(opcode, index, 0.0f);
            return 1;
        case audioMasterVersion:
            return kHostVstVersion;
        case audioMasterCurrentId:
            return currentUniqueId;
        case audioMasterIdle:
            return 0;
        case audioMasterWantMidi:
            return 1;
        case audioMasterGetTime:
            return reinterpret_cast<VstIntPtr>(&FillTimeInfo(static_cast<VstInt32>(value)));
        case audioMasterProcessEvents: {
            if (!ptr) return 0;
            const auto* events = static_cast<const VstEvents*>(ptr);
            if (events->numEvents > 0) receivedEvents_ += events->numEvents;
            return 1;
        }
        case audioMasterSizeWindow:
            requestedWidth_ = index;
            requestedHeight_ = static_cast<int>(value);
            return 1;
        case audioMasterGetSampleRate:
            return static_cast<VstIntPtr>(sampleRate);
        case audioMasterGetBlockSize:
            return blockSize;
        case audioMasterGetVendorString:
            CopyHostText(ptr, identity.vendor);
            return ptr ? 1 : 0;
        case audioMasterGetProductString:
            CopyHostText(ptr, identity.product);
            return ptr ? 1 : 0;
        case audioMasterGetVendorVersion:
            return identity.vendorVersion;
        case audioMasterCanDo: {
            if (!ptr) return 0;
            const char* text = static_cast<const char*>(ptr);
            for (const std::string& known : CanDoTexts())
                if (known == text) return 1;
            return 0;
        }
        case audioMasterUpdateDisplay:
            return 1;
        default:
            return 0;
    }
}

void HostContext::RestartTransport(double samplePos) {
    samplePos_ = samplePos;
    transportChanged_ = true;
}

void HostContext::AdvanceTransport(VstInt32 frames) {
    if (transport.playing && frames > 0) samplePos_ += frames;
    transportChanged_ = false;
}

const VstTimeInfo& HostContext::FillTimeInfo(VstInt32 requestedFlags) {
    VstTimeInfo& t = time_;
    t = VstTimeInfo{};
    t.samplePos = samplePos_;
    t.sampleRate = sampleRate;
    const double seconds = sampleRate > 0.0 ? samplePos_ / sampleRate : 0.0;
    t.flags = (transport.playing ? kVstTransportPlaying : 0) |
              (transportChanged_ ? kVstTransportChanged : 0);
    // Fill what was asked for and flag it valid; the rest stays zero.
    if (requestedFlags & kVstNanosValid) {
        t.nanoSeconds = seconds * 1e9;
        t.flags |= kVstNanosValid;
    }
    const double ppq = seconds * transport.tempo / 60.0;
    if (requestedFlags & kVstPpqPosValid) {
        t.ppqPos = ppq;
        t.flags |= kVstPpqPosValid;
    }
    if (requestedFlags & kVstTempoValid) {
        t.tempo = transport.tempo;
        t.flags |= kVstTempoValid;
    }
    if ((requestedFlags & kVstBarsValid) && transport.timeSigDenominator > 0) {
        // Quarter notes per bar: a 6/8 bar holds three.
        const double barLength =
            4.0 * transport.timeSigNumerator / static_cast<double>(transport.timeSigDenominator);
        t.barStartPos = barLength > 0.0 ? std::floor(ppq / barLength + 1e-9) * barLength : 0.0;
        t.flags |= kVstBarsValid;
    }
    if (requestedFlags & kVstTimeSigValid) {
        t.timeSigNumerator = transport.timeSigNumerator;
        t.timeSigDenominator = transport.timeSigDenominator;
        t.flags |= kVstTimeSigValid;
    }
    return t;
}

void HostContext::Record(VstInt32 opcode, VstInt32 index, float value) {
    std::lock_guard<std::mutex> lock(editsLock_);
    edits_.push_back({opcode, index, value});
}

std::vector<HostEditEvent> HostContext::EditEvents() const {
    std::lock_guard<std::mutex> lock(editsLock_);
    return edits_;
}

std::vector<HostEditEvent> HostContext::TakeEditEvents() {
    std::vector<HostEditEvent> taken;
    std::lock_guard<std::mutex> lock(editsLock_);
    taken.swap(edits_);
    return taken;
}

void HostContext::ClearEditEvents() {
    std::lock_guard<std::mutex> lock(editsLock_);
    edits_.clear();
}

int HostContext::CallCount(VstInt32 opcode) const {
    if (opcode < 0 || opcode >= static_cast<VstInt32>(calls_.size())) return 0;
    return calls_[opcode].load();
}

}  // namespace vhost
