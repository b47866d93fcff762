// A growable byte buffer for chunks, lists, scratch and block buffers.
// Growing past the capacity reserves the request plus one granule; it
// shrinks only when asked, and only when far enough below the capacity.
#pragma once

#include <cstddef>

class GrowBuffer {
  public:
    static constexpr std::size_t kGranularity = 4096;

    GrowBuffer() = default;
    ~GrowBuffer();
    GrowBuffer(const GrowBuffer&) = delete;
    GrowBuffer& operator=(const GrowBuffer&) = delete;
    GrowBuffer(GrowBuffer&& other) noexcept;
    GrowBuffer& operator=(GrowBuffer&& other) noexcept;

    unsigned char* Data() { return data_; }
    const unsigned char* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    std::size_t Capacity() const { return capacity_; }

    template <class T>
    T* As() {
        return reinterpret_cast<T*>(data_);
    }
    template <class T>
    const T* As() const {
        return reinterpret_cast<const T*>(data_);
    }

    // Sets the size in bytes; new bytes are undefined. With allowShrink the
    // storage is given back when the request is more than four granules
    // below the capacity. False (and nothing changed) when memory runs out.
    bool Resize(std::size_t bytes, bool allowShrink = false);
    // Appends n bytes; false (and nothing changed) when memory runs out.
    bool Append(const void* bytes, std::size_t n);
    // Size 0, storage kept.
    void Clear() { size_ = 0; }
    // Size 0 and storage released.
    void Release();

  private:
    unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};
