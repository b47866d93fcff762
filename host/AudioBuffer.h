// Audio as the host reads and writes it: one vector of samples per channel.
#pragma once

#include <cstddef>
#include <vector>

namespace vhost {

struct AudioBuffer {
    double sampleRate = 44100.0;
    std::vector<std::vector<float>> channels;

    size_t Frames() const { return channels.empty() ? 0 : channels.front().size(); }
    int Channels() const { return static_cast<int>(channels.size()); }
};

}  // namespace vhost
