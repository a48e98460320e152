#include "viewer/imaging/FrameImage.h"

#include "platform/BgrPixels.h"
#include "viewer/core/StillBuffer.h"

namespace lumora {

void FrameToImage(const uint8_t* bottomUpBgr, int width, int height, QImage& image) {
    if (image.width() != width || image.height() != height || image.format() != QImage::Format_RGB32)
        image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull()) return;
    const size_t rowBytes = static_cast<size_t>(width) * 3u;
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = bottomUpBgr + static_cast<size_t>(height - 1 - y) * rowBytes;
        platform::Bgr24ToRgb32(source, width, reinterpret_cast<uint32_t*>(image.scanLine(y)));
    }
}

QImage StillToImage(const StillBuffer& still) {
    const int w = still.width(), h = still.height();
    if (w <= 0 || h <= 0 || w > StillBuffer::kMaxWidth || h > StillBuffer::kMaxHeight || still.bitCount() != 24)
        return {};
    QImage image;
    FrameToImage(still.pixels(), w, h, image);
    return image;
}

QImage ReduceStill(const QImage& still) {
    return still.scaled(640, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace lumora
