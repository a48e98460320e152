#include "measure/io/ComposedImageSave.h"

#include "codec/BmpWriter.h"
#include "codec/JpegWriter.h"
#include "measure/processing/PixelAccess.h"

#include <array>
#include <cstring>

namespace tessmet {

SaveFormat SaveFormatForPath(const std::string& path) {
    if (path.empty()) return SaveFormat::None;
    switch (path.back()) {
        case 'g':
        case 'G': return SaveFormat::Jpeg;
        case 'p':
        case 'P': return SaveFormat::Bmp;
        default: return SaveFormat::None;
    }
}

namespace {

// The 8-bit value ReadChannel gives a 5-bit channel: c * 255 / 31, truncated.
constexpr std::array<uint8_t, 32> FiveBitChannels() {
    std::array<uint8_t, 32> table{};
    for (unsigned c = 0; c < 32; ++c) table[c] = static_cast<uint8_t>(c * 255 / 31);
    return table;
}

}  // namespace

void ComposedRgbRow(const Dib& composed, int y, uint8_t* out) {
    const int width = composed.width();
    const uint8_t* pixel = composed.row(y);
    switch (composed.bitsPerPixel()) {
        case 24:
        case 32: {
            const int step = composed.bytesPerPixel();
            for (int x = 0; x < width; ++x, pixel += step, out += 3) {
                out[0] = pixel[2];
                out[1] = pixel[1];
                out[2] = pixel[0];
            }
            return;
        }
        case 16: {
            static constexpr std::array<uint8_t, 32> kWiden = FiveBitChannels();
            for (int x = 0; x < width; ++x, pixel += 2, out += 3) {
                const unsigned v = pixel[0] | (static_cast<unsigned>(pixel[1]) << 8);
                out[0] = kWiden[(v >> 10) & 31];
                out[1] = kWiden[(v >> 5) & 31];
                out[2] = kWiden[v & 31];
            }
            return;
        }
        default:
            std::memset(out, 0, static_cast<size_t>(width) * 3);  // what ReadChannel reads there
            return;
    }
}

std::vector<uint8_t> ComposedRgbBuffer(const Dib& composed) {
    std::vector<uint8_t> rgb;
    if (composed.isNull()) return rgb;
    const size_t rowBytes = static_cast<size_t>(composed.width()) * 3;
    rgb.resize(rowBytes * static_cast<size_t>(composed.height()));
    for (int y = 0; y < composed.height(); ++y) ComposedRgbRow(composed, y, rgb.data() + rowBytes * static_cast<size_t>(y));
    return rgb;
}

SaveResult SaveComposedImage(const std::string& path, const Dib& composed, int jpegQualitySetting) {
    SaveResult result;
    result.format = SaveFormatForPath(path);
    switch (result.format) {
        case SaveFormat::None:
            result.status = SaveStatus::NoFormat;
            break;
        case SaveFormat::Bmp:
            result.status =
                codec::WriteBmpFile(path, composed) == codec::BmpWriteResult::Ok ? SaveStatus::Saved : SaveStatus::WriteFailed;
            break;
        case SaveFormat::Jpeg: {
            // Rows go to the encoder one at a time: a large picture never needs a second,
            // full-size RGB copy in memory.
            const int written = codec::WriteJpegRows(
                path, composed.width(), composed.height(), JpegLibraryQuality(jpegQualitySetting),
                [&](int y, uint8_t* row) { ComposedRgbRow(composed, y, row); }, &result.jpegMessage, &result.jpegWarnings);
            if (written == 1) {
                result.status = SaveStatus::Saved;
            } else {
                result.status = result.jpegMessage.empty() ? SaveStatus::WriteFailed : SaveStatus::JpegFatalError;
            }
            break;
        }
    }
    return result;
}

}  // namespace tessmet
