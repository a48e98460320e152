#include "measure/io/PictureLoader.h"

#include "measure/io/BmpReader.h"
#include "measure/io/ByteSource.h"
#include "measure/io/JpegReader.h"

namespace tessmet {

ReadStatus LoadPicture(const std::string& path, Dib& picture) {
    const auto source = FileByteSource::Open(path);
    if (!source) return ReadStatus::CannotOpen;
    uint8_t magic[2];
    if (!source->readAt(0, magic, sizeof magic)) return ReadStatus::UnknownFormat;
    if (magic[0] == 'B' && magic[1] == 'M') return DecodeBmp(*source, picture);
    if (magic[0] == 0xFF && magic[1] == 0xD8) return ReadJpegFile(path, picture);
    return ReadStatus::UnknownFormat;
}

}  // namespace tessmet
