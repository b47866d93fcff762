#pragma once

#include "dsp/LookupTable.h"

namespace quorvex {

// The envelope's segment curve: slow from (0, 0), steep through
// (0.875, 0.75), flat into (1, 1); two quadratic Bezier pieces.
double EnvelopeCurve(double x);

// Shared curve tables of the envelope, built once per process (thread-safe).
// rise[i] = curve(1 - i/8192); fall[i] = curve(i/8192); inverse maps a level
// back to the attack counter that produces it.
const LookupTable& EnvelopeRiseTable();
const LookupTable& EnvelopeFallTable();
const LookupTable& EnvelopeInverseTable();

}  // namespace quorvex
