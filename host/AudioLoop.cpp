#include "host/AudioLoop.h"

#include <algorithm>
#include <chrono>

#include "host/HostError.h"
#include "host/PluginInstance.h"

namespace vhost {

AudioLoop::AudioLoop(PluginInstance& plugin, AudioBuffer input)
    : plugin_(plugin), input_(std::move(input)) {
    if (!plugin_.SupportsReplacing() && !plugin_.SupportsAccumulating())
        throw HostError("the plug-in has no 32-bit processing");
    const std::size_t block = std::size_t(std::max(1, plugin_.BlockSize()));
    in_.assign(std::size_t(std::max(0, plugin_.NumInputs())), std::vector<float>(block));
    out_.assign(std::size_t(std::max(0, plugin_.NumOutputs())), std::vector<float>(block));
    for (auto& v : in_) inPtr_.push_back(v.data());
    for (auto& v : out_) outPtr_.push_back(v.data());
}

AudioLoop::~AudioLoop() {
    Stop();
}

void AudioLoop::Start() {
    if (thread_.joinable()) return;
    plugin_.Host().RestartTransport();
    plugin_.Resume();
    stop_ = false;
    thread_ = std::thread([this] { Run(); });
}

void AudioLoop::Stop() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    plugin_.Suspend();
}

void AudioLoop::FillInputs(std::size_t frames) {
    const std::size_t length = input_.Frames();
    const int channels = input_.Channels();
    for (std::size_t pin = 0; pin < in_.size(); ++pin) {
        auto& dst = in_[pin];
        // The file channel for this input, as the render command maps them.
        int src = channels == 1 && pin < 2 ? 0 : int(pin) < channels ? int(pin) : -1;
        if (src < 0 || length == 0) {
            std::fill(dst.begin(), dst.end(), 0.0f);
            continue;
        }
        const auto& from = input_.channels[std::size_t(src)];
        for (std::size_t i = 0, at = position_; i < frames; ++i, at = at + 1 == length ? 0 : at + 1)
            dst[i] = from[at];
    }
    if (length != 0) position_ = (position_ + frames) % length;
}

void AudioLoop::Run() {
    using clock = std::chrono::steady_clock;
    const VstInt32 frames = std::max(1, plugin_.BlockSize());
    const auto period = std::chrono::duration_cast<clock::duration>(
        std::chrono::duration<double>(double(frames) / plugin_.SampleRate()));
    float** inputs = inPtr_.empty() ? &none_ : inPtr_.data();
    float** outputs = outPtr_.empty() ? &none_ : outPtr_.data();
    const bool replacing = plugin_.SupportsReplacing();
    auto next = clock::now();
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stop_) {
        lock.unlock();
        FillInputs(std::size_t(frames));
        if (replacing) {
            plugin_.ProcessReplacing(inputs, outputs, frames);
        } else {
            // Accumulating adds to what is there: start from silence.
            for (auto& v : out_) std::fill(v.begin(), v.end(), 0.0f);
            plugin_.ProcessAccumulating(inputs, outputs, frames);
        }
        blocks_.fetch_add(1, std::memory_order_relaxed);
        next += period;
        // After a stall (a debugger, a suspended machine) carry on from now
        // rather than rush through the missed blocks.
        auto now = clock::now();
        if (next + 8 * period < now) next = now;
        lock.lock();
        wake_.wait_until(lock, next, [this] { return stop_; });
    }
}

}  // namespace vhost
