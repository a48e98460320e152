#pragma once

#include "codec/Dib.h"

#include <QImage>

#include <optional>
#include <string>

namespace lumora {

// The two file types a capture is written as.
enum class CaptureFileType { Bmp = 0, Jpeg = 1 };

// A picture as a 24-bit bitmap (rows top-down, blue, green, red, padding zero); a null bitmap
// for a null picture.
codec::Dib ImageToBitmap24(const QImage& image);

// A 24-bit BMP: the 14-byte file header and the 40-byte information header, then the rows
// bottom-up in blue, green, red order, each padded to a multiple of 4 bytes. Empty for a null
// picture.
std::string EncodeBmp(const QImage& image);

// A baseline JPEG at `quality` (1..100); nothing when the encoder fails.
std::optional<std::string> EncodeJpeg(const QImage& image, int quality);

inline constexpr int kCaptureJpegQuality = 90;

// Writes the picture through a temporary file, so an existing file is either replaced whole
// or left as it was. False when it cannot be written.
bool WriteCaptureFile(const std::string& path, const QImage& image, CaptureFileType type);

// .bmp or .jpg/.jpeg (any letter case) from a file name; nothing for other extensions.
std::optional<CaptureFileType> CaptureFileTypeOf(const std::string& path);

}  // namespace lumora
