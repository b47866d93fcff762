#include "framework/platform/Trace.h"

#include <atomic>

namespace vexil {
namespace {

void SilentHook(const char*, const char*, va_list) {}

std::atomic<TraceHook> g_hook{&SilentHook};

}  // namespace

TraceHook SetTraceHook(TraceHook hook) {
    return g_hook.exchange(hook ? hook : &SilentHook);
}

void Trace(const char* function, const char* format, ...) {
    va_list args;
    va_start(args, format);
    g_hook.load(std::memory_order_relaxed)(function, format, args);
    va_end(args);
}

}  // namespace vexil
