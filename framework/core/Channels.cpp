// Channel configurations, connections and the processing frame.
#include <cassert>
#include <cstdio>
#include <cstring>

#include "framework/core/VexilBase.h"
#include "framework/platform/Trace.h"

namespace {

// Largest block the scratch buffers are sized for; a host asking for more
// gets this, and longer processing calls are cut into slices by the adapter.
constexpr int kMaxBlockSize = 1 << 20;

bool Overlaps(const double* a, const double* b, int nFrames) {
    return a && b && a < b + nFrames && b < a + nFrames;
}

}  // namespace

void VexilBase::ParseChannelIO(const char* channelIOStr) {
    const char* p = channelIOStr ? channelIOStr : "";
    for (;;) {
        int nIn = 0;
        int nOut = 0;
        const int read = std::sscanf(p, "%d-%d", &nIn, &nOut);
        assert(read == 2 && "values read from channelIOStr");
        if (read != 2) break;
        if (nIn < 0) nIn = 0;
        if (nOut < 0) nOut = 0;
        if (nIn > maxIn_) maxIn_ = nIn;
        if (nOut > maxOut_) maxOut_ = nOut;
        ioConfigs_.Add(new IOConfig{nIn, nOut});
        p = std::strchr(p, ' ');
        if (!p) break;
        ++p;
    }
    inputSlots_.reset(new double*[static_cast<size_t>(maxIn_) + 1]());
    outputSlots_.reset(new double*[static_cast<size_t>(maxOut_) + 1]());
    for (int i = 0; i < maxIn_; ++i) {
        auto* channel = new InputChannel;
        channel->slot = &inputSlots_[i];
        inputs_.Add(channel);
    }
    for (int i = 0; i < maxOut_; ++i) {
        auto* channel = new OutputChannel;
        channel->slot = &outputSlots_[i];
        outputs_.Add(channel);
    }
}

bool VexilBase::LegalIO(int nIn, int nOut) const {
    for (int i = 0, n = NIOConfigs(); i < n; ++i) {
        const IOConfig* c = ioConfigs_.Get(i);
        if ((nIn < 0 || nIn == c->nIn) && (nOut < 0 || nOut == c->nOut)) return true;
    }
    return false;
}

void VexilBase::ConnectInputs(int first, int count, bool connected) {
    if (count <= 0) return;
    if (first < 0) {
        count += first;
        first = 0;
    }
    const long long end = static_cast<long long>(first) + count;
    for (int i = first; i < maxIn_ && i < end; ++i) {
        InputChannel* channel = inputs_.Get(i);
        channel->connected = connected;
        // A connected channel keeps a valid slot too until the host binds it.
        *channel->slot = channel->scratch.As<double>();
    }
}

void VexilBase::ConnectOutputs(int first, int count, bool connected) {
    if (count <= 0) return;
    if (first < 0) {
        count += first;
        first = 0;
    }
    const long long end = static_cast<long long>(first) + count;
    for (int i = first; i < maxOut_ && i < end; ++i) {
        OutputChannel* channel = outputs_.Get(i);
        channel->connected = connected;
        *channel->slot = channel->scratch.As<double>();
        channel->destination = nullptr;
    }
}

bool VexilBase::InputConnected(int index) const {
    const InputChannel* channel = inputs_.Get(index);
    return channel && channel->connected;
}

bool VexilBase::OutputConnected(int index) const {
    const OutputChannel* channel = outputs_.Get(index);
    return channel && channel->connected;
}

int VexilBase::ConnectedInputs() const {
    int n = 0;
    for (int i = 0; i < maxIn_; ++i) n += inputs_.Get(i)->connected ? 1 : 0;
    return n;
}

int VexilBase::ConnectedOutputs() const {
    int n = 0;
    for (int i = 0; i < maxOut_; ++i) n += outputs_.Get(i)->connected ? 1 : 0;
    return n;
}

void VexilBase::ChangeBlockSize(int frames) {
    vexil::ScopedLock hold(lock_);
    if (frames == blockSize_) return;
    // Nonsense sizes are refused; huge ones are capped (longer calls are
    // processed in slices).
    if (frames <= 0) return;
    if (frames > kMaxBlockSize) frames = kMaxBlockSize;
    if (frames == blockSize_) return;
    VEXIL_TRACE("%d", frames);
    const size_t bytes = sizeof(double) * static_cast<size_t>(frames);
    // Grow everything first so that a failure leaves the old size intact.
    for (int i = 0; i < maxIn_; ++i)
        if (inputs_.Get(i)->scratch.Capacity() < bytes &&
            !inputs_.Get(i)->scratch.Resize(bytes, false))
            return;
    for (int i = 0; i < maxOut_; ++i)
        if (outputs_.Get(i)->scratch.Capacity() < bytes &&
            !outputs_.Get(i)->scratch.Resize(bytes, false))
            return;
    for (int i = 0; i < maxIn_; ++i) {
        InputChannel* channel = inputs_.Get(i);
        channel->scratch.Resize(bytes, true);
        std::memset(channel->scratch.Data(), 0, bytes);
        *channel->slot = channel->scratch.As<double>();
    }
    for (int i = 0; i < maxOut_; ++i) {
        OutputChannel* channel = outputs_.Get(i);
        channel->scratch.Resize(bytes, true);
        std::memset(channel->scratch.Data(), 0, bytes);
        *channel->slot = channel->scratch.As<double>();
    }
    blockSize_ = frames;
}

void VexilBase::BindInputs(int first, int count, double** buffers) {
    int k = 0;
    for (int i = first < 0 ? 0 : first; i < maxIn_ && i < first + count; ++i) {
        InputChannel* channel = inputs_.Get(i);
        if (!channel->connected) continue;
        double* buffer = buffers ? buffers[k] : nullptr;
        ++k;
        if (buffer) {
            *channel->slot = buffer;
        } else {
            std::memset(channel->scratch.Data(), 0, channel->scratch.Size());
            *channel->slot = channel->scratch.As<double>();
        }
    }
}

void VexilBase::BindInputs(int first, int count, float** buffers, int nFrames) {
    if (nFrames > blockSize_) nFrames = blockSize_;
    int k = 0;
    for (int i = first < 0 ? 0 : first; i < maxIn_ && i < first + count; ++i) {
        InputChannel* channel = inputs_.Get(i);
        if (!channel->connected) continue;
        const float* buffer = buffers ? buffers[k] : nullptr;
        ++k;
        double* scratch = channel->scratch.As<double>();
        if (buffer) {
            for (int f = 0; f < nFrames; ++f) scratch[f] = buffer[f];
        } else {
            std::memset(scratch, 0, channel->scratch.Size());
        }
        *channel->slot = scratch;
    }
}

void VexilBase::BindOutputs(int first, int count, double** buffers, int nFrames) {
    if (nFrames > blockSize_) nFrames = blockSize_;
    int k = 0;
    for (int i = first < 0 ? 0 : first; i < maxOut_ && i < first + count; ++i) {
        OutputChannel* channel = outputs_.Get(i);
        if (!channel->connected) continue;
        double* buffer = buffers ? buffers[k] : nullptr;
        ++k;
        channel->destination = nullptr;
        if (!buffer) {
            *channel->slot = channel->scratch.As<double>();
            continue;
        }
        *channel->slot = buffer;
        // In-place processing: the input reading this memory gets its own copy.
        for (int j = 0; j < maxIn_; ++j) {
            InputChannel* input = inputs_.Get(j);
            double* scratch = input->scratch.As<double>();
            if (*input->slot != scratch && Overlaps(*input->slot, buffer, nFrames)) {
                std::memcpy(scratch, *input->slot, sizeof(double) * static_cast<size_t>(nFrames));
                *input->slot = scratch;
            }
        }
    }
}

void VexilBase::BindOutputs(int first, int count, float** buffers) {
    int k = 0;
    for (int i = first < 0 ? 0 : first; i < maxOut_ && i < first + count; ++i) {
        OutputChannel* channel = outputs_.Get(i);
        if (!channel->connected) continue;
        *channel->slot = channel->scratch.As<double>();
        channel->destination = buffers ? buffers[k] : nullptr;
        ++k;
    }
}

void VexilBase::RunBlock(int nFrames) {
    if (nFrames > blockSize_) nFrames = blockSize_;
    if (nFrames <= 0) return;
    ProcessBlock(inputSlots_.get(), outputSlots_.get(), nFrames);
}

void VexilBase::RunBlock32(int nFrames) {
    if (nFrames > blockSize_) nFrames = blockSize_;
    if (nFrames <= 0) return;
    ProcessBlock(inputSlots_.get(), outputSlots_.get(), nFrames);
    for (int i = 0; i < maxOut_; ++i) {
        OutputChannel* channel = outputs_.Get(i);
        if (!channel->connected || !channel->destination) continue;
        const double* scratch = channel->scratch.As<double>();
        for (int f = 0; f < nFrames; ++f) channel->destination[f] = static_cast<float>(scratch[f]);
    }
}

void VexilBase::RunBlockAccumulating(int nFrames) {
    if (nFrames > blockSize_) nFrames = blockSize_;
    if (nFrames <= 0) return;
    ProcessBlock(inputSlots_.get(), outputSlots_.get(), nFrames);
    for (int i = 0; i < maxOut_; ++i) {
        OutputChannel* channel = outputs_.Get(i);
        if (!channel->connected || !channel->destination) continue;
        const double* scratch = channel->scratch.As<double>();
        for (int f = 0; f < nFrames; ++f)
            channel->destination[f] = static_cast<float>(channel->destination[f] + scratch[f]);
    }
}
