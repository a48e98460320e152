#include "viewer/imaging/CaptureFile.h"

#include "codec/BmpWriter.h"
#include "codec/JpegWriter.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>
#include <vector>

namespace lumora {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

codec::Dib ImageToBitmap24(const QImage& source) {
    const QImage image = source.convertToFormat(QImage::Format_BGR888);
    codec::Dib bitmap(image.width(), image.height(), 24);
    if (bitmap.isNull()) return bitmap;
    const size_t rowBytes = static_cast<size_t>(image.width()) * 3u;
    for (int y = 0; y < image.height(); ++y) std::memcpy(bitmap.row(y), image.constScanLine(y), rowBytes);
    return bitmap;
}

std::string EncodeBmp(const QImage& image) {
    const std::vector<uint8_t> bytes = codec::EncodeBmp(ImageToBitmap24(image));
    return std::string(bytes.begin(), bytes.end());
}

namespace {

// The picture's rows as red, green, blue for the JPEG encoder.
std::function<void(int, uint8_t*)> RgbRows(const QImage& rgb888) {
    const size_t rowBytes = static_cast<size_t>(rgb888.width()) * 3u;
    return [&rgb888, rowBytes](int y, uint8_t* row) { std::memcpy(row, rgb888.constScanLine(y), rowBytes); };
}

}  // namespace

std::optional<std::string> EncodeJpeg(const QImage& source, int quality) {
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    if (image.isNull()) return std::nullopt;
    std::vector<uint8_t> bytes;
    if (codec::EncodeJpegRows(image.width(), image.height(), std::clamp(quality, 1, 100), RgbRows(image), bytes) != 1)
        return std::nullopt;
    return std::string(bytes.begin(), bytes.end());
}

bool WriteCaptureFile(const std::string& path, const QImage& image, CaptureFileType type) {
    if (image.isNull()) return false;
    if (type == CaptureFileType::Bmp) return codec::WriteBmpFile(path, ImageToBitmap24(image)) == codec::BmpWriteResult::Ok;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    return codec::WriteJpegRows(path, rgb.width(), rgb.height(), kCaptureJpegQuality, RgbRows(rgb)) == 1;
}

std::optional<CaptureFileType> CaptureFileTypeOf(const std::string& path) {
    const std::string lower = Lower(path);
    const auto endsWith = [&lower](const char* suffix) {
        const std::string s = suffix;
        return lower.size() > s.size() && lower.compare(lower.size() - s.size(), s.size(), s) == 0;
    };
    if (endsWith(".bmp")) return CaptureFileType::Bmp;
    if (endsWith(".jpg") || endsWith(".jpeg")) return CaptureFileType::Jpeg;
    return std::nullopt;
}

}  // namespace lumora
