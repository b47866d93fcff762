#include "framework/vst/EntryPoint.h"
#include "products/quorvex_drive/QuorvexDrive.h"

VEXIL_DEFINE_ENTRY_POINT(QuorvexDrive)
