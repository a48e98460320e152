// BMP files come from users' folders: any bytes must give a bitmap that fits its data or a
// refusal, from memory and through the file the document opens.
#include "fuzz/FuzzFile.h"
#include "measure/io/BmpProbe.h"
#include "measure/io/BmpReader.h"
#include "measure/io/PictureLoader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tessmet::Dib picture;
    if (tessmet::DecodeBmp(data, size, picture) == tessmet::ReadStatus::Ok &&
        static_cast<uint64_t>(picture.stride()) * picture.height() > size)
        std::abort();
    const std::string& path = FuzzScratchFile(".bmp");
    WriteFuzzInput(path, data, size);
    tessmet::BmpHeaderInfo info;
    (void)tessmet::ProbeBmpFile(path, info);
    tessmet::Dib fromFile;
    (void)tessmet::LoadPicture(path, fromFile);
    return 0;
}
