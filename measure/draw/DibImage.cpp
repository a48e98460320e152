#include "measure/draw/DibImage.h"

namespace tessmet {
namespace {

QImage::Format FormatFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 16: return QImage::Format_RGB555;
        case 24: return QImage::Format_BGR888;
        case 32: return QImage::Format_RGB32;
        default: return QImage::Format_Invalid;
    }
}

}  // namespace

QImage DibImage(Dib& dib) {
    const QImage::Format format = FormatFor(dib.bitsPerPixel());
    if (dib.isNull() || format == QImage::Format_Invalid) return {};
    return QImage(dib.bits(), dib.width(), dib.height(), dib.stride(), format);
}

QImage DibImage(const Dib& dib) {
    const QImage::Format format = FormatFor(dib.bitsPerPixel());
    if (dib.isNull() || format == QImage::Format_Invalid) return {};
    return QImage(dib.bits(), dib.width(), dib.height(), dib.stride(), format);
}

}  // namespace tessmet
