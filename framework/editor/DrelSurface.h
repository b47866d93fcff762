// Pixel surfaces of the Drel compositing layer. Every surface holds 32-bit
// pixels 0xAARRGGBB (bytes B, G, R, A in memory), straight alpha, top row
// first, with a row span equal to the width.
#pragma once

#include <cstdint>

class DrelSurface {
  public:
    DrelSurface() = default;
    DrelSurface(const DrelSurface&) = delete;
    DrelSurface& operator=(const DrelSurface&) = delete;

    virtual ~DrelSurface() = default;                  // 0
    virtual std::uint32_t* Bits() = 0;                 // 1
    virtual int Width() const = 0;                     // 2
    virtual int Height() const = 0;                    // 3
    virtual int RowSpan() const = 0;                   // 4
    virtual bool IsBottomUp() const { return false; }  // 5
    virtual bool Resize(int w, int h) = 0;             // 6
    virtual void* DeviceContext() { return nullptr; }  // 7

    // Address of row y as the routines see it (honours the bottom-up flag).
    std::uint32_t* Row(int y) {
        std::uint32_t* bits = Bits();
        if (!bits) return nullptr;
        int stored = IsBottomUp() ? Height() - 1 - y : y;
        return bits + std::ptrdiff_t(stored) * RowSpan();
    }
    // Pointer step from row y to row y + 1, in pixels.
    std::ptrdiff_t RowStep() const { return IsBottomUp() ? -std::ptrdiff_t(RowSpan()) : RowSpan(); }
};

// Heap pixels; the surface kind used for images and, off Windows, for the
// editor's drawing surface.
class DrelMemorySurface : public DrelSurface {
  public:
    DrelMemorySurface(int w = 0, int h = 0);
    ~DrelMemorySurface() override;
    std::uint32_t* Bits() override { return pixels_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int RowSpan() const override { return width_; }
    bool Resize(int w, int h) override;

  private:
    std::uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

#ifdef _WIN32
// Pixels in a DIB section selected into a memory device context, so GDI can
// draw text into them and copy them to a window.
class DrelDibSurface : public DrelSurface {
  public:
    DrelDibSurface(int w, int h);
    ~DrelDibSurface() override;
    std::uint32_t* Bits() override { return pixels_; }
    int Width() const override { return width_; }
    int Height() const override { return height_; }
    int RowSpan() const override { return width_; }
    bool Resize(int w, int h) override;
    void* DeviceContext() override { return dc_; }

  private:
    int width_ = 0;
    int height_ = 0;
    void* dc_ = nullptr;  // HDC
    std::uint32_t* pixels_ = nullptr;
    void* dib_ = nullptr;       // HBITMAP
    void* previous_ = nullptr;  // HGDIOBJ selected before the DIB
};
#endif

// The surface kind the editor draws into: a DIB section on Windows, heap
// pixels that the window presents elsewhere.
DrelSurface* DrelNewDrawingSurface(int w, int h);
