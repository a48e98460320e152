#include "measure/processing/Dib.h"

#include <algorithm>

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
    bits_.assign(static_cast<size_t>(bytes), 0);
    width_ = width;
    height_ = height;
    stride_ = stride;
    bitsPerPixel_ = bitsPerPixel;
}

void Dib::fill(uint8_t value) { std::fill(bits_.begin(), bits_.end(), value); }

bool Dib::sameLayout(const Dib& other) const {
    return width_ == other.width_ && height_ == other.height_ && stride_ == other.stride_ &&
           bitsPerPixel_ == other.bitsPerPixel_;
}

}  // namespace tessmet
