#pragma once

#include <climits>
#include <cmath>

// Numeric helpers every block shares: decibels, one-pole time constants and
// the truncating float-to-int conversion used for indices and sample counts.

namespace quorvex {

// ln 10 / 20, cut to 13 digits so thresholds and meter positions agree
// across the whole product.
inline constexpr double kDbToAmpFactor = 0.1151292546497;

inline double DbToAmp(double db) {
    return std::exp(db * kDbToAmpFactor);
}

// Coefficient of a one-pole smoother with a time constant of `ms`.
inline double TimeConstantCoef(double ms, double sampleRate) {
    return std::exp(-1.0 / (ms * 0.001 * sampleRate));
}

// Truncates toward zero like a plain cast, but saturates instead of invoking
// undefined behaviour for values outside int range; NaN gives 0. Used where
// a setting computed from outside input becomes a count.
inline int TruncToInt(double x) {
    if (!(x == x)) return 0;
    if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(x);
}

}  // namespace quorvex
