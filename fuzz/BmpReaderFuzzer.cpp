// BMP files come from users' folders: any bytes must give a bitmap that fits its data or a
// refusal, from memory and through the picture loader.
#include "codec/BmpReader.h"
#include "codec/PictureLoader.h"
#include "fuzz/FuzzFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    codec::Dib picture;
    if (codec::DecodeBmp(data, size, picture) == codec::ReadStatus::Ok &&
        static_cast<uint64_t>(picture.stride()) * picture.height() > size)
        std::abort();
    const std::string& path = FuzzScratchFile(".bmp");
    WriteFuzzInput(path, data, size);
    codec::Dib fromFile;
    (void)codec::LoadPicture(path, fromFile);
    return 0;
}
