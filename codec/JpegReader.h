#pragma once

#include "codec/ReadStatus.h"
#include "codec/Dib.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace codec {

// Reads a JPEG (baseline, extended or progressive, Huffman or arithmetic coded) into a 24-bit
// bitmap. Grey pictures give grey colour pixels; CMYK and YCCK pictures (the inverted ones
// written with an Adobe marker too) are turned into colour.
//
// Refusals: a file that ends before its last row (Corrupt, where libjpeg alone would pad the
// rest with grey; a single-scan file that lacks only its end marker still loads), anything
// libjpeg cannot decode (Corrupt), and pictures that are larger than the bitmap limit, claim
// more pixels than their data could plausibly code (more than 1024 pixels per byte of file, far
// beyond any Huffman-coded picture), need more than 512 MiB of decoder memory (TooLarge) or
// carry more than 500 scans (Corrupt). Smaller damage that libjpeg steps over with a warning
// still gives a picture.
ReadStatus DecodeJpeg(const uint8_t* data, size_t size, Dib& picture);
ReadStatus ReadJpegFile(const std::string& path, Dib& picture);

// The same decoding at a reduced size, for thumbnails: libjpeg scales while it decodes (in
// eighths, by dropping DCT coefficients), which is far cheaper than decoding in full and
// shrinking. The picture comes out at the smallest scale n/8 whose size still covers
// coverWidth x coverHeight, or in full when no smaller scale does; a cover size of 0 or less
// asks nothing of its side. The checks and refusals are those of the full decoding.
ReadStatus DecodeJpegCovering(const uint8_t* data, size_t size, int coverWidth, int coverHeight, Dib& picture);
ReadStatus ReadJpegFileCovering(const std::string& path, int coverWidth, int coverHeight, Dib& picture);

// The numerator n (1..8) of that scale for a picture of width x height: libjpeg gives
// ceil(size * n / 8) pixels on each side.
int JpegScaleEighths(uint64_t width, uint64_t height, int coverWidth, int coverHeight);

}  // namespace codec
