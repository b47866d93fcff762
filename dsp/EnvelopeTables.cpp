#include "dsp/EnvelopeTables.h"

#include "dsp/BezierMap.h"

namespace quorvex {

double EnvelopeCurve(double x) {
    if (x < 0.875) return BezierMap(x, 0.0, 0.71875, 0.875, 0.0, 0.125, 0.75);
    return BezierMap(x, 0.875, 0.9375, 1.0, 0.75, 1.0, 1.0);
}

namespace {

LookupTable BuildRise() {
    LookupTable t;
    for (int i = 0; i < kTableSize; ++i) {
        t.entry[i] = static_cast<float>(EnvelopeCurve(1.0 - static_cast<double>(i) / kTableSize));
    }
    t.entry[kTableSize] = t.entry[kTableSize - 1];
    return t;
}

LookupTable BuildFall() {
    LookupTable t;
    for (int i = 0; i < kTableSize; ++i) {
        t.entry[i] = static_cast<float>(EnvelopeCurve(static_cast<double>(i) / kTableSize));
    }
    t.entry[kTableSize] = t.entry[kTableSize - 1];
    return t;
}

LookupTable BuildInverse() {
    const LookupTable& rise = EnvelopeRiseTable();
    constexpr int last = kTableSize - 1;
    LookupTable t;  // all 0: "empty"
    for (int i = 0; i < kTableSize; ++i) {
        const int k = static_cast<int>(last * rise[i]);
        t.entry[k] = static_cast<float>(static_cast<double>(i) / kTableSize);
    }
    t.entry[0] = 1.0f;
    t.entry[last] = 0.0f;
    // Where the rise is steep, consecutive counters skip levels and leave runs
    // of empty entries. Bridge each run linearly between its filled
    // neighbours so that restarting from any level lands on that level; a
    // single empty entry becomes the plain average of its neighbours.
    int j = 1;
    while (j < last) {
        if (t.entry[j] != 0.0f) {
            ++j;
            continue;
        }
        int end = j;  // one past the run
        while (end < last && t.entry[end] == 0.0f) ++end;
        const double lo = t.entry[j - 1];
        const double hi = t.entry[end];
        const double span = end - (j - 1);
        for (int m = j; m < end; ++m) {
            const double w = (m - (j - 1)) / span;
            t.entry[m] = static_cast<float>(lo * (1.0 - w) + hi * w);
        }
        j = end;
    }
    t.entry[kTableSize] = t.entry[last];
    return t;
}

}  // namespace

const LookupTable& EnvelopeRiseTable() {
    static const LookupTable t = BuildRise();
    return t;
}

const LookupTable& EnvelopeFallTable() {
    static const LookupTable t = BuildFall();
    return t;
}

const LookupTable& EnvelopeInverseTable() {
    static const LookupTable t = BuildInverse();
    return t;
}

}  // namespace quorvex
