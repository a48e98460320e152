#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace codec {

// Writes a baseline JPEG from an RGB buffer: width * height * 3 bytes, rows top-down, each
// row exactly width * 3 bytes, each pixel red, green, blue. `quality` is libjpeg's 1..100
// (outside values are clamped by libjpeg); baseline is forced, so every quantisation step fits
// in 8 bits.
//
// Returns 1 on success and 0 on failure. A null buffer or a zero size writes nothing. When
// libjpeg stops with a fatal error, `fatalMessage` (if given) receives libjpeg's message text,
// which the program shows under the caption "JPEG Fatal Error"; other failures (the file cannot
// be created, the disk is full) leave it empty. libjpeg's warnings, rare when compressing, are
// appended to `warnings` (if given); the program shows each under the caption "JPEG Error". The
// file is written beside the target and renamed over it only when complete, so a failure never
// damages an existing picture.
int WriteJpegFile(const std::string& path, const uint8_t* rgb, int width, int height, int quality,
                  std::string* fatalMessage = nullptr, std::vector<std::string>* warnings = nullptr);

// The same file, with the rows supplied one at a time: fillRow(y, row) writes row y (top-down)
// as width * 3 bytes of red, green, blue. The picture never has to exist as one RGB buffer.
int WriteJpegRows(const std::string& path, int width, int height, int quality,
                  const std::function<void(int y, uint8_t* rgbRow)>& fillRow, std::string* fatalMessage = nullptr,
                  std::vector<std::string>* warnings = nullptr);

// The same JPEG bytes into memory instead of a file (libjpeg gives the same bytes either way):
// 1 with `encoded` holding the file, 0 with `encoded` empty.
int EncodeJpegRows(int width, int height, int quality, const std::function<void(int y, uint8_t* rgbRow)>& fillRow,
                   std::vector<uint8_t>& encoded, std::string* fatalMessage = nullptr,
                   std::vector<std::string>* warnings = nullptr);

}  // namespace codec
