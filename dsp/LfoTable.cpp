#include "dsp/LfoTable.h"

#include <cmath>
#include <numbers>

#include "dsp/BezierMap.h"

namespace quorvex {

namespace {

template <class F>
LookupTable Build(F entryAt) {
    LookupTable t;
    for (int i = 0; i < kTableSize; ++i) {
        t.entry[i] = static_cast<float>(entryAt(i, static_cast<double>(i) / kTableSize));
    }
    t.entry[kTableSize] = t.entry[0];
    return t;
}

double TriAt(double x) {
    if (x < 0.25) return 4.0 * x;
    if (x < 0.75) return 4.0 * (0.5 - x);
    return 4.0 * (x - 1.0);
}

// Function-local statics: built once on first use, and the language makes
// concurrent first calls wait for the one build instead of racing.
const LookupTable& Sine() {
    static const LookupTable t =
        Build([](int, double x) { return std::sin(2.0 * std::numbers::pi * x); });
    return t;
}

const LookupTable& Tri() {
    static const LookupTable t = Build([](int, double x) { return TriAt(x); });
    return t;
}

const LookupTable& Nonlinear() {
    static const LookupTable t = Build([](int i, double) {
        // Bends the stored single-precision tri entry.
        return BezierMap(Tri()[i], -1.0, 0.25, 1.0, -1.0, -0.25, 1.0);
    });
    return t;
}

const LookupTable& Saw() {
    static const LookupTable t = Build([](int, double x) {
        if (x < 1.0 / 128.0) return 128.0 * x;
        if (x < 127.0 / 128.0) return 1.0 - (2.0 * x - 1.0 / 64.0) / 0.984375;
        return 128.0 * (x - 1.0);
    });
    return t;
}

const LookupTable& Square() {
    static const LookupTable t = Build([](int, double x) {
        if (x < 1.0 / 128.0) return 128.0 * x;
        if (x < 63.0 / 128.0) return 1.0;
        if (x < 65.0 / 128.0) return 1.0 - (2.0 * x - 1.0 + 1.0 / 64.0) * 64.0;
        if (x < 127.0 / 128.0) return -1.0;
        return 128.0 * (x - 1.0);
    });
    return t;
}

}  // namespace

const LfoTable* LfoTableFor(int shape) {
    switch (shape) {
        case kLfoSine:
            return &Sine();
        case kLfoNonlinear:
            return &Nonlinear();
        case kLfoSaw:
            return &Saw();
        case kLfoSquare:
            return &Square();
        default:
            return &Tri();
    }
}

}  // namespace quorvex
