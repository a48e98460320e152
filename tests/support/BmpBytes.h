#pragma once

// BMP files built in memory for tests, with every header field under the test's control.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct BmpSpec {
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

inline std::vector<uint8_t> BuildBmp(const BmpSpec& spec) {
    const int stride = BmpStride(spec.width, spec.bitsPerPixel);
    const int64_t rows = spec.height < 0 ? -static_cast<int64_t>(spec.height) : spec.height;
    const std::vector<uint8_t> pixels =
        spec.pixels.empty() ? PatternBytes(static_cast<size_t>(stride * rows)) : spec.pixels;
    const bool masksAfterHeader = spec.compression == 3 && spec.infoSize == 40;
    const uint32_t headerEnd = 14 + spec.infoSize + (masksAfterHeader ? 12 : 0);
    const uint32_t offset = spec.pixelOffset.value_or(headerEnd + 4 * spec.paletteEntries);

    std::vector<uint8_t> out(std::max<size_t>(headerEnd + 4 * spec.paletteEntries, offset), 0);
    out[0] = 'B';
    out[1] = 'M';
    PutLe(out, 2, offset + pixels.size(), 4);
    PutLe(out, 10, offset, 4);
    PutLe(out, 14, spec.infoSize, 4);
    if (spec.infoSize == 12) {
        PutLe(out, 18, static_cast<uint16_t>(spec.width), 2);
        PutLe(out, 20, static_cast<uint16_t>(spec.height), 2);
        PutLe(out, 22, 1, 2);
        PutLe(out, 24, spec.bitsPerPixel, 2);
    } else {
        PutLe(out, 18, static_cast<uint32_t>(spec.width), 4);
        PutLe(out, 22, static_cast<uint32_t>(spec.height), 4);
        PutLe(out, 26, 1, 2);
        PutLe(out, 28, spec.bitsPerPixel, 2);
        PutLe(out, 30, spec.compression, 4);
        PutLe(out, 34, pixels.size(), 4);
        PutLe(out, 46, spec.paletteEntries, 4);
        if (spec.compression == 3)
            for (int i = 0; i < 3; ++i) PutLe(out, 54 + 4 * i, spec.masks[i], 4);
    }
    for (uint32_t i = 0; i < spec.paletteEntries; ++i) PutLe(out, headerEnd + 4 * i, 0x00102030u * i, 4);
    out.resize(offset);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

inline std::string AsString(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

}  // namespace testsupport
