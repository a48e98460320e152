#pragma once

#include "measure/io/ReadStatus.h"
#include "measure/processing/Dib.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace tessmet {

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

}  // namespace tessmet
