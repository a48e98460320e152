#include "measure/core/ImageLoader.h"

#include "codec/PictureLoader.h"
#include "measure/core/CalibrationLoader.h"
#include "measure/io/BmpProbe.h"
#include "measure/res/StringTable.h"

#include <cctype>
#include <new>

namespace tessmet {
namespace {

bool AcceptedBitmapHeader(const std::string& path) {
    BmpHeaderInfo info;
    if (ProbeBmpFile(path, info) != ProbeResult::Ok) return false;
    return info.bitsPerPixel == 16 || info.bitsPerPixel == 24 || info.bitsPerPixel == 32;
}

}  // namespace

bool NameEndsInBmp(const std::string& path) {
    if (path.size() < 3) return false;
    const char* end = path.data() + path.size() - 3;
    return std::tolower(static_cast<unsigned char>(end[0])) == 'b' &&
           std::tolower(static_cast<unsigned char>(end[1])) == 'm' &&
           std::tolower(static_cast<unsigned char>(end[2])) == 'p';
}

int LoadImage(const std::string& path, ImageSet& images, Calibration& calibration, ReadStatus* detail) {
    const bool bitmapName = NameEndsInBmp(path);
    if (detail) *detail = ReadStatus::Ok;
    if (bitmapName && !AcceptedBitmapHeader(path)) {
        if (detail) *detail = ReadStatus::UnsupportedBitmap;
        return StringId::NotSupportedBitmap;
    }

    Dib picture;
    const ReadStatus status = codec::LoadPicture(path, picture);
    if (detail) *detail = status;
    if (status != ReadStatus::Ok) {
        return bitmapName && status == ReadStatus::UnsupportedBitmap ? StringId::NotSupportedBitmap
                                                                     : StringId::FileNotOpened;
    }

    ImageSet loaded;
    try {
        loaded = ImageSet::FromPicture(std::move(picture));
    } catch (const std::bad_alloc&) {
        if (detail) *detail = ReadStatus::TooLarge;
        return StringId::FileNotOpened;
    }
    if (loaded.isNull() || loaded.processing().isNull()) {
        if (detail) *detail = ReadStatus::TooLarge;
        return StringId::FileNotOpened;
    }
    images = std::move(loaded);
    InitialiseCalibration(calibration, path, images.width(), images.height());
    return 0;
}

std::vector<int> LoadFailureMessages(int loadResult) {
    if (loadResult == 0) return {};
    if (loadResult == StringId::NotSupportedBitmap) return {StringId::NotSupportedBitmap, StringId::FileNotOpened};
    return {StringId::FileNotOpened};
}

}  // namespace tessmet
