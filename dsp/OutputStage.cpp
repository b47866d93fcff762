#include "dsp/OutputStage.h"

#include <initializer_list>

#include "dsp/BezierMap.h"

namespace quorvex {

namespace {

double LimitCurve(double a) {
    if (a >= 2.0) return kLimitCeiling;
    return BezierMap(a, 0.5, kLimitCeiling, 2.0, 0.5, kLimitCeiling, kLimitCeiling);
}

double ClipCurve(double a) {
    if (a >= 8.0) return 4.0;
    return BezierMap(a, 2.0, 4.0, 8.0, 2.0, 4.0, 4.0);
}

}  // namespace

double BrickwallLimit(double* buffer, int n) {
    double peak = 0.0;
    for (int i = 0; i < n; ++i) {
        const double x = buffer[i];
        if (x > 0.5) {
            if (x > peak) peak = x;
            buffer[i] = LimitCurve(x);
        } else if (x < -0.5) {
            if (-x > peak) peak = -x;
            buffer[i] = -LimitCurve(-x);
        }
    }
    const double amount = peak - 0.5;
    return amount <= 0.0 ? 0.0 : amount >= 1.0 ? 1.0 : amount;
}

void StageClip(double* left, double* right, int n) {
    for (int i = 0; i < n; ++i) {
        for (double* x : {left + i, right + i}) {
            if (*x > 2.0) {
                *x = ClipCurve(*x);
            } else if (*x < -2.0) {
                *x = -ClipCurve(-*x);
            }
        }
    }
}

}  // namespace quorvex
