#pragma once

namespace quorvex {

inline constexpr int kTableSize = 8192;

// A shared single-precision table of kTableSize entries. Entries are computed
// in double and stored rounded; reads widen them back. One extra guard entry
// repeats entry 0 so that the wrap-around read of a periodic table needs no
// branch (index kTableSize - 1 interpolates toward entry 0).
struct LookupTable {
    float entry[kTableSize + 1] = {};

    double operator[](int i) const { return entry[i]; }

    // Linear interpolation at a phase in [0, 1). The index is masked so a
    // phase pushed outside the cycle by a hostile rate still reads inside
    // the table; within the cycle the mask changes nothing.
    double Lookup(double phase) const {
        const double pos = phase * kTableSize;
        const int k = static_cast<int>(pos);
        const double f = pos - k;
        const int i = k & (kTableSize - 1);
        return static_cast<double>(entry[i]) * (1.0 - f) + static_cast<double>(entry[i + 1]) * f;
    }
};

}  // namespace quorvex
