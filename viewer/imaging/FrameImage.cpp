#include "viewer/imaging/FrameImage.h"

#include "viewer/core/StillBuffer.h"

#include <bit>
#include <cstring>

namespace lumora {

static_assert(std::endian::native == std::endian::little, "FrameToImage packs pixels as little-endian words");

void FrameToImage(const uint8_t* bottomUpBgr, int width, int height, QImage& image) {
    if (image.width() != width || image.height() != height || image.format() != QImage::Format_RGB32)
        image = QImage(width, height, QImage::Format_RGB32);
    if (image.isNull()) return;
    const size_t rowBytes = static_cast<size_t>(width) * 3u;
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = bottomUpBgr + static_cast<size_t>(height - 1 - y) * rowBytes;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        int x = 0;
        // Four pixels from three little-endian words at a time: blue, green, red become the
        // low three bytes of each 32-bit pixel, the top byte opaque.
        for (; x + 4 <= width; x += 4, source += 12) {
            uint32_t w0, w1, w2;
            std::memcpy(&w0, source, 4);
            std::memcpy(&w1, source + 4, 4);
            std::memcpy(&w2, source + 8, 4);
            target[x] = 0xff000000u | (w0 & 0xffffffu);
            target[x + 1] = 0xff000000u | (w0 >> 24) | ((w1 & 0xffffu) << 8);
            target[x + 2] = 0xff000000u | (w1 >> 16) | ((w2 & 0xffu) << 16);
            target[x + 3] = 0xff000000u | (w2 >> 8);
        }
        for (; x < width; ++x, source += 3)
            target[x] = 0xff000000u | uint32_t{source[2]} << 16 | uint32_t{source[1]} << 8 | source[0];
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
