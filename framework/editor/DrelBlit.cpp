// Clipped region blit, surface copy, fills and single pixels.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/editor/DrelInternal.h"

namespace {
bool IsChannelCopy(int mode) {
    return (mode & 0xF0) == 0xF0;
}
}  // namespace

void DrelBlit(DrelSurface* dest, DrelSurface* src, int dstX, int dstY, const DrelBox* srcBox,
              float opacity, int mode) {
    if (!dest || !src) return;
    // 64-bit arithmetic: extreme offsets clip away instead of overflowing.
    long long sx = 0, sy = 0, right = src->Width(), bottom = src->Height();
    long long dx = dstX, dy = dstY;
    if (srcBox) {
        sx = std::max(0, srcBox->left);
        sy = std::max(0, srcBox->top);
        right = std::min<long long>(srcBox->right, src->Width());
        bottom = std::min<long long>(srcBox->bottom, src->Height());
    }
    if (dx < 0) {
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        dy = 0;
    }
    if (right - sx + dx > dest->Width()) right = dest->Width() + sx - dx;
    if (bottom - sy + dy > dest->Height()) bottom = dest->Height() + sy - dy;
    if (right <= sx || bottom <= sy || !dest->Bits() || !src->Bits()) return;

    const int w = int(right - sx);
    const int h = int(bottom - sy);
    std::uint32_t* srow = src->Row(int(sy)) + sx;
    std::uint32_t* drow = dest->Row(int(dy)) + dx;
    const std::ptrdiff_t sstep = src->RowStep();
    const std::ptrdiff_t dstep = dest->RowStep();

    if (IsChannelCopy(mode)) {
        const int to = (mode >> 2) & 3;
        const int from = mode & 3;
        for (int y = 0; y < h; ++y, srow += sstep, drow += dstep) {
            auto* s = reinterpret_cast<const unsigned char*>(srow);
            auto* d = reinterpret_cast<unsigned char*>(drow);
            for (int x = 0; x < w; ++x) d[4 * x + to] = s[4 * x + from];
        }
        return;
    }
    if ((mode & 0xFF) == DrelModeCopy && !(mode & DrelUseSourceAlpha) && opacity == 1.0f) {
        for (int y = 0; y < h; ++y, srow += sstep, drow += dstep)
            std::memmove(drow, srow, std::size_t(w) * 4);
        return;
    }
    if (!DrelModeDraws(mode, opacity)) return;
    const int weight = DrelWeight(opacity);
    for (int y = 0; y < h; ++y, srow += sstep, drow += dstep)
        for (int x = 0; x < w; ++x) drow[x] = DrelCombine(drow[x], srow[x], weight, mode);
}

void DrelBlitRegion(DrelSurface* dest, DrelSurface* src, int dstX, int dstY, int srcX, int srcY,
                    int srcW, int srcH, float opacity, int mode) {
    // Saturating: a box reaching past INT_MAX is cut by the source size anyway.
    auto far = [](int a, int b) {
        long long v = (long long)a + b;
        return int(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
    };
    DrelBox box = {srcX, srcY, far(srcX, srcW), far(srcY, srcH)};
    DrelBlit(dest, src, dstX, dstY, &box, opacity, mode);
}

void DrelCopySurface(DrelSurface* dest, DrelSurface* src) {
    if (!dest || !src) return;
    dest->Resize(src->Width(), src->Height());
    DrelBlit(dest, src, 0, 0, nullptr, 1.0f, DrelModeCopy);
}

void DrelFillBox(DrelSurface* s, int x, int y, int w, int h, std::uint32_t colour, float opacity,
                 int mode) {
    if (!s || !s->Bits() || !DrelModeDraws(mode, opacity)) return;
    long long x0 = std::max(0, x), y0 = std::max(0, y);
    long long x1 = std::min<long long>((long long)x + w, s->Width());
    long long y1 = std::min<long long>((long long)y + h, s->Height());
    if (x1 <= x0 || y1 <= y0) return;
    const int weight = DrelWeight(opacity);
    for (long long row = y0; row < y1; ++row) {
        std::uint32_t* p = s->Row(int(row));
        for (long long col = x0; col < x1; ++col)
            p[col] = DrelCombine(p[col], colour, weight, mode);
    }
}

void DrelMaskFill(DrelSurface* s, int x, int y, int w, int h, std::uint32_t andWord,
                  std::uint32_t orWord) {
    if (!s || !s->Bits()) return;
    long long x0 = std::max(0, x), y0 = std::max(0, y);
    long long x1 = std::min<long long>((long long)x + w, s->Width());
    long long y1 = std::min<long long>((long long)y + h, s->Height());
    for (long long row = y0; row < y1; ++row) {
        std::uint32_t* p = s->Row(int(row));
        for (long long col = x0; col < x1; ++col) p[col] = (p[col] & andWord) | orWord;
    }
}

void DrelPutPixel(DrelSurface* s, int x, int y, std::uint32_t colour, float opacity, int mode) {
    if (!s || !s->Bits() || x < 0 || y < 0 || x >= s->Width() || y >= s->Height()) return;
    if (!DrelModeDraws(mode, opacity)) return;
    std::uint32_t* p = s->Row(y) + x;
    *p = DrelCombine(*p, colour, DrelWeight(opacity), mode);
}

std::uint32_t DrelGetPixel(DrelSurface* s, int x, int y) {
    if (!s || !s->Bits() || x < 0 || y < 0 || x >= s->Width() || y >= s->Height()) return 0;
    return s->Row(y)[x];
}
