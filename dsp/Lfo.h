#pragma once

#include <cmath>
#include <vector>

#include "dsp/LfoTable.h"

namespace quorvex {

// Table-lookup oscillator. The rate is in half-cycles per second: rate r makes
// r/2 cycles per second. Runs per sample (`Next`) or renders a block without
// moving its phase (`RenderBlock`, then `AdvanceBlock`).
class Lfo {
  public:
    Lfo() : table(LfoTableFor(kLfoTri)) {}

    void SetRate(double r) {
        if (r != rate) {
            rate = r;
            increment = rate * 0.5 / sampleRate;
            if (rate == 0.0) phase = 0.0;
        }
    }
    void SetSampleRate(double sr) {
        sampleRate = sr;
        increment = rate * 0.5 / sampleRate;
    }
    void SetTable(const LfoTable* t) { table = t ? t : LfoTableFor(kLfoTri); }
    void ResetPhase() { phase = 0.0; }

    double Next() {
        phase += increment;
        if (phase >= 1.0) phase -= 1.0;
        return table->Lookup(phase);
    }

    // Value one increment past phase + offset, without advancing.
    double Peek(double offset) const {
        double p = phase + offset + increment;
        if (p >= 1.0) p -= 1.0;
        return table->Lookup(p);
    }

    // Makes room for blocks of up to n samples, so that rendering them later
    // does not allocate on the audio thread.
    void ReserveBlock(int n) {
        if (n > 0 && static_cast<size_t>(n) > block.size()) block.resize(static_cast<size_t>(n));
    }

    // n values as `Next` would produce them; the stored phase stays.
    const double* RenderBlock(int n);

    void AdvanceBlock(int n) {
        const double p = phase + n * increment;
        phase = p - std::floor(p);
    }

    double Rate() const { return rate; }
    double Increment() const { return increment; }
    double Phase() const { return phase; }
    const LfoTable* Table() const { return table; }

  private:
    double rate = 0.0;
    double sampleRate = 44100.0;
    double phase = 0.0;
    double increment = 0.0;
    std::vector<double> block;
    const LfoTable* table;
};

}  // namespace quorvex
