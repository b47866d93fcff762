// The Windows builds' audio files, through our own WAV codec.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/AudioFile.h"
#include "host/HostError.h"
#include "host/WavCodec.h"

namespace vhost {

namespace {

std::filesystem::path Utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

}  // namespace

AudioBuffer ReadAudioFile(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(Utf8Path(path), ec))
        throw HostError("'" + path + "': no such file");
    std::ifstream in(Utf8Path(path), std::ios::binary);
    if (!in) throw HostError("'" + path + "': unreadable audio file (cannot open)");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    return DecodeWav(bytes, path);
}

void WriteAudioFile(const std::string& path, const AudioBuffer& audio) {
    std::vector<std::uint8_t> bytes = EncodeWavFloat(audio);
    std::ofstream out(Utf8Path(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw HostError("'" + path + "': cannot write");
}

}  // namespace vhost
