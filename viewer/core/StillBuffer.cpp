#include "viewer/core/StillBuffer.h"

#include <cstring>

namespace lumora {
namespace {

void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

void Put16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

uint32_t Get32(const uint8_t* at) {
    return uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24;
}

}  // namespace

StillBuffer::StillBuffer() : bytes_(kCapacity, 0) {}

bool StillBuffer::WriteHeader(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxWidth || height > kMaxHeight) return false;
    uint8_t* h = bytes_.data();
    std::memset(h, 0, kHeaderBytes);
    Put32(h + 0, kHeaderBytes);
    Put32(h + 4, static_cast<uint32_t>(width));
    Put32(h + 8, static_cast<uint32_t>(height));
    Put16(h + 12, 1);
    Put16(h + 14, 24);
    Put32(h + 16, 0);
    Put32(h + 20, static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 3u + kHeaderBytes);
    return true;
}

bool StillBuffer::CopyPixels(const Frame& frame) {
    if (frame.byteCount() > kCapacity - kHeaderBytes) return false;
    std::memcpy(bytes_.data() + kHeaderBytes, frame.bytes.data(), frame.byteCount());
    return true;
}

int StillBuffer::width() const { return static_cast<int>(Get32(bytes_.data() + 4)); }
int StillBuffer::height() const { return static_cast<int>(Get32(bytes_.data() + 8)); }
int StillBuffer::bitCount() const { return bytes_[14] | bytes_[15] << 8; }
uint32_t StillBuffer::imageSizeField() const { return Get32(bytes_.data() + 20); }

size_t StillBuffer::stillBytes() const {
    const int w = width(), h = height();
    if (w <= 0 || h <= 0 || w > kMaxWidth || h > kMaxHeight) return kHeaderBytes;
    return kHeaderBytes + static_cast<size_t>(w) * static_cast<size_t>(h) * 3u;
}

}  // namespace lumora
