#include "products/quorvex/LfoSync.h"

#include <cmath>

#include "dsp/Conversions.h"

namespace quorvex {

double SyncFactor(double v) {
    static constexpr double kFactors[8] = {0.5, 2.0 / 3.0, 1.0, 2.0, 3.0, 4.0, 6.0, 8.0};
    int k = v > 0.0 ? TruncToInt(7.0 * std::sqrt(v)) : 0;
    if (k < 0) k = 0;
    if (k > 7) k = 7;
    return kFactors[k];
}

int SyncPeriod(double sampleRate, double rate) {
    if (!(rate > 0.0)) return 0;
    const int half = TruncToInt(sampleRate / rate);
    // A period that does not fit an int (a rate near zero) never restarts.
    if (half <= 0 || half > (1 << 29)) return 0;
    return 2 * half;
}

int AlignedCountdown(std::int64_t blockStart, int period) {
    // floor((m - 1) / P) with integer floor division, exact for any position.
    const std::int64_t a = blockStart - 1;
    std::int64_t q = a / period;
    if (a % period != 0 && a < 0) --q;
    const std::int64_t phase = blockStart - q * period;  // in 1..period
    return static_cast<int>(period - phase);
}

}  // namespace quorvex
