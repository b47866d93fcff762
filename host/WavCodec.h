// Our own WAV reader and writer, so the Windows builds need no audio library.
// Reads 8/16/24/32-bit PCM and 32/64-bit float, plain or extensible format;
// writes 32-bit float.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/AudioBuffer.h"

namespace vhost {

// Throws HostError naming 'source' when the bytes are not a WAV file we read.
AudioBuffer DecodeWav(const std::vector<std::uint8_t>& bytes, const std::string& source);

std::vector<std::uint8_t> EncodeWavFloat(const AudioBuffer& audio);

}  // namespace vhost
