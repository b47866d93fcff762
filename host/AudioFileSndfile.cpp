#include <sndfile.h>

#include <filesystem>

#include "host/AudioFile.h"
#include "host/HostError.h"

namespace vhost {

AudioBuffer ReadAudioFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) throw HostError("'" + path + "': no such file");
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        throw HostError("'" + path + "': unreadable audio file (" + sf_strerror(nullptr) + ")");
    if (info.channels <= 0 || info.samplerate <= 0) {
        sf_close(file);
        throw HostError("'" + path + "': unreadable audio file (no channels or no sample rate)");
    }
    AudioBuffer audio;
    audio.sampleRate = info.samplerate;
    const size_t channels = static_cast<size_t>(info.channels);
    audio.channels.assign(channels, {});
    std::vector<float> interleaved(4096 * channels);
    for (;;) {
        sf_count_t got = sf_readf_float(file, interleaved.data(), 4096);
        if (got <= 0) break;
        for (sf_count_t f = 0; f < got; ++f)
            for (size_t c = 0; c < channels; ++c)
                audio.channels[c].push_back(interleaved[static_cast<size_t>(f) * channels + c]);
    }
    sf_close(file);
    return audio;
}

void WriteAudioFile(const std::string& path, const AudioBuffer& audio) {
    if (audio.channels.empty()) throw HostError("'" + path + "': nothing to write (no channels)");
    SF_INFO info{};
    info.samplerate = static_cast<int>(audio.sampleRate);
    info.channels = audio.Channels();
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file) throw HostError("'" + path + "': cannot write (" + sf_strerror(nullptr) + ")");
    const size_t channels = audio.channels.size();
    const size_t frames = audio.Frames();
    std::vector<float> interleaved(frames * channels);
    for (size_t f = 0; f < frames; ++f)
        for (size_t c = 0; c < channels; ++c) interleaved[f * channels + c] = audio.channels[c][f];
    sf_count_t written = sf_writef_float(file, interleaved.data(), static_cast<sf_count_t>(frames));
    int closed = sf_close(file);
    if (written != static_cast<sf_count_t>(frames) || closed != 0)
        throw HostError("'" + path + "': cannot write (disk full or not writable)");
}

}  // namespace vhost
