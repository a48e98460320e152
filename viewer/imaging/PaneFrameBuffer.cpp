#include "viewer/imaging/PaneFrameBuffer.h"

#include "platform/BgrPixels.h"

#include <algorithm>
#include <cstring>

namespace lumora {
namespace {

void Put32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}

int32_t Get32(const uint8_t* at) {
    return static_cast<int32_t>(uint32_t{at[0]} | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24);
}

}  // namespace

PaneFrameBuffer::PaneFrameBuffer() : block_(kHeaderBytes + kPixelCapacity, 0) { ResetGrey(); }

void PaneFrameBuffer::ResetGrey() {
    WriteHeader(640, 480);
    std::memset(Pixels(), 100, size_t{640} * 480 * 3);
}

void PaneFrameBuffer::WriteHeader(int width, int height) {
    std::memset(block_.data(), 0, kHeaderBytes);
    Put32(block_.data(), 40);
    Put32(block_.data() + 4, static_cast<uint32_t>(width));
    Put32(block_.data() + 8, static_cast<uint32_t>(height));
    block_[12] = 1;   // planes
    block_[14] = 24;  // bits per pixel
}

bool PaneFrameBuffer::SetSize(int width, int height) {
    if (width <= 0 || height <= 0 || size_t(width) * size_t(height) * 3 > kPixelCapacity) return false;
    WriteHeader(width, height);
    return true;
}

void PaneFrameBuffer::ShowFrame(const uint8_t* bytes, size_t count) {
    if (!bytes) return;
    if (count != PixelBytes()) {
        switch (count) {
            case 921600: WriteHeader(640, 480); break;
            case 1440000: WriteHeader(800, 600); break;
            case 3686400: WriteHeader(1280, 960); break;
            case 5760000: WriteHeader(1600, 1200); break;
            default: break;
        }
    }
    std::memcpy(Pixels(), bytes, std::min(count, kPixelCapacity));
}

int PaneFrameBuffer::Width() const { return Get32(block_.data() + 4); }
int PaneFrameBuffer::Height() const { return Get32(block_.data() + 8); }

void PaneFrameBuffer::ReduceTo640x480() {
    QImage picture;
    ToImage(picture);
    if (picture.isNull()) return;
    const QImage reduced = picture.scaled(640, 480, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_BGR888);
    if (reduced.isNull()) return;
    WriteHeader(640, 480);
    for (int y = 0; y < 480; ++y)
        std::memcpy(Pixels() + static_cast<size_t>(479 - y) * 1920u, reduced.constScanLine(y), 1920u);
}

void PaneFrameBuffer::ToImage(QImage& image) const {
    const int w = Width(), h = Height();
    if (image.width() != w || image.height() != h || image.format() != QImage::Format_RGB32)
        image = QImage(w, h, QImage::Format_RGB32);
    if (image.isNull()) return;
    const size_t rowBytes = static_cast<size_t>(w) * 3u;
    for (int y = 0; y < h; ++y)
        platform::Bgr24ToRgb32(Pixels() + static_cast<size_t>(h - 1 - y) * rowBytes, w,
                               reinterpret_cast<uint32_t*>(image.scanLine(y)));
}

}  // namespace lumora
