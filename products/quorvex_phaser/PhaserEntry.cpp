#include "framework/vst/EntryPoint.h"
#include "products/quorvex_phaser/QuorvexPhaser.h"

VEXIL_DEFINE_ENTRY_POINT(QuorvexPhaser)
