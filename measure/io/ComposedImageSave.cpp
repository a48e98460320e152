#include "measure/io/ComposedImageSave.h"

#include "measure/io/BmpWriter.h"
#include "measure/io/JpegWriter.h"
#include "measure/processing/PixelAccess.h"

#include <new>

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

std::vector<uint8_t> ComposedRgbBuffer(const Dib& composed) {
    std::vector<uint8_t> rgb;
    if (composed.isNull()) return rgb;
    const int width = composed.width();
    const int height = composed.height();
    const int bpp = composed.bitsPerPixel();
    rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    uint8_t* out = rgb.data();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = composed.pixel(x, y);
            *out++ = ReadChannel(pixel, Channel::Red, bpp);
            *out++ = ReadChannel(pixel, Channel::Green, bpp);
            *out++ = ReadChannel(pixel, Channel::Blue, bpp);
        }
    }
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
                WriteBmpFile(path, composed) == BmpWriteResult::Ok ? SaveStatus::Saved : SaveStatus::WriteFailed;
            break;
        case SaveFormat::Jpeg: {
            std::vector<uint8_t> rgb;
            try {
                rgb = ComposedRgbBuffer(composed);
            } catch (const std::bad_alloc&) {
                result.status = SaveStatus::WriteFailed;
                break;
            }
            const int written = WriteJpegFile(path, rgb.empty() ? nullptr : rgb.data(), composed.width(),
                                              composed.height(), JpegLibraryQuality(jpegQualitySetting),
                                              &result.jpegMessage);
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
