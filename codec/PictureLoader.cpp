#include "codec/PictureLoader.h"

#include "codec/BmpReader.h"
#include "codec/ByteSource.h"
#include "codec/JpegReader.h"

namespace codec {

namespace {

ReadStatus Load(const std::string& path, int coverWidth, int coverHeight, Dib& picture) {
    const auto source = FileByteSource::Open(path);
    if (!source) return ReadStatus::CannotOpen;
    uint8_t magic[2];
    if (!source->readAt(0, magic, sizeof magic)) return ReadStatus::UnknownFormat;
    if (magic[0] == 'B' && magic[1] == 'M') return DecodeBmp(*source, picture);
    if (magic[0] == 0xFF && magic[1] == 0xD8) {
        if (coverWidth > 0 || coverHeight > 0) return ReadJpegFileCovering(path, coverWidth, coverHeight, picture);
        return ReadJpegFile(path, picture);
    }
    return ReadStatus::UnknownFormat;
}

}  // namespace

ReadStatus LoadPicture(const std::string& path, Dib& picture) { return Load(path, 0, 0, picture); }

ReadStatus LoadPictureCovering(const std::string& path, int coverWidth, int coverHeight, Dib& picture) {
    return Load(path, coverWidth, coverHeight, picture);
}

}  // namespace codec
