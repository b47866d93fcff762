#include "framework/vst/EntryPoint.h"
#include "products/quorvex_chorus/QuorvexChorus.h"

VEXIL_DEFINE_ENTRY_POINT(QuorvexChorus)
