#pragma once

#include "dsp/LookupTable.h"

namespace quorvex {

// Single-cycle LFO waveforms, built on first request and shared by every
// instance in the process.
using LfoTable = LookupTable;

enum LfoShape { kLfoSine = 0, kLfoTri = 1, kLfoNonlinear = 2, kLfoSaw = 3, kLfoSquare = 4 };

// The shared table of a shape; an index outside 0..4 selects tri. Safe to
// call from several threads at once: the first build is guarded.
const LfoTable* LfoTableFor(int shape);

}  // namespace quorvex
