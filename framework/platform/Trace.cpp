#include "framework/platform/Trace.h"

#include <atomic>

namespace vexil {
namespace {

void SilentHook(const char*, const char*, va_list) {}

// Held in a struct: some targets attach attributes to va_list that a bare
// function pointer type would lose as a template argument.
struct HookHolder {
    TraceHook hook;
};
std::atomic<HookHolder> g_hook{HookHolder{&SilentHook}};

}  // namespace

TraceHook SetTraceHook(TraceHook hook) {
    return g_hook.exchange(HookHolder{hook ? hook : &SilentHook}).hook;
}

void Trace(const char* function, const char* format, ...) {
    va_list args;
    va_start(args, format);
    g_hook.load(std::memory_order_relaxed).hook(function, format, args);
    va_end(args);
}

}  // namespace vexil
