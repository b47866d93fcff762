// Trace points of the framework. Each names its function and passes a
// printf-style format with arguments to the trace hook. The installed hook
// writes nothing; tests may install their own to see the lines.
#pragma once

#include <cstdarg>

namespace vexil {

using TraceHook = void (*)(const char* function, const char* format, va_list args);

// Installs a hook (null restores the silent one); returns the previous hook.
TraceHook SetTraceHook(TraceHook hook);

void Trace(const char* function, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

}  // namespace vexil

#define VEXIL_TRACE(...) ::vexil::Trace(__func__, __VA_ARGS__)
