#pragma once

#include "measure/processing/Dib.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessmet {

// The file format a save takes from the last character of the path: 'g' or 'G' (.jpg, .jpeg)
// writes JPEG, 'p' or 'P' (.bmp) writes BMP, anything else writes nothing. Only the last
// character counts, so "picture.png" is written as a JPEG.
enum class SaveFormat { None, Bmp, Jpeg };
SaveFormat SaveFormatForPath(const std::string& path);

// The "JpegQuality" setting (1..10) as libjpeg's quality (10..100).
constexpr int JpegLibraryQuality(int jpegQualitySetting) { return jpegQualitySetting * 10; }

// The RGB buffer the JPEG writer gets for a composed bitmap: rows top-down without padding,
// red, green, blue, each channel exactly as ReadChannel reads it (5-bit channels of a 16-bit
// bitmap widened to 8 bits, the fourth byte of a 32-bit pixel ignored). Empty for a null bitmap.
std::vector<uint8_t> ComposedRgbBuffer(const Dib& composed);

// One row of that buffer: row y (top-down) as width * 3 bytes.
void ComposedRgbRow(const Dib& composed, int y, uint8_t* rgbRow);

enum class SaveStatus {
    Saved = 0,
    NoFormat = -1,        // the path ends in another letter: nothing written
    WriteFailed = -2,     // the file could not be written; an existing file is unchanged
    JpegFatalError = -3,  // libjpeg stopped; jpegMessage holds its text
};

struct SaveResult {
    SaveStatus status = SaveStatus::WriteFailed;
    SaveFormat format = SaveFormat::None;
    std::string jpegMessage;
    std::vector<std::string> jpegWarnings;  // libjpeg's warnings, in the order it gave them

    bool saved() const { return status == SaveStatus::Saved; }
};

// Writes a view's composed bitmap to `path` in the format its last character names: BMP with
// the bitmap's own depth and rows, or a baseline JPEG of quality 10 * jpegQualitySetting.
SaveResult SaveComposedImage(const std::string& path, const Dib& composed, int jpegQualitySetting);

}  // namespace tessmet
