// Audio through a plug-in, block by block, as a host's playback would run it.
#pragma once

#include "host/AudioBuffer.h"
#include "host/HostContext.h"

namespace vhost {

class PluginInstance;

enum class ProcessForm { Replacing, Accumulating, Double };

struct RenderOptions {
    ProcessForm form = ProcessForm::Replacing;
    TransportSettings transport;
};

// Runs 'input' through the plug-in at its current sample rate and block size
// (blocks of the announced size, the last one shorter) and returns one
// channel per plug-in output, as long as the input. A mono input feeds both
// first inputs of a plug-in with two or more; other inputs beyond the file's
// channels get silence, and file channels beyond the plug-in's inputs are
// dropped. Resumes the plug-in before and suspends it after. Throws HostError
// when the plug-in lacks the processing form or has no outputs.
AudioBuffer Render(PluginInstance& plugin, const AudioBuffer& input, const RenderOptions& options);

}  // namespace vhost
