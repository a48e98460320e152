// JPEG files come from cameras and users' folders: any bytes must decode or be refused, in full
// and DCT-scaled for thumbnails, without a bitmap larger than the data could code.
#include "codec/JpegReader.h"
#include "fuzz/FuzzFile.h"

#include <cstdlib>

namespace {

void CheckPlausible(const codec::Dib& picture, size_t size) {
    if (static_cast<uint64_t>(picture.width()) * picture.height() > static_cast<uint64_t>(size) * 1024) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    codec::Dib picture;
    if (codec::DecodeJpeg(data, size, picture) == codec::ReadStatus::Ok) CheckPlausible(picture, size);
    // The thumbnail size comes from the input too, so every scale gets its share of the runs.
    const int cover = size > 0 ? data[size - 1] : 0;
    codec::Dib small;
    if (codec::DecodeJpegCovering(data, size, cover, cover / 2, small) == codec::ReadStatus::Ok) {
        CheckPlausible(small, size);
        if (!picture.isNull() && (small.width() > picture.width() || small.height() > picture.height())) std::abort();
    }
    const std::string& path = FuzzScratchFile(".jpg");
    WriteFuzzInput(path, data, size);
    codec::Dib fromFile;
    (void)codec::ReadJpegFile(path, fromFile);
    return 0;
}
