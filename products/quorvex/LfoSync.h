#pragma once

#include <cstdint>

namespace quorvex {

// LFO cycles per beat for a tempo-synced LFO rate knob at position v (0..1):
// 4, 3, 2, 1, 2/3, 1/2, 1/3 or 1/4 beats per cycle. The factor is in the
// LFO's rate unit (half-cycles per second per beat per second).
double SyncFactor(double v);

// Free-running LFO rate for the rate knob: 0..8 cycles per second.
inline double FreeLfoRate(double v) {
    return v * 16.0;
}

// Samples between two phase restarts of a synced LFO running at `rate`
// (half-cycles per second); 0 when the LFO stands still.
int SyncPeriod(double sampleRate, double rate);

// Samples until the next restart so that restarts fall on the multiples of
// `period` of the host's timeline, given the host position at the start of
// the block (`blockStart`). Result in 0..period-1.
int AlignedCountdown(std::int64_t blockStart, int period);

}  // namespace quorvex
