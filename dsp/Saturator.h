#pragma once

namespace quorvex {

// Rational soft saturator shared by the ladder and the all-pass:
// (e^w - 1)/(e^w + 1) with e^w replaced by its third-order Taylor polynomial,
// so it costs one division and equals w/2 for small w.
inline double RationalSat(double w) {
    const double e = w * (w * (w + 3.0) + 6.0);
    return e / (e + 12.0);
}

}  // namespace quorvex
