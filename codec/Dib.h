#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace codec {

namespace detail {
// Gives back a bitmap's pixel memory the way it was obtained.
struct PixelMemoryRelease {
    size_t mappedBytes = 0;  // 0: the memory came from calloc/malloc
    size_t offset = 0;       // from the mapping's start to the aligned pixel memory
    void operator()(uint8_t* p) const;
};
}  // namespace detail

// A device-independent bitmap of 16, 24 or 32 bits per pixel: rows padded to a multiple of
// four bytes, 24/32-bit pixels in blue, green, red order (a 32-bit pixel's fourth byte unused),
// 16-bit pixels as little-endian 5-5-5 words with red in the high bits.
//
// Rows are kept top-down in memory (row(0) is the top image row), so a QImage of format
// RGB555, BGR888 or RGB32 can draw on the same bytes. Files keep the bottom-up order; the
// readers and writers turn the rows around.
//
// Other depths can be constructed (the pixel accessors then read 0 and write nothing), but no
// loader produces them.
class Dib {
public:
    // Largest bitmap we allocate: 1 GiB of pixel rows. Larger requests give a null bitmap.
    static constexpr size_t kMaxBytes = size_t{1} << 30;

    Dib() = default;
    // A bitmap cleared to 0, or a null bitmap when the size is not positive or too large (or
    // the memory is not there).
    Dib(int width, int height, int bitsPerPixel);
    Dib(const Dib& other);
    Dib& operator=(const Dib& other);
    Dib(Dib&& other) noexcept;
    Dib& operator=(Dib&& other) noexcept;
    ~Dib() = default;

    static int StrideFor(int width, int bitsPerPixel);

    bool isNull() const { return !bits_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    int bytesPerPixel() const { return bitsPerPixel_ / 8; }
    size_t sizeBytes() const { return size_; }

    uint8_t* bits() { return bits_.get(); }
    const uint8_t* bits() const { return bits_.get(); }

    // Row y counted from the top of the image.
    uint8_t* row(int y) { return bits_.get() + static_cast<size_t>(y) * static_cast<size_t>(stride_); }
    const uint8_t* row(int y) const { return bits_.get() + static_cast<size_t>(y) * static_cast<size_t>(stride_); }

    // The pixel at column x, row y counted from the top. No bounds check: callers iterate
    // within width() and height().
    uint8_t* pixel(int x, int y) { return row(y) + static_cast<size_t>(x) * static_cast<size_t>(bytesPerPixel()); }
    const uint8_t* pixel(int x, int y) const { return row(y) + static_cast<size_t>(x) * static_cast<size_t>(bytesPerPixel()); }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    void fill(uint8_t value);
    // Same size, stride and depth.
    bool sameLayout(const Dib& other) const;

private:
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    int bitsPerPixel_ = 0;
    size_t size_ = 0;
    // Pixel memory comes zeroed from the system, which hands out pages that stay zero until
    // written, so a new bitmap costs nothing until it is filled (a picture is decoded straight
    // into it). Large bitmaps ask for huge pages, which cuts the cost of first touching a
    // picture of tens of megabytes to a fraction.
    using Memory = std::unique_ptr<uint8_t[], detail::PixelMemoryRelease>;
    static Memory Allocate(size_t bytes, bool zeroed);
    Memory bits_;
};

}  // namespace codec
