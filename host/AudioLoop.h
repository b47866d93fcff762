// Audio kept running through a plug-in while a person plays with its editor:
// a thread of its own processes one block at a time at the pace the blocks
// would play, from silence or from a file played in a loop.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>
#include <vector>

#include "host/AudioBuffer.h"

namespace vhost {

class PluginInstance;

class AudioLoop {
  public:
    // Prepares every buffer up front, so the thread never allocates. An
    // empty input means silence; a mono one feeds the first two inputs, as
    // the render command does. Throws HostError when the plug-in has no
    // 32-bit processing.
    AudioLoop(PluginInstance& plugin, AudioBuffer input);
    // Stops the thread and suspends the plug-in.
    ~AudioLoop();
    AudioLoop(const AudioLoop&) = delete;
    AudioLoop& operator=(const AudioLoop&) = delete;

    // Resumes the plug-in and starts the thread.
    void Start();
    void Stop();
    long Blocks() const { return blocks_.load(std::memory_order_relaxed); }

  private:
    void Run();
    void FillInputs(std::size_t frames);

    PluginInstance& plugin_;
    AudioBuffer input_;
    std::size_t position_ = 0;
    std::vector<std::vector<float>> in_, out_;
    std::vector<float*> inPtr_, outPtr_;
    float* none_ = nullptr;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::atomic<long> blocks_{0};
};

}  // namespace vhost
