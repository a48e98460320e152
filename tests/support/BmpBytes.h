#pragma once

// BMP files built in memory for tests, with every header field under the test's control.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct BmpLayout {
    int32_t width = 4;
    int32_t height = 3;                  // negative: rows top-down
    uint16_t bitsPerPixel = 24;
    uint32_t compression = 0;            // 0 none, 1 RLE8, 2 RLE4, 3 bit fields
    uint32_t infoSize = 40;              // 40, 52, 56, 64, 108, 124 (12 for the old core header)
    std::array<uint32_t, 3> masks{};     // red, green, blue for bit fields
    uint32_t paletteEntries = 0;         // 4-byte colour table entries before the pixels
    std::optional<uint32_t> pixelOffset; // overrides the computed offset
    std::vector<uint8_t> pixels;         // file-order rows; empty: a pattern fills them
};

inline int BmpStride(int32_t width, int bitsPerPixel) {
    return static_cast<int>((static_cast<int64_t>(width) * bitsPerPixel + 31) / 32 * 4);
}

inline void PutLe(std::vector<uint8_t>& out, size_t at, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Bytes that differ from pixel to pixel and row to row, padding included, so a row copied to
// the wrong place or a dropped padding byte shows.
inline std::vector<uint8_t> PatternBytes(size_t count, unsigned seed = 0) {
    std::vector<uint8_t> bytes(count);
    for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + (i / 13) * 5 + seed * 11 + 1);
    return bytes;
}

inline std::vector<uint8_t> BuildBmp(const BmpLayout& layout) {
    const int stride = BmpStride(layout.width, layout.bitsPerPixel);
    const int64_t rows = layout.height < 0 ? -static_cast<int64_t>(layout.height) : layout.height;
    const std::vector<uint8_t> pixels =
        layout.pixels.empty() ? PatternBytes(static_cast<size_t>(stride * rows)) : layout.pixels;
    const bool masksAfterHeader = layout.compression == 3 && layout.infoSize == 40;
    const uint32_t headerEnd = 14 + layout.infoSize + (masksAfterHeader ? 12 : 0);
    const uint32_t offset = layout.pixelOffset.value_or(headerEnd + 4 * layout.paletteEntries);

    std::vector<uint8_t> out(std::max<size_t>(headerEnd + 4 * layout.paletteEntries, offset), 0);
    out[0] = 'B';
    out[1] = 'M';
    PutLe(out, 2, offset + pixels.size(), 4);
    PutLe(out, 10, offset, 4);
    PutLe(out, 14, layout.infoSize, 4);
    if (layout.infoSize == 12) {
        PutLe(out, 18, static_cast<uint16_t>(layout.width), 2);
        PutLe(out, 20, static_cast<uint16_t>(layout.height), 2);
        PutLe(out, 22, 1, 2);
        PutLe(out, 24, layout.bitsPerPixel, 2);
    } else {
        PutLe(out, 18, static_cast<uint32_t>(layout.width), 4);
        PutLe(out, 22, static_cast<uint32_t>(layout.height), 4);
        PutLe(out, 26, 1, 2);
        PutLe(out, 28, layout.bitsPerPixel, 2);
        PutLe(out, 30, layout.compression, 4);
        PutLe(out, 34, pixels.size(), 4);
        PutLe(out, 46, layout.paletteEntries, 4);
        if (layout.compression == 3)
            for (int i = 0; i < 3; ++i) PutLe(out, 54 + 4 * i, layout.masks[i], 4);
    }
    for (uint32_t i = 0; i < layout.paletteEntries; ++i) PutLe(out, headerEnd + 4 * i, 0x00102030u * i, 4);
    out.resize(offset);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

inline std::string AsString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace testsupport
