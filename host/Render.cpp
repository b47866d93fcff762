#include "host/Render.h"

#include <algorithm>

#include "host/HostError.h"
#include "host/PluginInstance.h"

namespace vhost {

namespace {

// The file channel feeding plug-in input 'pin', or -1 for silence.
int SourceChannel(int pin, int fileChannels) {
    if (fileChannels == 1 && pin < 2) return 0;
    return pin < fileChannels ? pin : -1;
}

}  // namespace

AudioBuffer Render(PluginInstance& plugin, const AudioBuffer& input, const RenderOptions& options) {
    const int numIn = plugin.NumInputs();
    const int numOut = plugin.NumOutputs();
    if (numOut <= 0) throw HostError("the plug-in has no outputs to render");
    switch (options.form) {
        case ProcessForm::Replacing:
            if (!plugin.SupportsReplacing())
                throw HostError("the plug-in has no 32-bit replacing processing");
            break;
        case ProcessForm::Accumulating:
            if (!plugin.SupportsAccumulating())
                throw HostError("the plug-in has no accumulating processing");
            break;
        case ProcessForm::Double:
            if (!plugin.SupportsDouble()) throw HostError("the plug-in has no 64-bit processing");
            break;
    }

    const size_t frames = input.Frames();
    const size_t block = static_cast<size_t>(std::max(1, plugin.BlockSize()));
    AudioBuffer output;
    output.sampleRate = plugin.SampleRate();
    output.channels.assign(static_cast<size_t>(numOut), std::vector<float>(frames));

    // Every pin has a buffer of its own, so a plug-in that writes an input or
    // reads past its outputs harms nothing of ours.
    std::vector<std::vector<float>> inF(static_cast<size_t>(numIn), std::vector<float>(block));
    std::vector<std::vector<float>> outF(static_cast<size_t>(numOut), std::vector<float>(block));
    std::vector<std::vector<double>> inD, outD;
    if (options.form == ProcessForm::Double) {
        inD.assign(static_cast<size_t>(numIn), std::vector<double>(block));
        outD.assign(static_cast<size_t>(numOut), std::vector<double>(block));
    }
    std::vector<float*> inPtrF, outPtrF;
    std::vector<double*> inPtrD, outPtrD;
    for (auto& v : inF) inPtrF.push_back(v.data());
    for (auto& v : outF) outPtrF.push_back(v.data());
    for (auto& v : inD) inPtrD.push_back(v.data());
    for (auto& v : outD) outPtrD.push_back(v.data());
    // Never hand a plug-in a null array, even with no pins on a side.
    float* noF = nullptr;
    double* noD = nullptr;
    float** inArgF = inPtrF.empty() ? &noF : inPtrF.data();
    float** outArgF = outPtrF.empty() ? &noF : outPtrF.data();
    double** inArgD = inPtrD.empty() ? &noD : inPtrD.data();
    double** outArgD = outPtrD.empty() ? &noD : outPtrD.data();

    plugin.Host().transport = options.transport;
    plugin.Host().RestartTransport();
    plugin.Resume();
    for (size_t start = 0; start < frames; start += block) {
        const size_t n = std::min(block, frames - start);
        for (int pin = 0; pin < numIn; ++pin) {
            const int src = SourceChannel(pin, input.Channels());
            auto& dst = inF[static_cast<size_t>(pin)];
            if (src < 0)
                std::fill(dst.begin(), dst.end(), 0.0f);
            else
                std::copy_n(input.channels[static_cast<size_t>(src)].begin() +
                                static_cast<std::ptrdiff_t>(start),
                            n, dst.begin());
        }
        bool ok = false;
        const VstInt32 count = static_cast<VstInt32>(n);
        switch (options.form) {
            case ProcessForm::Replacing:
                ok = plugin.ProcessReplacing(inArgF, outArgF, count);
                break;
            case ProcessForm::Accumulating:
                // Accumulating adds to what is there: start from silence.
                for (auto& v : outF) std::fill(v.begin(), v.end(), 0.0f);
                ok = plugin.ProcessAccumulating(inArgF, outArgF, count);
                break;
            case ProcessForm::Double:
                for (int pin = 0; pin < numIn; ++pin)
                    std::copy_n(inF[static_cast<size_t>(pin)].begin(), n,
                                inD[static_cast<size_t>(pin)].begin());
                ok = plugin.ProcessDouble(inArgD, outArgD, count);
                for (int pin = 0; pin < numOut; ++pin)
                    for (size_t i = 0; i < n; ++i)
                        outF[static_cast<size_t>(pin)][i] =
                            static_cast<float>(outD[static_cast<size_t>(pin)][i]);
                break;
        }
        if (!ok) throw HostError("processing call refused");
        for (int pin = 0; pin < numOut; ++pin)
            std::copy_n(outF[static_cast<size_t>(pin)].begin(), n,
                        output.channels[static_cast<size_t>(pin)].begin() +
                            static_cast<std::ptrdiff_t>(start));
    }
    plugin.Suspend();
    return output;
}

}  // namespace vhost
