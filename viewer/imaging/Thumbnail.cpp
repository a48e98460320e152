#include "viewer/imaging/Thumbnail.h"

#include "codec/PictureLoader.h"

#include <QFile>

#include <sys/stat.h>

namespace lumora {

ThumbnailKey ThumbnailKey::Of(const QString& path) {
    struct stat st{};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0) return {};
    return {path, static_cast<int64_t>(st.st_size),
            static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

size_t qHash(const ThumbnailKey& key, size_t seed) noexcept {
    return ::qHash(key.path, seed) ^ ::qHash(key.size, seed) ^ ::qHash(key.modifiedNs, seed + 1);
}

Thumbnail BuildThumbnail(const std::string& path) {
    Thumbnail thumbnail;
    codec::Dib picture;
    codec::PictureSize full;
    if (codec::LoadPictureCovering(path, kThumbnailWidth, kThumbnailHeight, picture, &full) != codec::ReadStatus::Ok) {
        thumbnail.broken = true;
        return thumbnail;
    }
    QImage::Format format = QImage::Format_Invalid;
    switch (picture.bitsPerPixel()) {
    case 16: format = QImage::Format_RGB555; break;
    case 24: format = QImage::Format_BGR888; break;
    case 32: format = QImage::Format_RGB32; break;
    default: thumbnail.broken = true; return thumbnail;
    }
    // A view on the bitmap's rows; scaling makes the copy the thumbnail keeps. Dropping pixels
    // rather than averaging them keeps this cheap, and the picture is at most about twice the
    // thumbnail's size by now.
    const QImage view(picture.bits(), picture.width(), picture.height(), picture.stride(), format);
    thumbnail.image = view.scaled(kThumbnailWidth, kThumbnailHeight, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                          .convertToFormat(QImage::Format_RGB32);
    thumbnail.pictureWidth = full.width;
    thumbnail.pictureHeight = full.height;
    return thumbnail;
}

}  // namespace lumora
