#pragma once

#include <QHash>
#include <QImage>
#include <QString>

#include <cstdint>
#include <string>

namespace lumora {

// Size of a gallery thumbnail: every picture is stretched to it, its proportions not kept.
inline constexpr int kThumbnailWidth = 90;
inline constexpr int kThumbnailHeight = 70;

// A picture file as it is at one moment: a thumbnail made from it stays good while the file
// keeps its path, size and modification time.
struct ThumbnailKey {
    QString path;
    int64_t size = 0;
    int64_t modifiedNs = 0;

    bool operator==(const ThumbnailKey&) const = default;
    bool isNull() const { return path.isEmpty(); }

    // The key of the file at `path` now; a null key when it cannot be looked at.
    static ThumbnailKey Of(const QString& path);
};

size_t qHash(const ThumbnailKey& key, size_t seed = 0) noexcept;

struct Thumbnail {
    QImage image;         // kThumbnailWidth x kThumbnailHeight, 32-bit; null when broken
    int pictureWidth = 0;  // the whole picture's size, not the decoded one
    int pictureHeight = 0;
    bool broken = false;  // the file could not be read as a picture
};

// Decodes the picture at `path` at the smallest size that still covers the thumbnail (a JPEG
// is scaled while it is decoded) and stretches it to kThumbnailWidth x kThumbnailHeight. A file
// that is missing, unreadable or not a picture gives a broken thumbnail, never a failure.
Thumbnail BuildThumbnail(const std::string& path);

}  // namespace lumora
