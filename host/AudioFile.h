// Audio files for the command-line host. Linux goes through libsndfile; the
// Windows builds use our own WAV codec (WavCodec.h), with the same behaviour.
#pragma once

#include <string>

#include "host/AudioBuffer.h"

namespace vhost {

// Throws HostError with a one-line reason for a missing or unreadable file.
AudioBuffer ReadAudioFile(const std::string& path);

// Writes a 32-bit float WAV file; throws HostError when it cannot.
void WriteAudioFile(const std::string& path, const AudioBuffer& audio);

}  // namespace vhost
