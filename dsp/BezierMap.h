#pragma once

#include <cmath>

namespace quorvex {

// The y of a quadratic Bezier curve at the point where its x equals `x`.
// x0..x2 and y0..y2 are the control points; x must lie between x0 and x2.
// Every waveform table and every saturation curve is built from this.
inline double BezierMap(double x, double x0, double x1, double x2, double y0, double y1,
                        double y2) {
    const double l = x0 - 2.0 * x1 + x2;
    const double h = 2.0 * (x1 - x0);
    const double d = x0 - x;
    double t;
    if (l != 0.0) {
        t = (std::sqrt(h * h - 4.0 * l * d) - h) / (2.0 * l);
    } else {
        t = -d / h;  // evenly spaced x control points: x is linear in t
    }
    const double u = 1.0 - t;
    return u * u * y0 + 2.0 * t * u * y1 + t * t * y2;
}

}  // namespace quorvex
