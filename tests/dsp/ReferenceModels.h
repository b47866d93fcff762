#pragma once

// Straightforward evaluations of the blocks' formulas, written apart from the
// library (no shared code) so that the tests compare two independent
// readings of the same arithmetic.

#include <cmath>
#include <vector>

namespace ref {

inline constexpr double kPi = 3.14159265358979323846;

inline double Bezier(double x, double x0, double x1, double x2, double y0, double y1, double y2) {
    const double l = x0 - 2 * x1 + x2, h = 2 * (x1 - x0), d = x0 - x;
    const double t = l != 0 ? (std::sqrt(h * h - 4 * l * d) - h) / (2 * l) : -d / h;
    return (1 - t) * (1 - t) * y0 + 2 * t * (1 - t) * y1 + t * t * y2;
}

inline double Sat(double v, double s) {
    const double w = v / s;
    const double e = w * (w * (w + 3) + 6);
    return e / (e + 12);
}

// A deterministic test signal around +-0.9 with a few exact zeros.
inline std::vector<double> TestSignal(int n, unsigned seed = 1) {
    std::vector<double> x(static_cast<size_t>(n));
    unsigned s = seed;
    for (int i = 0; i < n; ++i) {
        s = s * 1664525u + 1013904223u;
        const double noise = (static_cast<double>(s >> 8) / 16777216.0 - 0.5) * 0.2;
        x[static_cast<size_t>(i)] =
            i % 97 == 5 ? 0.0 : 0.6 * std::sin(i * 0.031) + 0.25 * std::sin(i * 0.27 + 1) + noise;
    }
    return x;
}

struct Ladder {
    double f, r, sr, s[4] = {}, last = 0, out = 0, ss[3] = {}, fc = 0, fcr = 0, res4 = 0, tune = 0;
    Ladder(double freq, double res, double rate) : f(freq), r(res), sr(rate) { Coefs(); }
    void Coefs() {
        fc = f / sr;
        if (r != 0) fc = std::fmin(fc, r < 0.25 ? 0.5 - r : 0.25);
        const double x = 2 * fc;
        fcr = 1.873 * x * x * x + 0.4955 * x * x - 0.649 * x + 0.9988;
        res4 = 4 * r * (-3.9364 * x * x + 1.8409 * x + 0.9968);
        tune = (1 - std::exp(-2 * kPi * fc * fcr)) * 40000;
    }
    void SetF(double hz) {
        if (hz != f) {
            f = hz;
            Coefs();
        }
    }
    double Run(double x) {
        const double in = x == 0 ? 1e-10 : x;
        const double u = in - res4 * out;
        const double old3 = Sat(s[3], 20000);
        s[0] += tune * (Sat(u, 20000) - ss[0]);
        ss[0] = Sat(s[0], 20000);
        s[1] += tune * (ss[0] - ss[1]);
        ss[1] = Sat(s[1], 20000);
        s[2] += tune * (ss[1] - ss[2]);
        ss[2] = Sat(s[2], 20000);
        s[3] += tune * (ss[2] - old3);
        out = (s[3] + last) * 0.5;
        last = s[3];
        return out;
    }
};

struct HighPass {
    double a1, a2, b0, b1, b2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    HighPass(double f, double q, double sr) {
        const double w = f / sr * 6.283185307179586, c = std::cos(w);
        const double alpha = std::sin(w) / (2 * q), a0 = 1 + alpha;
        a1 = -2 * c / a0;
        a2 = (1 - alpha) / a0;
        b0 = 0.5 * (1 + c) / a0;
        b1 = -(1 + c) / a0;
        b2 = b0;
    }
    double Run(double x) {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        if (y > -1e-10 && y < 1e-10) y = 1e-10;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

struct Allpass {
    double w, state = 0, out = 0;
    Allpass(double f, double sr) : w(-6.283185307179586 * f / sr) {}
    double Run(double m, double x) {
        const double g = (1 - std::exp(w * m)) * 112500;
        const double a = x == 0 ? 1e-10 : x;
        const double v = (a + out) * -1.77777778e-05;
        const double e = v * (v * (v + 3) + 6);
        state += g * e / (e + 12);
        out = a + state;
        return out;
    }
};

// Single-precision table from double-precision entries, read with linear
// interpolation over a cycle.
struct Table {
    std::vector<float> t;
    template <class F>
    explicit Table(F entry) : t(8192) {
        for (int i = 0; i < 8192; ++i)
            t[static_cast<size_t>(i)] = static_cast<float>(entry(i, i / 8192.0));
    }
    double At(double p) const {
        const int k = static_cast<int>(p * 8192);
        const double f = p * 8192 - k;
        return t[static_cast<size_t>(k)] * (1 - f) +
               t[static_cast<size_t>(k == 8191 ? 0 : k + 1)] * f;
    }
};

inline double TriEntry(double x) {
    return x < 0.25 ? 4 * x : x < 0.75 ? 4 * (0.5 - x) : 4 * (x - 1);
}

inline const Table& TriTable() {
    static const Table t([](int, double x) { return TriEntry(x); });
    return t;
}
inline const Table& NonlinearTable() {
    static const Table t([](int i, double) {
        return Bezier(TriTable().t[static_cast<size_t>(i)], -1, 0.25, 1, -1, -0.25, 1);
    });
    return t;
}

struct Osc {
    const Table* table;
    double inc, phase = 0;
    Osc(const Table& t, double rate, double sr) : table(&t), inc(rate * 0.5 / sr) {}
    double Next() {
        phase += inc;
        if (phase >= 1) phase -= 1;
        return table->At(phase);
    }
    double Peek(double off) const {
        double p = phase + off + inc;
        if (p >= 1) p -= 1;
        return table->At(p);
    }
};

inline double LimitCurve(double a) {
    const double k = 0.98855309465694;
    return a >= 2 ? k : Bezier(a, 0.5, k, 2, 0.5, k, k);
}

inline double DriveCurve(double x) {
    if (x <= -1) return -1 + 0.03125 * (x + 1) / 0.75;
    if (x < 0) return Bezier(x, -1, -0.25, 0, -1, -0.96875, 0);
    if (x < 1) return Bezier(x, 0, 0.21774193548387, 1, 0, 0.84375, 0.875);
    return 0.875 + 0.03125 * (x - 1) / 0.78225806451613;
}

}  // namespace ref
