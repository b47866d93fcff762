#include "framework/vst/EntryPoint.h"
#include "tests/fixture_gain/FixtureGain.h"

VEXIL_DEFINE_ENTRY_POINT(FixtureGain)
