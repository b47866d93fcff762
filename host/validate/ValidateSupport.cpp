#include "host/validate/ValidateSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace vhost::validate {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Large enough that a plug-in copying a long text whole stays inside it.
constexpr size_t kGuardedBuffer = 4096;
constexpr unsigned char kGuardA = 0xA5;
constexpr unsigned char kGuardB = 0x5A;

// A fixed pseudo-random sequence, the same on every platform.
float Noise(long position, int pin) {
    std::uint32_t x = static_cast<std::uint32_t>(position) * 2654435761u ^
                      static_cast<std::uint32_t>(pin + 1) * 40503u;
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    return static_cast<float>(x & 0xffff) / 65535.0f * 2.0f - 1.0f;
}

template <typename T>
T SignalSample(long position, int pin, double rate) {
    const double t = static_cast<double>(position) / rate;
    const double tone = 0.35 * std::sin(2.0 * kPi * 110.0 * (pin + 1) * t) +
                        0.15 * std::sin(2.0 * kPi * 1870.0 * t + pin);
    // Rounded to float first, so 32- and 64-bit runs see the same samples.
    return static_cast<T>(static_cast<float>(tone + 0.05 * Noise(position, pin)));
}

}  // namespace

std::unique_ptr<PluginInstance> LoadPlugin(const Options& options, double rate, int block) {
    LoadOptions load;
    load.sampleRate = rate > 0.0 ? rate : options.sampleRate;
    load.blockSize = block > 0 ? block : options.blockSize;
    return PluginInstance::Load(options.path, load);
}

template <typename T>
PinBuffers<T>::PinBuffers(int inputs, int outputs, int frames)
    : spare_(static_cast<size_t>(std::max(frames, 1))), frames_(frames) {
    in.assign(static_cast<size_t>(std::max(inputs, 0)), std::vector<T>(size_t(frames)));
    out.assign(static_cast<size_t>(std::max(outputs, 0)), std::vector<T>(size_t(frames)));
    for (auto& v : in) inPtr.push_back(v.data());
    for (auto& v : out) outPtr.push_back(v.data());
    if (inPtr.empty()) inPtr.push_back(spare_.data());
    if (outPtr.empty()) outPtr.push_back(spare_.data());
}

template <typename T>
void PinBuffers<T>::FillOutputs(T value) {
    for (auto& v : out) std::fill(v.begin(), v.end(), value);
}

template struct PinBuffers<float>;
template struct PinBuffers<double>;

template <typename T>
void FillInput(PinBuffers<T>& buffers, Input kind, long position, int frames, double rate) {
    for (size_t pin = 0; pin < buffers.in.size(); ++pin) {
        T* x = buffers.in[pin].data();
        const int p = static_cast<int>(pin);
        for (int i = 0; i < frames; ++i) {
            const long n = position + i;
            switch (kind) {
                case Input::Signal:
                    x[i] = SignalSample<T>(n, p, rate);
                    break;
                case Input::Loud:
                    x[i] = 4 * SignalSample<T>(n, p + 3, rate);
                    break;
                case Input::Silence:
                    x[i] = 0;
                    break;
                case Input::Denormal:
                    // Between the smallest subnormal and the smallest normal float.
                    x[i] = static_cast<T>(((n + p) % 2 ? -1.0f : 1.0f) *
                                          std::numeric_limits<float>::denorm_min() *
                                          static_cast<float>(1 + (n * 7919 + p) % 4000000));
                    break;
                case Input::NonFinite: {
                    const T values[] = {std::numeric_limits<T>::quiet_NaN(),
                                        std::numeric_limits<T>::infinity(),
                                        -std::numeric_limits<T>::infinity(), T(0.5)};
                    x[i] = values[(n + p) % 4];
                    break;
                }
            }
        }
    }
}

template void FillInput(Buffers32&, Input, long, int, double);
template void FillInput(Buffers64&, Input, long, int, double);

void Process32(PluginInstance& plugin, Buffers32& buffers, int frames) {
    AEffect* e = plugin.Effect();
    if (plugin.SupportsReplacing()) {
        e->processReplacing(e, buffers.Inputs(), buffers.Outputs(), frames);
    } else if (e->process) {
        buffers.FillOutputs(0.0f);
        e->process(e, buffers.Inputs(), buffers.Outputs(), frames);
    }
    plugin.Host().AdvanceTransport(frames);
}

void Process64(PluginInstance& plugin, Buffers64& buffers, int frames) {
    AEffect* e = plugin.Effect();
    if (plugin.SupportsDouble())
        e->processDoubleReplacing(e, buffers.Inputs(), buffers.Outputs(), frames);
    plugin.Host().AdvanceTransport(frames);
}

Output Run(PluginInstance& plugin, Input kind, long frames, bool wide, long start) {
    const int block = std::max(1, static_cast<int>(plugin.BlockSize()));
    const double rate = plugin.SampleRate();
    Output output(static_cast<size_t>(std::max(plugin.NumOutputs(), 0)),
                  std::vector<float>(static_cast<size_t>(frames)));
    Buffers32 b32(wide ? 0 : plugin.NumInputs(), wide ? 0 : plugin.NumOutputs(), block);
    Buffers64 b64(wide ? plugin.NumInputs() : 0, wide ? plugin.NumOutputs() : 0, block);
    for (long done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<long>(block, frames - done));
        if (wide) {
            FillInput(b64, kind, start + done, n, rate);
            Process64(plugin, b64, n);
            for (size_t c = 0; c < output.size(); ++c)
                for (int i = 0; i < n; ++i)
                    output[c][size_t(done + i)] = static_cast<float>(b64.out[c][size_t(i)]);
        } else {
            FillInput(b32, kind, start + done, n, rate);
            Process32(plugin, b32, n);
            for (size_t c = 0; c < output.size(); ++c)
                std::copy(b32.out[c].begin(), b32.out[c].begin() + n, output[c].begin() + done);
        }
        done += n;
    }
    return output;
}

std::string NonFinite(const Output& output, long from) {
    for (size_t c = 0; c < output.size(); ++c)
        for (size_t i = size_t(std::max(from, 0L)); i < output[c].size(); ++i)
            if (!std::isfinite(output[c][i]))
                return "output " + std::to_string(c) + " is " + Number(output[c][i]) +
                       " at frame " + std::to_string(i);
    return {};
}

std::string Difference(const Output& a, const Output& b, double tolerance) {
    if (a.size() != b.size()) return "different numbers of outputs";
    for (size_t c = 0; c < a.size(); ++c) {
        if (a[c].size() != b[c].size()) return "different lengths";
        for (size_t i = 0; i < a[c].size(); ++i) {
            const double x = a[c][i], y = b[c][i];
            const double allowed = tolerance * std::max(1.0, std::fabs(x));
            if (!(std::fabs(x - y) <= allowed) && !(std::isnan(x) && std::isnan(y)))
                return "output " + std::to_string(c) + " frame " + std::to_string(i) + ": " +
                       Number(x) + " against " + Number(y);
        }
    }
    return {};
}

double Peak(const Output& output, long from) {
    double peak = 0.0;
    for (const auto& channel : output)
        for (size_t i = size_t(std::max(from, 0L)); i < channel.size(); ++i)
            peak = std::max(peak, static_cast<double>(std::fabs(channel[i])));
    return peak;
}

TextReply AskText(PluginInstance& plugin, VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    TextReply reply;
    std::vector<unsigned char> buffer(kGuardedBuffer);
    for (unsigned char guard : {kGuardA, kGuardB}) {
        std::fill(buffer.begin(), buffer.end(), guard);
        VstIntPtr result = plugin.Dispatch(opcode, index, value, buffer.data());
        size_t written = buffer.size();
        while (written > 0 && buffer[written - 1] == guard) --written;
        reply.written = std::max(reply.written, written);
        const auto* end = static_cast<const unsigned char*>(std::memchr(buffer.data(), 0, written));
        if (guard == kGuardA) {
            reply.result = result;
            reply.text.assign(reinterpret_cast<const char*>(buffer.data()),
                              end ? size_t(end - buffer.data()) : written);
        }
        if (written > 0 && !end) reply.terminated = false;
    }
    return reply;
}

std::string TextProblem(const TextReply& reply, size_t bound, bool printable) {
    // Long texts are shown by their start only.
    const std::string shown =
        "'" + (reply.text.size() > 40 ? reply.text.substr(0, 40) + "..." : reply.text) + "'";
    if (!reply.terminated)
        return shown + " is not terminated (" + std::to_string(reply.written) + " bytes written)";
    if (reply.written > bound)
        return "wrote " + std::to_string(reply.written) + " bytes (" + shown + "), more than the " +
               std::to_string(bound) + " a host sets aside";
    if (printable)
        for (char ch : reply.text) {
            const auto c = static_cast<unsigned char>(ch);
            if (c < 0x20 || c == 0x7f) {
                char code[8];
                std::snprintf(code, sizeof code, "0x%02X", c);
                return shown + " holds the control character " + code;
            }
        }
    return {};
}

std::vector<float> ParamValues(PluginInstance& plugin) {
    std::vector<float> values;
    for (int i = 0; i < plugin.NumParams(); ++i) values.push_back(plugin.GetParam(i));
    return values;
}

std::string InvalidParam(PluginInstance& plugin) {
    for (int i = 0; i < plugin.NumParams(); ++i) {
        const float v = plugin.GetParam(i);
        if (!std::isfinite(v) || v < 0.0f || v > 1.0f)
            return ParamTitle(plugin, i) + " reads " + Number(v);
    }
    return {};
}

std::string ParamTitle(PluginInstance& plugin, int index) {
    std::string name = AskText(plugin, effGetParamName, index).text;
    if (name.size() > 40) name = name.substr(0, 40) + "...";
    return "parameter " + std::to_string(index) + (name.empty() ? "" : " (" + name + ")");
}

std::string Number(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace vhost::validate
