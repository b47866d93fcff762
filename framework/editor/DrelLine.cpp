// The line routine: outcode clipping, straight runs, and a stepping walk
// that can spread each step over two pixels for anti-aliasing.
#include <cmath>

#include "framework/editor/DrelInternal.h"

namespace {
enum : int { OutLeft = 1, OutRight = 2, OutTop = 4, OutBottom = 8 };

int OutCode(int x, int y, int w, int h) {
    int code = 0;
    if (x < 0) code |= OutLeft;
    if (x >= w) code |= OutRight;
    if (y < 0) code |= OutTop;
    if (y >= h) code |= OutBottom;
    return code;
}

// Coordinates far outside any surface are held back so that the integer
// conversion and the clipping products stay defined.
int ToCoord(float v) {
    constexpr double limit = 1 << 28;
    double d = std::fmax(-limit, std::fmin(limit, double(v)));
    return int(d);
}

bool ClipSegment(int& x1, int& y1, int& x2, int& y2, int w, int h) {
    int c1 = OutCode(x1, y1, w, h);
    int c2 = OutCode(x2, y2, w, h);
    // Each move puts one coordinate on the border; a handful of rounds
    // always settles, the bound only guards against a rounding cycle.
    for (int round = 0; round < 16; ++round) {
        if ((c1 | c2) == 0) return true;
        if (c1 & c2) return false;
        const int code = c1 ? c1 : c2;
        const double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
        int x = 0, y = 0;
        if (code & OutBottom) {
            x = x1 + int(std::trunc((fx2 - fx1) * (h - fy1) / (fy2 - fy1)));
            y = h - 1;
        } else if (code & OutTop) {
            x = x1 - int(std::trunc((fx2 - fx1) * fy1 / (fy2 - fy1)));
            y = 0;
        } else if (code & OutRight) {
            y = y1 + int(std::trunc((fy2 - fy1) * (w - fx1) / (fx2 - fx1)));
            x = w - 1;
        } else {
            y = y1 - int(std::trunc(fx1 * (fy2 - fy1) / (fx2 - fx1)));
            x = 0;
        }
        if (code == c1) {
            x1 = x;
            y1 = y;
            c1 = OutCode(x1, y1, w, h);
        } else {
            x2 = x;
            y2 = y;
            c2 = OutCode(x2, y2, w, h);
        }
    }
    return false;
}

// Writes one pixel of the walk; pixels outside the stored-row box
// [left, right) x [top, bottom) are skipped.
struct Plotter {
    DrelSurface* s;
    std::uint32_t colour;
    int mode;
    DrelBox rows;
    void operator()(int x, int y, int weight) const {
        if (x < rows.left || x >= rows.right || y < rows.top || y >= rows.bottom) return;
        if (std::uint32_t* p = DrelStoredPixel(s, x, y)) *p = DrelCombine(*p, colour, weight, mode);
    }
};

}  // namespace

void DrelLine(DrelSurface* s, float x1, float y1, float x2, float y2, std::uint32_t colour,
              float opacity, int mode, bool antialias) {
    if (!s) return;
    DrelLineInBox(s, x1, y1, x2, y2, colour, opacity, mode, antialias,
                  {0, 0, s->Width(), s->Height()});
}

void DrelLineInBox(DrelSurface* s, float fx1, float fy1, float fx2, float fy2, std::uint32_t colour,
                   float opacity, int mode, bool antialias, const DrelBox& box) {
    if (!s || !s->Bits()) return;
    if (std::isnan(fx1) || std::isnan(fy1) || std::isnan(fx2) || std::isnan(fy2)) return;
    const int w = s->Width(), h = s->Height();
    int x1 = ToCoord(fx1), y1 = ToCoord(fy1), x2 = ToCoord(fx2), y2 = ToCoord(fy2);
    if (s->IsBottomUp()) {
        y1 = h - 1 - y1;
        y2 = h - 1 - y2;
    }
    if (!ClipSegment(x1, y1, x2, y2, w, h)) return;
    if (!DrelModeDraws(mode, opacity)) return;
    // The box in stored rows: a bottom-up surface keeps picture row y in
    // row h - 1 - y.
    const DrelBox rows =
        s->IsBottomUp() ? DrelBox{box.left, h - box.bottom, box.right, h - box.top} : box;
    if (rows.left >= rows.right || rows.top >= rows.bottom) return;
    const Plotter plot{s, colour, mode, rows};
    const int full = DrelWeight(opacity);

    if (x1 == x2) {
        const int step = y2 >= y1 ? 1 : -1;
        for (int y = y1;; y += step) {
            plot(x1, y, full);
            if (y == y2) break;
        }
        return;
    }
    if (y1 == y2) {
        const int step = x2 >= x1 ? 1 : -1;
        for (int x = x1;; x += step) {
            plot(x, y1, full);
            if (x == x2) break;
        }
        return;
    }

    const int dx = std::abs(x2 - x1), dy = std::abs(y2 - y1);
    const int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
    const bool yMajor = dy > dx;
    const double slope = yMajor ? double(dx) / dy : double(dy) / dx;
    const int n = yMajor ? dy : dx;
    // Major and minor steps as (x, y) increments.
    const int majX = yMajor ? 0 : sx, majY = yMajor ? sy : 0;
    const int minX = yMajor ? sx : 0, minY = yMajor ? 0 : sy;
    int x = x1, y = y1;
    double e = 0.0;

    if (!antialias) {
        for (int i = 0; i <= n; ++i) {
            plot(x, y, full);
            e += slope;
            if (e > 0.5) {
                x += minX;
                y += minY;
                e -= 1.0;
            }
            x += majX;
            y += majY;
        }
        return;
    }
    for (int i = 0; i < n; ++i) {
        plot(x, y, int(double(opacity) * (1.0 - e) * 256.0));
        plot(x + minX, y + minY, int(double(opacity) * e * 256.0));
        e += slope;
        if (e > 1.0) {
            e -= 1.0;
            x += minX;
            y += minY;
        }
        x += majX;
        y += majY;
    }
}
