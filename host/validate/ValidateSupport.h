// What the validation groups share: loading at the run's settings, pin
// buffers, the test signals, processing calls and text calls into guarded
// buffers.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "framework/vst/VstAbi.h"
#include "host/PluginInstance.h"
#include "host/validate/Validate.h"

namespace vhost::validate {

// Loads and opens the plug-in at the run's rate and block size (or the
// ones given); throws HostError as PluginInstance::Load does.
std::unique_ptr<PluginInstance> LoadPlugin(const Options& options, double rate = 0.0,
                                           int block = 0);

// One buffer per pin and the pointer arrays a processing call takes. The
// arrays are never empty, so a plug-in without inputs still gets a valid one.
template <typename T>
struct PinBuffers {
    PinBuffers(int inputs, int outputs, int frames);
    std::vector<std::vector<T>> in, out;
    std::vector<T*> inPtr, outPtr;
    T** Inputs() { return inPtr.data(); }
    T** Outputs() { return outPtr.data(); }
    int Frames() const { return frames_; }
    void FillOutputs(T value);

  private:
    std::vector<T> spare_;
    int frames_;
};
using Buffers32 = PinBuffers<float>;
using Buffers64 = PinBuffers<double>;

enum class Input {
    Signal,  // tones and a little noise, different on every pin
    Loud,    // the signal at four times the level, for a second instance
    Silence,
    Denormal,   // values in the subnormal range of 32-bit floats
    NonFinite,  // NaN and both infinities, mixed
};

// Fills 'frames' input frames for the block starting at 'position' (in
// frames since the start of the run).
template <typename T>
void FillInput(PinBuffers<T>& buffers, Input kind, long position, int frames, double rate);

// One processing call of 'frames' frames, which may exceed the announced
// block size (the plug-in's function is called directly, as a careless host
// would). 32-bit calls use replacing processing, or accumulating into
// zeroed outputs when the plug-in has only that.
void Process32(PluginInstance& plugin, Buffers32& buffers, int frames);
void Process64(PluginInstance& plugin, Buffers64& buffers, int frames);

// The output of a run, one vector per output pin.
using Output = std::vector<std::vector<float>>;

// Runs 'frames' frames of the input kind through the plug-in in blocks of
// its announced size (32-bit, or 64-bit when 'wide'). Resume is the
// caller's business. The input's position starts at 'start'.
Output Run(PluginInstance& plugin, Input kind, long frames, bool wide = false, long start = 0);

// "" when every sample from 'from' on is finite, else where the first bad one is.
std::string NonFinite(const Output& output, long from = 0);
// "" when the outputs agree within 'tolerance' (absolute, scaled up for
// loud outputs), else the first difference.
std::string Difference(const Output& a, const Output& b, double tolerance);
// The largest magnitude in the output from 'from' on.
double Peak(const Output& output, long from = 0);

// A text the plug-in wrote into a buffer filled with guard bytes.
struct TextReply {
    std::string text;    // up to the first terminator
    size_t written = 0;  // bytes changed from the guard pattern, counted from the start
    bool terminated = true;
    VstIntPtr result = 0;
};
// Asks for a text with the given opcode into a large guarded buffer (twice,
// with two guard patterns, so that no written byte can pass for a guard).
TextReply AskText(PluginInstance& plugin, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);
// "" when the reply is terminated, within 'bound' bytes (terminator
// included) and, when asked, printable; else what is wrong with it.
std::string TextProblem(const TextReply& reply, size_t bound, bool printable = true);

// The parameters' normalized values as getParameter reports them.
std::vector<float> ParamValues(PluginInstance& plugin);
// "" when every value is finite and within 0..1, else the first that is not.
std::string InvalidParam(PluginInstance& plugin);
// A parameter named for messages: "parameter 3 (Gain)".
std::string ParamTitle(PluginInstance& plugin, int index);
// A float as messages show it ("nan", "inf", "0.25").
std::string Number(double value);

}  // namespace vhost::validate
