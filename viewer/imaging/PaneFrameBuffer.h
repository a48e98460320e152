#pragma once

#include <QImage>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora {

// An image pane's frame buffer: one block holding a 40-byte bitmap information header and room
// for the largest still (1600 x 1200 x 3 bytes), allocated once and reused for every frame.
// The header describes a bottom-up 24-bit picture; rows are width * 3 bytes (every frame width
// is a multiple of 4, so there is no padding).
class PaneFrameBuffer {
public:
    static constexpr size_t kHeaderBytes = 40;
    static constexpr size_t kPixelCapacity = size_t{1600} * 1200 * 3;

    // The grey 640 x 480 picture (every byte 100).
    PaneFrameBuffer();

    void ResetGrey();
    // The frame sizes by byte count: 921 600 is 640 x 480, 1 440 000 800 x 600, 3 686 400
    // 1280 x 960, 5 760 000 1600 x 1200. A count that differs from the present size sets the
    // header from that table (any other count leaves it as it is); then `count` bytes, at most
    // the capacity, are copied in.
    void ShowFrame(const uint8_t* bytes, size_t count);
    // Sets the header to width x height (within the capacity); false otherwise.
    bool SetSize(int width, int height);

    int Width() const;
    int Height() const;
    size_t PixelBytes() const { return static_cast<size_t>(Width()) * static_cast<size_t>(Height()) * 3u; }
    const uint8_t* Block() const { return block_.data(); }
    uint8_t* Block() { return block_.data(); }
    size_t BlockSize() const { return block_.size(); }
    const uint8_t* Pixels() const { return block_.data() + kHeaderBytes; }
    uint8_t* Pixels() { return block_.data() + kHeaderBytes; }

    // Resamples the picture (smoothly) to 640 x 480 in place: a still taken at 800 x 600 for
    // the smallest size.
    void ReduceTo640x480();

    // The picture top-down as opaque 32-bit pixels; `image` keeps its storage when the size
    // stays, so a live stream converts without allocating.
    void ToImage(QImage& image) const;

private:
    void WriteHeader(int width, int height);
    std::vector<uint8_t> block_;
};

}  // namespace lumora
