#pragma once

// SSE2 lanes where the target has them (every x86-64 build; 32-bit builds
// only when asked for). Blocks keep a scalar path for the other builds.
#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#define QUORVEX_HAVE_SSE2 1
#include <emmintrin.h>
#endif
