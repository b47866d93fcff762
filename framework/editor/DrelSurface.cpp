#include "framework/editor/DrelSurface.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
// Bytes for w x h pixels, or 0 when the product is not positive or would
// not fit in memory arithmetic.
std::size_t PixelBytes(int w, int h) {
    if (w <= 0 || h <= 0) return 0;
    unsigned long long bytes = 4ULL * unsigned(w) * unsigned(h);
    if (bytes > (unsigned long long)(SIZE_MAX / 2)) return 0;
    return std::size_t(bytes);
}
}  // namespace

DrelMemorySurface::DrelMemorySurface(int w, int h) : width_(w), height_(h) {
    // Zeroed like a fresh DIB section, so nothing shows stale memory.
    if (std::size_t bytes = PixelBytes(w, h))
        pixels_ = static_cast<std::uint32_t*>(std::calloc(bytes, 1));
}

DrelMemorySurface::~DrelMemorySurface() {
    std::free(pixels_);
}

bool DrelMemorySurface::Resize(int w, int h) {
    if (w == width_ && h == height_) return false;
    width_ = w;
    height_ = h;
    std::size_t bytes = PixelBytes(w, h);
    if (bytes == 0) {
        std::free(pixels_);
        pixels_ = nullptr;
        return true;
    }
    void* grown = pixels_ ? std::realloc(pixels_, bytes) : std::malloc(bytes);
    if (!grown && pixels_) {
        std::free(pixels_);
        grown = std::malloc(bytes);
    }
    pixels_ = static_cast<std::uint32_t*>(grown);
    return true;
}

#ifdef _WIN32
DrelDibSurface::DrelDibSurface(int w, int h) {
    dc_ = CreateCompatibleDC(nullptr);
    Resize(w, h);
}

DrelDibSurface::~DrelDibSurface() {
    if (previous_) SelectObject(static_cast<HDC>(dc_), static_cast<HGDIOBJ>(previous_));
    if (dib_) DeleteObject(static_cast<HGDIOBJ>(dib_));
    if (dc_) DeleteDC(static_cast<HDC>(dc_));
}

bool DrelDibSurface::Resize(int w, int h) {
    if (w == width_ && h == height_) return false;
    width_ = w;
    height_ = h;
    if (w == 0 || h == 0) return false;
    HDC dc = static_cast<HDC>(dc_);
    if (previous_) {
        SelectObject(dc, static_cast<HGDIOBJ>(previous_));
        previous_ = nullptr;
    }
    if (dib_) {
        DeleteObject(static_cast<HGDIOBJ>(dib_));
        dib_ = nullptr;
    }
    pixels_ = nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // negative: rows top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) {
        dib_ = dib;
        pixels_ = static_cast<std::uint32_t*>(bits);
        previous_ = SelectObject(dc, dib);
    } else {
        // No pixels: every routine draws nothing, and the reported size must
        // match what is there.
        width_ = 0;
        height_ = 0;
    }
    return true;
}

DrelSurface* DrelNewDrawingSurface(int w, int h) {
    return new DrelDibSurface(w, h);
}
#else
DrelSurface* DrelNewDrawingSurface(int w, int h) {
    return new DrelMemorySurface(w, h);
}
#endif
