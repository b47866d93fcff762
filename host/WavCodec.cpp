#include "host/WavCodec.h"

#include <cstring>
#include <limits>

#include "host/HostError.h"

namespace vhost {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void Put16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

float Sample(const std::uint8_t* p, std::uint16_t format, std::uint16_t bits) {
    if (format == kFormatFloat) {
        if (bits == 32) {
            std::uint32_t raw = Le32(p);
            float v;
            std::memcpy(&v, &raw, 4);
            return v;
        }
        std::uint64_t raw =
            static_cast<std::uint64_t>(Le32(p)) | static_cast<std::uint64_t>(Le32(p + 4)) << 32;
        double v;
        std::memcpy(&v, &raw, 8);
        return static_cast<float>(v);
    }
    switch (bits) {
        case 8:
            return (static_cast<int>(p[0]) - 128) / 128.0f;
        case 16:
            return static_cast<std::int16_t>(Le16(p)) / 32768.0f;
        case 24: {
            std::int32_t v = static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) << 8 |
                                                       static_cast<std::uint32_t>(p[1]) << 16 |
                                                       static_cast<std::uint32_t>(p[2]) << 24);
            return static_cast<float>((v >> 8) / 8388608.0);
        }
        default:
            return static_cast<float>(static_cast<std::int32_t>(Le32(p)) / 2147483648.0);
    }
}

}  // namespace

AudioBuffer DecodeWav(const std::vector<std::uint8_t>& bytes, const std::string& source) {
    auto fail = [&](const std::string& why) -> HostError {
        return HostError("'" + source + "': unreadable audio file (" + why + ")");
    };
    const size_t size = bytes.size();
    const std::uint8_t* b = bytes.data();
    if (size < 12 || std::memcmp(b, "RIFF", 4) != 0 || std::memcmp(b + 8, "WAVE", 4) != 0)
        throw fail("not a WAV file");

    bool haveFormat = false;
    std::uint16_t format = 0, channels = 0, bits = 0, blockAlign = 0;
    std::uint32_t rate = 0;
    const std::uint8_t* data = nullptr;
    size_t dataSize = 0;
    size_t pos = 12;
    while (pos + 8 <= size) {
        const std::uint8_t* chunk = b + pos;
        const size_t chunkSize = Le32(chunk + 4);
        const size_t available = size - pos - 8;
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            if (chunkSize < 16 || chunkSize > available) throw fail("short format chunk");
            format = Le16(chunk + 8);
            channels = Le16(chunk + 10);
            rate = Le32(chunk + 12);
            blockAlign = Le16(chunk + 20);
            bits = Le16(chunk + 22);
            if (format == kFormatExtensible) {
                if (chunkSize < 40) throw fail("short extensible format chunk");
                format = Le16(chunk + 8 + 24);  // first two bytes of the sub-format id
            }
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            // Files written while streaming may claim more than they hold.
            data = chunk + 8;
            dataSize = chunkSize < available ? chunkSize : available;
            if (haveFormat) break;
        }
        if (chunkSize > available) break;
        pos += 8 + chunkSize + (chunkSize & 1);
    }
    if (!haveFormat) throw fail("no format chunk");
    if (!data) throw fail("no data chunk");
    const bool pcm = format == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
    const bool flt = format == kFormatFloat && (bits == 32 || bits == 64);
    if (!pcm && !flt)
        throw fail("unsupported sample format " + std::to_string(format) + " with " +
                   std::to_string(bits) + " bits");
    if (channels == 0 || rate == 0) throw fail("no channels or no sample rate");
    const size_t bytesPerSample = bits / 8;
    if (blockAlign != channels * bytesPerSample) throw fail("inconsistent block alignment");

    AudioBuffer audio;
    audio.sampleRate = rate;
    const size_t frames = dataSize / blockAlign;
    audio.channels.assign(channels, std::vector<float>(frames));
    for (size_t f = 0; f < frames; ++f)
        for (size_t c = 0; c < channels; ++c)
            audio.channels[c][f] = Sample(data + f * blockAlign + c * bytesPerSample, format, bits);
    return audio;
}

std::vector<std::uint8_t> EncodeWavFloat(const AudioBuffer& audio) {
    const size_t channels = audio.channels.size();
    const size_t frames = audio.Frames();
    const size_t dataBytes = frames * channels * 4;
    if (channels == 0 || channels > 0xFFFF ||
        dataBytes > std::numeric_limits<std::uint32_t>::max() - 64)
        throw HostError("audio too large or without channels for a WAV file");
    std::vector<std::uint8_t> out;
    out.reserve(58 + dataBytes);
    PutTag(out, "RIFF");
    Put32(out, static_cast<std::uint32_t>(4 + (8 + 18) + (8 + 4) + (8 + dataBytes)));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 18);
    Put16(out, kFormatFloat);
    Put16(out, static_cast<std::uint16_t>(channels));
    Put32(out, static_cast<std::uint32_t>(audio.sampleRate));
    Put32(out, static_cast<std::uint32_t>(audio.sampleRate * channels * 4));
    Put16(out, static_cast<std::uint16_t>(channels * 4));
    Put16(out, 32);
    Put16(out, 0);
    // Float data wants a fact chunk with the frame count.
    PutTag(out, "fact");
    Put32(out, 4);
    Put32(out, static_cast<std::uint32_t>(frames));
    PutTag(out, "data");
    Put32(out, static_cast<std::uint32_t>(dataBytes));
    for (size_t f = 0; f < frames; ++f)
        for (size_t c = 0; c < channels; ++c) {
            std::uint32_t raw;
            std::memcpy(&raw, &audio.channels[c][f], 4);
            Put32(out, raw);
        }
    return out;
}

}  // namespace vhost
