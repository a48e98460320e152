#include "codec/BmpWriter.h"

#include "platform/AtomicFileWriter.h"

#include <cstdint>

namespace codec {
namespace {

void Put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
    Put16(p, v & 0xFFFF);
    Put16(p + 2, v >> 16);
}

bool ValidLayout(int width, int height, int stride, int bitsPerPixel) {
    if (width <= 0 || height <= 0) return false;
    if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32) return false;
    if (stride != Dib::StrideFor(width, bitsPerPixel)) return false;
    // The header's sizes are 32-bit fields.
    return static_cast<uint64_t>(stride) * static_cast<uint64_t>(height) <= UINT32_MAX - kBmpHeadersSize;
}

// Rows are handed out by the caller, row 0 being the bottom row of the picture.
template <typename RowAt>
int WriteRows(const std::string& path, int width, int height, int stride, int bitsPerPixel, RowAt rowAt) {
    if (!ValidLayout(width, height, stride, bitsPerPixel)) return BmpWriteResult::Failed;
    platform::AtomicFileWriter file;
    if (!file.open(path)) return BmpWriteResult::Failed;
    const auto headers = BmpFileHeaders(width, height, stride, bitsPerPixel);
    bool ok = file.write(headers.data(), headers.size());
    for (int i = 0; ok && i < height; ++i) ok = file.write(rowAt(i), static_cast<size_t>(stride));
    if (!ok || !file.commit()) return BmpWriteResult::Failed;
    return BmpWriteResult::Ok;
}

}  // namespace

std::array<uint8_t, kBmpHeadersSize> BmpFileHeaders(int width, int height, int stride, int bitsPerPixel) {
    std::array<uint8_t, kBmpHeadersSize> h{};
    const uint32_t imageSize = static_cast<uint32_t>(height) * static_cast<uint32_t>(stride);
    h[0] = 'B';
    h[1] = 'M';
    Put32(&h[2], kBmpHeadersSize + imageSize);
    Put32(&h[10], kBmpHeadersSize);
    Put32(&h[14], 40);
    Put32(&h[18], static_cast<uint32_t>(width));
    Put32(&h[22], static_cast<uint32_t>(height));
    Put16(&h[26], 1);
    Put16(&h[28], static_cast<uint32_t>(bitsPerPixel));
    Put32(&h[34], imageSize);
    return h;
}

int WriteBmpFile(const std::string& path, int width, int height, int stride, int bitsPerPixel,
                 const uint8_t* rowsBottomUp) {
    if (!rowsBottomUp) return BmpWriteResult::Failed;
    return WriteRows(path, width, height, stride, bitsPerPixel, [&](int i) {
        return rowsBottomUp + static_cast<size_t>(i) * static_cast<size_t>(stride);
    });
}

std::vector<uint8_t> EncodeBmp(const Dib& bitmap) {
    std::vector<uint8_t> bytes;
    if (bitmap.isNull() || !ValidLayout(bitmap.width(), bitmap.height(), bitmap.stride(), bitmap.bitsPerPixel()))
        return bytes;
    const auto headers = BmpFileHeaders(bitmap.width(), bitmap.height(), bitmap.stride(), bitmap.bitsPerPixel());
    bytes.reserve(headers.size() + bitmap.sizeBytes());
    bytes.insert(bytes.end(), headers.begin(), headers.end());
    for (int y = bitmap.height() - 1; y >= 0; --y)
        bytes.insert(bytes.end(), bitmap.row(y), bitmap.row(y) + bitmap.stride());
    return bytes;
}

int WriteBmpFile(const std::string& path, const Dib& bitmap) {
    if (bitmap.isNull()) return BmpWriteResult::Failed;
    return WriteRows(path, bitmap.width(), bitmap.height(), bitmap.stride(), bitmap.bitsPerPixel(),
                     [&](int i) { return bitmap.row(bitmap.height() - 1 - i); });
}

}  // namespace codec
