// JPEG files come from cameras and users' folders: any bytes must decode or be refused, without
// a bitmap larger than the data could code.
#include "fuzz/FuzzFile.h"
#include "measure/io/JpegReader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessmet::Dib picture;
    if (tessmet::DecodeJpeg(data, size, picture) == tessmet::ReadStatus::Ok &&
        static_cast<uint64_t>(picture.width()) * picture.height() > static_cast<uint64_t>(size) * 1024)
        std::abort();
    const std::string& path = FuzzScratchFile(".jpg");
    WriteFuzzInput(path, data, size);
    tessmet::Dib fromFile;
    (void)tessmet::ReadJpegFile(path, fromFile);
    return 0;
}
