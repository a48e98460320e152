#pragma once

#include "codec/Dib.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace codec {

constexpr int kBmpHeadersSize = 54;

// The file header (14 bytes) and information header (40 bytes) WriteBmpFile puts before the
// pixel rows: "BM", file size 54 + height * stride, pixel offset 54, header size 40, the width,
// the height as a positive number (rows bottom-up), 1 plane, the depth, no compression, image
// size height * stride, and zero for the resolution and colour counts. No colour table
// follows, so a 16-bit file is read as 5-5-5.
std::array<uint8_t, kBmpHeadersSize> BmpFileHeaders(int width, int height, int stride, int bitsPerPixel);

namespace BmpWriteResult {
constexpr int Ok = 0;
constexpr int Failed = -1;
}  // namespace BmpWriteResult

// Writes `height` rows of `stride` bytes, given bottom row first as they go into the file.
// The depth must be 16, 24 or 32 and the stride the padded row length of that depth, so the
// file reads back as written. The file is written beside the target and renamed over it only
// when every byte is on disk: a failure (-1) leaves an existing file as it was.
int WriteBmpFile(const std::string& path, int width, int height, int stride, int bitsPerPixel,
                 const uint8_t* rowsBottomUp);

// A bitmap (rows top-down in memory) as a bottom-up BMP file, with the same guarantees.
int WriteBmpFile(const std::string& path, const Dib& bitmap);

// The bytes WriteBmpFile would write for the bitmap; empty when it would refuse it.
std::vector<uint8_t> EncodeBmp(const Dib& bitmap);

}  // namespace codec
