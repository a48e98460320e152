#include "codec/BmpReader.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <new>

namespace codec {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kLargestInfoHeader = 124;
constexpr uint32_t kMaskBytes = 12;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }

// Info-header sizes of the Windows family (40, 52, 56, 108, 124) and of the OS/2 2.x header
// (64), whose fields up to the compression agree with the Windows ones.
bool KnownInfoHeader(uint32_t size) {
    return size == 40 || size == 52 || size == 56 || size == 64 || size == 108 || size == 124;
}

// One colour channel of a bit-field file: where it lies and how many bits it has.
struct ChannelField {
    int shift = 0;
    int bits = 0;
    uint32_t mask = 0;

    uint32_t scaled(uint32_t word, int outBits) const {
        const uint64_t value = (word & mask) >> shift;
        if (bits == outBits) return static_cast<uint32_t>(value);
        const uint64_t inMax = (uint64_t{1} << bits) - 1;
        const uint64_t outMax = (uint64_t{1} << outBits) - 1;
        return static_cast<uint32_t>((value * outMax + inMax / 2) / inMax);
    }
};

// A mask must be one run of set bits inside the pixel.
bool MakeField(uint32_t mask, int bitsPerPixel, ChannelField& field) {
    if (mask == 0) return false;
    if (bitsPerPixel == 16 && (mask >> 16) != 0) return false;
    field.shift = std::countr_zero(mask);
    const uint32_t run = mask >> field.shift;
    if ((run & (run + 1)) != 0) return false;
    field.bits = std::popcount(mask);
    field.mask = mask;
    return true;
}

struct BitFields {
    ChannelField red, green, blue;
};

bool IsNativeLayout(uint32_t r, uint32_t g, uint32_t b, int bitsPerPixel) {
    if (bitsPerPixel == 16) return r == 0x7C00 && g == 0x03E0 && b == 0x001F;
    return r == 0x00FF0000 && g == 0x0000FF00 && b == 0x000000FF;
}

void ConvertRow(uint8_t* row, int width, int bitsPerPixel, const BitFields& fields) {
    if (bitsPerPixel == 16) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = row + 2 * x;
            const uint32_t word = U16(p);
            const uint32_t out = (fields.red.scaled(word, 5) << 10) | (fields.green.scaled(word, 5) << 5) |
                                 fields.blue.scaled(word, 5);
            p[0] = static_cast<uint8_t>(out & 0xFF);
            p[1] = static_cast<uint8_t>(out >> 8);
        }
    } else {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = row + 4 * x;
            const uint32_t word = U32(p);
            p[0] = static_cast<uint8_t>(fields.blue.scaled(word, 8));
            p[1] = static_cast<uint8_t>(fields.green.scaled(word, 8));
            p[2] = static_cast<uint8_t>(fields.red.scaled(word, 8));
            p[3] = 0;
        }
    }
}

ReadStatus Decode(const ByteSource& source, Dib& picture) {
    const uint64_t fileSize = source.size();
    uint8_t header[kFileHeaderSize + kLargestInfoHeader + kMaskBytes] = {};
    if (fileSize < 2) return fileSize == 0 ? ReadStatus::UnknownFormat : ReadStatus::Corrupt;
    if (!source.readAt(0, header, 2)) return ReadStatus::Corrupt;
    if (header[0] != 'B' || header[1] != 'M') return ReadStatus::UnknownFormat;
    if (fileSize < kFileHeaderSize + 4) return ReadStatus::Corrupt;
    const size_t available = static_cast<size_t>(std::min<uint64_t>(fileSize, sizeof header));
    if (!source.readAt(0, header, available)) return ReadStatus::Corrupt;

    const uint32_t pixelOffset = U32(header + 10);
    const uint32_t infoSize = U32(header + 14);
    if (!KnownInfoHeader(infoSize)) return ReadStatus::UnsupportedBitmap;
    if (fileSize < kFileHeaderSize + infoSize) return ReadStatus::Corrupt;

    const int32_t width = I32(header + 18);
    const int32_t signedHeight = I32(header + 22);
    const int bitsPerPixel = U16(header + 28);
    const uint32_t compression = U32(header + 30);

    if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return ReadStatus::UnsupportedBitmap;
    const bool bitFields = compression == kBiBitfields && bitsPerPixel != 24 && infoSize != 64;
    if (compression != kBiRgb && !bitFields) return ReadStatus::UnsupportedBitmap;
    if (width <= 0 || signedHeight == 0 || signedHeight == INT32_MIN) return ReadStatus::Corrupt;

    // With the 40-byte header the three masks follow it; the larger headers hold them.
    uint64_t headerEnd = kFileHeaderSize + infoSize;
    BitFields fields;
    bool convert = false;
    if (bitFields) {
        if (infoSize == 40) headerEnd += kMaskBytes;
        if (fileSize < headerEnd) return ReadStatus::Corrupt;
        const uint8_t* masks = header + kFileHeaderSize + 40;
        const uint32_t r = U32(masks), g = U32(masks + 4), b = U32(masks + 8);
        if (!MakeField(r, bitsPerPixel, fields.red) || !MakeField(g, bitsPerPixel, fields.green) ||
            !MakeField(b, bitsPerPixel, fields.blue) || (r & g) != 0 || (r & b) != 0 || (g & b) != 0)
            return ReadStatus::UnsupportedBitmap;
        convert = !IsNativeLayout(r, g, b, bitsPerPixel);
    }
    if (pixelOffset < headerEnd) return ReadStatus::Corrupt;

    const bool bottomUp = signedHeight > 0;
    const int height = bottomUp ? signedHeight : -signedHeight;
    const int stride = Dib::StrideFor(width, bitsPerPixel);
    if (stride <= 0) return ReadStatus::TooLarge;
    const uint64_t pixelBytes = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
    if (pixelBytes > Dib::kMaxBytes) return ReadStatus::TooLarge;
    if (pixelOffset > fileSize || pixelBytes > fileSize - pixelOffset) return ReadStatus::Corrupt;

    Dib result;
    try {
        result = Dib(width, height, bitsPerPixel);
    } catch (const std::bad_alloc&) {
        return ReadStatus::TooLarge;
    }
    if (result.isNull()) return ReadStatus::TooLarge;

    for (int i = 0; i < height; ++i) {
        uint8_t* row = result.row(bottomUp ? height - 1 - i : i);
        if (!source.readAt(pixelOffset + static_cast<uint64_t>(i) * static_cast<uint64_t>(stride), row,
                           static_cast<size_t>(stride)))
            return ReadStatus::Corrupt;
        if (convert) ConvertRow(row, width, bitsPerPixel, fields);
    }
    picture = std::move(result);
    return ReadStatus::Ok;
}

}  // namespace

ReadStatus DecodeBmp(const ByteSource& source, Dib& picture) { return Decode(source, picture); }

ReadStatus DecodeBmp(const uint8_t* data, size_t size, Dib& picture) {
    if (!data) size = 0;
    return Decode(MemoryByteSource(data, size), picture);
}

ReadStatus ReadBmpFile(const std::string& path, Dib& picture) {
    const auto source = FileByteSource::Open(path);
    if (!source) return ReadStatus::CannotOpen;
    return Decode(*source, picture);
}

}  // namespace codec
