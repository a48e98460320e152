#pragma once

#include "viewer/core/CaptureFrame.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumora {

// The block a still is grabbed into: a 40-byte bitmap information header followed by the
// pixels (bottom-up, blue-green-red), sized once for the largest still so that taking a still
// never allocates. The main form copies header plus width * height * 3 bytes out of it.
class StillBuffer {
public:
    static constexpr size_t kHeaderBytes = 40;
    static constexpr int kMaxWidth = 1600;
    static constexpr int kMaxHeight = 1200;
    static constexpr size_t kCapacity = kHeaderBytes + size_t{kMaxWidth} * kMaxHeight * 3;  // 5 760 040

    StillBuffer();  // zero-filled

    // Size 40, width, height, planes 1, 24 bits, no compression, image size
    // width * height * 3 + 40 (the header counted in, as the block always recorded it), the
    // remaining four fields 0. Sizes beyond the largest still are refused.
    bool WriteHeader(int width, int height);
    // Copies the frame's pixels after the header; false when it does not fit.
    bool CopyPixels(const Frame& frame);

    const uint8_t* data() const { return bytes_.data(); }
    const uint8_t* pixels() const { return bytes_.data() + kHeaderBytes; }
    size_t capacity() const { return bytes_.size(); }

    // As recorded in the header.
    int width() const;
    int height() const;
    int bitCount() const;
    uint32_t imageSizeField() const;
    // Header plus width * height * 3 bytes: what a copy of the still takes.
    size_t stillBytes() const;

private:
    std::vector<uint8_t> bytes_;
};

}  // namespace lumora
