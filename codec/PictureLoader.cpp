#include "codec/PictureLoader.h"

#include "codec/BmpReader.h"
#include "codec/ByteSource.h"
#include "codec/JpegReader.h"

namespace codec {

namespace {

ReadStatus Load(const std::string& path, int coverWidth, int coverHeight, Dib& picture, PictureSize* fullSize) {
    const auto source = FileByteSource::Open(path);
    if (!source) return ReadStatus::CannotOpen;
    uint8_t magic[2];
    if (!source->readAt(0, magic, sizeof magic)) return ReadStatus::UnknownFormat;
    if (magic[0] == 'B' && magic[1] == 'M') {
        const ReadStatus status = DecodeBmp(*source, picture);
        if (status == ReadStatus::Ok && fullSize) *fullSize = PictureSize{picture.width(), picture.height()};
        return status;
    }
    if (magic[0] == 0xFF && magic[1] == 0xD8) {
        if (coverWidth > 0 || coverHeight > 0)
            return ReadJpegFileCovering(path, coverWidth, coverHeight, picture, fullSize);
        const ReadStatus status = ReadJpegFile(path, picture);
        if (status == ReadStatus::Ok && fullSize) *fullSize = PictureSize{picture.width(), picture.height()};
        return status;
    }
    return ReadStatus::UnknownFormat;
}

}  // namespace

ReadStatus LoadPicture(const std::string& path, Dib& picture) { return Load(path, 0, 0, picture, nullptr); }

ReadStatus LoadPictureCovering(const std::string& path, int coverWidth, int coverHeight, Dib& picture,
                               PictureSize* fullSize) {
    return Load(path, coverWidth, coverHeight, picture, fullSize);
}

}  // namespace codec
