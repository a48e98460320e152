#include "measure/processing/Dib.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tessmet {

int Dib::StrideFor(int width, int bitsPerPixel) {
    if (width <= 0 || bitsPerPixel <= 0) return 0;
    const long long bytes = (static_cast<long long>(width) * bitsPerPixel + 7) / 8;
    const long long stride = (bytes + 3) / 4 * 4;
    return stride > 0x7fffffffLL ? 0 : static_cast<int>(stride);
}

Dib::Dib(int width, int height, int bitsPerPixel) {
    const int stride = StrideFor(width, bitsPerPixel);
    if (stride <= 0 || height <= 0) return;
    const unsigned long long bytes = static_cast<unsigned long long>(stride) * static_cast<unsigned long long>(height);
    if (bytes > kMaxBytes) return;
    bits_.reset(static_cast<uint8_t*>(std::calloc(static_cast<size_t>(bytes), 1)));
    if (!bits_) return;
    size_ = static_cast<size_t>(bytes);
    width_ = width;
    height_ = height;
    stride_ = stride;
    bitsPerPixel_ = bitsPerPixel;
}

Dib::Dib(const Dib& other) { *this = other; }

Dib& Dib::operator=(const Dib& other) {
    if (this == &other) return *this;
    Dib copy;
    if (!other.isNull()) {
        copy.bits_.reset(static_cast<uint8_t*>(std::malloc(other.size_)));
        if (copy.bits_) {
            std::memcpy(copy.bits_.get(), other.bits_.get(), other.size_);
            copy.size_ = other.size_;
            copy.width_ = other.width_;
            copy.height_ = other.height_;
            copy.stride_ = other.stride_;
            copy.bitsPerPixel_ = other.bitsPerPixel_;
        }
    }
    return *this = std::move(copy);
}

Dib::Dib(Dib&& other) noexcept { *this = std::move(other); }

Dib& Dib::operator=(Dib&& other) noexcept {
    if (this == &other) return *this;
    bits_ = std::move(other.bits_);
    size_ = std::exchange(other.size_, 0);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    stride_ = std::exchange(other.stride_, 0);
    bitsPerPixel_ = std::exchange(other.bitsPerPixel_, 0);
    return *this;
}

void Dib::fill(uint8_t value) {
    if (bits_) std::memset(bits_.get(), value, size_);
}

bool Dib::sameLayout(const Dib& other) const {
    return width_ == other.width_ && height_ == other.height_ && stride_ == other.stride_ &&
           bitsPerPixel_ == other.bitsPerPixel_;
}

}  // namespace tessmet
