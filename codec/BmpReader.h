#pragma once

#include "codec/ByteSource.h"
#include "codec/ReadStatus.h"
#include "codec/Dib.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace codec {

// Reads an uncompressed BMP of 16, 24 or 32 bits per pixel into a bitmap of the same depth,
// bottom-up and top-down files alike (the bitmap's rows are always top-down).
//
// - 16 bits: 5-5-5 words as stored. A bit-field file with other masks (5-6-5, 4-4-4, ...) is
//   converted to 5-5-5, each channel scaled to 5 bits with rounding.
// - 24 bits: copied as stored.
// - 32 bits: copied as stored (the fourth byte is kept but never read); a bit-field file with
//   other masks than 00FF0000/0000FF00/000000FF is converted to blue, green, red and a 0 byte.
// Row padding is copied too, so writing the bitmap back gives the file's pixel rows unchanged.
//
// Palette depths (1, 4, 8), run-length and embedded compression, alpha bit fields and the old
// 12-byte core header give UnsupportedBitmap; data that do not hold the rows their header
// promises give Corrupt. Nothing is allocated before the header's size has been checked
// against the data that are really there.
ReadStatus DecodeBmp(const ByteSource& source, Dib& picture);
ReadStatus DecodeBmp(const uint8_t* data, size_t size, Dib& picture);
ReadStatus ReadBmpFile(const std::string& path, Dib& picture);

}  // namespace codec
