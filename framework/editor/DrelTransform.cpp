// Resampling blits (scaled and rotated) and round strokes. Sampling is
// nearest-pixel, or bilinear when DrelFilter is set.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/editor/DrelInternal.h"

namespace {
// Bilinear mix of the four pixels around (u, v), each channel separately;
// samples outside the source repeat the edge.
std::uint32_t SampleBilinear(DrelSurface* src, double u, double v) {
    const int w = src->Width(), h = src->Height();
    u -= 0.5;
    v -= 0.5;
    const double fu = std::floor(u), fv = std::floor(v);
    const int x0 = int(fu), y0 = int(fv);
    const int tx = int((u - fu) * 256.0), ty = int((v - fv) * 256.0);
    auto at = [&](int x, int y) {
        return src->Row(std::clamp(y, 0, h - 1))[std::clamp(x, 0, w - 1)];
    };
    const std::uint32_t p00 = at(x0, y0), p10 = at(x0 + 1, y0);
    const std::uint32_t p01 = at(x0, y0 + 1), p11 = at(x0 + 1, y0 + 1);
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = (p00 >> shift) & 255, b = (p10 >> shift) & 255;
        const int c = (p01 >> shift) & 255, d = (p11 >> shift) & 255;
        const int top = a * (256 - tx) + b * tx;
        const int bottom = c * (256 - tx) + d * tx;
        out |= std::uint32_t((top * (256 - ty) + bottom * ty) >> 16) << shift;
    }
    return out;
}

bool SampleAt(DrelSurface* src, double u, double v, bool filter, std::uint32_t& out) {
    if (u < 0 || v < 0 || u >= src->Width() || v >= src->Height()) return false;
    out = filter ? SampleBilinear(src, u, v) : src->Row(int(v))[int(u)];
    return true;
}

bool Drawable(DrelSurface* dest, DrelSurface* src, int mode, float opacity) {
    return dest && src && dest->Bits() && src->Bits() && DrelModeDraws(mode, opacity);
}
}  // namespace

void DrelScaledBlit(DrelSurface* dest, DrelSurface* src, int dx, int dy, int dw, int dh, float sx,
                    float sy, float sw, float sh, float opacity, int mode) {
    if (!Drawable(dest, src, mode, opacity) || dw <= 0 || dh <= 0) return;
    const bool filter = (mode & DrelFilter) != 0;
    const int weight = DrelWeight(opacity);
    const double ku = double(sw) / dw, kv = double(sh) / dh;
    const int x0 = std::max(0, dx), y0 = std::max(0, dy);
    const int x1 = int(std::min<long long>((long long)dx + dw, dest->Width()));
    const int y1 = int(std::min<long long>((long long)dy + dh, dest->Height()));
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* row = dest->Row(y);
        const double v = sy + (y - dy + 0.5) * kv;
        for (int x = x0; x < x1; ++x) {
            std::uint32_t s;
            if (SampleAt(src, sx + (x - dx + 0.5) * ku, v, filter, s))
                row[x] = DrelCombine(row[x], s, weight, mode);
        }
    }
}

void DrelRotatedBlit(DrelSurface* dest, DrelSurface* src, int dx, int dy, int dw, int dh, float sx,
                     float sy, float sw, float sh, double angle, bool clipToSource, float opacity,
                     int mode, float centreOffsetX, float centreOffsetY) {
    if (!Drawable(dest, src, mode, opacity) || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    if (!std::isfinite(angle)) return;
    const bool filter = (mode & DrelFilter) != 0;
    const int weight = DrelWeight(opacity);
    const double ku = double(sw) / dw, kv = double(sh) / dh;
    const double cx = dx + dw * 0.5 + centreOffsetX, cy = dy + dh * 0.5 + centreOffsetY;
    const double c = std::cos(angle), s = std::sin(angle);
    // Without clipping to the source box, the corners of the rotated box may
    // reach outside the destination box; cover their whole reach.
    const double reach = clipToSource ? 0.0 : std::hypot(dw, dh) * 0.5;
    const int x0 = std::max(0, int(std::floor(std::min<double>(dx, cx - reach))));
    const int y0 = std::max(0, int(std::floor(std::min<double>(dy, cy - reach))));
    const int x1 =
        int(std::min<double>(dest->Width(), std::ceil(std::max(dx + dw + 0.0, cx + reach))));
    const int y1 =
        int(std::min<double>(dest->Height(), std::ceil(std::max(dy + dh + 0.0, cy + reach))));
    for (int y = y0; y < y1; ++y) {
        std::uint32_t* row = dest->Row(y);
        for (int x = x0; x < x1; ++x) {
            if (clipToSource && (x < dx || y < dy || x >= dx + dw || y >= dy + dh)) continue;
            // Inverse rotation of the pixel centre about the rotation centre.
            const double px = x + 0.5 - cx, py = y + 0.5 - cy;
            const double rx = px * c + py * s, ry = -px * s + py * c;
            const double u = sx + (rx + dw * 0.5 + centreOffsetX) * ku;
            const double v = sy + (ry + dh * 0.5 + centreOffsetY) * kv;
            if (u < sx || v < sy || u >= sx + sw || v >= sy + sh) continue;
            std::uint32_t sample;
            if (SampleAt(src, u, v, filter, sample))
                row[x] = DrelCombine(row[x], sample, weight, mode);
        }
    }
}

void DrelArc(DrelSurface* s, float cx, float cy, float r, float fromAngle, float toAngle,
             std::uint32_t colour, float opacity, int mode, bool antialias) {
    if (!s || !s->Bits() || !(r > 0) || !DrelModeDraws(mode, opacity)) return;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) ||
        !std::isfinite(fromAngle) || !std::isfinite(toAngle))
        return;
    // Angles as StrokeRadial uses them: 0 straight up, growing clockwise.
    // Chords of about two pixels keep the arc round at any radius.
    double sweep = double(toAngle) - fromAngle;
    const double full = 2.0 * std::numbers::pi;
    if (std::fabs(sweep) > full) sweep = sweep > 0 ? full : -full;
    const int steps = std::clamp(int(std::ceil(std::fabs(sweep) * r / 2.0)), 1, 4096);
    auto point = [&](int i, float& x, float& y) {
        const double a = fromAngle + sweep * i / steps;
        x = float(cx + std::sin(a) * r);
        y = float(cy - std::cos(a) * r);
    };
    float px, py;
    point(0, px, py);
    for (int i = 1; i <= steps; ++i) {
        float qx, qy;
        point(i, qx, qy);
        DrelLine(s, px, py, qx, qy, colour, opacity, mode, antialias);
        px = qx;
        py = qy;
    }
}

void DrelCircle(DrelSurface* s, float cx, float cy, float r, std::uint32_t colour, float opacity,
                int mode, bool antialias) {
    DrelArc(s, cx, cy, r, 0.0f, float(2.0 * std::numbers::pi), colour, opacity, mode, antialias);
}
