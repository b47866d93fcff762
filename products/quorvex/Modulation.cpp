#include "products/quorvex/Modulation.h"

#include <cmath>

namespace quorvex {

const double* RenderModulation(ModTarget& target, double low, double high, double base,
                               const BlockSources& sources, int n) {
    double* values = target.values.data();
    if (n <= 0) return values;  // nothing to render; keep the last display position
    const double* s = sources.Select(target.source);
    if (s != nullptr) {
        const double depth = (high - low) * target.strength;
        for (int i = 0; i < n; ++i) {
            double v = base + depth * s[i];
            if (v >= high) {
                v = high;
            } else if (v <= low) {
                v = low;
            }
            values[i] = v;
        }
    } else {
        for (int i = 0; i < n; ++i) values[i] = base;
    }
    target.displayPosition = (values[n - 1] - low) / (high - low);
    return values;
}

const double* RenderShapedModulation(ModTarget& target, double low, double high, double base,
                                     const BlockSources& sources, int n, double exponent) {
    double* values = target.values.data();
    if (n <= 0) return values;
    const double range = high - low;
    const double* s = sources.Select(target.source);
    if (s != nullptr) {
        const double b = std::pow((base - low) / range, 1.0 / exponent);
        const double strength = target.strength;
        for (int i = 0; i < n; ++i) {
            double p = b + strength * s[i];
            if (p <= 0.0) {
                p = 0.0;
            } else if (p >= 1.0) {
                p = 1.0;
            }
            values[i] = low + range * std::pow(p, exponent);
        }
    } else {
        for (int i = 0; i < n; ++i) values[i] = base;
    }
    target.displayPosition = std::pow((values[n - 1] - low) / range, 1.0 / exponent);
    return values;
}

}  // namespace quorvex
