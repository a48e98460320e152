#include "codec/Dib.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace codec {
namespace {

#if defined(__linux__)
constexpr size_t kHugePage = size_t{2} << 20;
#endif

}  // namespace

void detail::PixelMemoryRelease::operator()(uint8_t* p) const {
#if defined(__linux__)
    if (mappedBytes > 0) {
        ::munmap(p - offset, mappedBytes);
        return;
    }
#endif
    std::free(p);
}

Dib::Memory Dib::Allocate(size_t bytes, bool zeroed) {
#if defined(__linux__)
    if (bytes >= kHugePage) {
        const size_t mapped = bytes + kHugePage;
        void* raw = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED) return Memory(nullptr, detail::PixelMemoryRelease{});
        const auto start = reinterpret_cast<uintptr_t>(raw);
        const uintptr_t aligned = (start + kHugePage - 1) & ~(uintptr_t{kHugePage} - 1);
        auto* pixels = reinterpret_cast<uint8_t*>(aligned);
        ::madvise(pixels, bytes, MADV_HUGEPAGE);  // only a hint: without huge pages it still works
        return Memory(pixels, detail::PixelMemoryRelease{mapped, aligned - start});
    }
#endif
    void* memory = zeroed ? std::calloc(bytes, 1) : std::malloc(bytes);
    return Memory(static_cast<uint8_t*>(memory), detail::PixelMemoryRelease{});
}

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
    bits_ = Allocate(static_cast<size_t>(bytes), true);
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
        copy.bits_ = Allocate(other.size_, false);
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

}  // namespace codec
