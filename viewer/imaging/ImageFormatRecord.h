#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

namespace lumora {

// The drag record of the "ImageFormat" data format, from the gallery list to an image pane:
// 280 bytes, bytes 0 to 254 the picture's file name and bytes 255 to 271 the unit text (each
// NUL-terminated, cut to fit), bytes 272 to 279 the length of one pixel as a little-endian
// IEEE double.
inline constexpr char kImageFormatMimeType[] = "ImageFormat";
inline constexpr int kImageFormatRecordSize = 280;

struct ImageFormatRecord {
    std::string fileName;
    std::string unit;
    double onePixelLength = 0;
};

QByteArray EncodeImageFormatRecord(const ImageFormatRecord& record);
// Nothing for data of another size.
std::optional<ImageFormatRecord> DecodeImageFormatRecord(const QByteArray& data);

}  // namespace lumora
