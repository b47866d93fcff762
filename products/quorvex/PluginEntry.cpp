// The library's entry point: creates the multi-effect for the host.

#include "framework/vst/EntryPoint.h"
#include "products/quorvex/Quorvex.h"

VEXIL_DEFINE_ENTRY_POINT(quorvex::Quorvex)
