// Our own WAV codec (the Windows builds' audio files) and the platform's
// audio file functions, checked against each other.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "host/AudioFile.h"
#include "host/HostError.h"
#include "host/WavCodec.h"
#include "tests/host/HostTestSupport.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Tag(Bytes& b, const char* t) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(t[i]));
}

// A WAV file with one 'fmt ' chunk (plain or extensible) and the given
// sample bytes; an extra chunk before the format checks that it is skipped.
Bytes MakeWav(std::uint16_t format, int channels, int bits, const Bytes& samples,
              bool extensible = false) {
    Bytes fmt;
    Put(fmt, extensible ? 0xFFFE : format, 2);
    Put(fmt, static_cast<std::uint32_t>(channels), 2);
    Put(fmt, 44100, 4);
    Put(fmt, static_cast<std::uint32_t>(44100 * channels * bits / 8), 4);
    Put(fmt, static_cast<std::uint32_t>(channels * bits / 8), 2);
    Put(fmt, static_cast<std::uint32_t>(bits), 2);
    if (extensible) {
        Put(fmt, 22, 2);
        Put(fmt, static_cast<std::uint32_t>(bits), 2);
        Put(fmt, 3, 4);
        Put(fmt, format, 2);
        const std::uint8_t rest[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                       0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
        fmt.insert(fmt.end(), rest, rest + 14);
    }
    Bytes b;
    Tag(b, "RIFF");
    Put(b, 0, 4);
    Tag(b, "WAVE");
    Tag(b, "LIST");
    Put(b, 3, 4);
    b.insert(b.end(), {'a', 'b', 'c', 0});  // odd size, padded
    Tag(b, "fmt ");
    Put(b, static_cast<std::uint32_t>(fmt.size()), 4);
    b.insert(b.end(), fmt.begin(), fmt.end());
    Tag(b, "data");
    Put(b, static_cast<std::uint32_t>(samples.size()), 4);
    b.insert(b.end(), samples.begin(), samples.end());
    const std::uint32_t riff = static_cast<std::uint32_t>(b.size() - 8);
    std::memcpy(b.data() + 4, &riff, 4);
    return b;
}

TEST(WavCodec, DecodesEverySampleFormatItClaims) {
    auto floatBytes = [](float v) {
        std::uint32_t raw;
        std::memcpy(&raw, &v, 4);
        Bytes b;
        Put(b, raw, 4);
        return b;
    };
    const struct {
        const char* name;
        std::uint16_t format;
        int bits;
        Bytes sample;  // one sample
        float expected;
    } cases[] = {
        {"pcm8", 1, 8, {0xC0}, 0.5f},
        {"pcm16", 1, 16, {0x00, 0xC0}, -0.5f},
        {"pcm16 min", 1, 16, {0x00, 0x80}, -1.0f},
        {"pcm24", 1, 24, {0x00, 0x00, 0x40}, 0.5f},
        {"pcm24 negative", 1, 24, {0x00, 0x00, 0xE0}, -0.25f},
        {"pcm32", 1, 32, {0x00, 0x00, 0x00, 0x20}, 0.25f},
        {"float32", 3, 32, floatBytes(-0.75f), -0.75f},
        {"float64", 3, 64, {0, 0, 0, 0, 0, 0, 0xE8, 0x3F}, 0.75f},
    };
    for (const auto& c : cases)
        for (bool extensible : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (extensible ? " extensible" : ""));
            // Two channels: the sample, then its negation encoded as zero bytes.
            Bytes data = c.sample;
            Bytes second(c.sample.size(), c.bits == 8 ? 0x80 : 0x00);
            data.insert(data.end(), second.begin(), second.end());
            vhost::AudioBuffer a =
                vhost::DecodeWav(MakeWav(c.format, 2, c.bits, data, extensible), "t");
            ASSERT_EQ(a.Channels(), 2);
            ASSERT_EQ(a.Frames(), 1u);
            EXPECT_EQ(a.sampleRate, 44100.0);
            EXPECT_EQ(a.channels[0][0], c.expected);
            EXPECT_EQ(a.channels[1][0], 0.0f);
        }
}

TEST(WavCodec, RefusesMalformedFilesWithoutReadingPastThem) {
    Bytes good = MakeWav(1, 1, 16, {1, 0, 2, 0});
    Bytes truncatedData = good;
    truncatedData.resize(truncatedData.size() - 1);  // half a sample left: one frame
    Bytes hugeChunk = good;
    std::uint32_t huge = 0xFFFFFFF0u;
    std::memcpy(hugeChunk.data() + 16, &huge, 4);  // the LIST chunk claims 4 GB
    const struct {
        const char* name;
        Bytes bytes;
        const char* reason;
    } cases[] = {
        {"empty", {}, "not a WAV file"},
        {"text", {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!'}, "not a WAV file"},
        {"adpcm", MakeWav(2, 1, 4, {0}), "unsupported sample format"},
        {"pcm12", MakeWav(1, 1, 12, {0, 0}), "unsupported sample format"},
        {"no channels", MakeWav(1, 0, 16, {}), "no channels"},
        {"huge chunk", hugeChunk, "no format chunk"},
        {"no data", Bytes(good.begin(), good.begin() + 12 + 12 + 8 + 16), "no data chunk"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            vhost::DecodeWav(c.bytes, "in.wav");
            ADD_FAILURE() << "decoded";
        } catch (const vhost::HostError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("in.wav"), std::string::npos);
        }
    }
    EXPECT_EQ(vhost::DecodeWav(truncatedData, "t").Frames(), 1u);
}

TEST(AudioFile, WritesFloatWavThatBothReadersRead) {
    const vhost::AudioBuffer signal = host_test::TestSignal(3, 1000, 22050.0);
    const std::string path = host_test::TempPath("roundtrip.wav");
    vhost::WriteAudioFile(path, signal);
    std::ifstream in(path, std::ios::binary);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const vhost::AudioBuffer& back :
         {vhost::ReadAudioFile(path), vhost::DecodeWav(bytes, path)}) {
        EXPECT_EQ(back.sampleRate, 22050.0);
        EXPECT_EQ(back.channels, signal.channels);
    }
    // And the platform reader reads what our encoder writes.
    const std::string ours = host_test::TempPath("ours.wav");
    Bytes encoded = vhost::EncodeWavFloat(signal);
    std::ofstream(ours, std::ios::binary)
        .write(reinterpret_cast<const char*>(encoded.data()),
               static_cast<std::streamsize>(encoded.size()));
    EXPECT_EQ(vhost::ReadAudioFile(ours).channels, signal.channels);
}

TEST(AudioFile, ReportsMissingAndUnreadableFiles) {
    const std::string text = host_test::TempPath("text.wav");
    std::ofstream(text) << "not audio at all, just some words to fill it up\n";
    for (const auto& [path, reason] :
         {std::pair<std::string, const char*>{host_test::TempPath("missing.wav"), "no such file"},
          {text, "unreadable audio file"}}) {
        try {
            vhost::ReadAudioFile(path);
            ADD_FAILURE() << path;
        } catch (const vhost::HostError& e) {
            EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
        }
    }
}

}  // namespace
