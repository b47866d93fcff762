#include "framework/core/GrowBuffer.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

GrowBuffer::~GrowBuffer() {
    std::free(data_);
}

GrowBuffer::GrowBuffer(GrowBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)) {}

GrowBuffer& GrowBuffer::operator=(GrowBuffer&& other) noexcept {
    if (this != &other) {
        std::free(data_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

bool GrowBuffer::Resize(std::size_t bytes, bool allowShrink) {
    if (bytes > capacity_) {
        if (bytes > std::numeric_limits<std::size_t>::max() - kGranularity) return false;
        std::size_t capacity = bytes + kGranularity;
        void* p = std::realloc(data_, capacity);
        if (!p) return false;
        data_ = static_cast<unsigned char*>(p);
        capacity_ = capacity;
    } else if (allowShrink && bytes + 4 * kGranularity < capacity_) {
        if (bytes == 0) {
            std::free(data_);
            data_ = nullptr;
            capacity_ = 0;
        } else if (void* p = std::realloc(data_, bytes)) {
            data_ = static_cast<unsigned char*>(p);
            capacity_ = bytes;
        }
        // A failed shrink keeps the larger block, which is still valid.
    }
    size_ = bytes;
    return true;
}

bool GrowBuffer::Append(const void* bytes, std::size_t n) {
    if (n == 0) return true;
    if (!bytes || n > std::numeric_limits<std::size_t>::max() - size_) return false;
    std::size_t at = size_;
    if (!Resize(size_ + n)) return false;
    std::memcpy(data_ + at, bytes, n);
    return true;
}

void GrowBuffer::Release() {
    std::free(data_);
    data_ = nullptr;
    size_ = capacity_ = 0;
}
